#pragma once
// A fingerprint of a run's whole state, for telling two runs apart.

#include <cstddef>
#include <cstdint>

#include "game/game_state.h"

/// A running 64-bit FNV-1a hash.
struct Fnv {
    uint64_t hash = 0xcbf29ce484222325ULL;  ///< the offset basis

    /// Hashes size bytes at data, in order.
    void bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t n = 0; n < size; ++n) {
            hash = (hash ^ p[n]) * 0x100000001b3ULL;  // the FNV prime
        }
    }
    /// Plain values and arrays of them; every record hashed so must have no padding.
    template <typename T>
    void value(const T& v) {
        bytes(&v, sizeof v);
    }
};

/// 64-bit FNV-1a over every value of the state that play changes or reads: ships, both rings,
/// ammunition, counters, Camera and drawn cell, picture positions and the nodes of every Lattice.
/// Surfaces, sounds and pointers are left out, so equal runs give equal digests.
uint64_t stateDigest(const GameState& state);
