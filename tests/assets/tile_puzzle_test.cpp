// The puzzle the pictures make: solved over the halves read from the pixels,
// not over any table the drawing tool holds.
#include "edge_puzzle.h"
#include "tile_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace assets_test;

namespace {

HalvesTable halvesFromPixels()
{
    HalvesTable table{};
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k) {
            const auto h = committedTile(t, k).halves();
            if (!h)
                throw std::runtime_error("a tile picture does not show four halves");
            table[static_cast<std::size_t>(t)][static_cast<std::size_t>(k - 1)] = *h;
        }
    return table;
}

const Placement kSolvedLayout{{0, 1, 2, 3, 4, 5, 6, 7, 8}, {1, 1, 1, 1, 1, 1, 1, 1, 1}};
const Placement kSecondArrangement{{5, 0, 8, 1, 3, 4, 2, 6, 7}, {2, 1, 1, 2, 1, 1, 2, 1, 1}};

TEST(TilePuzzle, ExactlySixteenPlacementsFitTwoArrangementsTurnedAndWithTilesTwoAndSevenExchanged)
{
    const std::vector<Placement> found = fittingPlacements(halvesFromPixels());
    EXPECT_EQ(found.size(), 16u);
    EXPECT_NE(std::find(found.begin(), found.end(), kSolvedLayout), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), kSecondArrangement), found.end());

    std::set<Placement> expected;
    for (Placement p : {kSolvedLayout, kSecondArrangement})
        for (int turn = 0; turn < 4; ++turn, p = turnedBoard(p)) {
            expected.insert(p);
            expected.insert(withTilesExchanged(p, 2, 7));
        }
    ASSERT_EQ(expected.size(), 16u);
    EXPECT_EQ(std::set<Placement>(found.begin(), found.end()), expected);
}

TEST(TilePuzzle, TheSolvedLayoutsBorderReadsClockwiseFromTheTopLeft)
{
    const Half YT{Body::Yellow, Kind::Tail}, RT{Body::Red, Kind::Tail}, GH{Body::Grey, Kind::Head},
        NH{Body::Green, Kind::Head}, YH{Body::Yellow, Kind::Head};
    const std::array<Half, 12> expected{YT, RT, RT, GH, NH, GH, YH, YH, GH, YT, YT, RT};
    const auto border = borderClockwise(halvesFromPixels(), kSolvedLayout);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_EQ(border[i], expected[i]) << "border half " << i << " is " << describe(border[i]);
}

} // namespace
