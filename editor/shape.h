#pragma once
// A level's shape as plain values: every node position and rim point of one Lattice. Edits are
// made on shapes and brought into the Lattice in one go, and undo keeps the shapes before and
// after each edit. No SDL.

#include <string>
#include <vector>

#include "lattice/lattice.h"

/// Node positions in picture pixels and rim points in lattice units of a columns × rows Lattice.
struct LatticeShape {
    int columns = 0;
    int rows = 0;
    std::vector<float> nodes;  ///< x, y of node (i, j) at 2·(i·rows + j)
    std::vector<float> rim;    ///< u, v of rim point k at 2·k

    int nodeIndex(int i, int j) const { return 2 * (i * rows + j); }
    int rimCount() const { return static_cast<int>(rim.size() / 2); }
    bool operator==(const LatticeShape& other) const {
        return columns == other.columns && rows == other.rows && nodes == other.nodes &&
               rim == other.rim;
    }
};

/// Picture pixels a node may lie from the origin on each axis. The level file stores a third of
/// each position and the game refuses a triple beyond ±32767; this leaves room for its rounding.
constexpr float kNodeLimit = 32000.0f;

/// The shape a Lattice has now.
LatticeShape captureShape(const Lattice& lattice);
/// The default shape of a columns × rows Lattice (node (i, j) at (40·i, 40·j), rim on the border).
LatticeShape defaultShape(int columns, int rows);
/// A new Lattice of the shape's size and shape.
std::unique_ptr<Lattice> buildLattice(const LatticeShape& shape);
/// Moves the Lattice (of the same size) into shape: a single moved node with setNodeAndRefit,
/// several with setNodePosition and one refitAll; changed rim points with setRimPoint.
void applyShape(Lattice& lattice, const LatticeShape& shape);
/// Why the game could not read a level of this shape, or "" when it can. Only values that differ
/// from `before` (when given, of the same size) are examined, so a loaded level that already lies
/// near a limit stays editable elsewhere.
std::string shapeProblem(const LatticeShape& shape, const LatticeShape* before = nullptr);
/// The picture-space box around every node: minimum and maximum x and y, in pixels.
void shapeBounds(const LatticeShape& shape, float& minX, float& minY, float& maxX, float& maxY);
