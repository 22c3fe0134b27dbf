// Lattice pictures: the warped grid and rim drawn with one-pixel lines from dense samples of the
// Lattice's spline mapping, plus a coarse grid and an undeformed reference view.
//
// Every loop parameter is a float advanced by repeated addition, so sample positions drift from
// exact multiples of the step; the bounds are tested against the accumulated values. That drift
// decides which sample is the last of a line and which rim samples carry a tick.

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "lattice/lattice.h"
#include "render/render.h"
#include "shared/data_contract.h"

namespace {

constexpr float kFineStep = 0.05f;         ///< lattice cells between samples of drawLattice
constexpr float kCoarseStep = 0.2f;        ///< lattice cells between samples of drawLatticeCoarse
constexpr float kReferenceRimStep = 0.1f;  ///< rim parameter step of drawLatticeReference
constexpr double kTickWindow = 0.1;        ///< rim samples this close past a node get a tick

/// A point off every surface: drawLine drops any segment that ends there.
constexpr int kOffSurface = -1;

/// A picture point in pixels (floats, as the Lattice returns it).
struct PicturePoint {
    float x = 0.0f;
    float y = 0.0f;
};

/// The lattice point (u, v) of the rim at parameter s.
struct RimPoint {
    float u = 0.0f;
    float v = 0.0f;
    RimPoint(const Lattice& lattice, float s) { lattice.rimPoint(s, u, v); }
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

/// The target's pixel value of a colour, mapped once per picture rather than once per segment.
Uint32 pixelValue(SDL_Surface* target, Rgb colour) {
    return SDL_MapRGB(target->format, colour.r, colour.g, colour.b);
}

void drawSegment(SDL_Surface* target, const PicturePoint& from, const PicturePoint& to, int scale,
                 int offsetX, int offsetY, Uint32 value) {
    drawLineValue(target, toTarget(from.x, scale, offsetX), toTarget(from.y, scale, offsetY),
                  toTarget(to.x, scale, offsetX), toTarget(to.y, scale, offsetY), value);
}

/// Where drawLine accepts end points: 0 < X < w and 0 < Y < h, with X = trunc(x) · scale + offsetX
/// and Y likewise. A piece of a grid line known to lie wholly outside it is not sampled at all:
/// every segment with an end there would be dropped anyway. A Lattice bigger than the target (the
/// Playfield shows about half of a 40 × 40 arena) thus costs little more than its visible part.
struct TargetWindow {
    int scale;
    int offsetX;
    int offsetY;
    int width;
    int height;

    /// Whether every value in [low, high] maps to or beyond the window's edge on one axis.
    static bool outsideAxis(double low, double high, int scale, int offset, int size) {
        // trunc(value) lies between low − 1 and max(high, 0) for every value in [low, high].
        return std::max(high, 0.0) * scale + offset <= 0.0 ||
               (low - 1.0) * scale + offset >= static_cast<double>(size);
    }

