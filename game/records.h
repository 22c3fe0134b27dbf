#pragma once
// The plain records of the game: ships, shots, explosions and the rings that hold them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

/// What a shot is: kinds 0–4 are the player's weapons, 5–10 debris, 11–16 pick-ups.
enum ShotKind : int {
    SimpleShot = 0,
    PurpleLaser = 1,
    TripleBomb = 2,
    Swarm = 3,
    BlackHole = 4,
    Shrapnel1 = 5,
    Shrapnel2 = 6,
    Shrapnel3 = 7,
    Shrapnel4 = 8,
    Shrapnel5 = 9,
    Shrapnel6 = 10,
    PowerUp1 = 11,
    PowerUp2 = 12,
    PowerUp3 = 13,
    PowerUp4 = 14,
    PowerUp5 = 15,
    PowerUp6 = 16,
};
constexpr int kShotKindCount = 17;
constexpr int kDamagingKindCount = 11;  ///< kinds 0..10 hurt ships; pick-ups do not

/// Which animation an explosion shows.
enum ExplosionKind : int {
    LargeExplosion = 0,
    BlueExplosion = 1,
    SmallExplosion = 2,
};
constexpr int kExplosionKindCount = 3;
constexpr int kExplosionFrames = 6;

/// A projectile, piece of debris or pick-up. Positions in world units, velocities in world units
/// per frame, heading in radians with unit vector (sin heading, cos heading); age in frames.
struct Shot {
    float x;
    float y;
    float heading;
    float vx;
    float vy;
    float spin;
    int kind;
    int age;
};

/// One blast: x, y where it is drawn, kind an ExplosionKind, age the frame 0..5 it shows.
struct Explosion {
    float x;
    float y;
    float heading;
    float vx;
    float vy;
    float spin;
    int kind;
    int age;
};

/// The player's or an enemy's ship. Its leading eight fields have the layout of a Shot and are
/// copied as one block into a Shot (firing, debris) or an Explosion (death).
struct Ship {
    float x;
    float y;
    float heading;
    float vx;
    float vy;
    float spin;
    int kind;              ///< enemy kind 0..2; 0 for the player
    int age;               ///< 0 for ships
    int respawnCountdown;  ///< 0 = alive; frames until the respawn otherwise
    int health;            ///< dead once below 0
    int mass;              ///< divides thrust and strafe forces
    int weapon;            ///< selected weapon 0..4 (player only)
};

static_assert(std::is_standard_layout_v<Shot> && std::is_standard_layout_v<Ship> &&
              std::is_standard_layout_v<Explosion>);
static_assert(sizeof(Shot) == 32 && sizeof(Explosion) == 32);
static_assert(offsetof(Ship, age) == offsetof(Shot, age) &&
              offsetof(Ship, kind) == offsetof(Shot, kind));

/// Copies the leading eight fields (x … age) of a ship, shot or explosion into a shot or explosion.
template <typename Target, typename Source>
void copyLeadingFields(Target& target, const Source& source) {
    static_assert(sizeof(Target) == sizeof(Shot) && sizeof(Source) >= sizeof(Shot));
    std::memcpy(&target, &source, sizeof(Shot));
}

constexpr int kShotRingSize = 300;
constexpr int kExplosionRingSize = 10;

/// Every live shot. Spawning takes slot `next` whether or not it is live, so when the ring is full
/// the oldest shot is replaced.
struct ShotRing {
    std::array<Shot, kShotRingSize> shots{};
    std::array<uint8_t, kShotRingSize> live{};  ///< 1 = live
    int next = 0;
};

/// Every showing explosion. Spawning takes slot `next` whether or not it is live, so an eleventh
/// explosion replaces the oldest.
struct ExplosionRing {
    std::array<Explosion, kExplosionRingSize> explosions{};
    std::array<uint8_t, kExplosionRingSize> live{};  ///< 1 = live
    int next = 0;
};
