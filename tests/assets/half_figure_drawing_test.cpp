// The measures of the half-insect drawings, taken from the pixels of every
// figure on every edge of the 36 pictures.
#include "tile_design.h"
#include "tile_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace assets_test;

namespace {

void forEachFigure(const std::function<void(const FigureReading &, const FigureDesign &)> &check)
{
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k)
            for (Edge e : kEdges) {
                SCOPED_TRACE("tile " + std::to_string(t) + " layer " + std::to_string(k) + " edge "
                             + std::to_string(e));
                const auto &f = committedTile(t, k).figures[e];
                ASSERT_TRUE(f);
                check(*f, figureDesign(e));
            }
}

// First depth at which the stripe's width meets `reached`.
int firstDepthWhere(const FigureReading &f, const std::function<bool(int)> &reached)
{
    for (std::size_t d = 0; d < f.stripeWidth.size(); ++d)
        if (f.stripeWidth[d] > 0 && reached(f.stripeWidth[d]))
            return static_cast<int>(d);
    return -1;
}

constexpr double tol = kMeasureTolerance;

TEST(HalfFigureDrawing, TailHalvesReachTheirDepthWithAWideningStripeAndSixSpots)
{
    forEachFigure([](const FigureReading &f, const FigureDesign &m) {
        if (f.kind != Kind::Tail)
            return;
        EXPECT_NEAR(f.depth, m.tailDepth, tol);
        EXPECT_EQ(f.stripeWidth.at(0), 5);
        EXPECT_NEAR(firstDepthWhere(f, [](int w) { return w >= 7; }), m.tailStripeSteps[0], tol);
        EXPECT_NEAR(firstDepthWhere(f, [](int w) { return w >= 9; }), m.tailStripeSteps[1], tol);
        EXPECT_NEAR(firstDepthWhere(f, [](int w) { return w >= 11; }), m.tailStripeSteps[2], tol);
        EXPECT_EQ(*std::max_element(f.stripeWidth.begin(), f.stripeWidth.end()), 11);
        EXPECT_TRUE(std::is_sorted(f.stripeWidth.begin(), f.stripeWidth.begin() + f.stripeEnd));
        // The stripe runs on to the rear end, inside the outline.
        EXPECT_GE(f.stripeEnd, f.depth - 2);
        EXPECT_EQ(f.spots, 6);
    });
}

TEST(HalfFigureDrawing, HeadHalvesHaveANarrowingStripeLobesHeadAntennaeAndFourSpots)
{
    forEachFigure([](const FigureReading &f, const FigureDesign &m) {
        if (f.kind != Kind::Head)
            return;
        EXPECT_EQ(f.stripeWidth.at(0), 5);
        EXPECT_NEAR(firstDepthWhere(f, [](int w) { return w <= 3; }), m.headStripeSteps[0], tol);
        EXPECT_NEAR(firstDepthWhere(f, [](int w) { return w <= 1; }), m.headStripeSteps[1], tol);
        EXPECT_TRUE(std::is_sorted(f.stripeWidth.begin(), f.stripeWidth.begin() + f.stripeEnd, std::greater<>()));
        EXPECT_NEAR(f.stripeEnd, m.headStripeEnd, tol);
        EXPECT_NEAR(f.shoulderHalfWidth, m.shoulderHalfWidth, tol);
        EXPECT_NEAR(f.lobesFrom, m.lobesFrom, tol);
        EXPECT_NEAR(f.lobesTo, m.lobesTo, tol);
        EXPECT_NEAR(f.lobesSpan, m.lobesSpan, tol);
        EXPECT_NEAR(f.headFront, m.headFront, tol);
        EXPECT_NEAR(f.headWidth, m.headWidth, tol);
        EXPECT_NEAR(f.headFrontWidth, m.headFrontWidth, tol);
        EXPECT_NEAR(f.depth, m.antennaTipDepth, tol);
        EXPECT_NEAR(f.antennaTipSpan, m.antennaTipSpan, tol);
        EXPECT_EQ(f.spots, 4);
    });
}

TEST(HalfFigureDrawing, AHeadAndATailMeetingAcrossAnEdgeMakeOneWholeInsect)
{
    // In the solved layout every inner edge joins a head to a tail of one
    // colour; measured across the edge, the pair is one insect.
    struct Join {
        int a, b;
        Edge aEdge, bEdge;
    };
    std::vector<Join> joins;
    for (int cell = 0; cell < 9; ++cell) {
        if (cell % 3 < 2)
            joins.push_back({cell, cell + 1, Right, Left});
        if (cell < 6)
            joins.push_back({cell, cell + 3, Bottom, Top});
    }
    ASSERT_EQ(joins.size(), 12u);
    for (const Join &j : joins) {
        SCOPED_TRACE("tiles " + std::to_string(j.a) + " and " + std::to_string(j.b));
        const auto &fa = committedTile(j.a, 1).figures[j.aEdge];
        const auto &fb = committedTile(j.b, 1).figures[j.bEdge];
        ASSERT_TRUE(fa && fb);
        const FigureReading &head = fa->kind == Kind::Head ? *fa : *fb;
        const FigureReading &tail = fa->kind == Kind::Head ? *fb : *fa;
        ASSERT_EQ(head.kind, Kind::Head);
        ASSERT_EQ(tail.kind, Kind::Tail);
        EXPECT_EQ(head.body, tail.body);
        EXPECT_EQ(head.chord, tail.chord);
        EXPECT_EQ(head.spots + tail.spots, 10);
        const bool acrossLeftRight = j.aEdge == Right;
        EXPECT_EQ(head.chord, acrossLeftRight ? 85 : 93);
        EXPECT_NEAR(tail.depth + head.headFront, acrossLeftRight ? 99 : 93, tol);
        EXPECT_NEAR(tail.depth + head.depth, acrossLeftRight ? 110 : 104, tol);
        // The two stripes meet at the same width.
        EXPECT_EQ(head.stripeWidth.at(0), tail.stripeWidth.at(0));
    }
}

} // namespace
