#pragma once

#include <QObject>

class QTimer;

namespace window_test {

// Makes a test the only source of a timer's ticks. The timer keeps running as
// the window set it up (active, its interval, its id), but the ticks it would
// deliver by itself are held back, so a check never races a tick due at an
// unknown moment; tick() delivers one as the timer's own come: a timer event
// for the timer's id, sent through Qt's dispatch to the timer.
class HandTicks : public QObject {
public:
    explicit HandTicks(QTimer &timer);
    ~HandTicks() override;

    void tick();
    // Ticks of the timer's own that were held back so far.
    int heldBack() const { return heldBack_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTimer &timer_;
    bool delivering_ = false;
    int heldBack_ = 0;
};

} // namespace window_test
