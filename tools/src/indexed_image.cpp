#include "indexed_image.h"

#include <stdexcept>

namespace tools {

IndexedImage::IndexedImage(int width, int height, std::uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("picture size must be positive");
}

std::size_t IndexedImage::index(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw std::out_of_range("pixel outside the picture");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
}

IndexedImage IndexedImage::halfTurned() const
{
    IndexedImage out(width_, height_, 0);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.set(width_ - 1 - x, height_ - 1 - y, at(x, y));
    return out;
}

IndexedImage IndexedImage::transposed() const
{
    IndexedImage out(height_, width_, 0);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.set(y, x, at(x, y));
    return out;
}

} // namespace tools
