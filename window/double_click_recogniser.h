#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWidget>

class QMouseEvent;

namespace window {

class MouseCapture;

// Decides which presses on a window's controls are double-clicks. The second
// of two presses of one button is a double-click only when both went to the
// same control, that control stayed shown between them, and the second came
// within the platform's double-click time and distance of the first; the press
// after a double-click starts afresh. Qt pairs presses for a whole top-level
// window instead: a quick click on one tile and then on its neighbour would
// turn the neighbour, which never took a press.
//
// It judges each press where it lands, after Qt has picked the control and the
// capture has taken what it takes: a double-click that Qt made of a press that
// pairs with nothing reaches the control as the press it is, and a press that
// completes a pair reaches it as a double-click. Every other event passes
// untouched, so each press still gives the focus, and its release still goes
// where Qt sends it.
class DoubleClickRecogniser : public QObject {
public:
    DoubleClickRecogniser(QWidget &window, const MouseCapture &capture);
    ~DoubleClickRecogniser() override;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    bool completesPair(const QWidget &control, const QMouseEvent &press) const;

    // The last press that a next one may pair with.
    struct Press {
        QPointer<QWidget> control;
        Qt::MouseButton button = Qt::NoButton;
        quint64 time = 0;
        QPointF at; // on the screen
    };

    QWidget &window_;
    const MouseCapture &capture_;
    Press last_;
    bool redelivering_ = false;
};

} // namespace window
