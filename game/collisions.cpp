#include "game/collisions.h"

#include <cassert>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "game/pickups.h"
#include "game/picture_velocity.h"
#include "game/spawn.h"

namespace {

constexpr int kImpactStep = 1000000;   ///< picture-velocity impact per whole step of damage
constexpr int kBlastDamage = 20;       ///< a TripleBomb's blast, on top of its impact
constexpr int kPlayerShipRadius = 25;  ///< the player against enemies, picture pixels
constexpr int kCameraJolt = 300;       ///< the jolt spans −150 … 149 pixels per axis
constexpr int kEnemyDeadFrames = 100;

/// Truncates a picture-velocity dot product to a 32-bit int. Products beyond the int range (a
/// badly bent Lattice) are held at its ends, so that the absolute value stays a positive impact.
int truncateImpact(double product) {
    if (product >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (product <= -static_cast<double>(INT_MAX)) {
        return -INT_MAX;
    }
    return static_cast<int>(product);
}

float dot(const PictureVec& a, const PictureVec& b) {
    return a.x * b.x + a.y * b.y;
}

/// The other ship's picture velocity re-expressed along this ship's local lattice axes.
PictureVec takeOverVelocity(const Lattice& lattice, const Ship& ship,
                            const PictureVec& otherVelocity) {
    const PictureVec xAxis = pictureDirection(lattice, ship.x, ship.y, 1.0f, 0.0f);
    const PictureVec yAxis = pictureDirection(lattice, ship.x, ship.y, 0.0f, 1.0f);
    return {dot(xAxis, otherVelocity) / (dot(xAxis, xAxis) + 1.0f),
            dot(yAxis, otherVelocity) / (dot(yAxis, yAxis) + 1.0f)};
}

/// A third of the square of the change of velocity, world units per frame, comes off the health.
void loseHealthForChange(Ship& ship, const PictureVec& newVelocity) {
    const float ddx = ship.vx - newVelocity.x;
    const float ddy = ship.vy - newVelocity.y;
    ship.health =
        static_cast<int>(static_cast<float>(ship.health) - (ddx * ddx + ddy * ddy) / 3.0f);
}

/// Whether two picture positions are closer than the sum of two radii.
bool inContact(const PicturePos& a, const PicturePos& b, int radiusSum) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    return dx * dx + dy * dy < static_cast<float>(radiusSum * radiusSum);
}

}  // namespace

void applyShotHit(GameState& state, int slot, Ship& target) {
    state.shots.live[slot] = 0;
    const Shot& shot = state.shots.shots[slot];
    const int kind = shot.kind;
    assert(kind >= 0 && kind < kDamagingKindCount);
    playSound(state.sounds.impact[kind]);  // the swarm has no chunk

    const Lattice& lattice = *state.currentLattice;
    const PictureVec sv = pictureDirection(lattice, shot.x, shot.y, shot.vx, shot.vy);
    const PictureVec tv = pictureDirection(lattice, target.x, target.y, target.vx, target.vy);
    const PictureVec r{tv.x - sv.x, tv.y - sv.y};

    // Whole steps only: below one step a hit does no velocity damage at all.
    const int steps = std::abs(truncateImpact(static_cast<double>(dot(r, sv)))) / kImpactStep;
    target.health = static_cast<int>(static_cast<float>(target.health) -
                                     static_cast<float>(steps) * state.damageFactor[kind]);

    if (kind == TripleBomb) {
        Explosion& blast = spawnExplosion(state.explosions, shot);
        blast.kind = SmallExplosion;
        blast.age = 0;
        target.health -= kBlastDamage;
    }
}

void resolveShipCollisions(GameState& state) {
    if (state.currentLattice == nullptr) {
        return;
    }
    const Lattice& lattice = *state.currentLattice;
    for (int e = 0; e < kEnemyCount; ++e) {
        Ship& enemy = state.enemies[e];
        if (enemy.respawnCountdown != 0) {
            continue;
        }
        const PicturePos ep = picturePosition(lattice, enemy.x, enemy.y);
        const int enemyRadius = state.enemyRadius[enemy.kind];

        if (state.player.respawnCountdown == 0 &&
            inContact(ep, picturePosition(lattice, state.player.x, state.player.y),
                      enemyRadius + kPlayerShipRadius)) {
            bounceShips(lattice, enemy, state.player);
            // The camera follow takes the jolt back over the next frames.
            state.camera.x =
                static_cast<Sint16>(state.camera.x + (std::rand() % kCameraJolt - kCameraJolt / 2));
            state.camera.y =
                static_cast<Sint16>(state.camera.y + (std::rand() % kCameraJolt - kCameraJolt / 2));
            playSound(state.sounds.shipCollide);
        }

        for (int f = e + 1; f < kEnemyCount; ++f) {
            Ship& other = state.enemies[f];
            if (other.respawnCountdown != 0) {
                continue;
            }
            if (inContact(ep, picturePosition(lattice, other.x, other.y),
                          enemyRadius + state.enemyRadius[other.kind])) {
                bounceShips(lattice, enemy, other);
                playSound(state.sounds.shipCollide);
            }
        }
    }
}

void bounceShips(const Lattice& lattice, Ship& a, Ship& b) {
    const PictureVec velocityB = pictureDirection(lattice, b.x, b.y, b.vx, b.vy);
    const PictureVec newA = takeOverVelocity(lattice, a, velocityB);
    const PictureVec velocityA =
        pictureDirection(lattice, a.x, a.y, a.vx, a.vy);  // before the change
    loseHealthForChange(a, newA);
    a.vx = newA.x;
    a.vy = newA.y;

    const PictureVec newB = takeOverVelocity(lattice, b, velocityA);
    loseHealthForChange(b, newB);
    b.vx = newB.x;
    b.vy = newB.y;
}

void killEnemy(GameState& state, Ship& enemy) {
    Explosion& blast = spawnExplosion(state.explosions, enemy);
    blast.kind =
        enemy.kind == 0 ? BlueExplosion : LargeExplosion;  // its frame is the copied age, 0
    const int debris = std::rand() % 4 + 3;
    state.kills += 1;  // every death counts, whoever caused it
    dropDebris(state, enemy, debris);
    dropPowerUp(state, enemy);
    enemy.respawnCountdown = kEnemyDeadFrames;
    playSound(state.sounds.largeExplosion);
}
