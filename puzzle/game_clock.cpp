#include "game_clock.h"

#include "numeric.h"

namespace puzzle {

namespace {
constexpr double kSecondsPerDay = 86400.0;
// Elapsed times whose nearest whole second fits the 16-bit count.
constexpr double kLowestCount = -32768.5; // included: it goes to -32768
constexpr double kBeyondCount = 32767.5;  // excluded: it goes to 32768
} // namespace

std::string clockText(std::int32_t count)
{
    const std::int32_t m = div32(count, 60);
    const std::int32_t hours = div32(m, 60);
    const std::int32_t minutes = rem32(m, 60);
    const std::int32_t seconds = rem32(count, 60);
    return numberText(hours) + ":" + numberText(minutes) + ":" + numberText(seconds);
}

std::int16_t clockCount(double elapsedSeconds) { return toInt16(elapsedSeconds); }

std::string clockCaption(double now, double startTime)
{
    double elapsed = checkedFloat(now - startTime);
    if (elapsed >= kLowestCount && elapsed < kBeyondCount)
        return clockText(clockCount(elapsed));
    // Out of the count's range the clock neither fails nor freezes: it goes on
    // in the same format with a 32-bit count. Both times are times of day, so
    // a run across midnight and a clock set back look alike; they are told
    // apart by size alone. A set-back within the range is shown as it is
    // (negative), since that is what the count means there. Anything further
    // below is taken as midnight, and a day is added back: a game still within
    // its range when the day turned lies over 53632 s below zero after it, and
    // stays below the range until it has run almost 15 hours, while setting a
    // clock back by over nine hours mid-game is rare. With only times of day
    // to go on, a game of a day or more wraps round.
    if (elapsed < kLowestCount)
        elapsed += kSecondsPerDay;
    return clockText(toInt32(elapsed));
}

} // namespace puzzle
