#pragma once

#include "command_button.h"
#include "double_click_recogniser.h"
#include "label.h"
#include "mouse_capture.h"
#include "picture_box.h"
#include "tile_board.h"
#include "window_placement.h"

#include "puzzle/board_setup.h"
#include "puzzle/drag.h"
#include "puzzle/platform_services.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>

namespace window {

// The game's one window: the panel with the 36 tile pictures, the button, the
// decorative picture, three labels and the clock's timer, and the procedures
// that its events call. The procedures hand the puzzle logic the board (the
// tile pictures) and the start-up's view of the window; neither calls back.
class Form1 : public QWidget {
public:
    Form1(puzzle::TimeOfDay &time, puzzle::RandomSource &random);

    // The platform's load event: runs Form_Load once, before the first show.
    void load();

    // Controls, by the names the game gives them.
    PictureBox &picture(int layer, std::int16_t index) { return board_.picture(layer, index); } // Picture1..Picture4
    PictureBox &picture5() { return *panel_; }
    PictureBox &picture6() { return *decoration_; }
    Label &label1() { return *clock_; }
    Label &label2() { return *hint_; }
    Label &label3() { return *clockCaption_; }
    CommandButton &command1() { return *newGame_; }
    QTimer &timer1() { return timer_; }
    MouseCapture &mouseCapture() { return capture_; }

    // The tile pictures as the puzzle logic's board.
    TileBoard &board() { return board_; }
    // The window's size and place on the screen, and the panel's, as the
    // start-up sets them.
    WindowPlacement &placement() { return placement_; }

    const puzzle::DragState &dragState() const { return drag_; }
    double startTime() const { return startTime_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void createControls();
    void bindEvents();

    // Event procedures.
    void Form_Load();
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void Picture_MouseDown(std::int16_t index, std::int16_t button, std::int16_t shift, float x, float y);
    void Picture_DblClick(int layer, std::int16_t index);
    void Command1_Click();
    void Timer1_Timer();
    void shuffle();

    puzzle::TimeOfDay &time_;
    puzzle::BoardSetUp setUp_;
    MouseCapture capture_;
    DoubleClickRecogniser doubleClicks_{*this, capture_};

    PictureBox *panel_;
    TileBoard board_;
    WindowPlacement placement_;
    PictureBox *decoration_ = nullptr;
    CommandButton *newGame_ = nullptr;
    Label *clock_ = nullptr;
    Label *hint_ = nullptr;
    Label *clockCaption_ = nullptr;
    QTimer timer_;

    puzzle::DragState drag_;
    double startTime_ = 0.0;
    bool wholeIcon_ = false;
};

} // namespace window