    /// Whether every point of a picture box maps outside the window, so that no segment touching
    /// the piece of grid line inside it is drawn. A box that is not a number is kept.
    bool outside(const PictureBox& box) const {
        if (scale < 1) {
            return false;
        }
        return outsideAxis(box.minX, box.maxX, scale, offsetX, width) ||
               outsideAxis(box.minY, box.maxY, scale, offsetY, height);
    }
};

}  // namespace

bool pictureBoxOutside(const SDL_Surface* target, const PictureBox& box, int scale, int offsetX,
                       int offsetY) {
    const TargetWindow window{scale, offsetX, offsetY, target->w, target->h};
    return window.outside(box);
}

namespace {

/// Whether the Lattice vouches that the piece of row j between columns i and i + 1 (or of column
/// i between rows j and j + 1) lies wholly outside the window; false where it cannot say.
bool rowPieceOutside(const Lattice& lattice, const TargetWindow& window, int i, int j) {
    PictureBox box;
    return lattice.rowPieceBox(i, j, box) && window.outside(box);
}
bool columnPieceOutside(const Lattice& lattice, const TargetWindow& window, int i, int j) {
    PictureBox box;
    return lattice.columnPieceBox(i, j, box) && window.outside(box);
}

/// Stands for a sample that was not computed because it lies outside the target: drawLine drops
/// any segment that ends there, as it would have dropped the segment to the real sample.
constexpr PicturePoint kSkippedSample = {std::numeric_limits<float>::quiet_NaN(),
                                         std::numeric_limits<float>::quiet_NaN()};

/// The green grid: row lines along u, then column lines along v, each segment drawn from the new
/// sample back to the previous one. Row lines run while u ≤ columns, column lines while v < rows.
void drawGrid(SDL_Surface* target, const Lattice& lattice, float step, int scale, int offsetX,
              int offsetY) {
    const TargetWindow window{scale, offsetX, offsetY, target->w, target->h};
    const Uint32 green = pixelValue(target, kGridColour);
    for (float v = 0.0f; v < lattice.rows; v += 1.0f) {
        const int j = static_cast<int>(v);
        PicturePoint previous;
        lattice.mapPoint(0.0f, v, previous.x, previous.y, false, true);
        PicturePoint sample = previous;
        int cell = -1;
        bool cellOutside = false;
        for (float u = step; u <= lattice.columns; u += step) {
            if (static_cast<int>(u) != cell) {
                cell = static_cast<int>(u);
                cellOutside = rowPieceOutside(lattice, window, cell, j);
            }
            if (cellOutside) {
                previous = kSkippedSample;
                continue;
            }
            lattice.mapPoint(u, v, sample.x, sample.y, false, true);
            drawSegment(target, sample, previous, scale, offsetX, offsetY, green);
            previous = sample;
        }
    }
    for (float u = 0.0f; u < lattice.columns; u += 1.0f) {
        const int i = static_cast<int>(u);
        PicturePoint previous;
        lattice.mapPoint(u, 0.0f, previous.x, previous.y, true, false);
        PicturePoint sample = previous;
        int cell = -1;
        bool cellOutside = false;
        for (float v = step; v < lattice.rows; v += step) {
            if (static_cast<int>(v) != cell) {
                cell = static_cast<int>(v);
                cellOutside = columnPieceOutside(lattice, window, i, cell);
            }
            if (cellOutside) {
                previous = kSkippedSample;
                continue;
            }
            lattice.mapPoint(u, v, sample.x, sample.y, true, false);
            drawSegment(target, sample, previous, scale, offsetX, offsetY, green);
            previous = sample;
        }
    }
}

/// The tick across the rim segment from `previous` to `point`: through its midpoint, √5 times as
/// long as the segment, computed in floating point before the mapping into the target.
void rimTick(const PicturePoint& point, const PicturePoint& previous, PicturePoint& from,
             PicturePoint& to) {
    const float dx = point.x - previous.x;
    const float dy = point.y - previous.y;
    from.x = point.x + dy;
    from.y = point.y - dx;
    to.x = previous.x - dy;
    to.y = previous.y + dx;
}

/// The white rim through the surface mapping, with two short ticks across it at every rim node.
/// The first pass (s = 0) joins the first sample to itself; no closing segment is drawn.
void drawRim(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX, int offsetY) {
    const Uint32 white = pixelValue(target, kRimColour);
    PicturePoint point;
    const RimPoint first(lattice, 0.0f);
    lattice.mapPoint(first.u, first.v, point.x, point.y, false, false);
    for (float s = 0.0f; s < lattice.rimCount; s += kFineStep) {
        const PicturePoint previous = point;
        const RimPoint at(lattice, s);
        // Where the surface has no value the point keeps the previous sample's position.
        lattice.mapPoint(at.u, at.v, point.x, point.y, false, false);
        drawSegment(target, point, previous, scale, offsetX, offsetY, white);

        // With the drifting parameter exactly the first two samples at or past each whole number
        // pass this test, so each rim node gets two ticks.
        const double ds = s;
        if (ds - std::trunc(ds) <= kTickWindow) {
            PicturePoint from;
            PicturePoint to;
            rimTick(point, previous, from, to);
            drawSegment(target, from, to, scale, offsetX, offsetY, white);
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
    const float cell = static_cast<float>(kDefaultCellPixels * scale);
    for (float i = 0.0f; i < lattice.columns; i += 1.0f) {
        // x in floating point, then truncated; y in whole pixels.
        const int left = truncated(i * cell + static_cast<float>(offsetX));
        const int right = truncated((i + 1.0f) * cell + static_cast<float>(offsetX));
        for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
            const int top =
                narrow(static_cast<long long>(j) * kDefaultCellPixels * scale + offsetY);
            const int bottom =
                narrow(static_cast<long long>(j + 1) * kDefaultCellPixels * scale + offsetY);
            drawLine(target, left, top, right, top, kReferenceGridColour.r, kReferenceGridColour.g,
                     kReferenceGridColour.b);
            drawLine(target, left, top, left, bottom, kReferenceGridColour.r,
                     kReferenceGridColour.g, kReferenceGridColour.b);
        }
    }

    // The rim in undeformed lattice coordinates, not through the surface mapping.
    RimPoint at(lattice, 0.0f);
    for (float s = 0.0f; s < lattice.rimCount; s += kReferenceRimStep) {
        const RimPoint previous = at;
        at = RimPoint(lattice, s);
        drawLine(target, truncated(at.u * cell + static_cast<float>(offsetX)),
                 truncated(at.v * cell + static_cast<float>(offsetY)),
                 truncated(previous.u * cell + static_cast<float>(offsetX)),
                 truncated(previous.v * cell + static_cast<float>(offsetY)), kReferenceRimColour.r,
                 kReferenceRimColour.g, kReferenceRimColour.b);
    }
}

void latticePictureBox(const Lattice& lattice, bool reference, PictureBox& box) {
    const float cell = static_cast<float>(kDefaultCellPixels);
    if (reference) {
        box.add(0.0f, 0.0f);
        box.add(lattice.columns * cell, lattice.rows * cell);
        for (float s = 0.0f; s < lattice.rimCount; s += kReferenceRimStep) {
            const RimPoint at(lattice, s);
            box.add(at.u * cell, at.v * cell);
        }
        return;
    }
    // Grid lines run up to one cell past the last node; rim ticks reach a little outside the rim.
    for (float v = 0.0f; v < lattice.rows; v += 1.0f) {
        for (float u = 0.0f; u <= lattice.columns; u += kFineStep) {
            PicturePoint p;
            lattice.mapPoint(u, v, p.x, p.y, false, true);
            box.add(p.x, p.y);
        }
    }
    for (float u = 0.0f; u < lattice.columns; u += 1.0f) {
        for (float v = 0.0f; v < lattice.rows; v += kFineStep) {
            PicturePoint p;
            lattice.mapPoint(u, v, p.x, p.y, true, false);
            box.add(p.x, p.y);
        }
    }
    PicturePoint previous;
    for (float s = 0.0f; s < lattice.rimCount; s += kFineStep) {
        const RimPoint at(lattice, s);
        PicturePoint point;
        lattice.mapPoint(at.u, at.v, point.x, point.y, false, false);
        if (s > 0.0f) {
            PicturePoint from;
            PicturePoint to;
            rimTick(point, previous, from, to);
            box.add(from.x, from.y);
            box.add(to.x, to.y);
        }
        box.add(point.x, point.y);
        previous = point;
    }
}
