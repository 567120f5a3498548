#include "colour_reduction.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tools {
namespace {

std::uint8_t nearest(const std::vector<Rgb> &palette, const std::vector<std::uint8_t> &usable, int r, int g, int b)
{
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t i : usable) {
        const long dr = r - palette[i].r, dg = g - palette[i].g, db = b - palette[i].b;
        // Weighted towards green, as the eye is; ties go to the lower index.
        const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

} // namespace

std::vector<Rgb> iconPalette256()
{
    std::vector<Rgb> palette(kStandardPalette.begin(), kStandardPalette.end());
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                   static_cast<std::uint8_t>(b * 51)});
    for (int i = 0; i < 24; ++i) {
        const auto v = static_cast<std::uint8_t>(8 + i * 10);
        palette.push_back({v, v, v});
    }
    return palette;
}

ReducedImage reduceToPalette(const QImage &source, const std::vector<Rgb> &palette, bool diffuse,
                             const std::vector<std::uint8_t> &usableIn)
{
    std::vector<std::uint8_t> usable = usableIn;
    if (usable.empty())
        for (std::size_t i = 0; i < palette.size(); ++i)
            usable.push_back(static_cast<std::uint8_t>(i));
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    ReducedImage out{IndexedImage(w, h, 0), std::vector<bool>(static_cast<std::size_t>(w * h), false)};

    // Carried error in sixteenths, per channel, for this row and the next.
    std::vector<std::array<int, 3>> here(static_cast<std::size_t>(w + 2)), next(static_cast<std::size_t>(w + 2));
    for (int y = 0; y < h; ++y) {
        std::fill(next.begin(), next.end(), std::array<int, 3>{0, 0, 0});
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 128) {
                out.transparent[static_cast<std::size_t>(y * w + x)] = true;
                continue;
            }
            const std::array<int, 3> &carried = here[static_cast<std::size_t>(x + 1)];
            const int want[3] = {std::clamp(qRed(p) + carried[0] / 16, 0, 255),
                                 std::clamp(qGreen(p) + carried[1] / 16, 0, 255),
                                 std::clamp(qBlue(p) + carried[2] / 16, 0, 255)};
            const std::uint8_t index = nearest(palette, usable, want[0], want[1], want[2]);
            out.pixels.set(x, y, index);
            if (!diffuse)
                continue;
            const Rgb got = palette[index];
            const int err[3] = {want[0] - got.r, want[1] - got.g, want[2] - got.b};
            for (int c = 0; c < 3; ++c) {
                here[static_cast<std::size_t>(x + 2)][static_cast<std::size_t>(c)] += err[c] * 7;
                next[static_cast<std::size_t>(x)][static_cast<std::size_t>(c)] += err[c] * 3;
                next[static_cast<std::size_t>(x + 1)][static_cast<std::size_t>(c)] += err[c] * 5;
                next[static_cast<std::size_t>(x + 2)][static_cast<std::size_t>(c)] += err[c] * 1;
            }
        }
        std::swap(here, next);
    }
    return out;
}

} // namespace tools
