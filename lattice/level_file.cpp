// The level file: a level count, then per level the grid size, every node position (stored as a
// third of its picture position) and the rim points, all 32-bit little-endian.
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "lattice/lattice.h"

namespace {

constexpr long kCountBytes = 4;
constexpr long kLevelHeaderBytes = 12;
constexpr long kPairBytes = 8;
constexpr float kPositionScale = 3.0f;  // stored node positions are a third of the picture's
// Picture coordinates are 16-bit on screen; nodes beyond this cannot be shown.
constexpr float kPictureLimit = 32767.0f;

/// Smallest level record: 3 × 3 nodes and 8 rim points.
constexpr long kSmallestLevelBytes = kLevelHeaderBytes + kPairBytes * 9 + kPairBytes * 8;

std::string formatNumber(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

/// Reads the level file and reports the first thing wrong with it.
class LevelReader {
  public:
    LevelReader(std::FILE* file, const char* path, long length)
        : file_(file), path_(path), remaining_(length) {}

    bool readInt(int32_t& value) { return readRaw(&value); }
    bool readFloat(float& value) { return readRaw(&value); }

    /// Fails with a message naming the file, the level and the field.
    bool fail(int level, const std::string& what) {
        reason_ = std::string(path_) + ": ";
        if (level >= 0) {
            reason_ += "level " + std::to_string(level) + ": ";
        }
        reason_ += what;
        return false;
    }

    long remaining() const { return remaining_; }
    const std::string& reason() const { return reason_; }

  private:
    bool readRaw(void* value) {
        readWord(value, file_);
        if (std::feof(file_) || std::ferror(file_)) {
            return false;
        }
        remaining_ -= 4;
        return true;
    }

    std::FILE* file_;
    const char* path_;
    long remaining_;
    std::string reason_;
};

bool wholeAtLeastThree(float value) {
    return std::isfinite(value) && value >= 3.0f && std::floor(value) == value;
}

/// Reads one level record into a new Lattice, or explains why it cannot.
std::unique_ptr<Lattice> readLevel(LevelReader& in, int level) {
    float columns = 0, rows = 0, rimCount = 0;
    if (!in.readFloat(columns) || !in.readFloat(rows) || !in.readFloat(rimCount)) {
        in.fail(level, "file ends early in the level header");
        return nullptr;
    }
    if (!wholeAtLeastThree(columns)) {
        in.fail(level, "columns " + formatNumber(columns) + " is not a whole number of at least 3");
        return nullptr;
    }
    if (!wholeAtLeastThree(rows)) {
        in.fail(level, "rows " + formatNumber(rows) + " is not a whole number of at least 3");
        return nullptr;
    }
    // Sizes are checked against the bytes left before anything is allocated for them.
    const double nodeBytes = static_cast<double>(kPairBytes) * columns * rows;
    if (nodeBytes > static_cast<double>(in.remaining())) {
        in.fail(level, "columns " + formatNumber(columns) + " × rows " + formatNumber(rows) +
                           " needs more node data than the file holds");
        return nullptr;
    }
    if (rimCount != 2.0f * (columns + rows) - 4.0f) {
        in.fail(level, "rimCount " + formatNumber(rimCount) + " is not 2·(columns + rows) − 4 = " +
                           formatNumber(2.0f * (columns + rows) - 4.0f));
        return nullptr;
    }
    if (nodeBytes + static_cast<double>(kPairBytes) * rimCount >
        static_cast<double>(in.remaining())) {
        in.fail(level, "file ends early: the level's nodes and rim need more bytes than remain");
        return nullptr;
    }

    const int nc = static_cast<int>(columns);
    const int nr = static_cast<int>(rows);
    auto lattice = std::make_unique<Lattice>(nc, nr);
    for (int i = 0; i < nc; ++i) {
        for (int j = 0; j < nr; ++j) {
            float p = 0, q = 0;
            if (!in.readFloat(p) || !in.readFloat(q)) {
                in.fail(level, "file ends early in the node positions");
                return nullptr;
            }
            const float x = kPositionScale * p;
            const float y = kPositionScale * q;
            if (!(std::fabs(x) <= kPictureLimit && std::fabs(y) <= kPictureLimit)) {
                in.fail(level, "node (" + std::to_string(i) + ", " + std::to_string(j) +
                                   ") position (" + formatNumber(x) + ", " + formatNumber(y) +
                                   ") is outside ±32767 pixels");
                return nullptr;
            }
            lattice->setNodeAndRefit(i, j, x, y);
        }
    }
    const int rimEntries = static_cast<int>(rimCount);
    lattice->replaceRim(rimEntries);
    for (int k = 0; k < rimEntries; ++k) {
        float u = 0, v = 0;
        if (!in.readFloat(u) || !in.readFloat(v)) {
            in.fail(level, "file ends early in the rim points");
            return nullptr;
        }
        // The rim must stay where the surface is defined: within a cell of the grid.
        if (!(u > -1.0f && u <= columns && v > -1.0f && v <= rows)) {
            in.fail(level, "rim point " + std::to_string(k) + " (" + formatNumber(u) + ", " +
                               formatNumber(v) + ") lies outside the grid");
            return nullptr;
        }
        lattice->setRimPoint(k, u, v);
    }
    return lattice;
}

/// The float p whose triple reads back as x: a third of x, chosen canonically (the smallest
/// such float near x / 3) so that writing what was read gives the same bytes again.
float storedThird(float x) {
    const float guess = x / kPositionScale;
    if (!std::isfinite(guess) || guess == 0.0f) {
        return guess;  // zero keeps its sign: only ±0 triple to ±0
    }
    float target = x;
    for (int attempt = 0; attempt < 2; ++attempt) {
        float candidate = guess;
        for (int step = 0; step < 3; ++step) {
            candidate = std::nextafter(candidate, -INFINITY);
        }
        for (int step = 0; step <= 6; ++step) {
            if (kPositionScale * candidate == target) {
                return candidate;
            }
            candidate = std::nextafter(candidate, INFINITY);
        }
        // x itself is no triple of any float: aim for the triple of its nearest third.
        target = kPositionScale * guess;
    }
    return guess;
}

void putWord(unsigned char* out, const void* value) {
    uint32_t bits;
    std::memcpy(&bits, value, 4);
    for (int b = 0; b < 4; ++b) {
        out[b] = static_cast<unsigned char>(bits >> (8 * b));
    }
}

}  // namespace

void readWord(void* destination, std::FILE* stream) {
    unsigned char* bytes = static_cast<unsigned char*>(destination);
    for (int b = 0; b < 4; ++b) {
        const int c = std::fgetc(stream);
        bytes[b] = c == EOF ? 0xFF : static_cast<unsigned char>(c);
    }
}

int32_t readLevelFile(std::unique_ptr<LevelSet>& set, const char* path, std::string* reason) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        if (reason != nullptr) {
            *reason = std::string(path) + ": cannot open: " + std::strerror(errno);
        }
        return -1;
    }
    const int32_t result = readLevelStream(set, file, path, reason);
    std::fclose(file);
    return result;
}

