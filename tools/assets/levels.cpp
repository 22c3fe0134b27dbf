#include "tools/assets/levels.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

struct Point {
    double x, y;
};

/// A warp moves a point given in cell units.
using Warp = std::function<Point(Point)>;

double number(const json& object, const char* key, double fallback) {
    auto it = object.find(key);
    return it != object.end() && it->is_number() ? it->get<double>() : fallback;
}

Point pair(const json& object, const char* key, Point fallback) {
    auto it = object.find(key);
    if (it == object.end() || !it->is_array() || it->size() != 2 || !(*it)[0].is_number() ||
        !(*it)[1].is_number()) {
        return fallback;
    }
    return {(*it)[0].get<double>(), (*it)[1].get<double>()};
}

/// The warp named by one JSON object; false with *reason for an unknown kind.
bool makeWarp(const json& source, int columns, int rows, Warp& warp, std::string* reason) {
    const std::string kind = source.value("kind", "");
    const Point middle = {(columns - 1) / 2.0, (rows - 1) / 2.0};
    if (kind == "waves") {
        Point a = pair(source, "amplitude", {1, 1});
        Point l = pair(source, "wavelength", {10, 10});
        Point p = pair(source, "phase", {0, 0});
        warp = [=](Point q) {
            return Point{q.x + a.x * std::sin(2 * M_PI * (q.y / l.x + p.x)),
                         q.y + a.y * std::sin(2 * M_PI * (q.x / l.y + p.y))};
        };
    } else if (kind == "bulge") {
        Point c = pair(source, "centre", middle);
        double r = number(source, "radius", 6);
        double s = number(source, "strength", 0.5);
        warp = [=](Point q) {
            double dx = q.x - c.x, dy = q.y - c.y;
            double f = 1.0 + s * std::exp(-(dx * dx + dy * dy) / (r * r));
            return Point{c.x + dx * f, c.y + dy * f};
        };
    } else if (kind == "vortex") {
        Point c = pair(source, "centre", middle);
        double r = number(source, "radius", 6);
        double twist = number(source, "twist", 1.0);
        warp = [=](Point q) {
            double dx = q.x - c.x, dy = q.y - c.y;
            double a = twist * std::exp(-(dx * dx + dy * dy) / (r * r));
            return Point{c.x + dx * std::cos(a) - dy * std::sin(a),
                         c.y + dx * std::sin(a) + dy * std::cos(a)};
        };
    } else if (kind == "shear") {
        double row = number(source, "row", middle.y);
        double width = number(source, "width", 3);
        double offset = number(source, "offset", 2);
        warp = [=](Point q) { return Point{q.x + offset * std::tanh((q.y - row) / width), q.y}; };
    } else if (kind == "ripple") {
        Point c = pair(source, "centre", middle);
        double l = number(source, "wavelength", 6);
        double a = number(source, "amplitude", 0.6);
        double r = number(source, "radius", 12);
        warp = [=](Point q) {
            double dx = q.x - c.x, dy = q.y - c.y;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d < 1e-9) {
                return q;
            }
            double push = a * std::sin(2 * M_PI * d / l) * std::exp(-d * d / (r * r));
            return Point{q.x + dx / d * push, q.y + dy / d * push};
        };
    } else {
        if (reason != nullptr) {
            *reason = "unknown warp kind \"" + kind + "\"";
        }
        return false;
    }
    return true;
}

}  // namespace

bool buildLevelSet(const std::string& text, LevelSet& set, std::string* reason) {
    json doc = json::parse(text, nullptr, false);
    if (doc.is_discarded() || !doc.is_object() || !doc.contains("levels") ||
        !doc["levels"].is_array()) {
        if (reason != nullptr) {
            *reason = "expected an object with a \"levels\" array";
        }
        return false;
    }
    int index = 0;
    for (const json& level : doc["levels"]) {
        const std::string name = level.value("name", "level " + std::to_string(index));
        const int columns = level.value("columns", 0);
        const int rows = level.value("rows", 0);
        if (columns < 3 || rows < 3) {
            if (reason != nullptr) {
                *reason = name + ": columns and rows must be at least 3";
            }
            return false;
        }
        std::vector<Warp> warps;
        if (level.contains("warps")) {
            for (const json& source : level["warps"]) {
                Warp warp;
                std::string why;
                if (!makeWarp(source, columns, rows, warp, &why)) {
                    if (reason != nullptr) {
                        *reason = name + ": " + why;
                    }
                    return false;
                }
                warps.push_back(warp);
            }
        }
        set.appendLattice(columns, rows);
        Lattice& lattice = *set.lattices[set.count - 1];
        // Columns outer, rows inner, as the default grid is built: every row segment is refitted
        // after its last node has moved.
        for (int i = 0; i < columns; ++i) {
            for (int j = 0; j < rows; ++j) {
                Point p = {static_cast<double>(i), static_cast<double>(j)};
                for (const Warp& warp : warps) {
                    p = warp(p);
                }
                lattice.setNodeAndRefit(i, j, static_cast<float>(p.x * kDefaultCellPixels),
                                        static_cast<float>(p.y * kDefaultCellPixels));
            }
        }
        ++index;
    }
    return true;
}

bool writeLevels(const std::string& sourcePath, const std::string& outPath, std::string* reason) {
    std::ifstream in(sourcePath);
    if (!in) {
        if (reason != nullptr) {
            *reason = sourcePath + ": cannot open";
        }
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    LevelSet set;
    std::string why;
    if (!buildLevelSet(text.str(), set, &why)) {
        if (reason != nullptr) {
            *reason = sourcePath + ": " + why;
        }
        return false;
    }
    if (writeLevelFile(set, outPath.c_str(), &why) != 0) {
        if (reason != nullptr) {
            *reason = why;
        }
        return false;
    }
    return true;
}
