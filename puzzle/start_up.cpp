#include "start_up.h"

#include "numeric.h"
#include "window_layout.h"

namespace puzzle {

void placeWindow(StartUpWindow &window)
{
    window.setOuterHeight(kWindowOuterHeight);
    window.setOuterWidth(kWindowOuterWidth);
    const float h = window.outerHeight();
    const float screenH = window.screenHeight();
    window.setWindowTop(checkedFloat((screenH - h) / 2.0f));
    // The width is read back only after the top has been set.
    const float w = window.outerWidth();
    const float screenW = window.screenWidth();
    window.setWindowLeft(checkedFloat((screenW - w) / 2.0f));
    window.setPanelTop(kPanelPlaced.top);
    window.setPanelLeft(kPanelPlaced.left);
    window.setPanelHeight(kPanelPlaced.height);
    window.setPanelWidth(kPanelPlaced.width);
}

} // namespace puzzle
