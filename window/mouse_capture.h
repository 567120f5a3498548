#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QMouseEvent;

namespace window {

// Mouse capture for a window, as the game's drag expects it: while a window
// holds the capture, every mouse press, move, release and double-click goes to
// that window, wherever the pointer is (outside the window too, while a button
// is down), in the window's own client frame. Without it, an event goes only
// to the topmost visible control under the pointer.
//
// It is an application-wide event filter rather than QWidget::grabMouse(): no
// X server pointer grab is taken, so a stopped or failing program can never
// lock the pointer for the whole session. Moves outside the window while a
// button is down still arrive through the press's implicit grab.
class MouseCapture : public QObject {
public:
    MouseCapture();
    ~MouseCapture() override;

    // Sends all mouse input to the window with this handle until released;
    // gives the handle that held the capture before, or 0.
    WId setCapture(WId window);
    // Mouse input goes back to the control under the pointer; true if a
    // window held the capture.
    bool releaseCapture();

    QWidget *owner() const { return owner_; }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    bool deliverDroppedToOwner(QObject *window, QEvent *event);
    void sendToOwner(const QMouseEvent &original);

    QPointer<QWidget> owner_;
    bool inWindowEvent_ = false;
    bool reachedWidget_ = false;
};

} // namespace window
