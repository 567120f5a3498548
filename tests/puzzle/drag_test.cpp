#include "recording_board.h"

#include "puzzle/drag.h"
#include "puzzle/runtime_error.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using puzzle_test::RecordingBoard;

namespace {

using Write = RecordingBoard::Write;

std::vector<Write> fourMoves(int index, float left, float top)
{
    return {{"move", 1, index, left, top},
            {"move", 2, index, left, top},
            {"move", 3, index, left, top},
            {"move", 4, index, left, top}};
}

struct MoveCase {
    float grabX, grabY;
    float px, py;
    float left, top;
};

TEST(MoveHeldTile, PutsAllFourPicturesAtPointerLessGrabPointInLayerOrder)
{
    const MoveCase cases[] = {
        {0, 0, 4000, 3000, 4000, 3000}, // grab at the inner area's corner
        {1500, 750, 4000, 3000, 2500, 2250},
        {2760, 2760, 100, 200, -2660, -2560},             // near the panel's corner: not clamped
        {15, 30, 20000, 15000, 19985, 14970},             // beyond the panel: not clamped either
        {0.25f, 0.5f, 1234.5f, 99.75f, 1234.25f, 99.25f}, // fractions kept, no whole twips
    };
    for (std::int16_t index : {0, 4, 8}) {
        for (const MoveCase &c : cases) {
            RecordingBoard board;
            const puzzle::DragState drag{true, c.grabX, c.grabY, index};
            puzzle::moveHeldTile(board, drag, c.px, c.py);
            EXPECT_EQ(board.writes, fourMoves(index, c.left, c.top)) << "tile " << index << " at " << c.px;
            EXPECT_EQ(board.reads, 0); // the old place plays no part
        }
    }
}

TEST(MoveHeldTile, HiddenPicturesMoveLikeTheVisibleOneAndNoOtherTileIsTouched)
{
    RecordingBoard board;
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            board.at(layer, i) = {100.0f * i, 50.0f * layer, layer == 3};
        }
    const puzzle::DragState drag{true, 10, 20, 5};
    puzzle::moveHeldTile(board, drag, 7000, 6000);
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
        for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
            const auto &r = board.at(layer, i);
            EXPECT_EQ(r.visible, layer == 3);
            EXPECT_EQ(r.left, i == 5 ? 6990.0f : 100.0f * i);
            EXPECT_EQ(r.top, i == 5 ? 5980.0f : 50.0f * layer);
        }
}

TEST(MoveHeldTile, EveryMoveIsMadeAfreshSoADroppedMoveLosesNothing)
{
    const puzzle::DragState drag{true, 300, 400, 2};
    RecordingBoard every, fewer;
    every.at(1, 2) = {5600, 0, true};
    const float path[][2] = {{1000, 1000}, {1015, 1030}, {2500, 90}, {8000, 7000}, {3333.5f, 4444.25f}};
    for (const auto &p : path)
        puzzle::moveHeldTile(every, drag, p[0], p[1]);
    // The platform merged all but the last move.
    puzzle::moveHeldTile(fewer, drag, path[4][0], path[4][1]);
    for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
        EXPECT_EQ(every.at(layer, 2).left, 3033.5f);
        EXPECT_EQ(every.at(layer, 2).top, 4044.25f);
        EXPECT_EQ(fewer.at(layer, 2).left, every.at(layer, 2).left);
        EXPECT_EQ(fewer.at(layer, 2).top, every.at(layer, 2).top);
    }
    // Each move writes its four pictures in full, nothing queued or thinned out.
    ASSERT_EQ(every.writes.size(), 4u * 5u);
    const std::vector<Write> last(every.writes.end() - 4, every.writes.end());
    EXPECT_EQ(last, fourMoves(2, 3033.5f, 4044.25f));
}

TEST(MoveHeldTile, AnInvalidOrOverflowingSubtractionRaisesBeforeAnythingMoves)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    struct Bad {
        float grabX, grabY, px, py;
        puzzle::RuntimeError::Code code;
    };
    const Bad cases[] = {
        {-kMax, 0, kMax, 0, puzzle::RuntimeError::Code::Overflow}, // left overflows
        {0, kMax, 0, -kMax, puzzle::RuntimeError::Code::Overflow}, // top overflows
        {0, 0, kNan, 10, puzzle::RuntimeError::Code::InvalidFloatOperation},
        {0, 0, 10, kNan, puzzle::RuntimeError::Code::InvalidFloatOperation},
    };
    for (const Bad &b : cases) {
        RecordingBoard board;
        const puzzle::DragState drag{true, b.grabX, b.grabY, 1};
        try {
            puzzle::moveHeldTile(board, drag, b.px, b.py);
            ADD_FAILURE() << "no error for " << b.px << ", " << b.py;
        } catch (const puzzle::RuntimeError &e) {
            EXPECT_EQ(e.code(), b.code);
        }
        EXPECT_TRUE(board.writes.empty());
    }
}

TEST(MoveHeldTile, AFailingMoveAbandonsTheRestAndKeepsWhatWasWritten)
{
    RecordingBoard board;
    board.failAtWrite = 2; // the move of layer 3
    const puzzle::DragState drag{true, 0, 0, 7};
    EXPECT_THROW(puzzle::moveHeldTile(board, drag, 900, 800), puzzle::RuntimeError);
    const std::vector<Write> all = fourMoves(7, 900, 800);
    EXPECT_EQ(board.writes, std::vector<Write>(all.begin(), all.begin() + 2));
}

} // namespace
