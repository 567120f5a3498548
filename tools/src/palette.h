// The sixteen colours of a 4-bit Windows bitmap, in the order every paint
// program writes them. Tile pictures use only a handful of them by index.
#pragma once

#include <array>
#include <cstdint>

namespace tools {

struct Rgb {
    std::uint8_t r, g, b;
};

inline constexpr std::array<Rgb, 16> kStandardPalette{{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0x80, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

// Palette indices the tiles are drawn with.
namespace ink {
inline constexpr std::uint8_t black = 0;
inline constexpr std::uint8_t teal = 6;
inline constexpr std::uint8_t grey = 8;
inline constexpr std::uint8_t red = 9;
inline constexpr std::uint8_t green = 10;
inline constexpr std::uint8_t yellow = 11;
inline constexpr std::uint8_t white = 15;
} // namespace ink

} // namespace tools
