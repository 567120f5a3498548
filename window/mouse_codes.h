#pragma once

#include "puzzle/drag.h"

#include <QFlags>
#include <Qt>

#include <cstdint>

namespace window {

// The game's codes for mouse buttons and modifier keys: left 1 (the one the
// drag knows), right 2, middle 4; Shift 1, Ctrl 2, Alt 4. Other buttons have
// no code.
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kMiddleButton = 4;

inline std::int16_t mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return puzzle::kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
    }
}

inline std::int16_t mouseButtonsCode(Qt::MouseButtons buttons)
{
    return static_cast<std::int16_t>((buttons.testFlag(Qt::LeftButton) ? puzzle::kLeftButton : 0)
                                     | (buttons.testFlag(Qt::RightButton) ? kRightButton : 0)
                                     | (buttons.testFlag(Qt::MiddleButton) ? kMiddleButton : 0));
}

inline std::int16_t shiftCode(Qt::KeyboardModifiers modifiers)
{
    return static_cast<std::int16_t>((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
                                     | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
                                     | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

} // namespace window
