#pragma once

namespace puzzle {

// A rectangle in twips: left and top in the client area of what holds it,
// width and height its outer size.
struct TwipsRect {
    float left;
    float top;
    float width;
    float height;
};

// The outer size start-up gives the window, frame and caption included. The
// window side models the frame and client area the window was designed with
// (window/window_placement.h), and says there how this size meets them.
constexpr float kWindowOuterWidth = 11760.0f;
constexpr float kWindowOuterHeight = 9280.0f;

// The panel that holds every other control, in the window's client area:
// where the window definition puts it, and where start-up moves it before the
// window is first shown. Placed, it spans 190..11450 across and 120..8620
// down, so 190 twips of the designed client area are left at its right and
// 150 below it. The board takes the top-left 3 x 3 cells of its inner area.
constexpr TwipsRect kPanelDesigned{120.0f, 120.0f, 11200.0f, 8480.0f};
constexpr TwipsRect kPanelPlaced{190.0f, 120.0f, 11260.0f, 8500.0f};

} // namespace puzzle
