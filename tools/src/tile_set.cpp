#include "tile_set.h"

#include "palette.h"

#include <stdexcept>
#include <vector>

namespace tools {
namespace {

constexpr EdgeHalf RT{Body::Red, Half::Tail}, RH{Body::Red, Half::Head};
constexpr EdgeHalf GT{Body::Grey, Half::Tail}, GH{Body::Grey, Half::Head};
constexpr EdgeHalf YT{Body::Yellow, Half::Tail}, YH{Body::Yellow, Half::Head};
constexpr EdgeHalf NT{Body::Green, Half::Tail}, NH{Body::Green, Half::Head};

// Layer 1, edges top, right, bottom, left. In the solved board every inner
// edge joins a head to a tail of one colour.
constexpr std::array<std::array<EdgeHalf, 4>, kTileCount> kUpright{{
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

constexpr std::array<std::array<Size, kLayerCount>, kTileCount> kSizes{{
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

void checkTile(int tile, int layer)
{
    if (tile < 0 || tile >= kTileCount || layer < 1 || layer > kLayerCount)
        throw std::out_of_range("no such tile picture");
}

FigureInk inkFor(Body body, bool tealSeam)
{
    switch (body) {
    case Body::Red: return {ink::red, ink::grey, ink::grey};
    case Body::Grey: return {ink::grey, ink::red, ink::red};
    case Body::Yellow: return {ink::yellow, ink::green, tealSeam ? ink::teal : ink::green};
    case Body::Green: return {ink::green, ink::yellow, ink::yellow};
    }
    throw std::logic_error("unknown body colour");
}

// Copies the figure's non-white pixels into the tile. Figures never share or
// touch pixels; a clash means the layout has gone wrong, so it stops the run.
void stamp(IndexedImage &tile, std::vector<int> &owner, int figureId, const IndexedImage &figure, int left, int top)
{
    for (int y = 0; y < figure.height(); ++y) {
        for (int x = 0; x < figure.width(); ++x) {
            const std::uint8_t c = figure.at(x, y);
            if (c == ink::white)
                continue;
            const int tx = left + x, ty = top + y;
            for (int ny = ty - 1; ny <= ty + 1; ++ny)
                for (int nx = tx - 1; nx <= tx + 1; ++nx)
                    if (nx >= 0 && ny >= 0 && nx < tile.width() && ny < tile.height()) {
                        const int o = owner[static_cast<std::size_t>(ny * tile.width() + nx)];
                        if (o >= 0 && o != figureId)
                            throw std::logic_error("two half-figures touch");
                    }
            tile.set(tx, ty, c);
            owner[static_cast<std::size_t>(ty * tile.width() + tx)] = figureId;
        }
    }
}

} // namespace

const std::array<EdgeHalf, 4> &uprightHalves(int tile)
{
    checkTile(tile, 1);
    return kUpright[static_cast<std::size_t>(tile)];
}

std::array<EdgeHalf, 4> layerHalves(int tile, int layer)
{
    checkTile(tile, layer);
    const auto &up = kUpright[static_cast<std::size_t>(tile)];
    std::array<EdgeHalf, 4> out{};
    // A counter-clockwise quarter turn brings the right edge's half to the top.
    for (int e = 0; e < 4; ++e)
        out[static_cast<std::size_t>(e)] = up[static_cast<std::size_t>((e + layer - 1) % 4)];
    return out;
}

Size tileSize(int tile, int layer)
{
    checkTile(tile, layer);
    return kSizes[static_cast<std::size_t>(tile)][static_cast<std::size_t>(layer - 1)];
}

bool hasTealSeam(int tile, int layer)
{
    checkTile(tile, layer);
    return (tile == 1 && layer != 2) || (tile == 2 && (layer == 1 || layer == 3)) || (tile == 7 && layer == 3);
}

IndexedImage drawTile(int tile, int layer)
{
    const Size size = tileSize(tile, layer);
    const auto halves = layerHalves(tile, layer);
    const bool teal = hasTealSeam(tile, layer);

    IndexedImage out(size.width, size.height, ink::white);
    std::vector<int> owner(static_cast<std::size_t>(size.width * size.height), -1);
    for (int e = 0; e < 4; ++e) {
        const EdgeHalf h = halves[static_cast<std::size_t>(e)];
        const bool tealHere = teal && h.body == Body::Yellow && h.half == Half::Head;
        const EdgeAxis axis = (e == Top || e == Bottom) ? EdgeAxis::Horizontal : EdgeAxis::Vertical;
        IndexedImage figure = drawHalfFigure(axis, h.half, inkFor(h.body, tealHere));
        if (e == Bottom || e == Right)
            figure = figure.halfTurned();
        // The chord is odd, so the figure's middle pixel sits on the edge's
        // middle, or half a pixel before it on an even-sized edge.
        const int chord = figureChord(axis);
        switch (e) {
        case Top: stamp(out, owner, e, figure, (size.width - chord) / 2, 0); break;
        case Bottom: stamp(out, owner, e, figure, (size.width - chord) / 2, size.height - figure.height()); break;
        case Left: stamp(out, owner, e, figure, 0, (size.height - chord) / 2); break;
        case Right: stamp(out, owner, e, figure, size.width - figure.width(), (size.height - chord) / 2); break;
        }
    }
    return out;
}

} // namespace tools
