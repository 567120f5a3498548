#pragma once

#include <array>
#include <string_view>

namespace window {

// The thirteen events the window handles and the procedure each one calls,
// named after the source and the event. No other event is handled.
enum class Procedure {
    Form_Load,
    Form_MouseMove,
    Form_MouseUp,
    Picture1_MouseDown,
    Picture2_MouseDown,
    Picture3_MouseDown,
    Picture4_MouseDown,
    Picture1_DblClick,
    Picture2_DblClick,
    Picture3_DblClick,
    Picture4_DblClick,
    Command1_Click,
    Timer1_Timer,
};

struct EventBinding {
    std::string_view source;
    std::string_view event;
    Procedure procedure;
    std::string_view name;
};

inline constexpr std::array<EventBinding, 13> kEventBindings{{
    {"Form", "Load", Procedure::Form_Load, "Form_Load"},
    {"Form", "MouseMove", Procedure::Form_MouseMove, "Form_MouseMove"},
    {"Form", "MouseUp", Procedure::Form_MouseUp, "Form_MouseUp"},
    {"Picture1", "MouseDown", Procedure::Picture1_MouseDown, "Picture1_MouseDown"},
    {"Picture2", "MouseDown", Procedure::Picture2_MouseDown, "Picture2_MouseDown"},
    {"Picture3", "MouseDown", Procedure::Picture3_MouseDown, "Picture3_MouseDown"},
    {"Picture4", "MouseDown", Procedure::Picture4_MouseDown, "Picture4_MouseDown"},
    {"Picture1", "DblClick", Procedure::Picture1_DblClick, "Picture1_DblClick"},
    {"Picture2", "DblClick", Procedure::Picture2_DblClick, "Picture2_DblClick"},
    {"Picture3", "DblClick", Procedure::Picture3_DblClick, "Picture3_DblClick"},
    {"Picture4", "DblClick", Procedure::Picture4_DblClick, "Picture4_DblClick"},
    {"Command1", "Click", Procedure::Command1_Click, "Command1_Click"},
    {"Timer1", "Timer", Procedure::Timer1_Timer, "Timer1_Timer"},
}};

constexpr std::string_view procedureName(Procedure procedure)
{
    for (const EventBinding &binding : kEventBindings)
        if (binding.procedure == procedure)
            return binding.name;
    return {};
}

} // namespace window
