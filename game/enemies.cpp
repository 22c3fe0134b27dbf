#include "game/enemies.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "game/collisions.h"
#include "game/picture_velocity.h"
#include "game/ship_motion.h"
#include "game/spawn.h"
#include "render/render.h"

namespace {

/// An enemy fires when rand() mod this is 0: 1 in 25, 50 and 75 frames by kind.
constexpr std::array<int, kEnemyKindCount> kFiringOdds = {25, 50, 75};
/// Shots per volley by kind; the swarm ship fans six.
constexpr std::array<int, kEnemyKindCount> kVolleySize = {1, 1, 6};
/// Shot kind fired by each enemy kind: its own kind + 1.
constexpr std::array<int, kEnemyKindCount> kFiredKind = {PurpleLaser, TripleBomb, Swarm};
static_assert(kFiringOdds[0] == 25 * 1 && kFiringOdds[1] == 25 * 2 && kFiringOdds[2] == 25 * 3);
static_assert(kFiredKind[0] == 1 && kFiredKind[1] == 2 && kFiredKind[2] == 3);

constexpr double kShotSpeed = 15.0;  ///< world units per frame on top of the ship's
constexpr double kShotLead = 2.0;    ///< frames of flight a new shot starts ahead of the ship
/// The heading keeps 9 tenths of itself and takes 1 tenth of the angle to the player.
constexpr double kHeadingKeep = 9.0;
constexpr double kHeadingBlend = 10.0;
/// Beyond kHuntDistance the pull is (d / 2) / 10 per lattice unit of offset, d the distance past
/// it; inside, the push is 3 × d⁴ / 10.
constexpr double kPullHalving = 2.0;
constexpr double kPushStrength = 3.0;
constexpr double kAccelerationScale = 10.0;
constexpr double kApartStrength = 3.0;  ///< a closer enemy pushes by 3 × shortfall²
constexpr double kDragHalving = 2.0;    ///< drag: velocity / speed / 2 each frame
constexpr int kPosesPerKind = 6;
constexpr double kHuntDistance = 3.0;   ///< lattice units kept from the player and each other
constexpr double kSpeedCap = 17.0;      ///< world units per frame
constexpr double kPoseThreshold = 0.2;  ///< acceleration that shows a thrust or turn pose
constexpr double kSpriteAngleOffset = 3.141596;  ///< the images point down; not quite π
constexpr int kSpriteAnchor = 52;    ///< scratch pixel on which the sprite's centre lands
constexpr int kRespawnSpread = 300;  ///< world units of the spawning corner
constexpr int kSpawnHealth = 50;

struct Accel {
    double x;
    double y;
};

/// A volley along the heading; each swarm shot draws its own spread.
void fireVolley(GameState& state, const Ship& enemy) {
    for (int n = 0; n < kVolleySize[enemy.kind]; ++n) {
        Shot& shot = spawnShot(state.shots, enemy);
        const double spread = kFiredKind[enemy.kind] == Swarm ? swarmSpread() : 0.0;
        shot.vx = static_cast<float>(shot.vx + kShotSpeed * std::sin(shot.heading + spread));
        shot.vy = static_cast<float>(shot.vy + kShotSpeed * std::cos(shot.heading + spread));
        shot.x = static_cast<float>(shot.x + kShotLead * shot.vx);
        shot.y = static_cast<float>(shot.y + kShotLead * shot.vy);
        shot.kind = kFiredKind[enemy.kind];
    }
}

/// Folds an offset of lattice units into the short way across the seam of a period of `count`.
double foldOffset(double offset, float count) {
    if (offset > count / 2.0) {
        offset -= count;
    }
    if (offset < -count / 2.0) {
        offset += count;
    }
    return offset;
}

/// Turns towards the player and returns the pull (or, within 3 lattice units, the push).
Accel steerTowardsPlayer(Ship& enemy, const Ship& player, const Lattice& lattice) {
    const double dx = foldOffset(
        (static_cast<double>(player.x) - enemy.x) / kWorldUnitsPerLatticeUnit, lattice.columns);
    const double dy = foldOffset(
        (static_cast<double>(player.y) - enemy.y) / kWorldUnitsPerLatticeUnit, lattice.rows);

    // A plain average of two numbers: a heading near +π blending towards −π swings through 0.
    enemy.heading =
        static_cast<float>((kHeadingKeep * enemy.heading + std::atan2(dx, dy)) / kHeadingBlend);

    const double d = std::sqrt(dx * dx + dy * dy) - kHuntDistance;
    const double k = d >= 0.0 ? d / kPullHalving : -kPushStrength * d * d * d * d;
    return {dx * k / kAccelerationScale, dy * k / kAccelerationScale};
}

/// Pushes enemy e away from every later enemy within 3 lattice units, alive or dead. The later
/// enemy is not pushed back, so enemy 4 is never pushed.
void keepApart(const GameState& state, int e, Accel& accel) {
    const Ship& enemy = state.enemies[e];
    for (int f = e + 1; f < kEnemyCount; ++f) {
        const Ship& other = state.enemies[f];
        const double gx = (static_cast<double>(other.x) - enemy.x) / kWorldUnitsPerLatticeUnit;
        const double gy = (static_cast<double>(other.y) - enemy.y) / kWorldUnitsPerLatticeUnit;
        const double g = std::sqrt(gx * gx + gy * gy) - kHuntDistance;
        const double m = g < 0.0 ? -kApartStrength * g * g : 0.0;
        accel.x += gx * m;
        accel.y += gy * m;
    }
}

/// Sprite pose from the acceleration as seen along the heading: 3 for thrust, +1 left, +2 right.
int enemyPose(const Ship& enemy, const Accel& accel) {
    const double cs = std::cos(static_cast<double>(enemy.heading));
    const double sn = std::sin(static_cast<double>(enemy.heading));
    const double forward = cs * accel.x + sn * accel.y;
    const double side = sn * accel.x - cs * accel.y;
    int pose = forward > kPoseThreshold ? 3 : 0;
    if (side > kPoseThreshold) {
        pose += 1;
    }
    if (side < -kPoseThreshold) {
        pose += 2;
    }
    return pose;
}

/// Rotates the enemy's image into the sprite scratch and blits it centred on its picture position.
void drawEnemy(GameState& state, const Ship& enemy, int pose) {
    SDL_Surface* image = state.images.enemy[kPosesPerKind * enemy.kind + pose];
    SDL_Surface* poseZero = state.images.enemy[kPosesPerKind * enemy.kind];
    const Lattice& lattice = *state.currentLattice;
    const PicturePos p = picturePosition(lattice, enemy.x, enemy.y);
    const PictureVec facing = pictureDirection(
        lattice, enemy.x, enemy.y, static_cast<float>(std::sin(static_cast<double>(enemy.heading))),
        static_cast<float>(std::cos(static_cast<double>(enemy.heading))));
    const float angle = static_cast<float>(std::atan2(static_cast<double>(facing.x), facing.y) +
                                           kSpriteAngleOffset);
    if (image == nullptr || poseZero == nullptr || state.spriteScratch == nullptr ||
        state.screen == nullptr) {
        return;
    }

    // Every pose is cut with the pose-0 image's size.
    const int w = poseZero->w;
    const int h = poseZero->h;
    SDL_FillRect(state.spriteScratch, nullptr, 0);
    const SDL_Rect position{kSpriteAnchor, kSpriteAnchor, 0, 0};
    const SDL_Rect source{0, 0, static_cast<Uint16>(w), static_cast<Uint16>(h)};
    const SDL_Rect pivot{static_cast<Sint16>(w / 2), static_cast<Sint16>(h / 2), 0, 0};
    rotateSprite(state.spriteScratch, position, image, source, angle, pivot);

    blitAt(state.spriteScratch, nullptr, state.screen,
           static_cast<int>(p.x - kSpriteAnchor - state.camera.x),
           static_cast<int>(p.y - kSpriteAnchor - state.camera.y));
}

/// One living enemy's frame: fire, steer, keep apart, move, die and draw.
void stepLivingEnemy(GameState& state, int e) {
    Ship& enemy = state.enemies[e];
    const Lattice& lattice = *state.currentLattice;

    if (std::rand() % kFiringOdds[enemy.kind] == 0) {
        fireVolley(state, enemy);
    }

    Accel accel = steerTowardsPlayer(enemy, state.player, lattice);
    keepApart(state, e, accel);

    enemy.vx = static_cast<float>(enemy.vx + accel.x);
    enemy.vy = static_cast<float>(enemy.vy + accel.y);
    const double speed = std::sqrt(static_cast<double>(enemy.vx) * enemy.vx +
                                   static_cast<double>(enemy.vy) * enemy.vy);
    if (speed > kSpeedCap) {
        enemy.vx = static_cast<float>(enemy.vx / (speed / kSpeedCap));
        enemy.vy = static_cast<float>(enemy.vy / (speed / kSpeedCap));
    }

    shipMotionStep(enemy, lattice);

    // The drag divides by the speed before the cap: a ship capped from 34 loses 0.25, not 0.5.
    if (speed > 0.0) {
        enemy.vx = static_cast<float>(enemy.vx - enemy.vx / speed / kDragHalving);
        enemy.vy = static_cast<float>(enemy.vy - enemy.vy / speed / kDragHalving);
    }

    if (enemy.health < 0) {
        killEnemy(state, enemy);  // still drawn in this frame
    }

    drawEnemy(state, enemy, enemyPose(enemy, accel));
}

}  // namespace

