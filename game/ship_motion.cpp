#include "game/ship_motion.h"

#include <cmath>

#include "lattice/lattice.h"
#include "shared/data_contract.h"

void shipThrust(Ship& ship, float force) {
    const float sn = static_cast<float>(std::sin(static_cast<double>(ship.heading)));
    const float cs = static_cast<float>(std::cos(static_cast<double>(ship.heading)));
    const float push = force / static_cast<float>(ship.mass);
    ship.vx += push * sn;
    ship.vy += push * cs;
}

void shipStrafe(Ship& ship, float force) {
    const float sn = static_cast<float>(std::sin(static_cast<double>(ship.heading)));
    const float cs = static_cast<float>(std::cos(static_cast<double>(ship.heading)));
    const float push = force / static_cast<float>(ship.mass);
    ship.vx += push * cs;
    ship.vy -= push * sn;
}

void shipMotionStep(Ship& ship, const Lattice& lattice) {
    ship.x += ship.vx;
    ship.y += ship.vy;
    ship.heading += ship.spin;

    // The arena wraps with a period of one cell less than the node counts; a ship exactly on the
    // seam stays there.
    const float width = (lattice.columns - 1.0f) * kWorldUnitsPerLatticeUnit;
    const float height = (lattice.rows - 1.0f) * kWorldUnitsPerLatticeUnit;
    if (ship.x > width) {
        ship.x -= width;
    }
    if (ship.x < 0.0f) {
        ship.x += width;
    }
    if (ship.y > height) {
        ship.y -= height;
    }
    if (ship.y < 0.0f) {
        ship.y += height;
    }
}
