// Reads an icon file from its bytes: the directory, and each image stored as
// a bitmap (colour rows and transparency mask) or as a PNG file.
#pragma once

#include "file_bytes.h"

#include <cstdint>
#include <vector>

namespace assets_test {

struct IconEntry {
    int width = 0, height = 0; // a stored 0 stands for 256
    int colourCount = 0, reserved = 0, planes = 0, bitCount = 0;
    std::uint32_t size = 0, offset = 0;
    Bytes data; // the image as stored
    bool isPng() const;
};

struct IconFile {
    int reserved = 0, type = 0;
    std::vector<IconEntry> entries;
};

// Throws when the directory or an image runs past the end of the file.
IconFile readIconFile(const Bytes &file);

// A bitmap image of an icon, decoded: colours as 0xAARRGGBB (alpha 255 for
// images without an alpha channel), the mask's bits, and the stored indices
// of paletted images.
struct IconPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb; // top row first
    std::vector<bool> masked;        // true where the mask leaves the pixel out
    std::vector<int> paletteIndex;   // -1 for images without a palette
    std::size_t expectedSize = 0;    // header, palette, colour rows and mask rows
};
IconPixels decodeIconBitmap(const IconEntry &entry);

} // namespace assets_test
