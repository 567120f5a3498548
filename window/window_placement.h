#pragma once

#include "puzzle/start_up.h"

#include <QSize>

class QWidget;

namespace window {

class PictureBox;

// The window as the start-up sees it: its outer size and its place on the
// screen, the screen's size, and the panel's place and size, all in twips.
//
// The outer size includes the frame and title bar, modelled as the frame the
// window was designed with (60 twips at the left, right and bottom, 450 at
// the top), so the client area is always the designed one whatever frame the
// platform draws around it.
class WindowPlacement : public puzzle::StartUpWindow {
public:
    WindowPlacement(QWidget &window, PictureBox &panel);

    // The client area as designed, before the start-up sizes the window.
    static constexpr float kClientWidth = 11640.0f;
    static constexpr float kClientHeight = 8775.0f;
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

} // namespace window
