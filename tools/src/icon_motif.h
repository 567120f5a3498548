// The window icon: one glossy insect, drawn large and reduced for the small
// images, packed with every depth older and newer desktops look for.
#pragma once

#include "byte_writer.h"

#include <QImage>

namespace tools {

// The motif at `size` x `size`, on a transparent background, non-premultiplied.
QImage drawIconMotif(int size = 256);

// The motif brought down from the 256-pixel drawing.
QImage reducedMotif(const QImage &large, int size);

// A PNG file with no chunk that could differ between two runs.
Bytes pngFile(const QImage &image);

Bytes iconFile(const QImage &large);

} // namespace tools
