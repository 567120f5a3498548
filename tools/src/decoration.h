// The small picture beside the board: a glossy insect seen from above at an
// angle, its head to the lower left.
#pragma once

#include <QImage>

namespace tools {

inline constexpr int kDecorationWidth = 125;
inline constexpr int kDecorationHeight = 93;
inline constexpr QRgb kDecorationBackground = 0xFFEBE9ED;
// The drawing stays inside this rectangle; the rest is plain background.
inline constexpr int kDrawingLeft = 11, kDrawingTop = 4, kDrawingRight = 115, kDrawingBottom = 88;

QImage drawDecoration();

} // namespace tools
