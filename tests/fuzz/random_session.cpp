#include "random_session.h"

#include <QApplication>
#include <QTest>
#include <QtTest/qtestmouse.h>

#include <cmath>
#include <sstream>

namespace fuzz_test {

namespace {

constexpr double kDay = 86400.0;
constexpr std::size_t kRecentEvents = 40;

// Event time stamps of the window system, in milliseconds; they only go
// forwards, across sessions too, so that Qt's double-click detection sees a
// consistent clock.
ulong timestamp = 1'000'000;

const char *buttonName(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return "left";
    case Qt::RightButton: return "right";
    case Qt::MiddleButton: return "middle";
    case Qt::BackButton: return "back";
    case Qt::ForwardButton: return "forward";
    default: return "none";
    }
}

std::string describe(QPointF at)
{
    std::ostringstream out;
    out << "(" << at.x() << ", " << at.y() << ")";
    return out.str();
}

} // namespace

RandomSession::RandomSession(window_test::ShownForm &shown, test_support::StderrCapture &errors, std::uint64_t seed)
    : shown_(shown), errors_(errors), invariants_(shown), rng_(seed)
{
    // The fuzzer is the clock: the shown form holds the timer's own ticks
    // back (Ticks::ByHand) so that a seed replays exactly, and ticks come as
    // timer events through Qt's dispatch (tick()).
    timestamp += 10'000; // no double-click with the last session's clicks
    shown_.form().activateWindow();
    if (!QTest::qWaitForWindowActive(shown_.window()))
        fault_ = "before the first event: the window did not become active\n";
    last_ = QPointF(shown_.form().width() / 2.0, shown_.form().height() / 2.0);
    // Anything the window wrote while it opened counts too.
    checkAfter({}, "the window opened");
}

RandomSession::~RandomSession() { shown_.time.onRead = nullptr; }

std::string RandomSession::run(long events)
{
    budget_ = events;
    while (fault_.empty() && delivered_ < budget_)
        act();
    if (fault_.empty())
        releaseAll();
    return fault_;
}

void RandomSession::act()
{
    const int r = pick(100);
    if (r < 30) {
        // Most moves stay near the pointer, as a hand's do.
        move(pick(3) ? last_ + QPointF(pick(41) - 20, pick(41) - 20) : pickPoint());
    } else if (r < 43) {
        press(pickButton(), pick(2) ? last_ : pickPoint(), pick(600));
    } else if (r < 56) {
        Qt::MouseButton button = pickButton();
        for (Qt::MouseButton held :
             {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton})
            if (held_.testFlag(held) && pick(3))
                button = held;
        release(button, pick(2) ? last_ : pickPoint(), pick(600));
    } else if (r < 65) {
        click(pickButton(), pickPoint());
    } else if (r < 74) {
        doubleClick(pick(5) ? Qt::LeftButton : pickButton(), pick(3) ? pointOnTile() : pickPoint());
    } else if (r < 78) {
        click(Qt::LeftButton, pointOn(shown_.form().command1()));
    } else if (r < 84) {
        drag();
    } else if (r < 89) {
        key();
    } else if (r < 97) {
        if (pick(10) < 7)
            jumpTime();
        tick();
    } else if (r < 99) {
        jumpTime();
    } else {
        toggleCreep();
    }
}

void RandomSession::move(QPointF at) { mouse(QEvent::MouseMove, Qt::NoButton, at, 1 + pick(60)); }

void RandomSession::press(Qt::MouseButton button, QPointF at, int delayMs)
{
    // Now and then a press of a button already down, as when a release was
    // lost outside the window.
    if (held_.testFlag(button) && pick(4))
        release(button, at, delayMs);
    mouse(QEvent::MouseButtonPress, button, at, delayMs);
}

void RandomSession::release(Qt::MouseButton button, QPointF at, int delayMs)
{
    mouse(QEvent::MouseButtonRelease, button, at, delayMs);
}

void RandomSession::click(Qt::MouseButton button, QPointF at)
{
    press(button, at, 1 + pick(600));
    release(button, at, 1 + pick(150));
}

