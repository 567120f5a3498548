#include "tile_reading.h"

#include "assets/picture_files.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

namespace assets_test {

IndexedPicture decodeFourBitBmp(const Bytes &f)
{
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M')
        throw std::runtime_error("not a bitmap file");
    const std::uint32_t offset = u32At(f, 10);
    const std::int32_t w = i32At(f, 18), h = i32At(f, 22);
    if (u16At(f, 28) != 4 || u32At(f, 30) != 0 || w <= 0 || h <= 0)
        throw std::runtime_error("not an uncompressed bottom-up 4-bit bitmap");
    const std::size_t rowBytes = bmpRowBytes(w, 4);
    if (offset + rowBytes * static_cast<std::size_t>(h) > f.size())
        throw std::runtime_error("pixel rows run past the end of the file");
    IndexedPicture p;
    p.width = w;
    p.height = h;
    p.pixels.resize(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        const std::size_t row = offset + rowBytes * static_cast<std::size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const std::uint8_t byte = f[row + static_cast<std::size_t>(x / 2)];
            p.pixels[static_cast<std::size_t>(y * w + x)] = (x % 2 == 0) ? byte >> 4 : byte & 0x0F;
        }
    }
    return p;
}

namespace {

bool isColoured(std::uint8_t c) { return c != ink::white && c != ink::black; }

// One figure seen in its own frame: depth d in from its edge, position u along
// the edge. Pixels of other patches read as white.
class FigureView {
public:
    FigureView(const IndexedPicture &p, const std::vector<int> &label, int id, Edge edge)
        : p_(p), label_(label), id_(id), edge_(edge)
    {
    }

    bool inside(int d, int u) const
    {
        int x = 0, y = 0;
        return toPicture(d, u, x, y);
    }
    std::uint8_t at(int d, int u) const
    {
        int x = 0, y = 0;
        if (!toPicture(d, u, x, y) || label_[static_cast<std::size_t>(y * p_.width + x)] != id_)
            return ink::white;
        return p_.at(x, y);
    }
    int edgeLength() const { return edge_ == Top || edge_ == Bottom ? p_.width : p_.height; }
    int inwardLength() const { return edge_ == Top || edge_ == Bottom ? p_.height : p_.width; }

private:
    bool toPicture(int d, int u, int &x, int &y) const
    {
        switch (edge_) {
        case Top:
            x = u;
            y = d;
            break;
        case Bottom:
            x = u;
            y = p_.height - 1 - d;
            break;
        case Left:
            x = d;
            y = u;
            break;
        case Right:
            x = p_.width - 1 - d;
            y = u;
            break;
        }
        return x >= 0 && y >= 0 && x < p_.width && y < p_.height;
    }

