#pragma once

// Mouse input through Qt's window-system entry, the path the QTest QWindow*
// overloads take, at times the test chooses. QTest puts a whole double-click
// time after every release, so two of its clicks never make a double-click;
// these share QTest's clock and add only the gap asked for.

#include <QCoreApplication>
#include <QPoint>
#include <QTest>
#include <QWindow>

namespace window_test {

class TimedPointer {
public:
    explicit TimedPointer(QWindow *window) : window_(window) {}

    // Each event comes `afterMs` milliseconds after the one before it.
    void press(QPoint at, int afterMs = 1, Qt::MouseButton button = Qt::LeftButton)
    {
        held_.setFlag(button, true);
        send(QEvent::MouseButtonPress, at, button, afterMs);
    }
    void release(QPoint at, int afterMs = 1, Qt::MouseButton button = Qt::LeftButton)
    {
        held_.setFlag(button, false);
        send(QEvent::MouseButtonRelease, at, button, afterMs);
    }
    void move(QPoint to, int afterMs = 1) { send(QEvent::MouseMove, to, Qt::NoButton, afterMs); }
    void click(QPoint at, int afterMs = 1, Qt::MouseButton button = Qt::LeftButton)
    {
        press(at, afterMs, button);
        release(at, 1, button);
    }

private:
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, int afterMs)
    {
        QTest::lastMouseTimestamp += afterMs;
        qt_handleMouseEvent(window_, at, window_->mapToGlobal(at), held_, button, type, {}, QTest::lastMouseTimestamp);
        QCoreApplication::processEvents();
    }

    QWindow *window_;
    Qt::MouseButtons held_;
};

} // namespace window_test
