#include "game_clock.h"

#include "numeric.h"

namespace puzzle {

namespace {
constexpr double kSecondsPerDay = 86400.0;
constexpr double kLowestCount = -32768.5;
constexpr double kBeyondCount = 32767.5;
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
    if (elapsed < kLowestCount)
        elapsed += kSecondsPerDay;
    return clockText(toInt32(elapsed));
}

} // namespace puzzle
