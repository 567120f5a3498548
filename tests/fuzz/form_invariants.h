#pragma once

#include "form_fixture.h"

#include "puzzle/drag.h"

#include <QObject>
#include <QPointF>
#include <QRect>
#include <QString>

#include <array>
#include <string>
#include <vector>

namespace fuzz_test {

// What the driver knows about the event it has just delivered.
struct EventFacts {
    // The fuzzer delivered a clock tick.
    bool tick = false;
    // The time of day stands still while the program reads it, so a tick's
    // caption and a new game's start time can be known exactly.
    bool timeStandsStill = true;
};

// The whole state of the window that events may change, and what must hold
// of it after every event.
//
// Every mouse event that reaches a control of the window, and every click of
// the new-game button, is recorded as it arrives. From the state before an
// event and what arrived, a model of the game works out what the state must
// be after it (a left press on a tile picture holds that tile, a move that
// reaches the window moves the held tile to the pointer less the grab point,
// a release that reaches the window ends the hold, a double-click turns the
// tile a quarter turn), and the window must agree. Besides: one visible
// picture per tile, the four pictures of a tile in one place, only visible
// pictures take input, nothing but the window takes input while it holds the
// capture, a double-click reaches only the control that took the press just
// before it, with the same button, and that was not hidden in between, a new
// game puts the nine tiles on the nine cells, and the clock caption has the
// clock's form (exactly the right count within its range).
class FormInvariants : public QObject {
public:
    explicit FormInvariants(window_test::ShownForm &shown);

    // Checks the window after one event against the state before it and
    // takes the new state as the next "before". Gives what is wrong, or an
    // empty text when everything holds.
    std::string afterEvent(const EventFacts &facts);

    struct Counts {
        int newGames = 0;
        int newGamesWhileHeld = 0;
        int ticks = 0;
        int holds = 0;
        int tileMoves = 0;
        int turns = 0;
    };
    const Counts &counts() const { return counts_; }

    static std::string expectedCaption(double elapsedSeconds); // empty outside the count's range
    static bool hasClockForm(const QString &caption);

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    struct Snapshot {
        std::array<QPointF, puzzle::kTiles> place{}; // twips, layer 1
        std::array<int, puzzle::kTiles> layer{};     // the visible one, 0 if not exactly one
        double startTime = 0.0;
        int draws = 0;
        QString caption;
        puzzle::DragState drag;
    };
    // One mouse event as it reached a control, or a click of the button.
    struct Arrival {
        enum class Kind { Press, Release, Move, DoubleClick, Click } kind;
        QObject *receiver;
        Qt::MouseButton button;
        QPointF position; // in the receiver's frame, pixels
        bool receiverVisible;
    };

    Snapshot take();
    void checkTiles(std::vector<std::string> &faults);
    void checkControlsStayed(std::vector<std::string> &faults);
    // Works out the state after the arrivals; gives false when a new game
    // was started, after which places and turns are the scramble's.
    bool play(Snapshot &model, std::vector<std::string> &faults);
    bool tileOf(const QObject *receiver, int &layer, std::int16_t &index) const;

    window_test::ShownForm &shown_;
    Snapshot before_;
    std::vector<Arrival> arrivals_;
    std::vector<std::pair<QWidget *, QRect>> fixedControls_;
    // The control that took the last press, while a double-click may follow
    // it there: only the same control, with the same button, not hidden since.
    struct {
        QObject *receiver = nullptr;
        Qt::MouseButton button = Qt::NoButton;
    } lastPressed_;
    std::vector<std::string> pairingFaults_;
    bool ticked_ = false;
    Counts counts_;
};

} // namespace fuzz_test
