#pragma once
// What lies under the cursor: the nearest node or rim point within reach, and the lattice point
// of a picture point on the warped sheet. No SDL.

#include "editor/view_transform.h"
#include "lattice/lattice.h"
#include "shared/data_contract.h"

/// A node (i, j); i < 0 means none.
struct NodeRef {
    int i = -1;
    int j = -1;
    bool valid() const { return i >= 0; }
    bool operator==(const NodeRef& other) const { return i == other.i && j == other.j; }
};

/// Picture pixels per lattice cell in the reference view: the default cell.
constexpr float kReferenceCell = static_cast<float>(kDefaultCellPixels);
/// Window pixels within which the cursor takes a node or a rim point.
constexpr int kPickReach = 8;

/// The node whose handle (at its window position) is nearest (wx, wy), within kPickReach.
NodeRef pickNode(const Lattice& lattice, const ViewTransform& view, int wx, int wy);
/// The rim point nearest (wx, wy) in the reference view, within kPickReach; −1 for none.
int pickRimPoint(const Lattice& lattice, const ViewTransform& view, int wx, int wy);
/// Window position of lattice point (u, v) in the reference view, as drawLatticeReference maps it.
int referenceX(const ViewTransform& view, float u);
int referenceY(const ViewTransform& view, float v);
/// The lattice point (u, v) that the warped sheet puts at picture point (x, y), found by Newton
/// steps; false when none is found near the grid.
bool latticePointAt(const Lattice& lattice, float x, float y, float& u, float& v);
