#pragma once

#include "form_fixture.h"
#include "form_invariants.h"
#include "stderr_capture.h"

#include <QEvent>
#include <QPointF>

#include <cstdint>
#include <deque>
#include <random>
#include <string>

namespace fuzz_test {

// One long random run against one freshly shown window: mouse presses,
// moves, releases, clicks and double-clicks of any button anywhere (on every
// control, between them and outside the window), clicks on the new-game
// button, and clock ticks with the time of day jumping forwards, backwards
// and across midnight. Every event goes in through Qt's window-system entry
// point, as a real pointer's would, and the window is checked after each one.
// The same seed gives the same run.
class RandomSession {
public:
    RandomSession(window_test::ShownForm &shown, test_support::StderrCapture &errors, std::uint64_t seed);
    ~RandomSession();
    RandomSession(const RandomSession &) = delete;
    RandomSession &operator=(const RandomSession &) = delete;

    // Delivers `events` events, or fewer when a check fails; gives what went
    // wrong with the last events before it, or an empty text.
    std::string run(long events);

    long delivered() const { return delivered_; }
    const FormInvariants &invariants() const { return invariants_; }

private:
    // One action of the player or of the clock; most are one event, a click,
    // a double-click or a drag several.
    void act();
    void move(QPointF at);
    void press(Qt::MouseButton button, QPointF at, int delayMs);
    void release(Qt::MouseButton button, QPointF at, int delayMs);
    void click(Qt::MouseButton button, QPointF at);
    void doubleClick(Qt::MouseButton button, QPointF at);
    void drag();
    void key();
    void keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers, int how);
    void newGameByKeyboard();
    void tick();
    void jumpTime();
    void setTime(double secondsSinceMidnight);
    void toggleCreep();
    void releaseAll();

    void mouse(QEvent::Type type, Qt::MouseButton button, QPointF at, int delayMs);
    void checkAfter(const EventFacts &facts, const std::string &what);

    QPointF pickPoint();
    QPointF pointOn(const QWidget &control);
    QPointF pointOnTile();
    Qt::MouseButton pickButton();
    Qt::KeyboardModifiers pickModifiers();
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }
    double uniform(double from, double to) { return std::uniform_real_distribution<double>(from, to)(rng_); }

    window_test::ShownForm &shown_;
    test_support::StderrCapture &errors_;
    FormInvariants invariants_;
    std::mt19937_64 rng_;
    Qt::MouseButtons held_;
    Qt::KeyboardModifiers modifiers_;
    QPointF last_;
    double creep_ = 0.0; // seconds the time of day moves on at every read
    long budget_ = 0;
    long delivered_ = 0;
    std::deque<std::string> recent_;
    std::string fault_;
};

} // namespace fuzz_test
