#include "level_json.h"

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

json pair(float a, float b) {
    return json::array({a, b});
}

bool fail(std::string* reason, const std::string& text) {
    if (reason != nullptr) {
        *reason = text;
    }
    return false;
}

/// Reads [a, b] of finite numbers.
bool readPair(const json& value, float& a, float& b) {
    if (!value.is_array() || value.size() != 2 || !value[0].is_number() || !value[1].is_number()) {
        return false;
    }
    a = value[0].get<float>();
    b = value[1].get<float>();
    return std::isfinite(a) && std::isfinite(b);
}

bool readSize(const json& level, const char* field, int& size) {
    if (!level.contains(field) || !level[field].is_number_integer()) {
        return false;
    }
    const long long value = level[field].get<long long>();
    if (value < 3 || value > 4096) {
        return false;
    }
    size = static_cast<int>(value);
    return true;
}

}  // namespace

std::string levelJson(const LevelSet& set) {
    json levels = json::array();
    for (int32_t l = 0; l < set.count; ++l) {
        const Lattice& lattice = *set.lattices[l];
        json nodes = json::array();
        for (int i = 0; static_cast<float>(i) < lattice.columns; ++i) {
            for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
                float x = 0, y = 0;
                lattice.mapPoint(static_cast<float>(i), static_cast<float>(j), x, y, true, true);
                nodes.push_back(pair(x, y));
            }
        }
        json rim = json::array();
        for (int k = 0; static_cast<float>(k) < lattice.rimCount; ++k) {
            float u = 0, v = 0;
            lattice.rimPoint(static_cast<float>(k), u, v);
            rim.push_back(pair(u, v));
        }
        levels.push_back({{"columns", static_cast<int>(lattice.columns)},
                          {"rows", static_cast<int>(lattice.rows)},
                          {"nodes", nodes},
                          {"rim", rim}});
    }
    return json{{"levels", levels}}.dump(1) + "\n";
}

std::unique_ptr<LevelSet> loadLevelJson(const std::string& path, std::string* reason) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(reason, path + ": cannot open");
        return nullptr;
    }
    const json document = json::parse(in, nullptr, false);
    if (document.is_discarded()) {
        fail(reason, path + ": not valid JSON");
        return nullptr;
    }
    if (!document.is_object() || !document.contains("levels") || !document["levels"].is_array()) {
        fail(reason, path + ": expected an object with a \"levels\" array");
        return nullptr;
    }
    auto set = std::make_unique<LevelSet>();
    const json& levels = document["levels"];
    for (size_t l = 0; l < levels.size(); ++l) {
        const std::string where = path + ": level " + std::to_string(l) + ": ";
        const json& level = levels[l];
        int columns = 0, rows = 0;
        if (!level.is_object() || !readSize(level, "columns", columns) ||
            !readSize(level, "rows", rows)) {
            fail(reason, where + "columns and rows must be whole numbers from 3 to 4096");
            return nullptr;
        }
        const size_t nodeCount = static_cast<size_t>(columns) * static_cast<size_t>(rows);
        const size_t rimCount = 2 * static_cast<size_t>(columns + rows) - 4;
        if (!level.contains("nodes") || !level["nodes"].is_array() ||
            level["nodes"].size() != nodeCount) {
            fail(reason, where + "nodes must hold columns × rows = " + std::to_string(nodeCount) +
                             " pairs");
            return nullptr;
        }
        if (!level.contains("rim") || !level["rim"].is_array() || level["rim"].size() != rimCount) {
            fail(reason, where + "rim must hold 2·(columns + rows) − 4 = " +
                             std::to_string(rimCount) + " pairs");
            return nullptr;
        }
        set->appendLattice(columns, rows);
        Lattice& lattice = *set->lattices[set->count - 1];
        for (int i = 0; i < columns; ++i) {
            for (int j = 0; j < rows; ++j) {
                float x = 0, y = 0;
                if (!readPair(level["nodes"][static_cast<size_t>(i * rows + j)], x, y)) {
                    fail(reason, where + "node (" + std::to_string(i) + ", " + std::to_string(j) +
                                     ") is not a pair of numbers");
                    return nullptr;
                }
                lattice.setNodePosition(i, j, x, y);
            }
        }
        lattice.refitAll();
        for (size_t k = 0; k < rimCount; ++k) {
            float u = 0, v = 0;
            if (!readPair(level["rim"][k], u, v)) {
                fail(reason,
                     where + "rim point " + std::to_string(k) + " is not a pair of numbers");
                return nullptr;
            }
            lattice.setRimPoint(static_cast<int>(k), u, v);
        }
    }
    return set;
}
