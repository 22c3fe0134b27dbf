// The shot pass: every projectile, piece of debris and pick-up is moved, drawn, tested against the
// ships and retired here; a black hole bends the arena while it flies.
#include "game/shots.h"

#include <cmath>
#include <cstdlib>

#include "game/collisions.h"
#include "game/pickups.h"
#include "game/playfield.h"
#include "render/render.h"

namespace {

/// A shot in its first three frames can neither hit, be collected nor be retired.
constexpr int kArmedAge = 4;
constexpr int kPlayerShotRadius = 20;  ///< picture pixels
/// Pick-ups closer than this (world units squared, plus 1) drift towards the player.
constexpr double kHomingRange = 60000.0;
constexpr double kHomingPull = 120.0;
/// Transparent white: what a turned sprite leaves around itself in the scratch surface.
constexpr Uint32 kClearScratch = 0x00FFFFFF;
constexpr double kLaserTurn = 3.14159;  ///< the laser picture points the other way
constexpr int kScratchOrigin = 25;      ///< where a turned shot's pivot lands in the scratch
/// The laser picture is turned whole about its centre; 80 × 80 pixels of the scratch are shown.
constexpr SDL_Rect kLaserSource = {0, 0, 12, 40};
constexpr SDL_Rect kLaserPivot = {6, 20, 0, 0};
constexpr SDL_Rect kLaserShown = {0, 0, 80, 80};
constexpr int kShrapnelTurnFrames = 30;  ///< debris turns by age × spin / 30 radians
/// Black holes move a node by |e| / (q × 0.01) pixels, q = |e|² + 1 with e its offset.
constexpr double kBendScale = 0.01;
/// Where a shot off the mapped surface is placed: far away, out of sight and out of reach.
constexpr float kUnmappedPosition = -30000.0f;

bool isTurnedShrapnel(int kind) {
    return kind >= Shrapnel1 && kind <= Shrapnel5;
}
bool isPickUp(int kind) {
    return kind >= PowerUp1;
}

/// Sum of the absolute truncated coordinate differences: the contact measure of shots.
int contactDistance(const PicturePos& a, float px, float py) {
    return std::abs(static_cast<int>(a.x - px)) + std::abs(static_cast<int>(a.y - py));
}

void drawLaser(GameState& state, const Shot& shot, SDL_Surface* image, Sint16 sx, Sint16 sy) {
    float dx = 0.0f;
    float dy = 0.0f;
    state.currentLattice->mapDirection(
        shot.x / kWorldUnitsPerLatticeUnit, shot.y / kWorldUnitsPerLatticeUnit,
        static_cast<float>(std::sin(static_cast<double>(shot.heading))),
        static_cast<float>(std::cos(static_cast<double>(shot.heading))), dx, dy);
    const float angle = static_cast<float>(std::atan2(static_cast<double>(dx), dy) + kLaserTurn);
    SDL_FillRect(state.spriteScratch, nullptr, kClearScratch);
    const SDL_Rect target{kScratchOrigin, kScratchOrigin, 0, 0};
    rotateSprite(state.spriteScratch, target, image, kLaserSource, angle, kLaserPivot);
    blitAt(state.spriteScratch, &kLaserShown, state.screen, sx - kScratchOrigin,
           sy - kScratchOrigin);
}

/// Debris turns by age × spin / 30 radians about the picture's centre.
void drawShrapnel(GameState& state, const Shot& shot, SDL_Surface* image, Sint16 sx, Sint16 sy) {
    const float angle = shot.age * shot.spin / kShrapnelTurnFrames;
    SDL_FillRect(state.spriteScratch, nullptr, kClearScratch);
    const SDL_Rect target{kScratchOrigin, kScratchOrigin, 0, 0};
    const SDL_Rect source{0, 0, static_cast<Uint16>(image->w), static_cast<Uint16>(image->h)};
    const SDL_Rect pivot{static_cast<Sint16>(image->w / 2), static_cast<Sint16>(image->h / 2), 0,
                         0};
    rotateSprite(state.spriteScratch, target, image, source, angle, pivot);
    blitAt(state.spriteScratch, nullptr, state.screen, sx - kScratchOrigin, sy - kScratchOrigin);
}

void drawShot(GameState& state, const Shot& shot, Sint16 sx, Sint16 sy) {
    const int image = state.firstFrame[shot.kind] + shot.age % state.frameCount[shot.kind];
    SDL_Surface* picture = state.images.shot[image];
    if (shot.kind == PurpleLaser) {
        drawLaser(state, shot, picture, sx, sy);
    } else if (isTurnedShrapnel(shot.kind)) {
        drawShrapnel(state, shot, picture, sx, sy);
    } else {
        blitAt(picture, nullptr, state.screen, sx - picture->w / 2, sy - picture->h / 2);
    }
}

/// Contact with the living player, then with every living enemy (no early exit: one shot can
/// hurt several ships in a frame); pick-ups are collected or pulled towards the player instead.
void testContacts(GameState& state, int slot, const FrameInput& input, float px, float py) {
    Shot& shot = state.shots.shots[slot];
    const int kind = shot.kind;
    if (state.player.respawnCountdown == 0 && contactDistance(state.playerPicturePos, px, py) <
                                                  state.shotRadius[kind] + kPlayerShotRadius) {
        state.shots.live[slot] = 0;
        if (!isPickUp(kind)) {
            applyShotHit(state, slot, state.player);
        } else {
            collectPowerUp(state, kind, input.ticks);
        }
    }
    if (!isPickUp(kind)) {
        for (int e = 0; e < kEnemyCount; ++e) {
            Ship& enemy = state.enemies[e];
            if (enemy.respawnCountdown == 0 &&
                contactDistance(state.enemyPicturePos[e], px, py) <
                    state.shotRadius[kind] + state.enemyRadius[enemy.kind]) {
                applyShotHit(state, slot, enemy);
            }
        }
    } else {
        // Homing works whether or not the player is alive.
        const double dx = static_cast<double>(state.player.x) - shot.x;
        const double dy = static_cast<double>(state.player.y) - shot.y;
        const double q = dx * dx + dy * dy + 1.0;
        if (q < kHomingRange) {
            shot.vx = static_cast<float>(shot.vx + kHomingPull * dx / q);
            shot.vy = static_cast<float>(shot.vy + kHomingPull * dy / q);
        }
    }
}

/// Shots do not wrap: past the node counts or below 0 they are gone. Between the ships' seam and
/// the last node they still fly.
bool outsideArena(const Shot& shot, const Lattice& lattice) {
    return shot.x >= lattice.columns * kWorldUnitsPerLatticeUnit ||
           shot.y >= lattice.rows * kWorldUnitsPerLatticeUnit || shot.x < 0 || shot.y < 0;
}

}  // namespace

