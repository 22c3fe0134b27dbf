#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "lattice/lattice.h"

namespace {

/// Builds level-file bytes by hand, little-endian.
struct Bytes {
    std::vector<unsigned char> data;
    Bytes& i32(int32_t v) { return raw(&v); }
    Bytes& f32(float v) { return raw(&v); }
    Bytes& raw(const void* v) {
        uint32_t bits;
        std::memcpy(&bits, v, 4);
        for (int b = 0; b < 4; ++b) {
            data.push_back(static_cast<unsigned char>(bits >> (8 * b)));
        }
        return *this;
    }
    Bytes& at(size_t offset, float v) {  // overwrites the word at `offset`
        std::memcpy(&data[offset], &v, 4);
        return *this;
    }
    Bytes& size(size_t n) {  // cuts, or pads with zeros
        data.resize(n, 0);
        return *this;
    }
    /// A level record with the default grid stored as thirds, and the default rim.
    Bytes& level(int nc, int nr, float nodeOffset = 0.0f) {
        f32(nc).f32(nr).f32(2 * (nc + nr) - 4);
        for (int i = 0; i < nc; ++i) {
            for (int j = 0; j < nr; ++j) {
                f32(40.0f * i / 3 + nodeOffset).f32(40.0f * j / 3);
            }
        }
        Lattice shape(nc, nr);
        for (int k = 0; k < 2 * (nc + nr) - 4; ++k) {
            float u = 0, v = 0;
            shape.rimPoint(static_cast<float>(k), u, v);
            f32(u).f32(v);
        }
        return *this;
    }
};

/// The largest stored third whose triple is still within 32767 pixels.
float lastThirdWithin() {
    float p = 10922.0f;
    while (3.0f * std::nextafter(p, INFINITY) <= 32767.0f) {
        p = std::nextafter(p, INFINITY);
    }
    return p;
}

std::string tempPath(const std::string& name) {
    return testing::TempDir() + "/lumen_" + std::to_string(getpid()) + "_" + name;
}

std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string path = tempPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ReadLevelFile, ThreeByThreeLevelIs152BytesTriplesPositionsAndLevelsComeInOrder) {
    Bytes file;
    file.i32(1).f32(3).f32(3).f32(8);
    for (int n = 0; n < 9; ++n) {
        file.f32(n == 4 ? 10.0f : 0.0f).f32(n == 4 ? 20.0f : 0.0f);
    }
    const float rim[8][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}};
    for (auto& p : rim) {
        file.f32(p[0]).f32(p[1]);
    }
    ASSERT_EQ(file.data.size(), 152u);
    std::unique_ptr<LevelSet> set;
    std::string reason;
    ASSERT_EQ(readLevelFile(set, writeFile("three.lvl", file.data).c_str(), &reason), 0) << reason;
    ASSERT_EQ(set->count, 1);
    float x = 0, y = 0;
    set->lattices[0]->mapPoint(1, 1, x, y, true, true);  // node (1, 1) is the fifth pair
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(30.0f, 60.0f));
    float u = 0, v = 0;
    set->lattices[0]->rimPoint(3.0f, u, v);
    EXPECT_EQ(std::make_pair(u, v), std::make_pair(2.0f, 1.0f));
    // The last float within ±32767 pixels is a node's place; rim points may lie on the far edges.
    const float within = lastThirdWithin();
    Bytes edge;
    edge.i32(1).level(3, 3).at(16, within).at(20, -within).at(96, 3.0f).at(100, 3.0f);
    ASSERT_EQ(readLevelFile(set, writeFile("edge.lvl", edge.data).c_str(), &reason), 0) << reason;
    set->lattices[0]->mapPoint(0, 0, x, y, true, true);
    EXPECT_TRUE(x > 32766.99f && y < -32766.99f) << x << ", " << y;
    // Zero or several levels, in order.
    ASSERT_EQ(readLevelFile(set, writeFile("zero.lvl", Bytes().i32(0).data).c_str()), 0);
    EXPECT_EQ(set->count, 0);
    Bytes two;
    two.i32(2).level(4, 3).level(5, 6, 1.0f).i32(7);  // bytes after the last level are ignored
    ASSERT_EQ(readLevelFile(set, writeFile("two.lvl", two.data).c_str()), 0);
    ASSERT_EQ(set->count, 2);
    EXPECT_EQ(std::make_pair(set->lattices[0]->columns, set->lattices[1]->rows),
              std::make_pair(4.0f, 6.0f));
    set->lattices[1]->mapPoint(2, 0, x, y, true, true);
    EXPECT_FLOAT_EQ(x, 83.0f);
}

