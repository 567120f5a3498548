#include "puzzle/game_clock.h"
#include "puzzle/runtime_error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using puzzle::RuntimeError;

namespace {

struct Caption {
    std::int32_t count;
    const char *text;
};

TEST(ClockText, TellingCounts)
{
    const Caption cases[] = {
        {0, " 0: 0: 0"},
        {1, " 0: 0: 1"},
        {59, " 0: 0: 59"},
        {60, " 0: 1: 0"},
        {65, " 0: 1: 5"},
        {3599, " 0: 59: 59"},
        {3600, " 1: 0: 0"},
        {3660, " 1: 1: 0"},
        {32767, " 9: 6: 7"},
        {-1, " 0: 0:-1"},
        {-65, " 0:-1:-5"},
        {-3660, "-1:-1: 0"},
        // Every field keeps the count's sign, the hours too.
        {-32768, "-9:-6:-8"},
        {-3599, " 0:-59:-59"},
        {-3601, "-1: 0:-1"},
    };
    for (const Caption &c : cases)
        EXPECT_EQ(puzzle::clockText(c.count), c.text) << c.count;
}

TEST(ClockText, UsesOnlyAsciiColonsBlanksDigitsAndMinus)
{
    for (std::int32_t count : {0, 7, -7, 3661, -3661, 32767, -32768}) {
        for (char ch : puzzle::clockText(count))
            EXPECT_TRUE(ch == ':' || ch == ' ' || ch == '-' || (ch >= '0' && ch <= '9'))
                << count << " has " << static_cast<int>(static_cast<unsigned char>(ch));
    }
}

TEST(ClockCount, NearestSecondWithHalvesToEven)
{
    const struct {
        double elapsed;
        int count;
    } cases[] = {
        {0.4, 0},           {0.5, 0},   {1.5, 2},
        {2.5, 2},           {59.5, 60}, {3599.5, 3600},
        {-0.5, 0},          {-1.5, -2}, {32767.4999, 32767},
        {-32768.5, -32768},
    };
    for (const auto &c : cases)
        EXPECT_EQ(puzzle::clockCount(c.elapsed), c.count) << c.elapsed;
}

TEST(ClockCount, OutsideTheSixteenBitRangeIsAnOverflowError)
{
    for (double elapsed : {32767.5, 32768.0, -32768.6, -86000.0}) {
        try {
            puzzle::clockCount(elapsed);
            ADD_FAILURE() << elapsed << " gave a count";
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.code(), RuntimeError::Code::Overflow) << elapsed;
        }
    }
}

struct Tick {
    double startTime;
    double now;
    const char *caption;
    const char *why;
};

TEST(ClockCaption, WithinTheRangeIsTheCountOfTheElapsedTime)
{
    const Tick cases[] = {
        {36000.0, 36000.0, " 0: 0: 0", "same moment"},
        {36000.25, 36002.75, " 0: 0: 2", "2.5 s goes to the even second"},
        {36000.0, 36059.5, " 0: 1: 0", "59.5 s"},
        {36000.0, 36000.0 + 3600.0 + 60.4, " 1: 1: 0", "fractions below a half drop"},
        {36000.0, 35935.0, " 0:-1:-5", "clock set back by 65 s"},
        {36000.0, 35999.5, " 0: 0: 0", "set back by half a second"},
        {36000.0, 36000.0 + 32767.4, " 9: 6: 7", "the largest count"},
        {40000.0, 40000.0 - 32768.5, "-9:-6:-8", "the lowest elapsed time in range"},
    };
    for (const Tick &c : cases)
        EXPECT_EQ(puzzle::clockCaption(c.now, c.startTime), c.caption) << c.why;
}

TEST(ClockCaption, BeyondTheLargestCountGoesOnCounting)
{
    const Tick cases[] = {
        {3600.0, 3600.0 + 32767.5, " 9: 6: 8", "first half second past the range"},
        {3600.0, 3600.0 + 32768.0, " 9: 6: 8", "one second on"},
        {0.0, 36000.0, " 10: 0: 0", "ten hours"},
        {0.5, 86399.0, " 23: 59: 58", "the longest game within one day"},
    };
    for (const Tick &c : cases)
        EXPECT_EQ(puzzle::clockCaption(c.now, c.startTime), c.caption) << c.why;
}

TEST(ClockCaption, AcrossMidnightCountsOnFromTheDayBefore)
{
    const Tick cases[] = {
        {86395.0, 5.0, " 0: 0: 10", "ten seconds across midnight"},
        {86399.9, 0.0, " 0: 0: 0", "a tenth of a second across"},
        {82800.0, 3600.5, " 2: 0: 0", "from 23:00 to 01:00:00.5, half to even"},
        {53633.0, 0.0, " 9: 6: 7", "a game at its largest count when the day turns"},
        {60000.0, 26399.0, " 14: 39: 59", "from 16:40 to 07:19:59"},
        // Just below the range is midnight too: a set-back of more than 9:06:08
        // cannot be told from it.
        {40000.0, 40000.0 - 32769.0, " 14: 53: 51", "set back just beyond the range"},
    };
    for (const Tick &c : cases)
        EXPECT_EQ(puzzle::clockCaption(c.now, c.startTime), c.caption) << c.why;
}

TEST(ClockCaption, RunsWithoutAJumpThroughMidnight)
{
    // One tick a second from 23:59:50 of a game begun at 23:00; the count goes
    // up by one at every tick, midnight included.
    const double startTime = 82800.0;
    int expected = 3590;
    for (double now = 86390.0; now != 86400.0 + 10.0; now += 1.0, ++expected) {
        const double timeOfDay = now >= 86400.0 ? now - 86400.0 : now;
        const std::string want = puzzle::clockText(expected);
        ASSERT_EQ(puzzle::clockCaption(timeOfDay, startTime), want) << timeOfDay;
    }
}

TEST(ClockCaption, InvalidTimeIsARuntimeError)
{
    EXPECT_THROW(puzzle::clockCaption(std::numeric_limits<double>::quiet_NaN(), 0.0), RuntimeError);
}

} // namespace
