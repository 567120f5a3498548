#pragma once

#include "window/form1.h"
#include "window/twips.h"

#include <QPoint>

#include <cstdint>

namespace testing_support {

// Puts a tile where a test wants it, through the board's own property writes:
// its four pictures at one place, only the picture of `layer` visible.
inline void placeTile(window::Form1 &form, std::int16_t index, int layer, float left, float top)
{
    for (int k = 1; k <= puzzle::kLayers; ++k) {
        form.board().move(k, index, left, top);
        form.board().setVisible(k, index, k == layer);
    }
}

// Every tile on its own cell, upright: a board with no overlaps to start from.
inline void placeSolved(window::Form1 &form)
{
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
        placeTile(form, i, 1, puzzle::kCellPitch * (i % 3), puzzle::kCellPitch * (i / 3));
}

// A point given in twips in the panel's client frame, as a pixel in the
// window's frame for the QTest QWindow* overloads.
inline QPoint panelPoint(window::Form1 &form, float x, float y)
{
    window::PictureBox &panel = form.picture5();
    const QPoint inner = panel.mapTo(&form, panel.contentsRect().topLeft());
    return inner + QPoint(window::pixelsFromTwips(x), window::pixelsFromTwips(y));
}

} // namespace testing_support