TEST(ReadLevelFile, RejectsBrokenFilesWithAReason) {
    const float beyond = std::nextafter(lastThirdWithin(), INFINITY);  // triples past ±32767
    const size_t rim3 = 16 + 8 * 16 + 8 * 3;  // rim point 3 of a 4 × 4 level
    const std::pair<std::vector<unsigned char>, const char*> cases[] = {
        {{1, 2, 3}, "level count"},
        {{}, "level count"},
        {Bytes().i32(-1).data, "negative"},
        {Bytes().i32(INT32_MAX).data, "levelCount"},
        {Bytes().i32(2).level(4, 4).data, "levelCount"},
        {Bytes().i32(1).level(5, 5).size(16 + 8 * 25 + 8 * 16 - 3).data, "level 0"},
        {Bytes().i32(2).level(4, 4).level(4, 4).at(16 + 8 * 16 + 8 * 12, 2.5f).data,
         "level 1: columns 2.5"},
        {Bytes().i32(1).f32(2).f32(3).f32(6).size(4 + 12 + 200).data, "columns 2"},
        {Bytes().i32(1).f32(4).f32(5).f32(13).size(16 + 8 * 20 + 8 * 13).data,
         "rimCount 13 is not 2·(columns + rows) − 4 = 14"},
        {Bytes().i32(1).f32(30000).f32(20000).f32(99996).size(200).data,
         "columns 30000 × rows 20000 needs more node data"},
        {Bytes().i32(1).level(4, 4).at(16, NAN).data, "node (0, 0)"},
        {Bytes().i32(1).f32(4).f32(2.5f).f32(9).size(400).data,
         "level 0: rows 2.5 is not a whole number"},
        {Bytes().i32(1).level(4, 4).at(16 + 8 + 4, beyond).data,
         "node (0, 1) position (0, 32767) is outside ±32767"},
        {Bytes().i32(1).level(4, 4).at(rim3, 4.5f).data, "rim point 3 (4.5, 0) lies outside"},
        {Bytes().i32(1).level(4, 4).at(rim3, -1.0f).data, "rim point 3 (-1, 0) lies outside"},
        {Bytes().i32(2).level(8, 8).f32(4).data, "level 1: file ends early in the level header"},
        {Bytes().i32(1).f32(NAN).f32(4).f32(12).size(400).data, "columns nan"},
        {Bytes().i32(1).level(4, 4).at(rim3 + 4, NAN).data, "rim point 3 (3, nan) lies outside"},
    };
    for (const auto& [bytes, mention] : cases) {
        // Every rejection returns −1, leaves the caller's set as it was and names the problem
        // and the file in one line.
        auto set = std::make_unique<LevelSet>();
        set->appendLattice(3, 3);
        LevelSet* before = set.get();
        std::string reason;
        const std::string path = writeFile("broken.lvl", bytes);
        EXPECT_EQ(readLevelFile(set, path.c_str(), &reason), -1) << mention;
        EXPECT_EQ(std::make_pair(set.get(), set->count), std::make_pair(before, 1)) << mention;
        EXPECT_NE(reason.find(path), std::string::npos) << reason;
        EXPECT_NE(reason.find(mention), std::string::npos) << reason;
        EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
    }
    std::unique_ptr<LevelSet> none;  // a missing file or an unseekable stream makes no set
    std::string reason;
    EXPECT_EQ(readLevelFile(none, tempPath("does-not-exist.lvl").c_str(), &reason), -1);
    EXPECT_NE(reason.find("cannot open"), std::string::npos);
    std::FILE* pipe = popen("printf 'AAAA'", "r");
    EXPECT_EQ(readLevelStream(none, pipe, "a pipe", &reason), -1);
    pclose(pipe);
    EXPECT_EQ(reason, "a pipe: cannot determine the file's length");
    EXPECT_EQ(none, nullptr);
}

