#pragma once

#include <cstdint>

// What the game's logic asks of its surroundings beyond itself. Each service
// is an interface so that tests can fix it; the window build supplies the
// real ones.
namespace puzzle {

class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    // Seconds since local midnight, with the fraction the system clock gives.
    virtual double secondsSinceMidnight() = 0;
    // Second of the minute (0..59) of the current time, read anew each call.
    virtual std::int16_t secondOfMinute() = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // The next value, uniform on [0, 1); never 1.0.
    virtual float next() = 0;
};

} // namespace puzzle