void bendLattice(Lattice& lattice, float px, float py) {
    for (int i = 0; i < lattice.columns; ++i) {
        for (int j = 0; j < lattice.rows; ++j) {
            float nx = 0.0f;
            float ny = 0.0f;
            lattice.mapPoint(static_cast<float>(i), static_cast<float>(j), nx, ny, true, true);
            const float ex = nx - px;
            const float ey = ny - py;
            const float q = ex * ex + ey * ey + 1;
            lattice.setNodePosition(i, j, static_cast<float>(nx - ex / (q * kBendScale)),
                                    static_cast<float>(ny - ey / (q * kBendScale)));
        }
    }
}

void updateShots(GameState& state, const FrameInput& input) {
    ShotRing& ring = state.shots;
    Lattice& lattice = *state.currentLattice;
    bool bentThisFrame = false;
    for (int s = 0; s < kShotRingSize; ++s) {
        if (ring.live[s] == 0) {
            continue;
        }
        Shot& shot = ring.shots[s];
        shot.x += shot.vx;
        shot.y += shot.vy;
        shot.age += 1;

        // Off the mapped surface the Lattice leaves the position alone.
        float px = kUnmappedPosition;
        float py = kUnmappedPosition;
        lattice.mapPoint(shot.x / kWorldUnitsPerLatticeUnit, shot.y / kWorldUnitsPerLatticeUnit, px,
                         py, false, false);
        const Sint16 sx = static_cast<Sint16>(static_cast<int>(px - state.camera.x));
        const Sint16 sy = static_cast<Sint16>(static_cast<int>(py - state.camera.y));

        if (shot.kind == BlackHole) {
            bendLattice(lattice, px, py);
            bentThisFrame = true;
        }
        drawShot(state, shot, sx, sy);
        if (shot.age < kArmedAge) {
            continue;
        }
        testContacts(state, s, input, px, py);
        if (outsideArena(shot, lattice)) {
            ring.live[s] = 0;
        }
    }
    // One refit and one redraw however many black holes flew; the bent picture shows from the
    // next frame's background on.
    if (bentThisFrame) {
        lattice.refitAll();
        redrawPlayfield(state);
    }
}