void RandomSession::doubleClick(Qt::MouseButton button, QPointF at)
{
    // Mostly a true double-click; sometimes one that is a little too slow or
    // moves a little too far to be one.
    const bool nearMiss = pick(5) == 0;
    const int gap = nearMiss && pick(2) ? 300 + pick(500) : 10 + pick(140);
    const double jitter = nearMiss ? 4 + pick(10) : pick(3);
    press(button, at, 400 + pick(400));
    release(button, at, 10 + pick(100));
    const QPointF second = at + QPointF(uniform(-jitter, jitter), uniform(-jitter, jitter));
    press(button, second, gap);
    release(button, second, 10 + pick(100));
}

void RandomSession::drag()
{
    const QPointF from = pointOnTile();
    press(Qt::LeftButton, from, 1 + pick(600));
    QPointF at = from;
    for (int steps = 2 + pick(14); steps > 0 && fault_.empty(); --steps) {
        const int far = pick(10);
        if (far == 0)
            at = pickPoint(); // anywhere, outside the window too
        else
            at += QPointF(pick(81) - 40, pick(81) - 40);
        move(at);
        if (pick(12) == 0) // another button pressed and let go during the hold
            click(pick(2) ? Qt::RightButton : Qt::MiddleButton, at);
        if (pick(20) == 0)
            newGameByKeyboard();
    }
    release(Qt::LeftButton, at, 1 + pick(200));
}

void RandomSession::key()
{
    // The game handles no key, but the keyboard moves the focus and a focused
    // button clicks on Space, a new game in the middle of a drag among them.
    if (!fault_.empty() || delivered_ >= budget_)
        return;
    const Qt::Key keys[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Space,  Qt::Key_Space,
                            Qt::Key_Space, Qt::Key_Return,  Qt::Key_Escape, Qt::Key_Left,
                            Qt::Key_Down,  Qt::Key_A,       Qt::Key_F4};
    const Qt::Key key = keys[pick(11)];
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Backtab ? Qt::ShiftModifier : pickModifiers();
    keyClick(key, modifiers, pick(4));
}

// how: 0 press only, 1 release only, else both.
void RandomSession::keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers, int how)
{
    if (!fault_.empty() || delivered_ >= budget_)
        return;
    QWindow *window = shown_.window();
    if (how != 1)
        QTest::keyPress(window, key, modifiers);
    if (how != 0)
        QTest::keyRelease(window, key, modifiers);
    ++delivered_;
    const QWidget *focus = QApplication::focusWidget();
    std::ostringstream what;
    what << (how == 0   ? "key press "
             : how == 1 ? "key release "
                        : "key click ")
         << QKeySequence(key).toString().toStdString() << " with modifiers " << static_cast<int>(modifiers)
         << ", focus now on " << (focus ? focus->metaObject()->className() : "nothing");
    EventFacts facts;
    facts.timeStandsStill = creep_ == 0.0;
    checkAfter(facts, what.str());
}

// Tab to the new-game button and press Space: the one way to start a new
// game while a tile is held, since the capture keeps the pointer off it.
void RandomSession::newGameByKeyboard()
{
    const QWidget *button = &shown_.form().command1();
    for (int tabs = 0; tabs < 50 && QApplication::focusWidget() != button && fault_.empty(); ++tabs)
        keyClick(Qt::Key_Tab, Qt::NoModifier, 2);
    keyClick(Qt::Key_Space, Qt::NoModifier, 2);
}

void RandomSession::tick()
{
    if (!fault_.empty() || delivered_ >= budget_)
        return;
    shown_.tick();
    QCoreApplication::processEvents();
    ++delivered_;
    std::ostringstream what;
    what.precision(15);
    what << "tick at " << shown_.time.now << " s (start " << shown_.form().startTime() << " s)";
    EventFacts facts;
    facts.tick = true;
    facts.timeStandsStill = creep_ == 0.0;
    checkAfter(facts, what.str());
}

