// The puzzle the tile pictures make, worked out from a table of the halves
// each tile shows in each layer: which placements fit on every inner edge.
#pragma once

#include "tile_design.h"

#include <array>
#include <vector>

namespace assets_test {

// halves[tile][layer - 1]
using HalvesTable = std::array<std::array<TileHalves, kLayers>, kTiles>;

// Two touching halves fit when they share a body colour and one is a head.
bool fits(Half a, Half b);

// A tile and its layer for each of the nine cells, row by row from the top-left.
struct Placement {
    std::array<int, 9> tile{};
    std::array<int, 9> layer{};
    bool operator==(const Placement &) const = default;
    bool operator<(const Placement &o) const { return tile != o.tile ? tile < o.tile : layer < o.layer; }
};

// Every placement of the nine tiles, each in one of its layers, that fits on
// all 12 inner edges.
std::vector<Placement> fittingPlacements(const HalvesTable &halves);

// The whole board turned a quarter turn counter-clockwise: the tile in
// column c, row r goes to column r, row 2 - c, one layer further on.
Placement turnedBoard(const Placement &p);
// Tiles a and b exchanged, each keeping the layer of the cell.
Placement withTilesExchanged(const Placement &p, int a, int b);

// The 12 halves on the board's border, clockwise from the top-left corner:
// along the top, down the right side, along the bottom from the right, up the
// left side from the bottom.
std::array<Half, 12> borderClockwise(const HalvesTable &halves, const Placement &p);

} // namespace assets_test
