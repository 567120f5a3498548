#pragma once

#include <cstdint>
#include <string>

namespace puzzle {

// "h:m:s" from a count of seconds: each number led by a blank, or by "-" when
// negative, no padding. Division truncates towards zero and remainders keep
// the dividend's sign, so a negative count gives negative fields.
std::string clockText(std::int32_t count);

// Elapsed seconds to the clock's 16-bit count: nearest, an exact half to the
// even one; outside -32768.5 .. 32767.5 it raises an overflow error.
std::int16_t clockCount(double elapsedSeconds);

// The caption for a game that began at `startTime`, both times of day in
// seconds since midnight. Within the 16-bit count's range this is exactly
// clockText(clockCount(now - startTime)), a clock set back included. Beyond
// it the clock goes on in the same format rather than failing: a game longer
// than 9:06:07 keeps counting, and an elapsed time below the range means the
// time of day started again at midnight, so a day is added back.
std::string clockCaption(double now, double startTime);

} // namespace puzzle
