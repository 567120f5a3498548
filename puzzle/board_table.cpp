#include "board_table.h"

namespace puzzle {

void BoardTable::move(int layer, std::int16_t index, float left, float top)
{
    Record &r = at(layer, index);
    r.left = left;
    r.top = top;
}

BoardTable::Record &BoardTable::at(int layer, std::int16_t index) { return records_[pictureSlot(layer, index)]; }
const BoardTable::Record &BoardTable::at(int layer, std::int16_t index) const
{
    return records_[pictureSlot(layer, index)];
}

} // namespace puzzle
