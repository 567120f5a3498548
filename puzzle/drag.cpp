#include "drag.h"

#include "numeric.h"

namespace puzzle {

void moveHeldTile(Board &board, const DragState &drag, float px, float py)
{
    const float left = checkedFloat(px - drag.grabX);
    const float top = checkedFloat(py - drag.grabY);
    // Hidden layers move too, so the four pictures keep sharing one place.
    for (int layer = 1; layer <= kLayers; ++layer)
        board.move(layer, drag.dragIndex, left, top);
}

} // namespace puzzle
