#pragma once
// Per-kind tuning tables. Each table is indexed by kind and has one entry per kind.

#include <array>

#include "game/records.h"

constexpr int kEnemyCount = 5;
constexpr int kEnemyKindCount = 3;
constexpr int kWeaponCount = 5;

/// Images per shot kind; the animated kinds loop one image per frame.
constexpr std::array<int, kShotKindCount> kFrameCount = {1, 1, 12, 5, 1, 1, 1, 1, 1,
                                                         1, 1, 1,  1, 1, 1, 1, 1};
/// Contact radius of each shot kind, picture pixels.
constexpr std::array<int, kShotKindCount> kShotRadius = {5, 10, 20, 13, 15, 5,  5,  5, 5,
                                                         5, 5,  35, 35, 35, 35, 35, 35};
/// Damage per whole step of picture-velocity impact, for the damaging kinds 0..10.
constexpr std::array<float, kDamagingKindCount> kDamageFactor = {
    0.7f, 1.4f, 0.5f, 0.3f, 20.0f, 0.4f, 0.6f, 0.4f, 0.8f, 0.4f, 0.5f};
/// Contact radius of each enemy kind, picture pixels.
constexpr std::array<int, kEnemyKindCount> kEnemyRadius = {22, 27, 19};
/// Full scale of each weapon's ammunition gauge; it does not limit the ammunition.
constexpr std::array<int, kWeaponCount> kAmmoCapacity = {0, 100, 50, 200, 10};

constexpr int kShotImageCount = 32;
constexpr int kEnemyImageCount = 18;
constexpr int kShipImageCount = 6;
constexpr int kExplosionImageCount = kExplosionKindCount * kExplosionFrames;

/// First image of each shot kind in the shot image list: running sums of kFrameCount.
constexpr std::array<int, kShotKindCount> firstFrames(
    const std::array<int, kShotKindCount>& counts) {
    std::array<int, kShotKindCount> first{};
    for (int k = 1; k < kShotKindCount; ++k) {
        first[k] = first[k - 1] + counts[k - 1];
    }
    return first;
}
static_assert(firstFrames(kFrameCount)[16] + kFrameCount[16] == kShotImageCount);
