#pragma once

#include <QFlags>
#include <Qt>

#include <cstdint>

namespace window {

// The game's codes for mouse buttons and modifier keys: left 1, right 2,
// middle 4; Shift 1, Ctrl 2, Alt 4. Other buttons have no code.
inline std::int16_t mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

inline std::int16_t mouseButtonsCode(Qt::MouseButtons buttons)
{
    return static_cast<std::int16_t>((buttons.testFlag(Qt::LeftButton) ? 1 : 0)
                                     | (buttons.testFlag(Qt::RightButton) ? 2 : 0)
                                     | (buttons.testFlag(Qt::MiddleButton) ? 4 : 0));
}

inline std::int16_t shiftCode(Qt::KeyboardModifiers modifiers)
{
    return static_cast<std::int16_t>((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
                                     | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
                                     | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

} // namespace window
