#pragma once
// The whole state of a run, owned by runGame: records, rings, tables, images, sounds, the level
// set, the Playfield and the Camera.

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <memory>

#include "game/mix_limiter.h"
#include "game/records.h"
#include "game/tuning.h"
#include "lattice/lattice.h"
#include "shared/data_contract.h"

/// A picture position in pixels.
struct PicturePos {
    float x;
    float y;
};

/// Every image the game draws. Null until loaded.
struct Images {
    std::array<SDL_Surface*, kShipImageCount> ship{};  ///< by pose
    std::array<SDL_Surface*, kEnemyImageCount>
        enemy{};  ///< 6 × enemy kind + pose; 12..17 share one surface
    std::array<SDL_Surface*, kShotImageCount>
        shot{};  ///< firstFrame[kind] + age mod frameCount[kind]
    std::array<SDL_Surface*, kExplosionImageCount> explosion{};  ///< 6 × kind + frame
    std::array<SDL_Surface*, kWeaponCount> ammo{};               ///< weapons 1..4; slot 0 unused
    std::array<SDL_Surface*, kWeaponCount> indicator{};          ///< by weapon
    SDL_Surface* health = nullptr;
    SDL_Surface* completion = nullptr;
    SDL_Surface* levelUp = nullptr;
    SDL_Surface* front = nullptr;  ///< the HUD panel and loading screen
};

/// Every sound the game plays. A null chunk plays nothing.
struct Sounds {
    Mix_Chunk* largeExplosion = nullptr;
    Mix_Chunk* smallExplosion = nullptr;
    Mix_Chunk* smallFastImpact = nullptr;
    Mix_Chunk* laser = nullptr;
    Mix_Chunk* thrust = nullptr;
    Mix_Chunk* shipCollide = nullptr;
    Mix_Chunk* respawn = nullptr;
    Mix_Chunk* spaceWarp = nullptr;
    std::array<Mix_Chunk*, kDamagingKindCount> impact{};  ///< by shot kind; kind 3 has none
    MixLimiter limiter;  ///< the mixer thread's own once the device is open
};

/// How the frame paces itself. The real game waits; the headless runner and tests do not.
struct Pacing {
    Uint32 levelUpWaitMs = 2000;  ///< the pause after the level-up image
};

/// The player as every game begins: at (900, 900), heading 0, still, health 100, weapon 1.
constexpr Ship kStartingPlayer{900.0f, 900.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 100, 1, 1};

struct GameState {
    SDL_Surface* screen = nullptr;

    Ship player = kStartingPlayer;
    std::array<Ship, kEnemyCount> enemies{};  ///< start values set by resetShips

    ShotRing shots;
    ExplosionRing explosions;

    std::array<int, kShotKindCount> frameCount = kFrameCount;
    std::array<int, kShotKindCount> firstFrame = firstFrames(kFrameCount);
    std::array<int, kShotKindCount> shotRadius = kShotRadius;
    std::array<float, kDamagingKindCount> damageFactor = kDamageFactor;
    std::array<int, kEnemyKindCount> enemyRadius = kEnemyRadius;
    std::array<int, kWeaponCount> ammo{};  ///< rounds left by weapon; may go to −1
    std::array<int, kWeaponCount> ammoCapacity = kAmmoCapacity;

    int lastFireTicks = 0;        ///< ms, the player's last shot
    int rapidFireTicks = -20000;  ///< ms, the last PowerUp6; rapid fire lasts 20000 ms from it
    int kills = 0;
    int killTarget = 30;
    int levelIndex = 0;
    int running = -1;        ///< the loop runs while −1
    int thrustChannel = -1;  ///< mixer channel of the thrust loop, −1 when none plays

    SDL_Rect camera{0, 0, 800, 600};  ///< picture pixels; 16-bit arithmetic
    int drawnCellX = 0;               ///< Camera cell the Playfield was last drawn for
    int drawnCellY = 12;              ///< differs from the first cell, so the first frame draws

    std::unique_ptr<LevelSet> levels;
    Lattice* currentLattice = nullptr;

    PicturePos playerPicturePos{};
    std::array<PicturePos, kEnemyCount> enemyPicturePos{};

    Images images;
    Sounds sounds;
    SDL_Surface* spriteScratch = nullptr;  ///< 122 × 122, every rotated sprite goes through it
    SDL_Surface* playfield = nullptr;      ///< 1200 × 1000 window of the level's picture

    char caption[100] = {};
    Pacing pacing;
};
