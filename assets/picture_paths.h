// Where the built-in pictures live among the program's resources.
#pragma once

#include <QString>

namespace quillamon::pictures {

// Tile t (0..8) in layer k (1..4): ":/tiles/tile-<t>-<k>.bmp".
QString tilePath(int tile, int layer);
// ":/decoration.bmp"
QString decorationPath();
// ":/quillamon.ico"
QString iconPath();

}  // namespace quillamon::pictures
