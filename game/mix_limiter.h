#pragma once
// A soft limiter on the mixed sound. The mixer adds its channels up in 16 bits and saturates
// whatever passes full scale before any later stage sees it, and sounds started between two of
// its blocks begin on the same sample, so a few explosions and collisions at once add up to far
// beyond full scale. The limiter gives the sum room instead: every chunk enters the mixer
// kMixHeadroom times quieter, and after the sum the limiter restores the level, turning the
// loudest moments down smoothly so that the output never reaches full scale.

#include <SDL_mixer.h>

#include <array>

/// How much quieter each chunk enters the mixer's sum; the limiter makes it up afterwards.
constexpr int kMixHeadroom = 8;
/// Samples by which the limiter delays the sound (1.5 ms): it sees each peak coming and has
/// turned the gain down by the time the peak leaves.
constexpr int kLimiterLookAhead = 32;

/// What the limiter carries from one mixed block to the next. It belongs to the audio thread:
/// once installed, the game never reads or writes it.
struct MixLimiter {
    std::array<float, kLimiterLookAhead> delay{};  ///< the latest samples, full scale 1
    int next = 0;                                  ///< slot of the oldest, the next to leave
    float envelope = 0.0f;                         ///< level the gain is set against
};

/// Gives the open mixer room for many sounds at once: lowers each chunk's own volume by
/// kMixHeadroom and has `limiter` (which must outlive the open device) restore the level after
/// the sum. Does nothing unless the device mixes signed 16-bit samples in the machine's order.
void installMixLimiter(MixLimiter& limiter, Mix_Chunk* const* chunks, int count);

/// Passes levels (full scale 1) up to the knee, 0.8, unchanged and bends higher ones towards
/// full scale, which they approach but never reach.
float softClip(float x);

/// Limits `count` mixed samples in place: makes up the headroom, delays them by the look-ahead
/// and divides by the envelope of the loudest sample within it. The mixer's post-mix stage.
void limitMixBlock(MixLimiter& limiter, Sint16* samples, int count);

/// Takes the limiter off the mixer, which keeps its post-mix stage across a close and a reopen of
/// the device. Call before the limiter's record goes away.
void removeMixLimiter();
