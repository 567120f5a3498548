#include "icon_reading.h"

#include <stdexcept>

namespace assets_test {

bool IconEntry::isPng() const
{
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return data.size() >= 8 && std::equal(signature, signature + 8, data.begin());
}

IconFile readIconFile(const Bytes &f)
{
    IconFile icon;
    icon.reserved = u16At(f, 0);
    icon.type = u16At(f, 2);
    const int count = u16At(f, 4);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * static_cast<std::size_t>(i);
        IconEntry e;
        e.width = u8At(f, at) == 0 ? 256 : u8At(f, at);
        e.height = u8At(f, at + 1) == 0 ? 256 : u8At(f, at + 1);
        e.colourCount = u8At(f, at + 2);
        e.reserved = u8At(f, at + 3);
        e.planes = u16At(f, at + 4);
        e.bitCount = u16At(f, at + 6);
        e.size = u32At(f, at + 8);
        e.offset = u32At(f, at + 12);
        if (static_cast<std::size_t>(e.offset) + e.size > f.size())
            throw std::runtime_error("icon image runs past the end of the file");
        e.data.assign(f.begin() + e.offset, f.begin() + e.offset + e.size);
        icon.entries.push_back(std::move(e));
    }
    return icon;
}

IconPixels decodeIconBitmap(const IconEntry &entry)
{
    const Bytes &d = entry.data;
    if (u32At(d, 0) != 40 || u32At(d, 16) != 0)
        throw std::runtime_error("not an uncompressed bitmap image");
    IconPixels p;
    p.width = i32At(d, 4);
    const int storedHeight = i32At(d, 8);
    if (p.width <= 0 || storedHeight <= 0 || storedHeight % 2 != 0)
        throw std::runtime_error("an icon bitmap stores twice its height, colour rows then mask");
    p.height = storedHeight / 2;
    const int bits = u16At(d, 14);
    const std::size_t paletteEntries = bits <= 8 ? (std::size_t{1} << bits) : 0;
    const std::size_t colourAt = 40 + 4 * paletteEntries;
    const std::size_t colourRow = bmpRowBytes(p.width, bits), maskRow = bmpRowBytes(p.width, 1);
    const std::size_t maskAt = colourAt + colourRow * static_cast<std::size_t>(p.height);
    p.expectedSize = maskAt + maskRow * static_cast<std::size_t>(p.height);
    if (p.expectedSize > d.size())
        throw std::runtime_error("icon bitmap runs past its stored size");

    const std::size_t n = static_cast<std::size_t>(p.width * p.height);
    p.argb.resize(n);
    p.masked.resize(n);
    p.paletteIndex.assign(n, -1);
    for (int y = 0; y < p.height; ++y) {
        const std::size_t stored = static_cast<std::size_t>(p.height - 1 - y);
        for (int x = 0; x < p.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * p.width + x);
            const std::size_t row = colourAt + colourRow * stored;
            if (bits == 32) {
                const std::size_t at = row + 4 * static_cast<std::size_t>(x);
                p.argb[i] = (std::uint32_t{d[at + 3]} << 24) | (std::uint32_t{d[at + 2]} << 16)
                            | (std::uint32_t{d[at + 1]} << 8) | d[at];
            } else if (bits == 8 || bits == 4) {
                const std::uint8_t byte = d[row + static_cast<std::size_t>(bits == 8 ? x : x / 2)];
                const int index = bits == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F);
                p.paletteIndex[i] = index;
                const std::size_t at = 40 + 4 * static_cast<std::size_t>(index);
                p.argb[i] = 0xFF000000u | (std::uint32_t{d[at + 2]} << 16) | (std::uint32_t{d[at + 1]} << 8) | d[at];
            } else {
                throw std::runtime_error("unexpected icon depth");
            }
            const std::uint8_t maskByte = d[maskAt + maskRow * stored + static_cast<std::size_t>(x / 8)];
            p.masked[i] = (maskByte >> (7 - x % 8)) & 1;
        }
    }
    return p;
}

} // namespace assets_test
