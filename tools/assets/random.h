#pragma once
// A small fixed pseudo-random generator for the asset generator. The pictures and sounds must come
// out byte-identical on every run and every machine, so nothing here depends on the C library's
// rand() or on the time.

#include <cstdint>

/// SplitMix64: one 64-bit state word, a fixed seed per use, identical sequences everywhere.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}

    /// Next raw 64-bit value.
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    /// Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    /// Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

    /// Uniform in [-1, 1): white noise for the synthesiser.
    double noise() { return unit() * 2.0 - 1.0; }

  private:
    uint64_t state_;
};
