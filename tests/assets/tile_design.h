// What the tile pictures are meant to show, written down here on their own so
// that the tests compare the pixels with the design and not with the tool's
// tables: the halves on each edge, how a tile's four pictures relate, the
// bitmap sizes, the colours and the measures of the half-figures.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace assets_test {

inline constexpr int kTiles = 9;
inline constexpr int kLayers = 4;

enum Edge { Top = 0, Right = 1, Bottom = 2, Left = 3 };
inline constexpr std::array<Edge, 4> kEdges{Top, Right, Bottom, Left};

enum class Body { Red, Grey, Yellow, Green };
enum class Kind { Head, Tail };

struct Half {
    Body body;
    Kind kind;
    bool operator==(const Half &) const = default;
};

using TileHalves = std::array<Half, 4>; // top, right, bottom, left

std::string describe(Half h);
std::string describe(const TileHalves &halves);

// Palette indices of the standard 16 colours that the tiles use.
namespace ink {
inline constexpr std::uint8_t black = 0, teal = 6, grey = 8, red = 9, green = 10, yellow = 11, white = 15;
}

std::uint8_t paletteIndexOf(Body body);
std::optional<Body> bodyOfPaletteIndex(std::uint8_t index);
// The colour of the seam stripe and the shoulder lobes of a half of this body colour.
Body accentOf(Body body);

// Layer 1 of each tile.
TileHalves uprightHalves(int tile);
// Layer k shows the tile turned k - 1 further quarter turns counter-clockwise.
TileHalves layerHalves(int tile, int layer);

struct PictureSize {
    int width, height;
};
PictureSize tilePictureSize(int tile, int layer);

// The six pictures whose yellow head half has a teal seam stripe.
bool hasTealSeam(int tile, int layer);

// Measures of the half-figure drawings, px in from the edge or across the axis.
struct FigureDesign {
    int chord;
    int tailDepth;
    std::array<int, 3> tailStripeSteps; // depths where the stripe widens to 7, 9, 11
    std::array<int, 2> headStripeSteps; // depths where it narrows to 3, 1
    int headStripeEnd;                  // the stripe ends at the head
    int shoulderHalfWidth;              // the body runs into the lobes this far from the axis
    int lobesFrom, lobesTo;
    int lobesSpan; // both lobes with the head between them
    int headFront; // the black head ends here
    int headWidth, headFrontWidth;
    int antennaTipDepth, antennaTipSpan;
};
inline constexpr FigureDesign kTopBottomFigure{93, 42, {5, 17, 32}, {9, 23}, 37, 25, 37, 47, 49, 51, 20, 11, 62, 44};
inline constexpr FigureDesign kLeftRightFigure{85, 46, {6, 18, 34}, {8, 23}, 38, 22, 38, 48, 45, 53, 20, 11, 64, 40};
// Depths and widths vary between pictures by up to this much.
inline constexpr double kMeasureTolerance = 3.0;

inline const FigureDesign &figureDesign(Edge edge)
{
    return edge == Top || edge == Bottom ? kTopBottomFigure : kLeftRightFigure;
}

} // namespace assets_test
