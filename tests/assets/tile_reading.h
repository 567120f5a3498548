// Reads what a tile picture shows from its pixels alone. The four-bit bitmap
// is decoded here, independently of the tool that wrote it; each connected
// patch of non-white pixels is taken as a figure, and every figure is
// measured in its own frame: depth in from the edge it stands on, and
// position along that edge.
#pragma once

#include "file_bytes.h"
#include "tile_design.h"

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace assets_test {

struct IndexedPicture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels; // top row first
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Decodes an uncompressed 4-bit bitmap stored bottom row first; throws on
// anything else.
IndexedPicture decodeFourBitBmp(const Bytes &file);

struct FigureReading {
    Edge edge = Top;
    int edgeLength = 0; // pixels along the edge the figure stands on
    int chord = 0;      // length of the figure's run on the edge line
    bool chordUnbroken = false;
    double middle = 0; // middle of that run, in pixels along the edge
    int depth = 0;     // how far in the figure reaches

    std::optional<Body> body;     // the most frequent body colour
    std::uint8_t seam = 0;        // colour on the axis at the edge
    Kind kind = Kind::Tail;       // a tail's deepest row lies on the axis, a head's antenna tips beside it
    bool mirrorSymmetric = false; // about the line at right angles to the edge through the middle
    bool outlined = false;        // no coloured pixel borders the white field directly
    bool widestAtEdge = false;    // no row is wider than the chord

    std::vector<int> stripeWidth; // seam-coloured run on the axis, at each depth
    int stripeEnd = 0;            // first depth with no seam colour on the axis
    int spots = 0;                // black patches inside the body, off the outline and seam lines
    int shoulderHalfWidth = 0;    // of the body's last row, head halves

    // Head halves only.
    std::set<std::uint8_t> lobeColours;
    int lobesFrom = 0, lobesTo = 0; // depths of the lobes' colour, the last one exclusive
    int lobesSpan = 0;
    int headFront = 0; // first depth past the black run on the axis
    int headWidth = 0, headFrontWidth = 0;
    double antennaTipSpan = 0; // between the middles of the two tips
};

struct TileReading {
    IndexedPicture picture;
    std::set<std::uint8_t> indicesUsed;
    int patchCount = 0;
    int strayPatches = 0;                                // patches that stand on no edge or on more than one
    std::array<std::optional<FigureReading>, 4> figures; // by edge; empty when none or several
    bool hasTeal = false;

    // The halves on top, right, bottom, left, when every edge holds one figure.
    std::optional<TileHalves> halves() const;
};

TileReading readTile(const Bytes &file);

// Every tile picture of the committed set, read once.
const TileReading &committedTile(int tile, int layer);

} // namespace assets_test
