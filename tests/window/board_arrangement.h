#pragma once

// Laying out and reading back the board of a shown window: tiles go where a
// test needs them through the board's own property writes (no input), and
// are read back in twips and in pixels.

#include "window/form1.h"
#include "window/twips.h"

#include <QPoint>
#include <QPointF>
#include <QString>

#include <array>
#include <cstdint>

namespace window_test {

// Puts a tile where a test wants it: its four pictures at one place, only the
// picture of `layer` visible.
inline void placeTile(window::Form1 &form, std::int16_t index, int layer, float left, float top)
{
    for (int k = 1; k <= puzzle::kLayers; ++k) {
        form.board().move(k, index, left, top);
        form.board().setVisible(k, index, k == layer);
    }
}

// Every tile showing its first layer.
inline constexpr std::array<int, 9> kUpright{1, 1, 1, 1, 1, 1, 1, 1, 1};

// Tile i lies on its solved cell and shows layers[i]; with kUpright, the
// solved layout, a board with no overlaps to start from.
inline void layOutGrid(window::Form1 &form, const std::array<int, 9> &layers)
{
    for (std::int16_t i = 0; i < puzzle::kTiles; ++i)
        placeTile(form, i, layers[i], puzzle::kCellPitch * (i % 3), puzzle::kCellPitch * (i / 3));
}

// Moves a tile's four pictures, leaving which one shows.
inline void moveTile(window::Form1 &form, std::int16_t index, float left, float top)
{
    for (int layer = 1; layer <= puzzle::kLayers; ++layer)
        form.board().move(layer, index, left, top);
}

// The panel's inner top-left corner, in the window's pixels.
inline QPoint panelOrigin(window::Form1 &form)
{
    return form.picture5().mapTo(&form, form.picture5().contentsRect().topLeft());
}

// A point given in twips in the panel's client frame, as a pixel in the
// window's frame for the QTest QWindow* overloads.
inline QPoint panelPoint(window::Form1 &form, float x, float y)
{
    return panelOrigin(form) + QPoint(window::pixelsFromTwips(x), window::pixelsFromTwips(y));
}

// A point given in a tile picture's own pixels (its border included), in the
// window's pixels.
inline QPoint onPicture(window::Form1 &form, int layer, std::int16_t index, QPoint local)
{
    return form.picture(layer, index).mapTo(&form, local);
}

// Where a tile lies, in twips, once the pointer is at `pointer` (window
// pixels) after a press at `grab` (the pressed picture's own pixels, its
// 1-pixel border included): the pointer in the panel's frame less the grab
// point, which is measured inside the border.
inline QPointF heldTilePlace(window::Form1 &form, QPoint pointer, QPoint grab)
{
    const QPoint inPanel = pointer - panelOrigin(form);
    return QPointF(inPanel - (grab - QPoint(1, 1))) * window::kTwipsPerPixel;
}

// Empty when all four pictures of the tile lie at (left, top) twips and at
// the matching whole pixels inside the panel; otherwise what differs.
inline QString tileMismatch(window::Form1 &form, std::int16_t index, float left, float top)
{
    QString out;
    const QPoint inner = form.picture5().contentsRect().topLeft();
    for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
        window::PictureBox &p = form.picture(layer, index);
        const QPoint px = p.pos() - inner;
        if (p.twips().left() != left || p.twips().top() != top
            || px != QPoint(window::pixelsFromTwips(left), window::pixelsFromTwips(top)))
            out += QStringLiteral("layer %1 at %2,%3 twips (%4,%5 px); ")
                       .arg(layer)
                       .arg(p.twips().left())
                       .arg(p.twips().top())
                       .arg(px.x())
                       .arg(px.y());
    }
    if (!out.isEmpty())
        out.prepend(QStringLiteral("tile %1, wanted %2,%3: ").arg(index).arg(left).arg(top));
    return out;
}

// Every tile picture's place and visibility, to show that nothing changed.
struct BoardSnapshot {
    std::array<std::array<float, 3>, 36> pictures{};
    bool operator==(const BoardSnapshot &) const = default;
};

inline BoardSnapshot snapshot(window::Form1 &form)
{
    BoardSnapshot s;
    for (int layer = 1; layer <= puzzle::kLayers; ++layer)
        for (std::int16_t i = 0; i < puzzle::kTiles; ++i) {
            window::PictureBox &p = form.picture(layer, i);
            s.pictures[(layer - 1) * 9 + i] = {p.twips().left(), p.twips().top(), p.isVisible() ? 1.0f : 0.0f};
        }
    return s;
}

} // namespace window_test
