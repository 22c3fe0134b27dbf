#include "editor/shape.h"

#include <cassert>
#include <cmath>
#include <cstdio>

LatticeShape captureShape(const Lattice& lattice) {
    LatticeShape shape;
    shape.columns = static_cast<int>(lattice.columns);
    shape.rows = static_cast<int>(lattice.rows);
    shape.nodes.resize(2 * static_cast<size_t>(shape.columns) * static_cast<size_t>(shape.rows));
    for (int i = 0; i < shape.columns; ++i) {
        for (int j = 0; j < shape.rows; ++j) {
            const LatticeNode& node = lattice.node(i, j);
            shape.nodes[shape.nodeIndex(i, j)] = node.x;
            shape.nodes[shape.nodeIndex(i, j) + 1] = node.y;
        }
    }
    const int rimCount = static_cast<int>(lattice.rimCount);
    shape.rim.resize(2 * static_cast<size_t>(rimCount));
    for (int k = 0; k < rimCount; ++k) {
        // At a whole parameter the rim curve passes through rim point k itself.
        lattice.rimPoint(static_cast<float>(k), shape.rim[2 * k], shape.rim[2 * k + 1]);
    }
    return shape;
}

LatticeShape defaultShape(int columns, int rows) {
    const Lattice lattice(columns, rows);
    return captureShape(lattice);
}

std::unique_ptr<Lattice> buildLattice(const LatticeShape& shape) {
    auto lattice = std::make_unique<Lattice>(shape.columns, shape.rows);
    applyShape(*lattice, shape);
    return lattice;
}

void applyShape(Lattice& lattice, const LatticeShape& shape) {
    assert(static_cast<int>(lattice.columns) == shape.columns &&
           static_cast<int>(lattice.rows) == shape.rows);
    int moved = 0;
    int lastI = 0;
    int lastJ = 0;
    for (int i = 0; i < shape.columns; ++i) {
        for (int j = 0; j < shape.rows; ++j) {
            const LatticeNode& node = lattice.node(i, j);
            const float x = shape.nodes[shape.nodeIndex(i, j)];
            const float y = shape.nodes[shape.nodeIndex(i, j) + 1];
            if (node.x != x || node.y != y) {
                lattice.setNodePosition(i, j, x, y);
                ++moved;
                lastI = i;
                lastJ = j;
            }
        }
    }
    if (moved == 1) {
        // One node feeds at most five segments of its row: no need to refit the whole sheet.
        lattice.setNodeAndRefit(lastI, lastJ, shape.nodes[shape.nodeIndex(lastI, lastJ)],
                                shape.nodes[shape.nodeIndex(lastI, lastJ) + 1]);
    } else if (moved > 1) {
        lattice.refitAll();
    }
    for (int k = 0; k < shape.rimCount(); ++k) {
        float u = 0, v = 0;
        lattice.rimPoint(static_cast<float>(k), u, v);
        if (u != shape.rim[2 * k] || v != shape.rim[2 * k + 1]) {
            // Each call refits every rim segment that depends on point k.
            lattice.setRimPoint(k, shape.rim[2 * k], shape.rim[2 * k + 1]);
        }
    }
}

std::string shapeProblem(const LatticeShape& shape, const LatticeShape* before) {
    const bool compare = before != nullptr && before->columns == shape.columns &&
                         before->rows == shape.rows && before->rim.size() == shape.rim.size();
    char text[160];
    for (int i = 0; i < shape.columns; ++i) {
        for (int j = 0; j < shape.rows; ++j) {
            const int n = shape.nodeIndex(i, j);
            const float x = shape.nodes[n];
            const float y = shape.nodes[n + 1];
            if (compare && before->nodes[n] == x && before->nodes[n + 1] == y) {
                continue;
            }
            if (!(std::fabs(x) <= kNodeLimit && std::fabs(y) <= kNodeLimit)) {
                std::snprintf(
                    text, sizeof text,
                    "node (%d, %d) would lie beyond %g pixels, which the game cannot read", i, j,
                    static_cast<double>(kNodeLimit));
                return text;
            }
        }
    }
    for (int k = 0; k < shape.rimCount(); ++k) {
        const float u = shape.rim[2 * k];
        const float v = shape.rim[2 * k + 1];
        if (compare && before->rim[2 * k] == u && before->rim[2 * k + 1] == v) {
            continue;
        }
        // The game reads a rim point only within a cell of the grid.
        if (!(u > -1.0f && u <= static_cast<float>(shape.columns) && v > -1.0f &&
              v <= static_cast<float>(shape.rows))) {
            std::snprintf(text, sizeof text,
                          "rim point %d would leave the grid (u in -1..%d, v in -1..%d), which the "
                          "game cannot read",
                          k, shape.columns, shape.rows);
            return text;
        }
    }
    return "";
}

void shapeBounds(const LatticeShape& shape, float& minX, float& minY, float& maxX, float& maxY) {
    minX = minY = INFINITY;
    maxX = maxY = -INFINITY;
    for (size_t n = 0; n + 1 < shape.nodes.size(); n += 2) {
        minX = std::fmin(minX, shape.nodes[n]);
        maxX = std::fmax(maxX, shape.nodes[n]);
        minY = std::fmin(minY, shape.nodes[n + 1]);
        maxY = std::fmax(maxY, shape.nodes[n + 1]);
    }
}
