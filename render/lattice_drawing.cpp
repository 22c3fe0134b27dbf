// Lattice pictures: the warped grid and rim drawn with one-pixel lines from dense samples of the
// Lattice's spline mapping, plus a coarse grid and an undeformed reference view.
//
// Every loop parameter is a float advanced by repeated addition, so sample positions drift from
// exact multiples of the step; the bounds are tested against the accumulated values. That drift
// decides which sample is the last of a line and which rim samples carry a tick.

#include <climits>
#include <cmath>

#include "lattice/lattice.h"
#include "render/render.h"

namespace {

constexpr float kFineStep = 0.05f;         ///< lattice cells between samples of drawLattice
constexpr float kCoarseStep = 0.2f;        ///< lattice cells between samples of drawLatticeCoarse
constexpr float kReferenceRimStep = 0.1f;  ///< rim parameter step of drawLatticeReference
constexpr int kReferenceCell = 40;   ///< picture pixels per lattice cell in the reference view
constexpr double kTickWindow = 0.1;  ///< rim samples this close past a node get a tick

struct Colour {
    Uint8 r;
    Uint8 g;
    Uint8 b;
};
constexpr Colour kGrid = {0, 255, 0};
constexpr Colour kRim = {255, 255, 255};
constexpr Colour kReferenceGrid = {0, 0, 0};
constexpr Colour kReferenceRim = {255, 0, 0};

/// A point off every surface: drawLine drops any segment that ends there.
constexpr int kOffSurface = -1;

/// A picture point in pixels (floats, as the Lattice returns it).
struct PicturePoint {
    float x = 0.0f;
    float y = 0.0f;
};

/// Clamps a wide integer coordinate into int; anything beyond int is off every surface anyway.
int narrow(long long value) {
    if (value < INT_MIN || value > INT_MAX) {
        return kOffSurface;
    }
    return static_cast<int>(value);
}

/// trunc(value) · scale + offset. Truncation comes before the scaling. Values too large for an int
/// (a wildly bent Lattice) or not numbers at all land off the surface instead of overflowing.
int toTarget(float value, int scale, int offset) {
    if (!(std::fabs(value) < 2147483648.0f)) {
        return kOffSurface;
    }
    return narrow(static_cast<long long>(value) * scale + offset);
}

/// trunc(value): the reference view truncates after scaling, with the same overflow guard.
int truncated(float value) {
    if (!(std::fabs(value) < 2147483648.0f)) {
        return kOffSurface;
    }
    return narrow(static_cast<long long>(value));
}

void drawSegment(SDL_Surface* target, const PicturePoint& from, const PicturePoint& to, int scale,
                 int offsetX, int offsetY, Colour colour) {
    drawLine(target, toTarget(from.x, scale, offsetX), toTarget(from.y, scale, offsetY),
             toTarget(to.x, scale, offsetX), toTarget(to.y, scale, offsetY), colour.r, colour.g,
             colour.b);
}

/// The green grid: row lines along u, then column lines along v, each segment drawn from the new
/// sample back to the previous one. Row lines run while u ≤ columns, column lines while v < rows.
void drawGrid(SDL_Surface* target, const Lattice& lattice, float step, int scale, int offsetX,
              int offsetY) {
    for (float v = 0.0f; v < lattice.rows; v += 1.0f) {
        PicturePoint previous;
        lattice.mapPoint(0.0f, v, previous.x, previous.y, false, true);
        PicturePoint sample = previous;
        for (float u = step; u <= lattice.columns; u += step) {
            lattice.mapPoint(u, v, sample.x, sample.y, false, true);
            drawSegment(target, sample, previous, scale, offsetX, offsetY, kGrid);
            previous = sample;
        }
    }
    for (float u = 0.0f; u < lattice.columns; u += 1.0f) {
        PicturePoint previous;
        lattice.mapPoint(u, 0.0f, previous.x, previous.y, true, false);
        PicturePoint sample = previous;
        for (float v = step; v < lattice.rows; v += step) {
            lattice.mapPoint(u, v, sample.x, sample.y, true, false);
            drawSegment(target, sample, previous, scale, offsetX, offsetY, kGrid);
            previous = sample;
        }
    }
}

/// The white rim through the surface mapping, with two short ticks across it at every rim node.
/// The first pass (s = 0) joins the first sample to itself; no closing segment is drawn.
void drawRim(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX, int offsetY) {
    float u = 0.0f;
    float v = 0.0f;
    lattice.rimPoint(0.0f, u, v);
    PicturePoint point;
    lattice.mapPoint(u, v, point.x, point.y, false, false);
    for (float s = 0.0f; s < lattice.rimCount; s += kFineStep) {
        const PicturePoint previous = point;
        lattice.rimPoint(s, u, v);
        // Where the surface has no value the point keeps the previous sample's position.
        lattice.mapPoint(u, v, point.x, point.y, false, false);
        drawSegment(target, point, previous, scale, offsetX, offsetY, kRim);

        // With the drifting parameter exactly the first two samples at or past each whole number
        // pass this test, so each rim node gets two ticks.
        const double ds = s;
        if (ds - std::trunc(ds) <= kTickWindow) {
            // The tick crosses the segment through its midpoint, √5 times as long as the segment.
            const float dx = point.x - previous.x;
            const float dy = point.y - previous.y;
            PicturePoint from;
            from.x = point.x + dy;
            from.y = point.y - dx;
            PicturePoint to;
            to.x = previous.x - dy;
            to.y = previous.y + dx;
            drawSegment(target, from, to, scale, offsetX, offsetY, kRim);
        }
    }
}

}  // namespace

void drawLattice(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX, int offsetY) {
    drawGrid(target, lattice, kFineStep, scale, offsetX, offsetY);
    drawRim(target, lattice, scale, offsetX, offsetY);
}

void drawLatticeCoarse(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX,
                       int offsetY) {
    drawGrid(target, lattice, kCoarseStep, scale, offsetX, offsetY);
}

void drawLatticeReference(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX,
                          int offsetY) {
    const float cell = static_cast<float>(kReferenceCell * scale);
    for (float i = 0.0f; i < lattice.columns; i += 1.0f) {
        // x in floating point, then truncated; y in whole pixels.
        const int left = truncated(i * cell + static_cast<float>(offsetX));
        const int right = truncated((i + 1.0f) * cell + static_cast<float>(offsetX));
        for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
            const int top = narrow(static_cast<long long>(j) * kReferenceCell * scale + offsetY);
            const int bottom =
                narrow(static_cast<long long>(j + 1) * kReferenceCell * scale + offsetY);
            drawLine(target, left, top, right, top, kReferenceGrid.r, kReferenceGrid.g,
                     kReferenceGrid.b);
            drawLine(target, left, top, left, bottom, kReferenceGrid.r, kReferenceGrid.g,
                     kReferenceGrid.b);
        }
    }

    // The rim in undeformed lattice coordinates, not through the surface mapping.
    float u = 0.0f;
    float v = 0.0f;
    lattice.rimPoint(0.0f, u, v);
    for (float s = 0.0f; s < lattice.rimCount; s += kReferenceRimStep) {
        const float previousU = u;
        const float previousV = v;
        lattice.rimPoint(s, u, v);
        drawLine(target, truncated(u * cell + static_cast<float>(offsetX)),
                 truncated(v * cell + static_cast<float>(offsetY)),
                 truncated(previousU * cell + static_cast<float>(offsetX)),
                 truncated(previousV * cell + static_cast<float>(offsetY)), kReferenceRim.r,
                 kReferenceRim.g, kReferenceRim.b);
    }
}
