#pragma once

// A board laid out so that a tile lies right beside each kind of control,
// and a point on either side of each seam, 4 pixels apart: near enough for
// two quick clicks there to make one double-click to a platform that pairs
// clicks by the whole window rather than by control.

#include "board_arrangement.h"

#include "window/form1.h"
#include "window/twips.h"

#include <QPoint>

#include <cstdint>

namespace window_test {

enum class Seam { NeighbourTile, TileOfAnotherLayer, Button, Label, Decoration, Panel };

struct SeamSpots {
    std::int16_t tile;      // the tile on the left of the seam
    int tileLayer;          // its visible layer
    QPoint onTile;          // window pixels, 2 left of the seam
    QWidget *other;         // the control on the right of the seam
    std::int16_t otherTile; // its tile index, or -1 when it is no tile picture
    QPoint onOther;         // window pixels, 2 right of the seam
};

// Tiles 0, 1 and 3 upright on their cells, tile 4 in layer 3 on its cell
// beside tile 3; tile 2 moved right up to the clock caption and over the
// decoration's left edge, tile 8 right up to the button's left edge; tile 5
// on its cell, with bare panel right of it.
inline void layOutSeams(window::Form1 &form)
{
    layOutGrid(form, {1, 1, 1, 1, 3, 1, 1, 1, 1});
    const int box = form.picture(1, 0).width();
    const auto leftOf = [&](const QWidget &control) {
        return window::twipsFromPixels(form.picture5().mapFromGlobal(control.mapToGlobal(QPoint(0, 0))).x()
                                       - form.picture5().contentsRect().left() - box);
    };
    moveTile(form, 2, leftOf(form.label3()), 0.0f);
    moveTile(form, 8, leftOf(form.command1()), 6400.0f);
}

inline SeamSpots seamSpots(window::Form1 &form, Seam seam)
{
    // The first pixel right of a tile's box, at height y in its own pixels.
    const auto seamRightOf = [&](std::int16_t tile, int layer, int y) {
        const window::PictureBox &box = form.picture(layer, tile);
        return box.mapTo(&form, QPoint(box.width(), y));
    };
    // Height y of a control's middle, in a tile's own pixels.
    const auto middleOf = [&](const QWidget &control, std::int16_t tile) {
        return form.picture(1, tile).mapFromGlobal(control.mapToGlobal(control.rect().center())).y();
    };
    struct Side {
        std::int16_t tile;
        int layer;
        QPoint seam;
        QWidget *other;
        std::int16_t otherTile;
    };
    Side s{};
    switch (seam) {
    case Seam::NeighbourTile: s = {0, 1, seamRightOf(0, 1, 90), &form.picture(1, 1), 1}; break;
    case Seam::TileOfAnotherLayer: s = {3, 1, seamRightOf(3, 1, 90), &form.picture(3, 4), 4}; break;
    case Seam::Button: s = {8, 1, seamRightOf(8, 1, middleOf(form.command1(), 8)), &form.command1(), -1}; break;
    case Seam::Label: s = {2, 1, seamRightOf(2, 1, middleOf(form.label3(), 2)), &form.label3(), -1}; break;
    case Seam::Decoration: s = {2, 1, seamRightOf(2, 1, middleOf(form.picture6(), 2)), &form.picture6(), -1}; break;
    case Seam::Panel: s = {5, 1, seamRightOf(5, 1, 90), &form.picture5(), -1}; break;
    }
    return {s.tile, s.layer, s.seam - QPoint(2, 0), s.other, s.otherTile, s.seam + QPoint(2, 0)};
}

} // namespace window_test
