#pragma once
// Warp brushes: smooth moves of every node near the cursor, one step per mouse movement. Pure
// arithmetic on a LatticeShape; no SDL.

#include "editor/shape.h"

enum class BrushKind { Push, Bulge, Pinch, Twist, Smooth };

/// A brush and its settings.
struct Brush {
    BrushKind kind = BrushKind::Push;
    float radius = 80.0f;   ///< picture pixels; nodes at this distance or farther stay put
    float strength = 0.5f;  ///< 0.05 … 1: share of the full effect at the brush's centre
    bool reversed = false;  ///< twist the other way
};

constexpr float kMinimumRadius = 10.0f;
constexpr float kMaximumRadius = 2000.0f;
constexpr float kMinimumStrength = 0.05f;
constexpr float kMaximumStrength = 1.0f;

/// Weight of a node at distance d from the centre: 1 at the centre falling smoothly to 0 at the
/// radius, and 0 beyond.
float brushWeight(float distance, float radius);

/// One step of a stroke at the picture point (x, y), the cursor having moved by (dx, dy) picture
/// pixels since the last step (push/pull follows that motion). Changes only nodes closer to the
/// centre than the radius; returns how many moved.
int applyBrushStep(LatticeShape& shape, const Brush& brush, float x, float y, float dx, float dy);
