#pragma once

namespace puzzle {

// The window as start-up sees it: sizes and places in twips, as 32-bit floats.
// A read of the outer size gives the size the window actually took, which may
// differ from what was written.
class StartUpWindow {
public:
    virtual ~StartUpWindow() = default;
    virtual void setOuterHeight(float twips) = 0;
    virtual void setOuterWidth(float twips) = 0;
    virtual float outerHeight() = 0;
    virtual float outerWidth() = 0;
    virtual void setWindowTop(float twips) = 0;
    virtual void setWindowLeft(float twips) = 0;
    virtual float screenHeight() = 0;
    virtual float screenWidth() = 0;
    virtual void setPanelTop(float twips) = 0;
    virtual void setPanelLeft(float twips) = 0;
    virtual void setPanelHeight(float twips) = 0;
    virtual void setPanelWidth(float twips) = 0;
};

// Sizes the window, centres it on the screen by the sizes read back (halves
// kept, nothing clamped) and places the panel.
void placeWindow(StartUpWindow &window);

} // namespace puzzle
