#include "random_generator.h"

namespace puzzle {

float RandomGenerator::next()
{
    const auto top24 = static_cast<float>(engine_() >> 8);
    return top24 * (1.0f / 16777216.0f);
}

} // namespace puzzle
