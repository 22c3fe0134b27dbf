#include "editor/picking.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kNewtonSteps = 12;
constexpr float kNewtonTolerance = 0.01f;  ///< picture pixels

int distanceSquared(int ax, int ay, int bx, int by) {
    const int dx = ax - bx;
    const int dy = ay - by;
    return dx * dx + dy * dy;
}

}  // namespace

NodeRef pickNode(const Lattice& lattice, const ViewTransform& view, int wx, int wy) {
    NodeRef best;
    int bestDistance = kPickReach * kPickReach + 1;
    const int columns = static_cast<int>(lattice.columns);
    const int rows = static_cast<int>(lattice.rows);
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const LatticeNode& node = lattice.node(i, j);
            const int d = distanceSquared(windowX(view, node.x), windowY(view, node.y), wx, wy);
            if (d < bestDistance) {
                bestDistance = d;
                best = {i, j};
            }
        }
    }
    return best;
}

int referenceX(const ViewTransform& view, float u) {
    return windowX(view, u * kReferenceCell);
}

int referenceY(const ViewTransform& view, float v) {
    return windowY(view, v * kReferenceCell);
}

int pickRimPoint(const Lattice& lattice, const ViewTransform& view, int wx, int wy) {
    int best = -1;
    int bestDistance = kPickReach * kPickReach + 1;
    for (int k = 0; static_cast<float>(k) < lattice.rimCount; ++k) {
        float u = 0, v = 0;
        lattice.rimPoint(static_cast<float>(k), u, v);
        const int d = distanceSquared(referenceX(view, u), referenceY(view, v), wx, wy);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    return best;
}

bool latticePointAt(const Lattice& lattice, float x, float y, float& u, float& v) {
    // Start from the nearest node: the sheet is close to linear within a cell.
    float bestDistance = INFINITY;
    for (int i = 0; static_cast<float>(i) < lattice.columns; ++i) {
        for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
            const LatticeNode& node = lattice.node(i, j);
            const float d = (node.x - x) * (node.x - x) + (node.y - y) * (node.y - y);
            if (d < bestDistance) {
                bestDistance = d;
                u = static_cast<float>(i);
                v = static_cast<float>(j);
            }
        }
    }
    for (int step = 0; step < kNewtonSteps; ++step) {
        float px = 0, py = 0, ax = 0, ay = 0, bx = 0, by = 0;
        lattice.mapPoint(u, v, px, py, false, false);
        const float ex = x - px;
        const float ey = y - py;
        if (std::fabs(ex) < kNewtonTolerance && std::fabs(ey) < kNewtonTolerance) {
            return true;
        }
        lattice.mapDirection(u, v, 1.0f, 0.0f, ax, ay);
        lattice.mapDirection(u, v, 0.0f, 1.0f, bx, by);
        const float det = ax * by - bx * ay;
        if (!(std::fabs(det) > 1e-6f)) {
            return false;
        }
        float du = (ex * by - bx * ey) / det;
        float dv = (ax * ey - ex * ay) / det;
        // Never jump more than a cell at a time: a folded sheet can send Newton far away.
        du = std::fmax(-1.0f, std::fmin(1.0f, du));
        dv = std::fmax(-1.0f, std::fmin(1.0f, dv));
        u += du;
        v += dv;
        if (u < -1.0f || v < -1.0f || u > lattice.columns || v > lattice.rows) {
            return false;
        }
    }
    return false;
}
