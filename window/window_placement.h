#pragma once

#include "puzzle/start_up.h"
#include "puzzle/window_layout.h"

#include <QSize>

class QWidget;

namespace window {

class PictureBox;

// The window as the start-up sees it: its outer size and its place on the
// screen, the screen's size, and the panel's place and size, all in twips.
//
// The outer size includes the frame and title bar, modelled as the frame the
// window was designed with, so the client area is always the designed one
// whatever frame the platform draws around it. The outer size the start-up
// writes (puzzle::kWindowOuterWidth x kWindowOuterHeight, 11760 x 9280) is
// exactly the designed client area in that frame across, 60 + 11640 + 60;
// down, 450 + 8770 + 60 leaves a client area 5 twips lower than designed,
// which the panel as placed still clears. The checks after the class keep
// these figures in step.
class WindowPlacement : public puzzle::StartUpWindow {
public:
    WindowPlacement(QWidget &window, PictureBox &panel);

    // The client area as designed, before the start-up sizes the window.
    static constexpr float kClientWidth = 11640.0f;
    static constexpr float kClientHeight = 8775.0f;
    // The designed frame: its width at each side, the title bar's depth in
    // the top.
    static constexpr float kFrameLeft = 60.0f;
    static constexpr float kFrameTop = 450.0f;
    static constexpr float kFrameRight = 60.0f;
    static constexpr float kFrameBottom = 60.0f;

    // Where the last writes put the window's outer top-left corner.
    float windowLeft() const { return windowLeft_; }
    float windowTop() const { return windowTop_; }

    void setOuterHeight(float twips) override;
    void setOuterWidth(float twips) override;
    float outerHeight() override;
    float outerWidth() override;
    void setWindowTop(float twips) override;
    void setWindowLeft(float twips) override;
    float screenHeight() override;
    float screenWidth() override;
    void setPanelTop(float twips) override;
    void setPanelLeft(float twips) override;
    void setPanelHeight(float twips) override;
    void setPanelWidth(float twips) override;

private:
    void placeOnScreen();
    QSize screenSize() const;

    QWidget &window_;
    PictureBox &panel_;
    float windowLeft_ = 0.0f;
    float windowTop_ = 0.0f;
};

static_assert(puzzle::kWindowOuterWidth
              == WindowPlacement::kFrameLeft + WindowPlacement::kClientWidth + WindowPlacement::kFrameRight);
static_assert(puzzle::kWindowOuterHeight
              == WindowPlacement::kFrameTop + WindowPlacement::kClientHeight - 5.0f + WindowPlacement::kFrameBottom);

} // namespace window
