#pragma once
// The player's ship and the three enemy kinds, nose up, in every pose the game shows.

#include <cairo.h>

#include "tools/assets/paint.h"

/// What a ship picture shows besides the hull: manoeuvring jets for a turn to the pilot's left
/// (towards x = 0 in the picture) or right, and the main engine's flame.
struct ShipPose {
    bool left = false;
    bool right = false;
    bool thrust = false;
};

/// Player ship picture size and pivot, in pixels.
constexpr int kShipWidth = 90;
constexpr int kShipHeight = 103;

/// Draws the player's ship in its 90 × 103 frame (pivot (45, 52)) into cr's current transform.
void drawPlayerShip(cairo_t* cr, ShipPose pose);

/// Draws an enemy of kind 0, 1 or 2 in its own frame (see enemyFrameSize).
void drawEnemyShip(cairo_t* cr, int kind, ShipPose pose);

/// Width and height in pixels of an enemy kind's pictures.
void enemyFrameSize(int kind, int& width, int& height);

/// Writes the six player images and the enemy images as 32-bit straight-alpha bitmaps.
void writeShipImages(ImageSink& sink);
