#include "start_up.h"

#include "numeric.h"

namespace puzzle {

void placeWindow(StartUpWindow &window)
{
    window.setOuterHeight(9280.0f);
    window.setOuterWidth(11760.0f);
    const float h = window.outerHeight();
    const float screenH = window.screenHeight();
    window.setWindowTop(checkedFloat((screenH - h) / 2.0f));
    // The width is read back only after the top has been set.
    const float w = window.outerWidth();
    const float screenW = window.screenWidth();
    window.setWindowLeft(checkedFloat((screenW - w) / 2.0f));
    window.setPanelTop(120.0f);
    window.setPanelLeft(190.0f);
    window.setPanelHeight(8500.0f);
    window.setPanelWidth(11260.0f);
}

} // namespace puzzle
