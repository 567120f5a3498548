// The procedures that the window's events call.
#include "form1.h"

#include "twips.h"

#include "puzzle/game_clock.h"
#include "puzzle/start_up.h"
#include "puzzle/turn.h"

namespace window {

void Form1::Form_Load()
{
    puzzle::placeWindow(placement_);
    // The first game counts from before its scramble.
    startTime_ = time_.secondsSinceMidnight();
    shuffle();
}

void Form1::shuffle() { setUp_.shuffle(board_); }

void Form1::Picture_MouseDown(std::int16_t index, std::int16_t button, std::int16_t, float x, float y)
{
    if (button != puzzle::kLeftButton)
        return;
    drag_.dragging = true;
    capture_.setCapture(effectiveWinId());
    drag_.grabX = x;
    drag_.grabY = y;
    drag_.dragIndex = index;
}

void Form1::Form_MouseMove(std::int16_t, std::int16_t, float x, float y)
{
    if (!drag_.dragging)
        return;
    // From the window's client frame to the panel's, by the offset of the
    // panel's inner area as it lies on the screen.
    const QPoint inner = panel_->mapTo(this, panel_->contentsRect().topLeft());
    puzzle::moveHeldTile(board_, drag_, x - twipsFromPixels(inner.x()), y - twipsFromPixels(inner.y()));
}

void Form1::Form_MouseUp(std::int16_t, std::int16_t, float, float)
{
    drag_.dragging = false;
    capture_.releaseCapture();
}

void Form1::Picture_DblClick(int layer, std::int16_t index) { puzzle::turnTile(board_, layer, index); }

void Form1::Command1_Click()
{
    shuffle();
    // A new game counts from after its scramble.
    startTime_ = time_.secondsSinceMidnight();
}

void Form1::Timer1_Timer()
{
    clock_->setText(QString::fromStdString(puzzle::clockCaption(time_.secondsSinceMidnight(), startTime_)));
}

} // namespace window
