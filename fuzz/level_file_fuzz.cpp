// Any byte string as a level file: it is either read into a sound LevelSet or refused with a
// reason, never a crash, a leak or an allocation the file's length does not justify.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lattice/lattice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size == 0 ? 1 : size, "rb");
    if (stream == nullptr) {
        return 0;
    }
    if (size == 0) {
        std::fgetc(stream);  // an empty file: leave the stream at its end
        std::fseek(stream, 0, SEEK_END);
    }
    std::unique_ptr<LevelSet> set;
    std::string reason;
    const int32_t result = readLevelStream(set, stream, "fuzz.lvl", &reason);
    std::fclose(stream);
    if (result != 0) {
        if (set != nullptr || reason.empty()) {
            std::abort();  // a refusal must leave the set alone and say why
        }
        return 0;
    }
    // An accepted set is whole: every level is there and can be queried anywhere in its arena.
    for (int32_t l = 0; l < set->count; ++l) {
        const Lattice& lattice = *set->lattices[l];
        for (float u = 0.0f; u < lattice.columns; u += 0.7f) {
            for (float v = 0.0f; v < lattice.rows; v += 0.7f) {
                float x = 0, y = 0, dx = 0, dy = 0;
                lattice.mapPoint(u, v, x, y, false, false);
                lattice.mapDirection(u, v, 1.0f, 0.0f, dx, dy);
            }
        }
        for (float s = 0.0f; s < lattice.rimCount; s += 0.5f) {
            float u = 0, v = 0;
            lattice.rimPoint(s, u, v);
        }
    }
    return 0;
}