int32_t readLevelStream(std::unique_ptr<LevelSet>& set, std::FILE* file, const char* name,
                        std::string* reason) {
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        length = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
    }
    LevelReader in(file, name, length < 0 ? 0 : length);

    std::unique_ptr<LevelSet> levels;
    int32_t levelCount = 0;
    bool ok = true;
    if (length < 0) {
        ok = in.fail(-1, "cannot determine the file's length");
    } else if (!in.readInt(levelCount)) {
        ok = in.fail(-1, "file ends before the level count");
    } else if (levelCount < 0) {
        ok = in.fail(-1, "levelCount " + std::to_string(levelCount) + " is negative");
    } else if (static_cast<long>(levelCount) > (length - kCountBytes) / kSmallestLevelBytes) {
        ok =
            in.fail(-1, "levelCount " + std::to_string(levelCount) + " needs more bytes than the " +
                            std::to_string(length) + "-byte file holds");
    } else {
        levels = std::make_unique<LevelSet>();
        levels->reserve(levelCount);
        for (int32_t l = 0; l < levelCount && ok; ++l) {
            levels->lattices[l] = readLevel(in, l);
            ok = levels->lattices[l] != nullptr;
        }
    }

    if (!ok) {
        if (reason != nullptr) {
            *reason = in.reason();
        }
        return -1;
    }
    set = std::move(levels);
    return 0;
}

int32_t writeLevelFile(const LevelSet& set, const char* path, std::string* reason) {
    // Written beside the target and moved over it at the end, so a failed write never leaves a
    // half-written level file behind.
    const std::string temporary = std::string(path) + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        if (reason != nullptr) {
            *reason = std::string(path) + ": cannot write: " + std::strerror(errno);
        }
        return -1;
    }
    bool ok = true;
    unsigned char word[4];
    auto put = [&](const void* value) {
        putWord(word, value);
        ok = ok && std::fwrite(word, 1, 4, file) == 4;
    };
    put(&set.count);
    for (int32_t l = 0; l < set.count; ++l) {
        const Lattice& lattice = *set.lattices[l];
        put(&lattice.columns);
        put(&lattice.rows);
        put(&lattice.rimCount);
        for (int i = 0; static_cast<float>(i) < lattice.columns; ++i) {
            for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
                float x = 0, y = 0;
                lattice.mapPoint(static_cast<float>(i), static_cast<float>(j), x, y, true, true);
                const float p = storedThird(x);
                const float q = storedThird(y);
                put(&p);
                put(&q);
            }
        }
        for (int k = 0; static_cast<float>(k) < lattice.rimCount; ++k) {
            float u = 0, v = 0;
            lattice.rimPoint(static_cast<float>(k), u, v);
            put(&u);
            put(&v);
        }
    }
    ok = (std::fclose(file) == 0) && ok;
    // std::filesystem::rename replaces an existing file on Windows too, where std::rename fails.
    std::error_code moved;
    if (ok) {
        std::filesystem::rename(temporary, path, moved);
        ok = !moved;
    }
    if (!ok) {
        const std::string why = moved ? moved.message() : std::strerror(errno);
        std::remove(temporary.c_str());
        if (reason != nullptr) {
            *reason = std::string(path) + ": cannot write: " + why;
        }
        return -1;
    }
    return 0;
}
