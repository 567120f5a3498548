// Bringing the smooth icon motif down to the small palettes of the older icon
// images: the 16 standard colours with error diffusion, or a fixed 256-colour
// palette by nearest colour.
#pragma once

#include "indexed_image.h"
#include "palette.h"

#include <QImage>
#include <vector>

namespace tools {

struct ReducedImage {
    IndexedImage pixels;
    std::vector<bool> transparent; // row-major, top row first
};

// The 16 standard colours, a 6 x 6 x 6 colour cube and 24 greys.
std::vector<Rgb> iconPalette256();

// Pixels less than half opaque become transparent; the rest are matched
// against `palette`, spreading the error to the neighbours (Floyd-Steinberg)
// when `diffuse` is set. Only the entries listed in `usable` are chosen, all
// of them when it is empty.
ReducedImage reduceToPalette(const QImage &image, const std::vector<Rgb> &palette, bool diffuse,
                             const std::vector<std::uint8_t> &usable = {});

} // namespace tools
