#include "hand_ticks.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

namespace window_test {

HandTicks::HandTicks(QTimer &timer) : timer_(timer) { timer_.installEventFilter(this); }

HandTicks::~HandTicks() { timer_.removeEventFilter(this); }

void HandTicks::tick()
{
    delivering_ = true;
    QTimerEvent event(timer_.timerId());
    QCoreApplication::sendEvent(&timer_, &event);
    delivering_ = false;
}

bool HandTicks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &timer_ && event->type() == QEvent::Timer && !delivering_) {
        ++heldBack_;
        return true;
    }
    return false;
}

} // namespace window_test
