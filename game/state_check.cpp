// Checking that a run's state holds only finite numbers.
#include "game/state_check.h"

#include <array>
#include <cmath>
#include <cstring>
#include <sstream>

namespace {

/// The first field of a record that is not finite, as "name field", or empty.
template <typename Record>
std::string firstNonFinite(const Record& record, const std::string& name) {
    const float fields[] = {record.x, record.y, record.heading, record.vx, record.vy, record.spin};
    static const char* const kNames[] = {"x", "y", "heading", "vx", "vy", "spin"};
    for (size_t f = 0; f < sizeof fields / sizeof fields[0]; ++f) {
        if (!std::isfinite(fields[f])) {
            std::ostringstream text;
            text << name << " " << kNames[f] << " = " << fields[f];
            return text.str();
        }
    }
    return {};
}

/// Whether every float of a node (position and spline coefficients) is finite.
bool nodeIsFinite(const LatticeNode& node) {
    static_assert(sizeof(LatticeNode) % sizeof(float) == 0);
    std::array<float, sizeof(LatticeNode) / sizeof(float)> values{};
    std::memcpy(values.data(), &node, sizeof node);
    for (float value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

/// The first node or rim point of a level that is not finite, or empty.
std::string findNonFiniteNode(const Lattice& lattice, int level) {
    auto where = [level] { return "level " + std::to_string(level); };
    for (int i = 0; i < static_cast<int>(lattice.columns); ++i) {
        for (int j = 0; j < static_cast<int>(lattice.rows); ++j) {
            if (!nodeIsFinite(lattice.node(i, j))) {
                return where() + " node (" + std::to_string(i) + ", " + std::to_string(j) + ")";
            }
        }
    }
    for (int k = 0; k < static_cast<int>(lattice.rimCount); ++k) {
        if (!nodeIsFinite(lattice.rim[k])) {
            return where() + " rim point " + std::to_string(k);
        }
    }
    return {};
}

/// Whether a record's six floats are finite; names the first offender only when one is not.
template <typename Record>
bool recordIsFinite(const Record& record) {
    return std::isfinite(record.x) && std::isfinite(record.y) && std::isfinite(record.heading) &&
           std::isfinite(record.vx) && std::isfinite(record.vy) && std::isfinite(record.spin);
}

}  // namespace

std::string findNonFinite(const GameState& state) {
    if (!recordIsFinite(state.player)) {
        return firstNonFinite(state.player, "player");
    }
    for (int e = 0; e < kEnemyCount; ++e) {
        if (!recordIsFinite(state.enemies[e])) {
            return firstNonFinite(state.enemies[e], "enemy " + std::to_string(e));
        }
    }
    for (int s = 0; s < kShotRingSize; ++s) {
        if (state.shots.live[s] != 0 && !recordIsFinite(state.shots.shots[s])) {
            return firstNonFinite(state.shots.shots[s], "shot " + std::to_string(s));
        }
    }
    for (int x = 0; x < kExplosionRingSize; ++x) {
        if (state.explosions.live[x] != 0 && !recordIsFinite(state.explosions.explosions[x])) {
            return firstNonFinite(state.explosions.explosions[x], "explosion " + std::to_string(x));
        }
    }
    const PicturePos& p = state.playerPicturePos;
    if (!(std::isfinite(p.x) && std::isfinite(p.y))) {
        return "the player's picture position";
    }
    for (int e = 0; e < kEnemyCount; ++e) {
        const PicturePos& q = state.enemyPicturePos[e];
        if (!(std::isfinite(q.x) && std::isfinite(q.y))) {
            return "enemy " + std::to_string(e) + "'s picture position";
        }
    }
    for (int l = 0; l < state.levels->count; ++l) {
        std::string found = findNonFiniteNode(*state.levels->lattices[l], l);
        if (!found.empty()) {
            return found;
        }
    }
    return {};
}
