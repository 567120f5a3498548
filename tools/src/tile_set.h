// The nine tiles: which half-figure lies on which edge, how a tile's four
// pictures relate, and how one picture is put together from the drawings.
#pragma once

#include "half_figure.h"
#include "indexed_image.h"

#include <array>
#include <cstdint>

namespace tools {

enum Edge { Top = 0, Right = 1, Bottom = 2, Left = 3 };

enum class Body : std::uint8_t { Red, Grey, Yellow, Green };

struct EdgeHalf {
    Body body;
    Half half;
};

inline constexpr int kTileCount = 9;
inline constexpr int kLayerCount = 4;

// The halves tile t shows in layer 1, top, right, bottom, left.
const std::array<EdgeHalf, 4> &uprightHalves(int tile);

// The halves of tile t in layer k (1..4): each further layer is the tile
// turned another quarter turn counter-clockwise.
std::array<EdgeHalf, 4> layerHalves(int tile, int layer);

// Bitmap size of tile t in layer k. The sizes differ slightly from picture to
// picture; each layer is drawn at its own size.
struct Size {
    int width, height;
};
Size tileSize(int tile, int layer);

// Whether the yellow head half of this picture has a teal seam stripe.
bool hasTealSeam(int tile, int layer);

IndexedImage drawTile(int tile, int layer);

} // namespace tools
