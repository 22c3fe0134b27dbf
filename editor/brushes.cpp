#include "editor/brushes.h"

#include <cmath>

namespace {

constexpr float kRadialRate = 0.08f;  ///< bulge/pinch: share of the distance moved per full step
constexpr float kTwistRate = 0.08f;   ///< twist: radians turned per full step

/// Average position of the (up to four) grid neighbours of node (i, j).
void neighbourAverage(const LatticeShape& shape, int i, int j, float& x, float& y) {
    static constexpr int kSteps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    float sumX = 0, sumY = 0;
    int count = 0;
    for (const auto& step : kSteps) {
        const int ni = i + step[0];
        const int nj = j + step[1];
        if (ni >= 0 && ni < shape.columns && nj >= 0 && nj < shape.rows) {
            sumX += shape.nodes[shape.nodeIndex(ni, nj)];
            sumY += shape.nodes[shape.nodeIndex(ni, nj) + 1];
            ++count;
        }
    }
    x = sumX / static_cast<float>(count);
    y = sumY / static_cast<float>(count);
}

}  // namespace

float brushWeight(float distance, float radius) {
    if (!(distance < radius)) {
        return 0.0f;
    }
    const float t = distance / radius;
    const float falloff = 1.0f - t * t;
    return falloff * falloff;
}

int applyBrushStep(LatticeShape& shape, const Brush& brush, float x, float y, float dx, float dy) {
    // Smoothing reads the neighbours as they were before this step, not half-smoothed.
    const LatticeShape original = brush.kind == BrushKind::Smooth ? shape : LatticeShape{};
    int moved = 0;
    for (int i = 0; i < shape.columns; ++i) {
        for (int j = 0; j < shape.rows; ++j) {
            float& nx = shape.nodes[shape.nodeIndex(i, j)];
            float& ny = shape.nodes[shape.nodeIndex(i, j) + 1];
            const float rx = nx - x;
            const float ry = ny - y;
            const float w =
                brush.strength * brushWeight(std::sqrt(rx * rx + ry * ry), brush.radius);
            if (w <= 0.0f) {
                continue;
            }
            float newX = nx;
            float newY = ny;
            switch (brush.kind) {
                case BrushKind::Push:
                    newX += w * dx;
                    newY += w * dy;
                    break;
                case BrushKind::Bulge:
                case BrushKind::Pinch: {
                    const float rate = brush.kind == BrushKind::Bulge ? kRadialRate : -kRadialRate;
                    newX += w * rate * rx;
                    newY += w * rate * ry;
                    break;
                }
                case BrushKind::Twist: {
                    // Clockwise on screen (y grows downward) unless reversed.
                    const float angle = (brush.reversed ? -kTwistRate : kTwistRate) * w;
                    const float c = std::cos(angle);
                    const float s = std::sin(angle);
                    newX = x + rx * c - ry * s;
                    newY = y + rx * s + ry * c;
                    break;
                }
                case BrushKind::Smooth: {
                    float ax = 0, ay = 0;
                    neighbourAverage(original, i, j, ax, ay);
                    newX += w * (ax - nx);
                    newY += w * (ay - ny);
                    break;
                }
            }
            if (newX != nx || newY != ny) {
                nx = newX;
                ny = newY;
                ++moved;
            }
        }
    }
    return moved;
}
