// Where the program finds its built-in pictures among its resources: ":/" and
// the picture's file under assets/ (picture_files.h).
#pragma once

#include <QString>

namespace assets {

// Tile t (0..8) in layer k (1..4), the decorative picture and the window icon.
QString tilePath(int tile, int layer);
QString decorationPath();
QString iconPath();

} // namespace assets
