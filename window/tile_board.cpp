#include "tile_board.h"

#include "assets/picture_paths.h"

namespace window {

void TileBoard::createLayer(QWidget &panel, int layer)
{
    for (std::int16_t index = puzzle::kTiles - 1; index >= 0; --index) {
        auto *tile = new PictureBox(&panel, PictureBox::Border::Single, QPalette::Base);
        tile->twips().setGeometry(0, 0, puzzle::kTileSide, puzzle::kTileSide);
        tile->setPicture(assets::tilePath(index, layer));
        pictures_[puzzle::pictureSlot(layer, index)] = tile;
    }
}

PictureBox &TileBoard::picture(int layer, std::int16_t index) { return *pictures_[puzzle::pictureSlot(layer, index)]; }

float TileBoard::left(int layer, std::int16_t index) { return picture(layer, index).twips().left(); }
float TileBoard::top(int layer, std::int16_t index) { return picture(layer, index).twips().top(); }
void TileBoard::setLeft(int layer, std::int16_t index, float value) { picture(layer, index).twips().setLeft(value); }
void TileBoard::setTop(int layer, std::int16_t index, float value) { picture(layer, index).twips().setTop(value); }
void TileBoard::setVisible(int layer, std::int16_t index, bool visible) { picture(layer, index).setVisible(visible); }

void TileBoard::move(int layer, std::int16_t index, float left, float top)
{
    picture(layer, index).twips().move(left, top);
}

} // namespace window