void RandomSession::jumpTime()
{
    const double now = shown_.time.now;
    const double start = shown_.form().startTime();
    switch (pick(9)) {
    case 0: setTime(now + uniform(0.0, 3.0)); break;       // a second or so
    case 1: setTime(now + uniform(0.0, 40000.0)); break;   // hours on, past the count's range
    case 2: setTime(now - uniform(0.0, 100.0)); break;     // set back a little
    case 3: setTime(now - uniform(0.0, 40000.0)); break;   // set back hours
    case 4: setTime(kDay - uniform(0.0, 3.0)); break;      // just before midnight
    case 5: setTime(now + kDay / 2); break;                // half a day on
    case 6: setTime(start + (pick(41) - 20) + 0.5); break; // an exact half second
    case 7: {                                              // at the edges of the count's range
        const double edges[] = {32767.4, 32767.5, 32766.5, -32768.5, -32768.6, -32767.5, 86399.9, -86399.9};
        setTime(start + edges[pick(8)]);
        break;
    }
    default: setTime(now + 1.0); break; // the ordinary second
    }
}

void RandomSession::setTime(double secondsSinceMidnight)
{
    double t = std::fmod(secondsSinceMidnight, kDay);
    if (t < 0)
        t += kDay;
    if (t >= kDay)
        t = 0.0;
    shown_.time.now = t;
    shown_.time.second = static_cast<std::int16_t>(static_cast<long>(std::floor(t)) % 60);
    recent_.push_back("time of day set to " + std::to_string(t));
}

void RandomSession::toggleCreep()
{
    // The time of day moving on while the program reads it: a second that
    // changes in the middle of a scramble, midnight in the middle of a game.
    const double steps[] = {0.0, 0.0, 0.001, 0.07, 0.4, 1.0};
    creep_ = steps[pick(6)];
    if (creep_ == 0.0) {
        shown_.time.onRead = nullptr;
    } else {
        shown_.time.onRead = [this] { setTime(shown_.time.now + creep_); };
    }
    recent_.push_back("time of day moves on " + std::to_string(creep_) + " s at every read");
}

void RandomSession::releaseAll()
{
    for (Qt::MouseButton button :
         {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton})
        if (held_.testFlag(button) && fault_.empty())
            mouse(QEvent::MouseButtonRelease, button, last_, 50);
}

void RandomSession::mouse(QEvent::Type type, Qt::MouseButton button, QPointF at, int delayMs)
{
    if (!fault_.empty() || delivered_ >= budget_)
        return;
    if (type == QEvent::MouseButtonPress)
        held_.setFlag(button, true);
    else if (type == QEvent::MouseButtonRelease)
        held_.setFlag(button, false);
    modifiers_ = pickModifiers();
    timestamp += static_cast<ulong>(std::max(1, delayMs));
    QWindow *window = shown_.window();
    const QPointF global = window->mapToGlobal(QPoint(0, 0)) + at;
    // The window system's entry point: what a real pointer's event goes
    // through, with hit-testing, implicit grabs and double-click synthesis.
    qt_handleMouseEvent(window, at, global, held_, button, type, modifiers_, static_cast<int>(timestamp));
    QCoreApplication::processEvents();
    last_ = at;
    ++delivered_;

    const char *kind = type == QEvent::MouseMove ? "move" : type == QEvent::MouseButtonPress ? "press" : "release";
    std::string what = std::string(kind) + (button != Qt::NoButton ? std::string(" ") + buttonName(button) : "")
                       + " at " + describe(at);
    if (modifiers_)
        what += " with modifiers " + std::to_string(static_cast<int>(modifiers_));
    if (const QWidget *under = shown_.form().childAt(at.toPoint()))
        what += " over " + under->objectName().toStdString() + under->metaObject()->className();
    EventFacts facts;
    facts.timeStandsStill = creep_ == 0.0;
    checkAfter(facts, what);
}

void RandomSession::checkAfter(const EventFacts &facts, const std::string &what)
{
    recent_.push_back("#" + std::to_string(delivered_) + " " + what);
    while (recent_.size() > kRecentEvents)
        recent_.pop_front();
    std::string fault = invariants_.afterEvent(facts);
    // The procedure runner reports every run-time error that abandons a
    // procedure; other lines (the platform's warnings) pass on to the log.
    const std::string written = errors_.take();
    if (written.find("quillamon:") != std::string::npos)
        fault += (fault.empty() ? "" : "; ") + std::string("standard error: ") + written;
    if (fault.empty())
        return;
    std::ostringstream out;
    out << "after event " << delivered_ << ": " << fault << "\nthe last events:\n";
    for (const std::string &line : recent_)
        out << "  " << line << "\n";
    fault_ = out.str();
}

