#include "game/mix_limiter.h"

#include <algorithm>
#include <cmath>

namespace {

/// The made-up mix is held at about this level (full scale 1); a sound alone, which peaks at
/// about 0.35 at volume 64, stays well below it and passes untouched.
constexpr float kThreshold = 0.7f;
/// Above this level what the gain still lets through is bent softly towards full scale.
constexpr float kKnee = 0.8f;
/// Per-sample approach of the envelope to a louder level: about 98 % within the look-ahead.
constexpr float kAttack = 0.1175f;  // 1 - e^(-4 / kLimiterLookAhead)
/// Per-sample return of the envelope to a quieter level: a time constant of 150 ms at 22050 Hz,
/// slow enough that the gain does not flutter with the rumble of an explosion.
constexpr float kRelease = 0.0003f;
/// Largest magnitude written: one step below full scale.
constexpr float kLargestSample = 32766.0f;

/// The post-mix stage, on the mixer's thread.
void limitMix(void* userdata, Uint8* stream, int bytes) {
    limitMixBlock(*static_cast<MixLimiter*>(userdata), reinterpret_cast<Sint16*>(stream),
                  bytes / 2);
}

}  // namespace

float softClip(float x) {
    const float magnitude = std::fabs(x);
    if (magnitude <= kKnee) {
        return x;
    }
    const float bent = kKnee + (1.0f - kKnee) * std::tanh((magnitude - kKnee) / (1.0f - kKnee));
    return std::copysign(bent, x);
}

void limitMixBlock(MixLimiter& limiter, Sint16* samples, int count) {
    for (int i = 0; i < count; ++i) {
        const float leaving = limiter.delay[limiter.next];
        limiter.delay[limiter.next] = samples[i] * (kMixHeadroom / 32768.0f);
        limiter.next = (limiter.next + 1) % kLimiterLookAhead;
        float loudest = std::fabs(leaving);
        for (float v : limiter.delay) {
            loudest = std::max(loudest, std::fabs(v));
        }
        const float target = std::max(loudest, kThreshold);
        limiter.envelope +=
            (target - limiter.envelope) * (target > limiter.envelope ? kAttack : kRelease);
        const float out = softClip(leaving * (kThreshold / limiter.envelope)) * 32768.0f;
        samples[i] = static_cast<Sint16>(
            std::lround(std::min(kLargestSample, std::max(-kLargestSample, out))));
    }
}

void installMixLimiter(MixLimiter& limiter, Mix_Chunk* const* chunks, int count) {
    int frequency = 0;
    int channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0 || format != AUDIO_S16SYS) {
        return;
    }
    for (int n = 0; n < count; ++n) {
        Mix_VolumeChunk(chunks[n], MIX_MAX_VOLUME / kMixHeadroom);
    }
    limiter = MixLimiter{};
    limiter.envelope = kThreshold;
    Mix_SetPostMix(limitMix, &limiter);
}

void removeMixLimiter() {
    Mix_SetPostMix(nullptr, nullptr);
}
