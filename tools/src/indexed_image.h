// A picture of palette indices, top row first. The tiles are painted straight
// into indices so that no smoothing can ever bring in a colour off the palette.
#pragma once

#include <cstdint>
#include <vector>

namespace tools {

class IndexedImage {
public:
    IndexedImage(int width, int height, std::uint8_t fill);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint8_t at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, std::uint8_t value) { pixels_[index(x, y)] = value; }

    // The same picture turned through 180 degrees.
    IndexedImage halfTurned() const;
    // Rows become columns: pixel (x, y) moves to (y, x).
    IndexedImage transposed() const;

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

} // namespace tools
