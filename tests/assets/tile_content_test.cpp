// What the 36 tile pictures show, recovered from their pixels: the half-figure
// on every edge, how the four layers of a tile relate, the colours and where
// each figure sits.
#include "tile_design.h"
#include "tile_reading.h"

#include <gtest/gtest.h>

#include <map>

using namespace assets_test;

namespace {

std::string pictureName(int tile, int layer)
{
    return "tile " + std::to_string(tile) + " layer " + std::to_string(layer);
}

TEST(TilePictureContent, EveryPictureHoldsExactlyOneFigureOnEachEdgeAndNothingElse)
{
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k) {
            SCOPED_TRACE(pictureName(t, k));
            const TileReading &r = committedTile(t, k);
            EXPECT_EQ(r.patchCount, 4);
            EXPECT_EQ(r.strayPatches, 0);
            for (Edge e : kEdges)
                EXPECT_TRUE(r.figures[e].has_value()) << "edge " << e;
            // No frame: the corners are the white field.
            const IndexedPicture &p = r.picture;
            for (auto [x, y] : {std::pair{0, 0}, {p.width - 1, 0}, {0, p.height - 1}, {p.width - 1, p.height - 1}})
                EXPECT_EQ(p.at(x, y), ink::white);
        }
}

TEST(TilePictureContent, HalvesReadFromThePixelsAreTheEdgeTableMovedByTheLayerRelation)
{
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k) {
            SCOPED_TRACE(pictureName(t, k));
            const auto halves = committedTile(t, k).halves();
            ASSERT_TRUE(halves.has_value());
            EXPECT_EQ(*halves, layerHalves(t, k))
                << "shows " << describe(*halves) << ", meant " << describe(layerHalves(t, k));
        }
}

TEST(TilePictureContent, EachLayerStepMovesEveryHalfOneEdgeCounterClockwise)
{
    // From the pixels alone: the next layer's top shows this layer's right,
    // its right this bottom, its bottom this left, its left this top; four
    // steps come back round.
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k) {
            SCOPED_TRACE(pictureName(t, k));
            const auto here = committedTile(t, k).halves();
            const auto next = committedTile(t, k % kLayers + 1).halves();
            ASSERT_TRUE(here && next);
            EXPECT_EQ((*next)[Top], (*here)[Right]);
            EXPECT_EQ((*next)[Right], (*here)[Bottom]);
            EXPECT_EQ((*next)[Bottom], (*here)[Left]);
            EXPECT_EQ((*next)[Left], (*here)[Top]);
        }
}

TEST(TilePictureContent, LayerOneHasTailsTopAndLeftAndEachBodyColourOnNineEdges)
{
    std::map<Body, int> edgesOf;
    for (int t = 0; t < kTiles; ++t) {
        SCOPED_TRACE(pictureName(t, 1));
        const auto h = committedTile(t, 1).halves();
        ASSERT_TRUE(h.has_value());
        EXPECT_EQ((*h)[Top].kind, Kind::Tail);
        EXPECT_EQ((*h)[Left].kind, Kind::Tail);
        EXPECT_EQ((*h)[Right].kind, Kind::Head);
        EXPECT_EQ((*h)[Bottom].kind, Kind::Head);
        for (const Half &half : *h)
            ++edgesOf[half.body];
    }
    for (Body b : {Body::Red, Body::Grey, Body::Yellow, Body::Green})
        EXPECT_EQ(edgesOf[b], 9) << describe(Half{b, Kind::Head});
}

TEST(TilePictureContent, TilesTwoAndSevenShowTheSameHalvesInEveryLayer)
{
    for (int k = 1; k <= kLayers; ++k)
        EXPECT_EQ(committedTile(2, k).halves(), committedTile(7, k).halves()) << "layer " << k;
}

TEST(TilePictureContent, OnlyTheSixNamedPicturesHaveATealSeamOnTheirYellowHead)
{
    int teal = 0;
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k) {
            SCOPED_TRACE(pictureName(t, k));
            const TileReading &r = committedTile(t, k);
            EXPECT_EQ(r.hasTeal, hasTealSeam(t, k));
            teal += r.hasTeal ? 1 : 0;
            for (Edge e : kEdges) {
                ASSERT_TRUE(r.figures[e]);
                const FigureReading &f = *r.figures[e];
                ASSERT_TRUE(f.body);
                const bool yellowHead = *f.body == Body::Yellow && f.kind == Kind::Head;
                // The teal stripe is the only teal in the picture, so it decides hasTeal.
                const std::uint8_t expectedSeam =
                    yellowHead && hasTealSeam(t, k) ? ink::teal : paletteIndexOf(accentOf(*f.body));
                EXPECT_EQ(int(f.seam), int(expectedSeam)) << "seam on edge " << e;
                if (f.kind == Kind::Head) {
                    // The lobes keep the accent colour, teal seam or not.
                    EXPECT_EQ(f.lobeColours, std::set<std::uint8_t>{paletteIndexOf(accentOf(*f.body))})
                        << "lobes on edge " << e;
                }
            }
        }
    EXPECT_EQ(teal, 6);
}

TEST(TilePictureContent, EveryFigureStandsSquareOnTheMiddleOfItsEdge)
{
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k)
            for (Edge e : kEdges) {
                SCOPED_TRACE(pictureName(t, k) + " edge " + std::to_string(e));
                const auto &f = committedTile(t, k).figures[e];
                ASSERT_TRUE(f);
                EXPECT_EQ(f->chord, figureDesign(e).chord);
                EXPECT_TRUE(f->chordUnbroken);
                EXPECT_LE(std::abs(f->middle - f->edgeLength / 2.0), 2.5)
                    << "middle at " << f->middle << " of " << f->edgeLength;
                // Mirror-symmetric about the line at right angles to the edge
                // through the chord's middle: that line is the figure's axis.
                EXPECT_TRUE(f->mirrorSymmetric);
                // Cut across its widest line, with the straight side on the edge.
                EXPECT_TRUE(f->widestAtEdge);
                EXPECT_TRUE(f->outlined);
            }
}

TEST(TilePictureContent, EachLayerHasItsOwnBitmapSize)
{
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k) {
            const IndexedPicture &p = committedTile(t, k).picture;
            const PictureSize want = tilePictureSize(t, k);
            EXPECT_EQ(p.width, want.width) << pictureName(t, k);
            EXPECT_EQ(p.height, want.height) << pictureName(t, k);
        }
}

} // namespace
