#pragma once

#include "puzzle/platform_services.h"
#include "puzzle/random_generator.h"

#include <cstdint>
#include <deque>
#include <functional>

namespace test_support {

// A time of day that stands still until the test moves it.
class FakeTimeOfDay : public puzzle::TimeOfDay {
public:
    double now = 36000.0; // 10:00:00
    std::int16_t second = 0;
    int secondReads = 0;
    int timeReads = 0;
    std::function<void()> onRead; // runs at every read, e.g. to let time pass

    double secondsSinceMidnight() override
    {
        ++timeReads;
        if (onRead)
            onRead();
        return now;
    }
    std::int16_t secondOfMinute() override
    {
        ++secondReads;
        if (onRead)
            onRead();
        return second;
    }
};

// Hands out scripted values first, then the real generator's sequence, and
// counts every draw.
class ScriptedRandom : public puzzle::RandomSource {
public:
    std::deque<float> script;
    int draws = 0;

    float next() override
    {
        ++draws;
        if (!script.empty()) {
            const float x = script.front();
            script.pop_front();
            return x;
        }
        return real_.next();
    }

private:
    puzzle::RandomGenerator real_;
};

} // namespace test_support
