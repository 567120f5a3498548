#pragma once

#include "board.h"

#include <cstdint>

namespace puzzle {

// Layer k shows the tile k - 1 quarter turns counter-clockwise; one more turn
// shows layer (k mod 4) + 1.
constexpr int nextLayer(int layer) { return layer % kLayers + 1; }

// Turns tile `index`, double-clicked on its picture in `layer`, a quarter turn
// counter-clockwise: the next layer shows before this one hides, so the tile
// is never without a visible picture. Nothing moves.
void turnTile(Board &board, int layer, std::int16_t index);

} // namespace puzzle
