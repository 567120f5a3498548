// The half-insect drawings that sit on the tile edges. There are four: a head
// half and a tail half for the top and bottom edges, and a pair for the left
// and right edges. Figures on the bottom and right edges are the top and left
// drawings turned a half turn, so two halves meeting across an edge always
// share their chord.
#pragma once

#include "indexed_image.h"

#include <cstdint>

namespace tools {

enum class Half { Head, Tail };
enum class EdgeAxis { Horizontal, Vertical }; // top/bottom edges, left/right edges

struct FigureInk {
    std::uint8_t body;
    std::uint8_t accent; // shoulder lobes
    std::uint8_t seam;   // seam stripe; the accent, except for the teal stripes
};

// The figure as it sits on a top edge (Horizontal, straight side on row 0,
// pointing down) or on a left edge (Vertical, straight side on column 0,
// pointing right). Width x height is chord x depth or depth x chord.
IndexedImage drawHalfFigure(EdgeAxis axis, Half half, const FigureInk &ink);

// Chord along the edge, in pixels, for figures on edges of the given axis.
int figureChord(EdgeAxis axis);

} // namespace tools
