#pragma once

#include "picture_box.h"

#include "puzzle/board.h"

#include <array>
#include <cstdint>

namespace window {

// The board as the window shows it: the 36 tile pictures, member `index` of
// the picture arrays Picture1..Picture4. Where a tile lies is the place of its
// four pictures, how it is turned is which of them shows. The puzzle logic
// changes the pictures only through this adapter.
class TileBoard : public puzzle::Board {
public:
    // Creates the nine pictures of `layer` on the panel, index 8 first: a
    // later sibling stacks above an earlier one, so the lower index lies on
    // top. The order of the calls sets the order of the layers.
    void createLayer(QWidget &panel, int layer);

    // Picture<layer>(index); any other member raises SubscriptOutOfRange.
    PictureBox &picture(int layer, std::int16_t index);

    float left(int layer, std::int16_t index) override;
    float top(int layer, std::int16_t index) override;
    void setLeft(int layer, std::int16_t index, float value) override;
    void setTop(int layer, std::int16_t index, float value) override;
    void setVisible(int layer, std::int16_t index, bool visible) override;
    void move(int layer, std::int16_t index, float left, float top) override;

private:
    std::array<PictureBox *, puzzle::kPictures> pictures_{};
};

} // namespace window
