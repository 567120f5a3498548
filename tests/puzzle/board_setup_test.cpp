#include "recording_board.h"

#include "fake_services.h"
#include "puzzle/board_setup.h"
#include "puzzle/random_generator.h"
#include "puzzle/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <utility>

using puzzle_test::RecordingBoard;
using test_support::FakeTimeOfDay;
using test_support::ScriptedRandom;

namespace {

struct RandCase {
    int upper, lower, zz;
    float x;
    int expected;
};

TEST(Rand, WorkedCases)
{
    const RandCase cases[] = {
        {8, 0, 17, 0.5f, 4},                                  // 21.5 goes to 22, 22 rem 9 = 4
        {4, 1, 0, 0.125f, 1},                                 // 0.5 goes to 0
        {4, 1, 1, 0.125f, 3},                                 // 1.5 goes to 2
        {4, 1, 30, 0.75f, 2},                                 // 33 rem 4 = 1
        {8, 0, 0, 0.0f, 0},        {8, 0, 0, 0.99999994f, 0}, // zz + d folds onto zz
        {4, 1, 0, 0.99999994f, 1}, {8, 0, 59, 0.3f, 8},       // 61.7 -> 62, rem 9 = 8
    };
    for (const RandCase &c : cases) {
        FakeTimeOfDay time;
        ScriptedRandom random;
        random.script = {c.x};
        puzzle::BoardSetUp setUp(time, random);
        EXPECT_EQ(setUp.rand(c.upper, c.lower, c.zz), c.expected)
            << "rand(" << c.upper << ", " << c.lower << ", " << c.zz << ") at x = " << c.x;
        EXPECT_EQ(random.draws, 1);
    }
}

TEST(Rand, DrawsBeforeAFailingStep)
{
    FakeTimeOfDay time;
    ScriptedRandom random;
    puzzle::BoardSetUp setUp(time, random);
    // upper - lower overflows 16 bits.
    EXPECT_THROW(setUp.rand(32767, -32768, 0), puzzle::RuntimeError);
    EXPECT_EQ(random.draws, 1);
    // The count itself overflows on the + 1.
    EXPECT_THROW(setUp.rand(32766, -1, 0), puzzle::RuntimeError);
    EXPECT_EQ(random.draws, 2);
}

// Chi-square over many draws of the real generator: each value in the range
// must come out about equally often, whatever the offset.
TEST(Rand, BothCallsAreUniformWithTheRealGenerator)
{
    FakeTimeOfDay time;
    puzzle::RandomGenerator random;
    puzzle::BoardSetUp setUp(time, random);
    struct Call {
        int upper, lower;
        double chiSquareLimit; // p < 1e-4 for d - 1 degrees of freedom
    };
    for (const Call call : {Call{8, 0, 33.7}, Call{4, 1, 21.1}}) {
        for (int zz : {0, 17, 59}) {
            const int d = call.upper - call.lower + 1;
            std::array<int, 9> counts{};
            const int draws = 90000;
            for (int i = 0; i < draws; ++i) {
                const int v = setUp.rand(call.upper, call.lower, zz);
                ASSERT_GE(v, call.lower);
                ASSERT_LE(v, call.upper);
                ++counts[v - call.lower];
            }
            double chi = 0;
            const double expected = double(draws) / d;
            for (int k = 0; k < d; ++k)
                chi += (counts[k] - expected) * (counts[k] - expected) / expected;
            EXPECT_LT(chi, call.chiSquareLimit) << "rand(" << call.upper << ", " << call.lower << ", " << zz << ")";
        }
    }
}

TEST(RandomGenerator, StaysBelowOneAndStartsTheSameEveryTime)
{
    puzzle::RandomGenerator a, b;
    double sum = 0;
    for (int i = 0; i < 1000000; ++i) {
        const float x = a.next();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        ASSERT_EQ(x, b.next());
        sum += x;
    }
    EXPECT_NEAR(sum / 1000000, 0.5, 0.002);
}

// The board as a test sees it: where tile i lies and which layers show.
struct Tile {
    float left, top;
    std::array<bool, 4> visible;
};

Tile tileOf(const puzzle::BoardTable &board, int index)
{
    Tile t{board.at(1, index).left, board.at(1, index).top, {}};
    for (int layer = 1; layer <= 4; ++layer)
        t.visible[layer - 1] = board.at(layer, index).visible;
    return t;
}

void scatter(puzzle::BoardTable &board)
{
    // Dragged anywhere, overlapping, off the panel, pictures apart, several
    // or none visible: nothing of it may survive a set-up.
    for (int layer = 1; layer <= 4; ++layer)
        for (std::int16_t i = 0; i < 9; ++i) {
            board.move(layer, i, -1234.5f + 777.25f * i + layer, 99999.0f - 31.0f * i * layer);
            board.setVisible(layer, i, (i + layer) % 3 == 0);
        }
}

void expectOnGridOneVisibleEach(const puzzle::BoardTable &board)
{
    std::set<std::pair<float, float>> cells;
    for (int i = 0; i < 9; ++i) {
        const Tile t = tileOf(board, i);
        for (int layer = 2; layer <= 4; ++layer) {
            EXPECT_EQ(board.at(layer, i).left, t.left) << "tile " << i << " layer " << layer;
            EXPECT_EQ(board.at(layer, i).top, t.top) << "tile " << i << " layer " << layer;
        }
        EXPECT_EQ(std::count(t.visible.begin(), t.visible.end(), true), 1) << "tile " << i;
        EXPECT_TRUE(t.left == 0 || t.left == 2800 || t.left == 5600) << t.left;
        EXPECT_TRUE(t.top == 0 || t.top == 2800 || t.top == 5600) << t.top;
        cells.insert({t.left, t.top});
    }
    EXPECT_EQ(cells.size(), 9u);
}

TEST(Shuffle, LaysAnyEarlierBoardOnTheGridWithOnePictureEach)
{
    FakeTimeOfDay time;
    ScriptedRandom random;
    puzzle::BoardSetUp setUp(time, random);
    puzzle::BoardTable board;
    for (int game = 0; game < 200; ++game) {
        time.second = static_cast<std::int16_t>(game % 60);
        scatter(board);
        setUp.shuffle(board);
        expectOnGridOneVisibleEach(board);
        EXPECT_EQ(random.draws, 18 * (game + 1));
    }
    EXPECT_EQ(time.secondReads, 18 * 200); // the second is read afresh for every draw
}

TEST(Shuffle, SameSecondAndGeneratorStateGiveTheSameBoard)
{
    auto firstBoard = [](std::int16_t second) {
        FakeTimeOfDay time;
        time.second = second;
        puzzle::RandomGenerator random;
        puzzle::BoardSetUp setUp(time, random);
        puzzle::BoardTable board;
        setUp.shuffle(board);
        std::array<Tile, 9> tiles;
        for (int i = 0; i < 9; ++i)
            tiles[i] = tileOf(board, i);
        return tiles;
    };
    auto same = [](const std::array<Tile, 9> &a, const std::array<Tile, 9> &b) {
        for (int i = 0; i < 9; ++i)
            if (a[i].left != b[i].left || a[i].top != b[i].top || a[i].visible != b[i].visible)
                return false;
        return true;
    };
    EXPECT_TRUE(same(firstBoard(17), firstBoard(17)));
    // The offset matters: some second of the minute gives another first board.
    bool anyDiffers = false;
    for (std::int16_t s = 0; s < 60 && !anyDiffers; ++s)
        anyDiffers = !same(firstBoard(17), firstBoard(s));
    EXPECT_TRUE(anyDiffers);
}

// x = n / 9 with zz = 0 draws partner n; x = 0 draws turn 1 (upright).
float partner(int n) { return static_cast<float>(n) / 9.0f; }
float turn(int r) { return static_cast<float>(r - 1) / 4.0f; }

TEST(Shuffle, ExchangesAndTurnsAsDrawn)
{
    FakeTimeOfDay time;
    time.second = 0;
    ScriptedRandom random;
    const std::array<int, 9> partners = {4, 4, 2, 8, 0, 1, 6, 3, 7};
    const std::array<int, 9> turns = {1, 2, 3, 4, 1, 2, 3, 4, 2};
    for (int n : partners)
        random.script.push_back(partner(n));
    for (int r : turns)
        random.script.push_back(turn(r));
    puzzle::BoardSetUp setUp(time, random);
    RecordingBoard board;
    scatter(board);
    setUp.shuffle(board);

    // Pass c exchanges the places of tiles c and partners[c], in pass order.
    std::array<int, 9> cellOf;
    for (int i = 0; i < 9; ++i)
        cellOf[i] = i;
    for (int c = 0; c < 9; ++c)
        std::swap(cellOf[c], cellOf[partners[c]]);
    for (int i = 0; i < 9; ++i) {
        const Tile t = tileOf(board, i);
        EXPECT_EQ(t.left, 2800.0f * (cellOf[i] % 3)) << "tile " << i;
        EXPECT_EQ(t.top, 2800.0f * (cellOf[i] / 3)) << "tile " << i;
        for (int layer = 1; layer <= 4; ++layer)
            EXPECT_EQ(t.visible[layer - 1], layer == turns[i]) << "tile " << i << " layer " << layer;
    }
    expectOnGridOneVisibleEach(board);
}

TEST(Shuffle, APassWhosePartnerIsItselfReadsAndWritesNothing)
{
    FakeTimeOfDay time;
    ScriptedRandom random;
    for (int c = 0; c < 9; ++c)
        random.script.push_back(partner(c));
    for (int c = 0; c < 9; ++c)
        random.script.push_back(turn(1));
    puzzle::BoardSetUp setUp(time, random);
    setUp.leftA = 111, setUp.topA = 222, setUp.leftB = 333, setUp.topB = 444;
    RecordingBoard board;
    setUp.shuffle(board);

    // Only the layout phases wrote: 36 visibilities, 36 tops, 36 lefts.
    EXPECT_EQ(board.writes.size(), 108u);
    EXPECT_EQ(board.reads, 0);
    EXPECT_EQ(setUp.leftA, 111);
    EXPECT_EQ(setUp.topA, 222);
    EXPECT_EQ(setUp.leftB, 333);
    EXPECT_EQ(setUp.topB, 444);
    for (int i = 0; i < 9; ++i) { // the solved layout, every tile upright
        const Tile t = tileOf(board, i);
        EXPECT_EQ(t.left, 2800.0f * (i % 3));
        EXPECT_EQ(t.top, 2800.0f * (i / 3));
        EXPECT_TRUE(t.visible[0]);
    }
}

TEST(Shuffle, WritesInTheOrderOfItsPhases)
{
    FakeTimeOfDay time;
    ScriptedRandom random;
    random.script = {partner(2)}; // pass 0 exchanges tiles 0 and 2
    for (int c = 1; c < 9; ++c)
        random.script.push_back(partner(c));
    random.script.push_back(turn(3)); // tile 0 turns to layer 3, the rest stay upright
    for (int c = 1; c < 9; ++c)
        random.script.push_back(turn(1));
    puzzle::BoardSetUp setUp(time, random);
    RecordingBoard board;
    setUp.shuffle(board);
    using W = RecordingBoard::Write;
    const auto &w = board.writes;
    ASSERT_GE(w.size(), 126u);
    // Upright first: layer 1 shown, then 2, 3, 4 hidden, tile by tile.
    EXPECT_EQ(w[0], (W{"visible", 1, 0, 1, 0}));
    EXPECT_EQ(w[3], (W{"visible", 4, 0, 0, 0}));
    // Rows: member c, c + 3, c + 6 of each layer in turn.
    EXPECT_EQ(w[36], (W{"top", 1, 0, 0, 0}));
    EXPECT_EQ(w[37], (W{"top", 1, 3, 2800, 0}));
    EXPECT_EQ(w[38], (W{"top", 1, 6, 5600, 0}));
    EXPECT_EQ(w[39], (W{"top", 2, 0, 0, 0}));
    // Columns: member c, c + 1, c + 2.
    EXPECT_EQ(w[72], (W{"left", 1, 0, 0, 0}));
    EXPECT_EQ(w[73], (W{"left", 1, 1, 2800, 0}));
    EXPECT_EQ(w[74], (W{"left", 1, 2, 5600, 0}));
    // The exchange of tiles 0 and 2, layer by layer.
    EXPECT_EQ(w[108], (W{"left", 1, 0, 5600, 0}));
    EXPECT_EQ(w[109], (W{"top", 1, 0, 0, 0}));
    EXPECT_EQ(w[110], (W{"left", 1, 2, 0, 0}));
    EXPECT_EQ(w[111], (W{"top", 1, 2, 0, 0}));
    EXPECT_EQ(board.reads, 4);
    EXPECT_EQ(setUp.leftA, 0);
    EXPECT_EQ(setUp.leftB, 5600);
    // The upright picture hides before the turned one shows.
    ASSERT_EQ(w.size(), 126u);
    EXPECT_EQ(w[124], (W{"visible", 1, 0, 0, 0}));
    EXPECT_EQ(w[125], (W{"visible", 3, 0, 1, 0}));
}

TEST(Shuffle, AFailureStopsItWhereItGotAndReachesTheCaller)
{
    FakeTimeOfDay time;
    ScriptedRandom random;
    random.script = {partner(2), partner(5)}; // two exchanges
    puzzle::BoardSetUp setUp(time, random);
    RecordingBoard board;
    board.failAtWrite = 108 + 16; // the first write of the second exchange
    EXPECT_THROW(setUp.shuffle(board), puzzle::RuntimeError);
    EXPECT_EQ(random.draws, 2);
    // The first exchange stays made.
    EXPECT_EQ(board.at(4, 0).left, 5600.0f);
    EXPECT_EQ(board.at(4, 2).left, 0.0f);
}

TEST(Shuffle, ASecondThatChangesDuringTheSetUpReachesTheLaterDraws)
{
    // With the same generator values, the offset alone decides; if the second
    // moves on after the first draw, the later draws must see it.
    auto boardWith = [](bool secondMoves) {
        FakeTimeOfDay time;
        time.second = 10;
        if (secondMoves)
            time.onRead = [&time] {
                if (time.secondReads > 1)
                    time.second = 11;
            };
        puzzle::RandomGenerator random;
        puzzle::BoardSetUp setUp(time, random);
        puzzle::BoardTable board;
        setUp.shuffle(board);
        return tileOf(board, 0).left + 10 * tileOf(board, 1).left + 100 * tileOf(board, 4).top;
    };
    EXPECT_NE(boardWith(false), boardWith(true));
}

} // namespace