void updateEnemies(GameState& state) {
    if (state.currentLattice == nullptr) {
        return;
    }
    for (int e = 0; e < kEnemyCount; ++e) {
        Ship& enemy = state.enemies[e];
        if (enemy.respawnCountdown == 0) {
            stepLivingEnemy(state, e);
            continue;
        }
        // Reborn on the frame that reads 1, alive from the next.
        if (enemy.respawnCountdown == 1) {
            respawnEnemy(enemy, *state.currentLattice);
        }
        enemy.respawnCountdown -= 1;
    }
}

void respawnEnemy(Ship& enemy, const Lattice& lattice) {
    enemy.kind = std::rand() % kEnemyKindCount;
    enemy.age = 0;
    enemy.vx = 0.0f;
    enemy.vy = 0.0f;
    enemy.health = kSpawnHealth;
    const int r1 = std::rand() % kRespawnSpread;
    const int r2 = std::rand() % kRespawnSpread;
    // Kind 0 spawns at low x and y, kind 1 at high x, kind 2 at high y; heading and spin are kept.
    switch (enemy.kind) {
        case 1:
            enemy.x = lattice.columns * kWorldUnitsPerLatticeUnit + r1 - kRespawnSpread;
            enemy.y = static_cast<float>(r2);
            break;
        case 2:
            enemy.x = static_cast<float>(r1);
            enemy.y = lattice.rows * kWorldUnitsPerLatticeUnit + r2 - kRespawnSpread;
            break;
        default:
            enemy.x = static_cast<float>(r1);
            enemy.y = static_cast<float>(r2);
            break;
    }
}
