#pragma once
// The Lattice subsystem: the spline-warped grid that shapes a level, its mapping of lattice points
// and directions to picture space, and the level file holding one Lattice per level.
// Nothing here depends on SDL.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "lattice/spline.h"

/// One coordinate pair and its coefficient blocks. In a grid node (x, y) is the picture position
/// in pixels; in a rim entry it is the lattice point (u, v). Each coefficient pair holds the x
/// member and then the y member of p(t) = a·t³ + b·t² + c·t + d.
struct CoefficientPair {
    float x;
    float y;
};

struct LatticeNode {
    float x;
    float y;
    CoefficientPair a;
    CoefficientPair b;
    CoefficientPair c;
    CoefficientPair d;
};

/// A box in picture pixels.
struct PictureBox {
    float minX = INFINITY;
    float minY = INFINITY;
    float maxX = -INFINITY;
    float maxY = -INFINITY;
    /// Grows the box to hold (x, y); a coordinate that is not a number leaves it as it is.
    void add(float x, float y);
};

/// The shape of one level's arena: a grid of nodes joined by spline patches, and its rim.
/// Node (i, j) is column i (lattice u) and row j (lattice v). The counts are floats holding whole
/// numbers; they are compared as floats and become indices by truncation.
class Lattice {
  public:
    /// Builds the default grid (node (i, j) at (40·i, 40·j) pixels) and the rim along its border.
    /// Needs columns ≥ 3 and rows ≥ 3.
    Lattice(int columns, int rows);
    Lattice(const Lattice&) = delete;
    Lattice& operator=(const Lattice&) = delete;

    /// Stores the picture position of node (i, j); the row's coefficients stay stale until
    /// refitted.
    void setNodePosition(int i, int j, float x, float y);
    /// Stores the position of node (i, j) and refits the row segments i − 3 … i + 1 that it feeds.
    void setNodeAndRefit(int i, int j, float x, float y);
    /// Recomputes the block of segment i of row j; does nothing for i outside 0 … columns − 2.
    void refitSegment(int i, int j);
    /// Refits every segment of every row (rows outer, columns inner).
    void refitAll();

    /// Stores rim point k (lattice units) and refits the rim segments k − 3 … k + 1 (wrapping).
    void setRimPoint(int k, float u, float v);
    /// The lattice point of the closed rim curve at parameter s, 0 ≤ s < rimCount.
    void rimPoint(float s, float& u, float& v) const;
    /// Gives the Lattice a new zero-filled rim of n entries (n must equal rimCount).
    void replaceRim(int n);

    /// Picture position of the lattice point (u, v). With both flags: the stored position of node
    /// (trunc u, trunc v). With onColumnLine: on the curve of column trunc u. With onRowLine: on
    /// the stored spline of row trunc v. With neither: on the warped surface. Leaves x and y
    /// unchanged where the chosen mode has no value.
    void mapPoint(float u, float v, float& x, float& y, bool onColumnLine, bool onRowLine) const;
    /// Picture-space direction (dx, dy) of the lattice direction (du, dv) at (u, v). Outside the
    /// cells 0 … columns − 2, 0 … rows − 2 it extrapolates the nearest cell's polynomials.
    void mapDirection(float u, float v, float du, float dv, float& dx, float& dy) const;

    /// A box holding every point of row j's line between columns i and i + 1 as mapPoint gives
    /// them with onRowLine (i ≤ u < i + 1), widened past the rounding of their evaluation. False,
    /// box untouched, where the line is not one stored piece there (i outside 0 … columns − 3).
    bool rowPieceBox(int i, int j, PictureBox& box) const;
    /// The same for column i's line between rows j and j + 1 (onColumnLine); false for the
    /// quadratic end pieces (j outside 1 … rows − 3).
    bool columnPieceBox(int i, int j, PictureBox& box) const;

    /// Node (i, j) itself, for callers that keep i and j in range.
    const LatticeNode& node(int i, int j) const { return nodes[i][j]; }

    std::unique_ptr<LatticeNode[]> rim;                       ///< rimCount entries
    std::unique_ptr<std::unique_ptr<LatticeNode[]>[]> nodes;  ///< columns arrays of rows nodes
    float columns;
    float rows;
    float rimCount;
};

/// Counts the cells of the Lattice whose picture is turned inside out or has (almost) no area,
/// judged on the surface `Lattice::mapPoint` gives, as the game places everything. When folded is
/// not null it receives one flag per cell, cell (i, j) at i·(rows − 1) + j.
int countFoldedCells(const Lattice& lattice, bool* folded = nullptr);

/// All levels of a game, in level order; level l uses lattices[l].
struct LevelSet {
    std::unique_ptr<std::unique_ptr<Lattice>[]> lattices;
    int32_t count = 0;

    /// Sets count = n and gives the set a new table of n empty slots.
    void reserve(int32_t n);
    /// Grows the table by one slot holding a new default Lattice of nc × nr nodes.
    void appendLattice(int nc, int nr);
};

/// Reads the level file at path into a new LevelSet stored in set. Returns 0 on success. Returns
/// −1, leaving set untouched, when the file cannot be opened or is not a sound level file; the
/// reason (naming the file, the level and the field) goes to *reason when reason is not null.
int32_t readLevelFile(std::unique_ptr<LevelSet>& set, const char* path,
                      std::string* reason = nullptr);

/// As readLevelFile, from a stream open for binary reading at its start; name is used in reasons.
int32_t readLevelStream(std::unique_ptr<LevelSet>& set, std::FILE* stream, const char* name,
                        std::string* reason = nullptr);

/// Writes set to path in the level-file layout, node positions stored as one third of the picture
/// position so that reading gives them back. Returns 0, or −1 (with *reason) when the file cannot
/// be written completely.
int32_t writeLevelFile(const LevelSet& set, const char* path, std::string* reason = nullptr);

/// Reads four bytes from stream into destination, first byte read lowest in memory; each byte
/// missing at the end of the file becomes 0xFF.
void readWord(void* destination, std::FILE* stream);
