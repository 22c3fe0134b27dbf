#include "game/pickups.h"

#include <array>
#include <cstdlib>

#include "game/spawn.h"

namespace {

/// What an ammunition or health pick-up gives: base + rand() mod spread, then capped.
struct PickUpGain {
    int base;
    int spread;  ///< 0: no random part and no draw
    int cap;
};

/// Ammunition pick-ups PowerUp1 … PowerUp4 fill weapons 1 … 4.
constexpr std::array<PickUpGain, 4> kAmmoGain = {{
    {10, 30, 100},  // PurpleLaser
    {7, 5, 50},     // TripleBomb
    {40, 40, 200},  // Swarm
    {3, 0, 5},      // BlackHole: capped below its gauge's full scale of 10
}};
constexpr PickUpGain kHealthGain = {20, 30, 100};

constexpr int kDebrisKick = 40;    ///< the kick spans −20 … 19 world units per frame per axis
constexpr int kDebrisSpin = 12;    ///< spin −6 … 5
constexpr int kPickUpKick = 4;     ///< the drift spans −2 … 1 world units per frame per axis
constexpr int kOverrideOdds = 10;  ///< each of the three overriding draws wins 1 in 10

/// Adds one gain to a value, drawing its random part first, and caps the sum.
int addCapped(int value, const PickUpGain& gain) {
    int added = gain.base;
    if (gain.spread > 0) {
        added += std::rand() % gain.spread;
    }
    value += added;
    return value > gain.cap ? gain.cap : value;
}

}  // namespace

void dropDebris(GameState& state, const Ship& ship, int n) {
    for (int piece = 0; piece < n; ++piece) {
        Shot& shot = spawnShot(state.shots, ship);
        // Draw order per piece: vx, vy, kind, spin.
        shot.vx += static_cast<float>(std::rand() % kDebrisKick - kDebrisKick / 2);
        shot.vy += static_cast<float>(std::rand() % kDebrisKick - kDebrisKick / 2);
        shot.kind = Shrapnel1 + std::rand() % 5;
        shot.spin = static_cast<float>(std::rand() % kDebrisSpin - kDebrisSpin / 2);
    }
}

void dropPowerUp(GameState& state, const Ship& enemy) {
    Shot& shot = spawnShot(state.shots, enemy);
    shot.vx += static_cast<float>(std::rand() % kPickUpKick - kPickUpKick / 2);
    shot.vy += static_cast<float>(std::rand() % kPickUpKick - kPickUpKick / 2);
    // The enemy's own ammunition, unless one of three later draws overrides it:
    // black holes 0.1, rapid fire 0.09, health 0.081, own ammunition 0.729.
    shot.kind = PowerUp1 + enemy.kind;
    if (std::rand() % kOverrideOdds == 0) {
        shot.kind = PowerUp5;
    }
    if (std::rand() % kOverrideOdds == 0) {
        shot.kind = PowerUp6;
    }
    if (std::rand() % kOverrideOdds == 0) {
        shot.kind = PowerUp4;
    }
}

void collectPowerUp(GameState& state, int kind, Uint32 ticks) {
    switch (kind) {
        case PowerUp1:
        case PowerUp2:
        case PowerUp3:
        case PowerUp4: {
            const int weapon = kind - PowerUp1 + 1;
            state.ammo[weapon] = addCapped(state.ammo[weapon], kAmmoGain[kind - PowerUp1]);
            break;
        }
        case PowerUp5:
            state.player.health = addCapped(state.player.health, kHealthGain);
            break;
        case PowerUp6:
            // Restarts the 20000 ms of rapid fire from now.
            state.rapidFireTicks = static_cast<int>(ticks);
            break;
        default:
            break;
    }
}
