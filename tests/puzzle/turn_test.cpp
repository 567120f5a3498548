#include "recording_board.h"

#include "puzzle/runtime_error.h"
#include "puzzle/turn.h"

#include <gtest/gtest.h>

#include <vector>

using puzzle_test::RecordingBoard;

namespace {

using Write = RecordingBoard::Write;

// A board as a game leaves it: tiles scattered, each showing one layer.
void scatter(puzzle::BoardTable &board)
{
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
        for (int layer = 1; layer <= puzzle::kLayers; ++layer)
            board.at(layer, i) = {123.5f * i - 700, 45.25f * i, layer == i % 4 + 1};
}

bool sameBoard(const puzzle::BoardTable &a, const puzzle::BoardTable &b)
{
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            const auto &x = a.at(layer, i);
            const auto &y = b.at(layer, i);
            if (x.left != y.left || x.top != y.top || x.visible != y.visible)
                return false;
        }
    return true;
}

TEST(NextLayer, StepsOneLayerAndWrapsFromFourToOne)
{
    EXPECT_EQ(puzzle::nextLayer(1), 2);
    EXPECT_EQ(puzzle::nextLayer(2), 3);
    EXPECT_EQ(puzzle::nextLayer(3), 4);
    EXPECT_EQ(puzzle::nextLayer(4), 1);
}

TEST(TurnTile, ShowsTheNextLayerThenHidesThisOneAndWritesNothingElse)
{
    const int shown[] = {0, 2, 3, 4, 1};
    for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
        for (std::int16_t index = 0; index < puzzle::kTiles; ++index) {
            RecordingBoard board;
            puzzle::turnTile(board, layer, index);
            const std::vector<Write> expected{{"visible", shown[layer], index, 1, 0}, {"visible", layer, index, 0, 0}};
            EXPECT_EQ(board.writes, expected) << "layer " << layer << " tile " << index;
            EXPECT_EQ(board.reads, 0); // not even which picture shows
        }
    }
}

TEST(TurnTile, TurnsOnlyTheDoubleClickedTileAndMovesNothing)
{
    RecordingBoard board;
    scatter(board);
    puzzle::BoardTable before = board;
    puzzle::turnTile(board, 2, 5); // tile 5 shows layer 2
    before.at(3, 5).visible = true;
    before.at(2, 5).visible = false;
    EXPECT_TRUE(sameBoard(board, before));
}

TEST(TurnTile, FourTurnsBringATileBackThroughEveryLayer)
{
    for (int start = 1; start <= puzzle::kLayers; ++start) {
        RecordingBoard board;
        scatter(board);
        const std::int16_t tile = static_cast<std::int16_t>(start - 1); // shows layer `start`
        const puzzle::BoardTable before = board;
        int layer = start;
        for (int turn = 0; turn < 4; ++turn) {
            puzzle::turnTile(board, layer, tile);
            layer = puzzle::nextLayer(layer);
            for (int k = 1; k <= puzzle::kLayers; ++k)
                EXPECT_EQ(board.at(k, tile).visible, k == layer) << "from " << start << ", turn " << turn;
        }
        EXPECT_EQ(layer, start);
        EXPECT_TRUE(sameBoard(board, before));
    }
}

TEST(TurnTile, AFailedHideRaisesAndLeavesTheTileWithAPictureToPress)
{
    RecordingBoard board;
    scatter(board);
    board.failAtWrite = 1; // the hide
    EXPECT_THROW(puzzle::turnTile(board, 1, 0), puzzle::RuntimeError);
    // Shown first, so the tile still has a picture to press.
    EXPECT_TRUE(board.at(1, 0).visible);
    EXPECT_TRUE(board.at(2, 0).visible);
}

} // namespace
