#pragma once

#include <cstddef>
#include <cstdint>

namespace puzzle {

constexpr int kTiles = 9;
constexpr int kLayers = 4;
constexpr int kPictures = kLayers * kTiles;
// Cell (column, row) of the 3 x 3 grid has its top-left corner at
// (kCellPitch * column, kCellPitch * row) twips in the panel's inner area.
constexpr float kCellPitch = 2800.0f;
// A tile picture is one cell square, border included, so tiles on
// neighbouring cells touch.
constexpr float kTileSide = kCellPitch;

// Where picture `index` (0..8) of `layer` (1..4) lies in a table of all 36,
// layer by layer. Any other layer or index raises SubscriptOutOfRange, as a
// control array does for a member it lacks.
std::size_t pictureSlot(int layer, std::int16_t index);

// The board is nothing but the 36 tile pictures: member `index` (0..8) of the
// picture array of `layer` (1..4), its left and top in the panel's client
// frame (twips) and whether it shows. A plain table and the real window both
// implement it, so the set-up, the drag and the turn run the same steps on
// either. Every call may raise a RuntimeError, as a failed platform call does.
class Board {
public:
    virtual ~Board() = default;
    virtual float left(int layer, std::int16_t index) = 0;
    virtual float top(int layer, std::int16_t index) = 0;
    virtual void setLeft(int layer, std::int16_t index, float value) = 0;
    virtual void setTop(int layer, std::int16_t index, float value) = 0;
    virtual void setVisible(int layer, std::int16_t index, bool visible) = 0;
    // Left and top together in one operation, the size untouched.
    virtual void move(int layer, std::int16_t index, float left, float top) = 0;
};

} // namespace puzzle
