#include "edge_puzzle.h"

#include <algorithm>

namespace assets_test {

bool fits(Half a, Half b) { return a.body == b.body && a.kind != b.kind; }

namespace {

struct Search {
    const HalvesTable &halves;
    Placement current;
    std::array<bool, kTiles> used{};
    std::vector<Placement> found;

    const TileHalves &at(int cell) const
    {
        const auto c = static_cast<std::size_t>(cell);
        return halves[static_cast<std::size_t>(current.tile[c])][static_cast<std::size_t>(current.layer[c] - 1)];
    }

    void place(int cell)
    {
        if (cell == 9) {
            found.push_back(current);
            return;
        }
        const auto c = static_cast<std::size_t>(cell);
        for (int t = 0; t < kTiles; ++t) {
            if (used[static_cast<std::size_t>(t)])
                continue;
            for (int k = 1; k <= kLayers; ++k) {
                current.tile[c] = t;
                current.layer[c] = k;
                const TileHalves &here = at(cell);
                if (cell % 3 > 0 && !fits(at(cell - 1)[Right], here[Left]))
                    continue;
                if (cell >= 3 && !fits(at(cell - 3)[Bottom], here[Top]))
                    continue;
                used[static_cast<std::size_t>(t)] = true;
                place(cell + 1);
                used[static_cast<std::size_t>(t)] = false;
            }
        }
    }
};

} // namespace

std::vector<Placement> fittingPlacements(const HalvesTable &halves)
{
    Search s{halves, {}, {}, {}};
    s.place(0);
    std::sort(s.found.begin(), s.found.end());
    return s.found;
}

Placement turnedBoard(const Placement &p)
{
    Placement out;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const auto from = static_cast<std::size_t>(r * 3 + c);
            const auto to = static_cast<std::size_t>((2 - c) * 3 + r);
            out.tile[to] = p.tile[from];
            out.layer[to] = p.layer[from] % kLayers + 1;
        }
    return out;
}

Placement withTilesExchanged(const Placement &p, int a, int b)
{
    Placement out = p;
    for (int &t : out.tile)
        t = t == a ? b : t == b ? a : t;
    return out;
}

std::array<Half, 12> borderClockwise(const HalvesTable &halves, const Placement &p)
{
    auto at = [&](int cell, Edge e) {
        const auto c = static_cast<std::size_t>(cell);
        return halves[static_cast<std::size_t>(p.tile[c])][static_cast<std::size_t>(p.layer[c] - 1)][e];
    };
    return {at(0, Top),    at(1, Top),    at(2, Top),    at(2, Right), at(5, Right), at(8, Right),
            at(8, Bottom), at(7, Bottom), at(6, Bottom), at(6, Left),  at(3, Left),  at(0, Left)};
}

} // namespace assets_test
