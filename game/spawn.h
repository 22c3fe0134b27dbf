#pragma once
// The only ways to create a shot or an explosion, and to play a one-off sound.

#include <SDL_mixer.h>

#include "game/records.h"

/// Copies the source's leading eight fields into slot `next` (live or not), marks it live, advances
/// `next` modulo 300 and returns the new shot for the caller to adjust.
template <typename Source>
Shot& spawnShot(ShotRing& ring, const Source& source) {
    Shot& shot = ring.shots[ring.next];
    copyLeadingFields(shot, source);
    ring.live[ring.next] = 1;
    ring.next = (ring.next + 1) % kShotRingSize;
    return shot;
}

/// Copies the source's leading eight fields into slot `next` (live or not), marks it live, advances
/// `next` modulo 10 and returns the new explosion for the caller to adjust.
template <typename Source>
Explosion& spawnExplosion(ExplosionRing& ring, const Source& source) {
    Explosion& explosion = ring.explosions[ring.next];
    copyLeadingFields(explosion, source);
    ring.live[ring.next] = 1;
    ring.next = (ring.next + 1) % kExplosionRingSize;
    return explosion;
}

/// The fan of a swarm volley: one shot's random turn off the heading, (rand() mod 20 − 10) / 40,
/// −0.25 … 0.225 radians. Draws one random number.
double swarmSpread();

/// Mixer volume of every sound the game plays: half the mixer's maximum of 128.
constexpr int kVolume = 64;

/// Plays a chunk once on the first free mixer channel at volume 64; a null chunk or a full mixer
/// plays nothing.
void playSound(Mix_Chunk* chunk);