    const IndexedPicture &p_;
    const std::vector<int> &label_;
    int id_;
    Edge edge_;
};

// Length of the run of pixels around (d, u) for which `keep` holds.
int runAround(const FigureView &v, int d, int u, const std::function<bool(std::uint8_t)> &keep)
{
    if (!keep(v.at(d, u)))
        return 0;
    int lo = u, hi = u;
    while (keep(v.at(d, lo - 1)))
        --lo;
    while (keep(v.at(d, hi + 1)))
        ++hi;
    return hi - lo + 1;
}

// Counts 4-connected patches among the marked cells of a depth x length grid.
int countPatches(std::vector<std::vector<bool>> marked)
{
    int count = 0;
    for (std::size_t d0 = 0; d0 < marked.size(); ++d0)
        for (std::size_t u0 = 0; u0 < marked[d0].size(); ++u0) {
            if (!marked[d0][u0])
                continue;
            ++count;
            std::vector<std::pair<std::size_t, std::size_t>> stack{{d0, u0}};
            marked[d0][u0] = false;
            while (!stack.empty()) {
                const auto [d, u] = stack.back();
                stack.pop_back();
                const std::pair<long, long> steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (const auto &[dd, du] : steps) {
                    const long nd = static_cast<long>(d) + dd, nu = static_cast<long>(u) + du;
                    if (nd < 0 || nu < 0 || nd >= static_cast<long>(marked.size())
                        || nu >= static_cast<long>(marked[0].size()))
                        continue;
                    if (marked[static_cast<std::size_t>(nd)][static_cast<std::size_t>(nu)]) {
                        marked[static_cast<std::size_t>(nd)][static_cast<std::size_t>(nu)] = false;
                        stack.push_back({static_cast<std::size_t>(nd), static_cast<std::size_t>(nu)});
                    }
                }
            }
        }
    return count;
}

FigureReading measure(const FigureView &v, Edge edge, int first, int last, int runLength)
{
    FigureReading f;
    f.edge = edge;
    f.edgeLength = v.edgeLength();
    f.chord = last - first + 1;
    f.chordUnbroken = runLength == f.chord;
    f.middle = (first + last + 1) / 2.0;
    const int mirrorSum = first + last; // u and mirrorSum - u lie mirrored about the axis
    const int axis = mirrorSum / 2;
    auto across = [&](int u) { return std::abs(2 * u - mirrorSum) / 2.0; };

    std::map<std::uint8_t, int> counts;
    for (int d = 0; d < v.inwardLength(); ++d)
        for (int u = 0; u < f.edgeLength; ++u) {
            const std::uint8_t c = v.at(d, u);
            if (c == ink::white)
                continue;
            f.depth = std::max(f.depth, d + 1);
            ++counts[c];
        }
    int best = 0;
    for (std::uint8_t c : {ink::grey, ink::red, ink::green, ink::yellow})
        if (counts[c] > best) {
            best = counts[c];
            f.body = bodyOfPaletteIndex(c);
        }
    f.seam = v.at(0, axis);

    f.mirrorSymmetric = true;
    f.outlined = true;
    f.widestAtEdge = true;
    for (int d = 0; d < f.depth; ++d) {
        int lo = f.edgeLength, hi = -1;
        for (int u = 0; u < f.edgeLength; ++u) {
            const std::uint8_t c = v.at(d, u);
            if (c != v.at(d, mirrorSum - u))
                f.mirrorSymmetric = false;
            if (c != ink::white) {
                lo = std::min(lo, u);
                hi = std::max(hi, u);
            }
            if (!isColoured(c))
                continue;
            // Beyond the edge line the body goes on in the next tile, so only
            // neighbours inside the picture count.
            const std::pair<int, int> steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto &[dd, du] : steps)
                if (v.inside(d + dd, u + du) && v.at(d + dd, u + du) == ink::white)
                    f.outlined = false;
        }
        if (hi - lo + 1 > f.chord)
            f.widestAtEdge = false;
    }

    const std::uint8_t seam = f.seam;
    for (int d = 0; d < f.depth; ++d)
        f.stripeWidth.push_back(runAround(v, d, axis, [seam](std::uint8_t c) { return c == seam; }));
    f.stripeEnd = 0;
    while (f.stripeEnd < f.depth && f.stripeWidth[static_cast<std::size_t>(f.stripeEnd)] > 0)
        ++f.stripeEnd;

    // A tail's rounded rear end is its deepest point, on the axis; a head
    // half reaches deepest with its two antenna tips, one each side.
    {
        const int d = f.depth - 1;
        bool axisReached = false;
        for (int u = 0; u < f.edgeLength; ++u)
            if (v.at(d, u) != ink::white && across(u) < 2.0)
                axisReached = true;
        f.kind = axisReached ? Kind::Tail : Kind::Head;
    }

    // Spots: black inside the body, away from the white field (the outline)
    // and off the two black lines beside the seam stripe.
    const int bodyRows = f.kind == Kind::Head ? f.stripeEnd : f.depth;
    std::vector<std::vector<bool>> interior(static_cast<std::size_t>(bodyRows),
                                            std::vector<bool>(static_cast<std::size_t>(f.edgeLength), false));
    for (int d = 0; d < bodyRows; ++d) {
        const int w = f.stripeWidth[static_cast<std::size_t>(d)];
        for (int u = 0; u < f.edgeLength; ++u) {
            if (v.at(d, u) != ink::black || (w > 0 && std::abs(u - axis) == (w + 1) / 2))
                continue;
            bool nearWhite = false;
            for (int dd = -1; dd <= 1; ++dd)
                for (int du = -1; du <= 1; ++du)
                    if (v.inside(d + dd, u + du) && v.at(d + dd, u + du) == ink::white)
                        nearWhite = true;
            interior[static_cast<std::size_t>(d)][static_cast<std::size_t>(u)] = !nearWhite;
        }
    }
    f.spots = countPatches(interior);

    if (f.kind != Kind::Head || f.stripeEnd == 0)
        return f;

    auto notWhite = [](std::uint8_t c) { return c != ink::white; };
    auto isBlack = [](std::uint8_t c) { return c == ink::black; };
    f.shoulderHalfWidth = runAround(v, f.stripeEnd - 1, axis, notWhite) / 2;

