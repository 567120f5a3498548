#pragma once

#include "command_button.h"
#include "label.h"
#include "mouse_capture.h"
#include "picture_box.h"

#include "puzzle/board.h"
#include "puzzle/board_setup.h"
#include "puzzle/drag.h"
#include "puzzle/platform_services.h"
#include "puzzle/start_up.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>

namespace window {

// The game's one window: the panel with the 36 tile pictures, the button, the
// decorative picture, three labels and the clock's timer, and the procedures
// that its events call. The tile pictures are the board: where a tile lies is
// the place of its four pictures, how it is turned is which one shows.
class Form1 : public QWidget, public puzzle::Board, public puzzle::StartUpWindow {
public:
    Form1(puzzle::TimeOfDay &time, puzzle::RandomSource &random);

    // The platform's load event: runs Form_Load once, before the first show.
    void load();

    // Controls, by the names the game gives them.
    PictureBox &picture(int layer, std::int16_t index); // Picture1..Picture4, raises if out of range
    PictureBox &picture5() { return *panel_; }
    PictureBox &picture6() { return *decoration_; }
    Label &label1() { return *clock_; }
    Label &label2() { return *hint_; }
    Label &label3() { return *clockCaption_; }
    CommandButton &command1() { return *newGame_; }
    QTimer &timer1() { return timer_; }
    MouseCapture &mouseCapture() { return capture_; }

    const puzzle::DragState &dragState() const { return drag_; }
    double startTime() const { return startTime_; }

    // Window geometry in twips: the outer size includes the frame and title
    // bar, modelled as the frame the window was designed with (60 twips at the
    // left, right and bottom, 450 at the top), so the client area is always
    // the designed one whatever frame the platform draws.
    float windowLeft() const { return windowLeft_; }
    float windowTop() const { return windowTop_; }
    static constexpr float kFrameLeft = 60.0f;
    static constexpr float kFrameTop = 450.0f;
    static constexpr float kFrameRight = 60.0f;
    static constexpr float kFrameBottom = 60.0f;

    // puzzle::Board: the tile pictures.
    float left(int layer, std::int16_t index) override;
    float top(int layer, std::int16_t index) override;
    void setLeft(int layer, std::int16_t index, float value) override;
    void setTop(int layer, std::int16_t index, float value) override;
    void setVisible(int layer, std::int16_t index, bool visible) override;
    void move(int layer, std::int16_t index, float left, float top) override;
    using QWidget::setVisible;
    using QWidget::move;

    // puzzle::StartUpWindow.
    void setOuterHeight(float twips) override;
    void setOuterWidth(float twips) override;
    float outerHeight() override;
    float outerWidth() override;
    void setWindowTop(float twips) override;
    void setWindowLeft(float twips) override;
    float screenHeight() override;
    float screenWidth() override;
    void setPanelTop(float twips) override { panel_->twips().setTop(twips); }
    void setPanelLeft(float twips) override { panel_->twips().setLeft(twips); }
    void setPanelHeight(float twips) override { panel_->twips().setHeight(twips); }
    void setPanelWidth(float twips) override { panel_->twips().setWidth(twips); }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void createControls();
    void bindEvents();
    void placeOnScreen();
    QSize screenSize() const;

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

    PictureBox *panel_ = nullptr;
    std::array<std::array<PictureBox *, puzzle::kTiles>, puzzle::kLayers> tiles_{};
    PictureBox *decoration_ = nullptr;
    CommandButton *newGame_ = nullptr;
    Label *clock_ = nullptr;
    Label *hint_ = nullptr;
    Label *clockCaption_ = nullptr;
    QTimer timer_;

    puzzle::DragState drag_;
    double startTime_ = 0.0;
    float windowLeft_ = 0.0f;
    float windowTop_ = 0.0f;
};

} // namespace window
