#pragma once

#include <cstdint>
#include <string>

// Integer conversions and sums as the game's arithmetic expects them: a float
// goes to the nearest integer with an exact half to the even one, and anything
// that does not fit raises an overflow error instead of wrapping.
namespace puzzle {

std::int16_t toInt16(double value);
std::int32_t toInt32(double value);
std::int16_t toInt16(std::int32_t value);

std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t sub16(std::int16_t a, std::int16_t b);
std::int32_t add32(std::int32_t a, std::int32_t b);
std::int32_t sub32(std::int32_t a, std::int32_t b);

// Integer division truncating towards zero; the remainder takes the dividend's
// sign. Division by zero and the one overflowing quotient raise errors.
std::int32_t div32(std::int32_t a, std::int32_t b);
std::int32_t rem32(std::int32_t a, std::int32_t b);

// A floating-point result that is NaN or infinite is an invalid operation or
// an overflow; it is raised rather than carried on.
double checkedFloat(double value);
float checkedFloat(float value);

// Decimal digits led by a blank, or by "-" when negative.
std::string numberText(std::int64_t value);

} // namespace puzzle
