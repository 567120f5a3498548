#include "half_figure.h"

#include "palette.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tools {
namespace {

// A pair of spots mirrored across the axis: centre offset from the axis,
// centre depth, and half-sizes across and along the axis.
struct SpotPair {
    double across, depth, halfAcross, halfDepth;
};

// One seam step: from this depth (rows) in, the stripe is this many pixels wide.
struct StripeStep {
    int fromDepth, width;
};

struct Measures {
    int chord;
    // Tail half.
    int tailDepth;
    std::vector<StripeStep> tailStripe;
    std::vector<SpotPair> tailSpots;
    // Head half. The body ends at bodyFront, bodyFrontHalfWidth from the axis.
    int bodyFront;
    double bodyFrontHalfWidth;
    std::vector<StripeStep> headStripe; // ends at bodyFront
    std::vector<SpotPair> headSpots;
    int lobeEnd;          // lobes run from bodyFront to lobeEnd (exclusive)
    double lobesHalfSpan; // outer reach of the lobes from the axis
    double headHalfWidth; // black head, between the lobes
    double headFrontHalfWidth;
    int headNarrowFrom;     // depth where the head begins to narrow
    int headEnd;            // exclusive
    double antennaTipDepth; // centre of the tip's pixel row
    double antennaTipHalfSpan;
};

const Measures &measures(EdgeAxis axis)
{
    static const Measures horizontal{
        93,
        42,
        {{0, 5}, {5, 7}, {17, 9}, {32, 11}},
        {{35.5, 8.5, 6.5, 8.5}, {11.0, 12.0, 5.0, 7.0}, {19.0, 36.0, 12.0, 10.0}},
        37,
        25.0,
        {{0, 5}, {9, 3}, {23, 1}},
        {{9.5, 15.5, 6.0, 8.5}, {37.0, 24.0, 7.0, 5.0}},
        47,
        24.5,
        10.0,
        5.5,
        44,
        51,
        61.5,
        22.0,
    };
    static const Measures vertical{
        85,
        46,
        {{0, 5}, {6, 7}, {18, 9}, {34, 11}},
        {{32.5, 9.3, 6.0, 9.3}, {10.0, 13.0, 4.6, 7.7}, {17.4, 39.4, 11.0, 11.0}},
        38,
        22.0,
        {{0, 5}, {8, 3}, {23, 1}},
        {{8.7, 16.0, 5.5, 8.7}, {33.5, 25.0, 6.5, 5.0}},
        48,
        22.5,
        10.0,
        5.5,
        46,
        53,
        63.5,
        20.0,
    };
    return axis == EdgeAxis::Horizontal ? horizontal : vertical;
}

int stripeWidthAt(const std::vector<StripeStep> &steps, int depth)
{
    int width = 0;
    for (const StripeStep &s : steps)
        if (depth >= s.fromDepth)
            width = s.width;
    return width;
}

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// What each pixel of the drawing is, before it is given its colour.
enum class Part : std::uint8_t { None, Body, Spot, Seam, SeamLine, Lobe, Black };

// Draws the figure for a top edge: column j across, row i in from the edge.
// Every test below takes the distance from the axis as |x|, so the drawing is
// mirror-symmetric by construction.
IndexedImage drawTopOriented(const Measures &m, Half half, const FigureInk &ink)
{
    const bool head = half == Half::Head;
    const int depth = head ? static_cast<int>(std::ceil(m.antennaTipDepth)) : m.tailDepth;
    const int chord = m.chord;
    const double a = chord / 2.0;
    // The head half's curve is the ellipse that passes through the shoulder point.
    const double b = head ? m.bodyFront / std::sqrt(1.0 - (m.bodyFrontHalfWidth / a) * (m.bodyFrontHalfWidth / a))
                          : static_cast<double>(m.tailDepth);
    const int bodyRows = head ? m.bodyFront : m.tailDepth;

    const double lobeHalfAcross = (m.lobesHalfSpan - m.headHalfWidth) / 2.0;
    const double lobeCentre = m.headHalfWidth + lobeHalfAcross;
    const double lobeDepth = m.lobeEnd - m.bodyFront;

    auto across = [&](int j) { return std::abs(j - (chord - 1) / 2); }; // chord is odd
    auto inBody = [&](int j, int i) {
        if (i < 0 || i >= bodyRows || j < 0 || j >= chord)
            return false;
        const double x = j + 0.5 - a, y = i + 0.5;
        return (x / a) * (x / a) + (y / b) * (y / b) <= 1.0;
    };
    auto inLobe = [&](int j, int i) {
        if (!head || i < m.bodyFront || i >= m.lobeEnd || j < 0 || j >= chord)
            return false;
        const double u = (across(j) - lobeCentre) / lobeHalfAcross;
        const double v = (i + 0.5 - m.bodyFront) / lobeDepth;
        return u * u + v * v <= 1.0;
    };
    auto inHead = [&](int j, int i) {
        if (!head || i < m.bodyFront || i >= m.headEnd)
            return false;
        double hw = m.headHalfWidth;
        if (i > m.headNarrowFrom)
            hw -= (m.headHalfWidth - m.headFrontHalfWidth) * (i - m.headNarrowFrom)
                  / static_cast<double>(m.headEnd - 1 - m.headNarrowFrom);
        return across(j) <= hw;
    };
    auto inAntenna = [&](int j, int i) {
        if (!head || i < m.headEnd - 1)
            return false;
        return distanceToSegment(across(j), i + 0.5, 4.0, m.headEnd - 0.5, m.antennaTipHalfSpan, m.antennaTipDepth)
               <= 0.7;
    };
    auto inFigure = [&](int j, int i) { return inBody(j, i) || inLobe(j, i) || inHead(j, i); };

    std::vector<Part> part(static_cast<std::size_t>(chord * depth), Part::None);
    auto partAt = [&](int j, int i) -> Part & { return part[static_cast<std::size_t>(i * chord + j)]; };

    const std::vector<SpotPair> &spots = head ? m.headSpots : m.tailSpots;
    const std::vector<StripeStep> &stripe = head ? m.headStripe : m.tailStripe;
    for (int i = 0; i < depth; ++i) {
        for (int j = 0; j < chord; ++j) {
            const int x = across(j);
            Part p = Part::None;
            if (inBody(j, i)) {
                p = Part::Body;
                for (const SpotPair &s : spots) {
                    const double u = (x - s.across) / s.halfAcross, v = (i + 0.5 - s.depth) / s.halfDepth;
                    if (u * u + v * v <= 1.0)
                        p = Part::Spot;
                }
                const int w = stripeWidthAt(stripe, i);
                if (x <= (w - 1) / 2)
                    p = Part::Seam;
                else if (x == (w + 1) / 2)
                    p = Part::SeamLine;
                // The outline closes the body wherever it borders the white
                // field; the straight side on the edge stays open, since the
                // body goes on in the neighbouring tile.
                const bool open =
                    !inFigure(j - 1, i) || !inFigure(j + 1, i) || !inFigure(j, i + 1) || (i > 0 && !inFigure(j, i - 1));
                if (open)
                    p = Part::Black;
            } else if (inLobe(j, i)) {
                const bool rim = !inLobe(j - 1, i) || !inLobe(j + 1, i) || !inLobe(j, i - 1) || !inLobe(j, i + 1);
                p = rim ? Part::Black : Part::Lobe;
            }
            if (inHead(j, i) || inAntenna(j, i))
                p = Part::Black;
            partAt(j, i) = p;
        }
    }

    IndexedImage out(chord, depth, ink::white);
    for (int i = 0; i < depth; ++i) {
        for (int j = 0; j < chord; ++j) {
            std::uint8_t c = ink::white;
            switch (partAt(j, i)) {
            case Part::None: c = ink::white; break;
            case Part::Body: c = ink.body; break;
            case Part::Seam: c = ink.seam; break;
            case Part::Lobe: c = ink.accent; break;
            case Part::Spot:
            case Part::SeamLine:
            case Part::Black: c = ink::black; break;
            }
            out.set(j, i, c);
        }
    }
    return out;
}

} // namespace

int figureChord(EdgeAxis axis) { return measures(axis).chord; }

IndexedImage drawHalfFigure(EdgeAxis axis, Half half, const FigureInk &ink)
{
    IndexedImage top = drawTopOriented(measures(axis), half, ink);
    return axis == EdgeAxis::Horizontal ? top : top.transposed();
}

} // namespace tools
