#pragma once

#include "board.h"

#include <cstdint>

namespace puzzle {

// What the window remembers of a tile held by the mouse.
struct DragState {
    bool dragging = false;
    float grabX = 0.0f; // press point inside the pressed picture, twips
    float grabY = 0.0f;
    std::int16_t dragIndex = 0;
};

constexpr std::int16_t kLeftButton = 1;

// Puts all four pictures of the held tile so that the grab point lies under
// the pointer (px, py), given in the panel's client frame. The place is made
// afresh from every move, never added to the last one, so a merged or dropped
// move loses nothing.
void moveHeldTile(Board &board, const DragState &drag, float px, float py);

} // namespace puzzle