    f.lobesFrom = f.depth;
    for (int d = 0; d < f.depth; ++d)
        for (int u = 0; u < f.edgeLength; ++u) {
            const std::uint8_t c = v.at(d, u);
            if (isColoured(c) && bodyOfPaletteIndex(c) != f.body && across(u) > 6.0) {
                f.lobeColours.insert(c);
                f.lobesFrom = std::min(f.lobesFrom, d);
                f.lobesTo = std::max(f.lobesTo, d + 1);
            }
        }
    for (int d = f.lobesFrom - 1; d <= f.lobesTo; ++d)
        if (d >= f.stripeEnd)
            f.lobesSpan = std::max(f.lobesSpan, runAround(v, d, axis, notWhite));

    f.headFront = f.stripeEnd;
    while (f.headFront < f.depth && v.at(f.headFront, axis) == ink::black)
        ++f.headFront;
    f.headWidth = runAround(v, std::min(f.stripeEnd + 3, f.depth - 1), axis, isBlack);
    f.headFrontWidth = runAround(v, std::max(f.headFront - 1, 0), axis, isBlack);

    double sumNear = 0, sumFar = 0;
    int nNear = 0, nFar = 0;
    for (int u = 0; u < f.edgeLength; ++u)
        if (v.at(f.depth - 1, u) != ink::white) {
            if (2 * u < mirrorSum) {
                sumNear += u;
                ++nNear;
            } else {
                sumFar += u;
                ++nFar;
            }
        }
    if (nNear > 0 && nFar > 0)
        f.antennaTipSpan = sumFar / nFar - sumNear / nNear;
    return f;
}

} // namespace

std::optional<TileHalves> TileReading::halves() const
{
    TileHalves out{};
    for (Edge e : kEdges) {
        if (!figures[e] || !figures[e]->body)
            return std::nullopt;
        out[e] = Half{*figures[e]->body, figures[e]->kind};
    }
    return out;
}

TileReading readTile(const Bytes &file)
{
    TileReading r;
    r.picture = decodeFourBitBmp(file);
    const IndexedPicture &p = r.picture;
    r.indicesUsed.insert(p.pixels.begin(), p.pixels.end());
    r.hasTeal = r.indicesUsed.count(ink::teal) > 0;

    // 8-connected patches of non-white pixels.
    std::vector<int> label(p.pixels.size(), -1);
    std::vector<std::array<std::vector<int>, 4>> onEdge; // per patch: positions on each edge line
    for (int y0 = 0; y0 < p.height; ++y0)
        for (int x0 = 0; x0 < p.width; ++x0) {
            if (p.at(x0, y0) == ink::white || label[static_cast<std::size_t>(y0 * p.width + x0)] >= 0)
                continue;
            const int id = static_cast<int>(onEdge.size());
            onEdge.emplace_back();
            std::vector<std::pair<int, int>> stack{{x0, y0}};
            label[static_cast<std::size_t>(y0 * p.width + x0)] = id;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                auto &lines = onEdge.back();
                if (y == 0)
                    lines[Top].push_back(x);
                if (y == p.height - 1)
                    lines[Bottom].push_back(x);
                if (x == 0)
                    lines[Left].push_back(y);
                if (x == p.width - 1)
                    lines[Right].push_back(y);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height)
                            continue;
                        int &l = label[static_cast<std::size_t>(ny * p.width + nx)];
                        if (l < 0 && p.at(nx, ny) != ink::white) {
                            l = id;
                            stack.push_back({nx, ny});
                        }
                    }
            }
        }
    r.patchCount = static_cast<int>(onEdge.size());

    std::array<int, 4> figuresOnEdge{};
    for (int id = 0; id < r.patchCount; ++id) {
        const auto &lines = onEdge[static_cast<std::size_t>(id)];
        int touched = 0;
        Edge edge = Top;
        for (Edge e : kEdges)
            if (!lines[e].empty()) {
                ++touched;
                edge = e;
            }
        if (touched != 1) {
            ++r.strayPatches;
            continue;
        }
        ++figuresOnEdge[edge];
        const auto [lo, hi] = std::minmax_element(lines[edge].begin(), lines[edge].end());
        const FigureView view(p, label, id, edge);
        r.figures[edge] = measure(view, edge, *lo, *hi, static_cast<int>(lines[edge].size()));
    }
    for (Edge e : kEdges)
        if (figuresOnEdge[e] != 1)
            r.figures[e].reset();
    return r;
}

const TileReading &committedTile(int tile, int layer)
{
    static std::array<std::array<std::unique_ptr<TileReading>, kLayers>, kTiles> cache;
    auto &slot = cache.at(static_cast<std::size_t>(tile)).at(static_cast<std::size_t>(layer - 1));
    if (!slot)
        slot = std::make_unique<TileReading>(readTile(readFile(assetDir() / assets::tileFile(tile, layer))));
    return *slot;
}

} // namespace assets_test
