#pragma once

#include "puzzle/platform_services.h"

namespace window {

// The machine's local clock.
class SystemTimeOfDay : public puzzle::TimeOfDay {
public:
    double secondsSinceMidnight() override;
    std::int16_t secondOfMinute() override;
};

} // namespace window
