#pragma once

#include <cmath>

namespace window {

// Every place and size in the game is in twips: 1/1440 inch, 15 to a pixel at
// 96 dots per inch. This is the one place that turns them into whole pixels.
constexpr double kTwipsPerPixel = 15.0;

// Nearest pixel, a half going up, so that a half-twip position never makes two
// pictures of one tile land a pixel apart.
inline int pixelsFromTwips(double twips) { return static_cast<int>(std::floor(twips / kTwipsPerPixel + 0.5)); }
inline float twipsFromPixels(double pixels) { return static_cast<float>(pixels * kTwipsPerPixel); }

} // namespace window
