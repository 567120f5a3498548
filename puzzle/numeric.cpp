#include "numeric.h"

#include "runtime_error.h"

#include <cmath>
#include <limits>

namespace puzzle {

namespace {

template <typename Int>
Int nearestEven(double value)
{
    if (std::isnan(value))
        throw RuntimeError(RuntimeError::Code::InvalidFloatOperation, "Invalid floating-point operation");
    // nearbyint follows the default rounding mode, round-to-nearest-even.
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        RuntimeError::overflow();
    return static_cast<Int>(rounded);
}

template <typename Int>
Int checkedSum(long long sum)
{
    if (sum < std::numeric_limits<Int>::min() || sum > std::numeric_limits<Int>::max())
        RuntimeError::overflow();
    return static_cast<Int>(sum);
}

} // namespace

std::int16_t toInt16(double value) { return nearestEven<std::int16_t>(value); }
std::int32_t toInt32(double value) { return nearestEven<std::int32_t>(value); }
std::int16_t toInt16(std::int32_t value) { return checkedSum<std::int16_t>(value); }

std::int16_t add16(std::int16_t a, std::int16_t b) { return checkedSum<std::int16_t>(0LL + a + b); }
std::int16_t sub16(std::int16_t a, std::int16_t b) { return checkedSum<std::int16_t>(0LL + a - b); }
std::int32_t add32(std::int32_t a, std::int32_t b) { return checkedSum<std::int32_t>(0LL + a + b); }
std::int32_t sub32(std::int32_t a, std::int32_t b) { return checkedSum<std::int32_t>(0LL + a - b); }

std::int32_t div32(std::int32_t a, std::int32_t b)
{
    if (b == 0)
        throw RuntimeError(RuntimeError::Code::DivisionByZero, "Division by zero");
    return checkedSum<std::int32_t>(static_cast<long long>(a) / b);
}

std::int32_t rem32(std::int32_t a, std::int32_t b)
{
    if (b == 0)
        throw RuntimeError(RuntimeError::Code::DivisionByZero, "Division by zero");
    return static_cast<std::int32_t>(static_cast<long long>(a) % b);
}

double checkedFloat(double value)
{
    if (std::isnan(value))
        throw RuntimeError(RuntimeError::Code::InvalidFloatOperation, "Invalid floating-point operation");
    if (std::isinf(value))
        RuntimeError::overflow();
    return value;
}

float checkedFloat(float value) { return static_cast<float>(checkedFloat(static_cast<double>(value))); }

std::string numberText(std::int64_t value)
{
    if (value < 0)
        return std::to_string(value);
    return " " + std::to_string(value);
}

} // namespace puzzle
