#pragma once

#include "window/form1.h"

#include <QEvent>
#include <QObject>

namespace window_test {

// Counts the double-clicks that really reach any tile picture, after every
// filter of the window's own has had its say.
class TileDoubleClicks : public QObject {
public:
    explicit TileDoubleClicks(window::Form1 &form)
    {
        for (int layer = 1; layer <= puzzle::kLayers; ++layer)
            for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
                form.picture(layer, i).installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::MouseButtonDblClick ? 1 : 0;
        return false;
    }
};

} // namespace window_test