QPointF RandomSession::pickPoint()
{
    window::Form1 &form = shown_.form();
    const double w = form.width();
    const double h = form.height();
    QPointF at;
    switch (pick(10)) {
    case 0:
    case 1:
    case 2: at = pointOnTile(); break;
    case 3: at = pointOn(form.command1()); break;
    case 4: {
        const QWidget *others[] = {&form.label1(), &form.label2(), &form.label3(), &form.picture6(), &form.picture5()};
        at = pointOn(*others[pick(5)]);
        break;
    }
    case 5:
    case 6: at = QPointF(uniform(0, w), uniform(0, h)); break; // anywhere in the window
    case 7: {                                                  // the window's own area round the panel
        const QRect panel = form.picture5().geometry();
        at = pick(2) ? QPointF(uniform(0, panel.left()), uniform(0, h))
                     : QPointF(uniform(0, w), uniform(0, panel.top()));
        break;
    }
    case 8: // just outside the window, beyond one of its four edges
        switch (pick(4)) {
        case 0: at = QPointF(-1 - pick(200), uniform(-200, h + 200)); break;
        case 1: at = QPointF(w + pick(300), uniform(-200, h + 200)); break;
        case 2: at = QPointF(uniform(-200, w + 200), -1 - pick(200)); break;
        default: at = QPointF(uniform(-200, w + 200), h + pick(300)); break;
        }
        break;
    default: // far outside, as on another screen
        at = QPointF(uniform(-5000, 5000), uniform(-5000, 5000));
        break;
    }
    // Whole pixels mostly; fractions as a scaled screen gives them.
    if (pick(8) == 0)
        at += QPointF(0.5, pick(2) ? 0.5 : 0.25);
    else
        at = QPointF(std::round(at.x()), std::round(at.y()));
    return at;
}

QPointF RandomSession::pointOn(const QWidget &control)
{
    const QRect r = control.rect();
    int x = 0, y = 0;
    switch (pick(4)) {
    case 0:
        x = r.center().x();
        y = r.center().y();
        break;
    case 1: { // a corner or an edge, the border included
        const int xs[] = {0, 1, r.width() - 2, r.width() - 1, pick(std::max(1, r.width()))};
        const int ys[] = {0, 1, r.height() - 2, r.height() - 1, pick(std::max(1, r.height()))};
        x = xs[pick(5)];
        y = ys[pick(5)];
        break;
    }
    default:
        x = pick(std::max(1, r.width()));
        y = pick(std::max(1, r.height()));
        break;
    }
    return QPointF(shown_.at(control, QPoint(x, y)));
}

QPointF RandomSession::pointOnTile()
{
    const std::int16_t index = static_cast<std::int16_t>(pick(puzzle::kTiles));
    int layer = shown_.visibleLayer(index);
    if (layer == 0 || pick(5) == 0)
        layer = 1 + pick(puzzle::kLayers); // a hidden picture's place: the press goes to what shows there
    return pointOn(shown_.form().picture(layer, index));
}

Qt::MouseButton RandomSession::pickButton()
{
    const int r = pick(20);
    if (r < 12)
        return Qt::LeftButton;
    if (r < 16)
        return Qt::RightButton;
    if (r < 18)
        return Qt::MiddleButton;
    return r == 18 ? Qt::BackButton : Qt::ForwardButton;
}

Qt::KeyboardModifiers RandomSession::pickModifiers()
{
    if (pick(5))
        return modifiers_ && pick(4) ? modifiers_ : Qt::NoModifier;
    Qt::KeyboardModifiers m;
    m.setFlag(Qt::ShiftModifier, pick(2));
    m.setFlag(Qt::ControlModifier, pick(2));
    m.setFlag(Qt::AltModifier, pick(2));
    m.setFlag(Qt::MetaModifier, pick(4) == 0);
    return m;
}

} // namespace fuzz_test
