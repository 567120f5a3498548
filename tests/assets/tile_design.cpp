#include "tile_design.h"

#include <stdexcept>

namespace assets_test {
namespace {

constexpr Half RT{Body::Red, Kind::Tail}, RH{Body::Red, Kind::Head};
constexpr Half GT{Body::Grey, Kind::Tail}, GH{Body::Grey, Kind::Head};
constexpr Half YT{Body::Yellow, Kind::Tail}, YH{Body::Yellow, Kind::Head};
constexpr Half NT{Body::Green, Kind::Tail}, NH{Body::Green, Kind::Head};

constexpr std::array<TileHalves, kTiles> kUpright{{
    {YT, GH, NH, RT},
    {RT, NH, YH, GT},
    {RT, GH, YH, NT},
    {NT, GH, RH, YT},
    {YT, NH, RH, GT},
    {YT, NH, RH, NT},
    {RT, NH, GH, YT},
    {RT, GH, YH, NT},
    {RT, GH, YH, GT},
}};

constexpr std::array<std::array<PictureSize, kLayers>, kTiles> kSizes{{
    {{{185, 185}, {185, 185}, {185, 185}, {185, 185}}},
    {{{186, 187}, {186, 187}, {186, 187}, {186, 187}}},
    {{{190, 188}, {190, 188}, {187, 188}, {186, 188}}},
    {{{186, 186}, {186, 186}, {186, 186}, {186, 186}}},
    {{{186, 186}, {186, 186}, {186, 186}, {186, 186}}},
    {{{189, 185}, {189, 185}, {189, 187}, {189, 187}}},
    {{{185, 187}, {185, 187}, {185, 187}, {185, 187}}},
    {{{186, 186}, {186, 186}, {186, 186}, {186, 186}}},
    {{{187, 188}, {187, 188}, {187, 188}, {187, 188}}},
}};

void check(int tile, int layer)
{
    if (tile < 0 || tile >= kTiles || layer < 1 || layer > kLayers)
        throw std::out_of_range("no such tile picture");
}

} // namespace

std::string describe(Half h)
{
    static const char *const names[] = {"red", "grey", "yellow", "green"};
    return std::string(names[static_cast<int>(h.body)]) + (h.kind == Kind::Head ? " head" : " tail");
}

std::string describe(const TileHalves &halves)
{
    return describe(halves[Top]) + " / " + describe(halves[Right]) + " / " + describe(halves[Bottom]) + " / "
           + describe(halves[Left]);
}

std::uint8_t paletteIndexOf(Body body)
{
    switch (body) {
    case Body::Red: return ink::red;
    case Body::Grey: return ink::grey;
    case Body::Yellow: return ink::yellow;
    case Body::Green: return ink::green;
    }
    throw std::logic_error("unknown body colour");
}

std::optional<Body> bodyOfPaletteIndex(std::uint8_t index)
{
    switch (index) {
    case ink::red: return Body::Red;
    case ink::grey: return Body::Grey;
    case ink::yellow: return Body::Yellow;
    case ink::green: return Body::Green;
    default: return std::nullopt;
    }
}

Body accentOf(Body body)
{
    switch (body) {
    case Body::Red: return Body::Grey;
    case Body::Grey: return Body::Red;
    case Body::Yellow: return Body::Green;
    case Body::Green: return Body::Yellow;
    }
    throw std::logic_error("unknown body colour");
}

TileHalves uprightHalves(int tile)
{
    check(tile, 1);
    return kUpright[static_cast<std::size_t>(tile)];
}

TileHalves layerHalves(int tile, int layer)
{
    check(tile, layer);
    // Each step: top takes the right edge's half, right the bottom's, bottom
    // the left's and left the top's.
    TileHalves h = kUpright[static_cast<std::size_t>(tile)];
    for (int step = 1; step < layer; ++step)
        h = TileHalves{h[Right], h[Bottom], h[Left], h[Top]};
    return h;
}

PictureSize tilePictureSize(int tile, int layer)
{
    check(tile, layer);
    return kSizes[static_cast<std::size_t>(tile)][static_cast<std::size_t>(layer - 1)];
}

bool hasTealSeam(int tile, int layer)
{
    check(tile, layer);
    switch (tile) {
    case 1: return layer == 1 || layer == 3 || layer == 4;
    case 2: return layer == 1 || layer == 3;
    case 7: return layer == 3;
    default: return false;
    }
}

} // namespace assets_test