TEST(WriteLevelFile, RoundTripKeepsPositionsIsByteStableAndUnwritablePathsAreReported) {
    LevelSet set;
    set.appendLattice(12, 12);
    set.appendLattice(5, 9);
    set.appendLattice(3, 3);
    std::mt19937 random(100);  // every node moved by a random amount
    std::uniform_real_distribution<float> wobble(-17.0f, 17.0f);
    for (int32_t l = 0; l < set.count; ++l) {
        Lattice& bent = *set.lattices[l];
        for (int i = 0; static_cast<float>(i) < bent.columns; ++i) {
            for (int j = 0; static_cast<float>(j) < bent.rows; ++j) {
                bent.setNodePosition(i, j, 40.0f * i + wobble(random), 40.0f * j + wobble(random));
            }
        }
        bent.refitAll();
    }
    const std::string first = tempPath("round1.lvl");
    ASSERT_EQ(writeLevelFile(set, first.c_str()), 0);
    const auto bytes = readFile(first);
    EXPECT_EQ(bytes.size(), 4u + (12 + 8 * 144 + 8 * 44) + (12 + 8 * 45 + 8 * 24) + 152 - 4);
    std::unique_ptr<LevelSet> back;
    std::string reason;
    ASSERT_EQ(readLevelFile(back, first.c_str(), &reason), 0) << reason;
    ASSERT_EQ(back->count, 3);
    for (int32_t l = 0; l < 3; ++l) {
        const Lattice& a = *set.lattices[l];
        const Lattice& b = *back->lattices[l];
        ASSERT_EQ(std::make_pair(a.columns, a.rows), std::make_pair(b.columns, b.rows));
        for (int i = 0; static_cast<float>(i) < a.columns; ++i) {
            for (int j = 0; static_cast<float>(j) < a.rows; ++j) {
                EXPECT_NEAR(a.node(i, j).x, b.node(i, j).x, 1e-4 * (1 + std::fabs(a.node(i, j).x)));
                EXPECT_NEAR(a.node(i, j).y, b.node(i, j).y, 1e-4 * (1 + std::fabs(a.node(i, j).y)));
            }
        }
        float ua = 0, va = 0, ub = 1, vb = 1;
        a.rimPoint(2.5f, ua, va);
        b.rimPoint(2.5f, ub, vb);
        EXPECT_EQ(std::make_pair(ua, va), std::make_pair(ub, vb));
    }
    const std::string second = tempPath("round2.lvl");
    ASSERT_EQ(writeLevelFile(*back, second.c_str()), 0);
    EXPECT_EQ(readFile(second), bytes);
    EXPECT_EQ(writeLevelFile(set, "/nonexistent-dir/x.lvl", &reason), -1);
    EXPECT_NE(reason.find("/nonexistent-dir/x.lvl"), std::string::npos);
    // A folder in the file's place: the written copy cannot replace it and is taken away.
    const std::string folder = tempPath("folder.lvl");
    ASSERT_TRUE(mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST);
    EXPECT_EQ(writeLevelFile(set, folder.c_str(), &reason), -1);
    EXPECT_EQ(reason.rfind(folder + ": cannot write: ", 0), 0u) << reason;
    EXPECT_NE(access((folder + ".part").c_str(), F_OK), 0);
}

TEST(ReadWord, MissingBytesBecomeFF) {
    const std::string path = writeFile("word.bin", {0x11, 0x22});
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    uint32_t word = 0;
    readWord(&word, file);
    std::fclose(file);
    EXPECT_EQ(word, 0xFFFF2211u);
}

}  // namespace
