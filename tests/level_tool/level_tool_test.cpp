// The level tool run as a designer runs it: real files, real process, exit status and output.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lattice/lattice.h"

namespace {

struct ToolRun {
    int status;
    std::string output;
};

ToolRun runTool(const std::string& arguments) {
    const std::string command =
        std::string(LUMEN_BIN_DIR) + "/lumendrift-level " + arguments + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ToolRun run{-1, ""};
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string temp(const std::string& name) {
    return testing::TempDir() + "/leveltool_" + std::to_string(getpid()) + "_" + name;
}

std::vector<unsigned char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// A two-level file: a bent 12 × 10 arena and a plain 3 × 3.
std::string sampleLevels() {
    LevelSet set;
    set.appendLattice(12, 10);
    set.appendLattice(3, 3);
    Lattice& bent = *set.lattices[0];
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 10; ++j)
            bent.setNodePosition(i, j, 40.0f * i + 0.37f * j * j, 40.0f * j - 0.21f * i * i);
    bent.refitAll();
    const std::string path = temp("sample.lvl");
    EXPECT_EQ(writeLevelFile(set, path.c_str()), 0);
    return path;
}

TEST(LevelTool, CheckAndInfo) {
    const std::string path = sampleLevels();
    ToolRun run = runTool("check " + path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "ok: 2 levels\n");

    run = runTool("info " + path);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("level 0: columns 12 rows 10 rimCount 40"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("level 1: columns 3 rows 3 rimCount 8 nodes (0, 0) to (80, 80)"),
              std::string::npos)
        << run.output;
}

TEST(LevelTool, DumpThenBuildGivesTheSameBytes) {
    const std::string path = sampleLevels();
    const std::string json = temp("dump.json");
    ASSERT_EQ(
        std::system(
            (std::string(LUMEN_BIN_DIR) + "/lumendrift-level dump " + path + " > " + json).c_str()),
        0);
    const std::string rebuilt = temp("rebuilt.lvl");
    const ToolRun run = runTool("build " + json + " " + rebuilt);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(bytesOf(rebuilt), bytesOf(path));
}

TEST(LevelTool, BadInputGetsOneLineAndAnExitStatus) {
    ToolRun run = runTool("check " + temp("absent.lvl"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("cannot open"), std::string::npos);
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1);

    std::ofstream(temp("junk.lvl"), std::ios::binary) << "\x05\x00\x00\x00garbage";
    run = runTool("check " + temp("junk.lvl"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("junk.lvl"), std::string::npos);

    std::ofstream(temp("bad.json")) << "{\"levels\": [{\"columns\": 2, \"rows\": 5}]}";
    const std::string keep = temp("keep.lvl");
    std::ofstream(keep, std::ios::binary) << "old";
    run = runTool("build " + temp("bad.json") + " " + keep);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("level 0"), std::string::npos) << run.output;
    EXPECT_EQ(bytesOf(keep).size(), 3u);  // the old file is left as it was

    std::ofstream(temp("broken.json")) << "{\"levels\": [";
    run = runTool("build " + temp("broken.json") + " " + keep);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("not valid JSON"), std::string::npos);

    EXPECT_EQ(runTool("").status, 2);
    EXPECT_EQ(runTool("frobnicate x").status, 2);
    EXPECT_EQ(runTool("render " + sampleLevels() + " 7 " + temp("x.bmp")).status, 1);
    EXPECT_EQ(runTool("render " + sampleLevels() + " one " + temp("x.bmp")).status, 1);
}

TEST(LevelTool, RenderShowsGreenGridAndWhiteRim) {
    const std::string picture = temp("level.bmp");
    const ToolRun run = runTool("render " + sampleLevels() + " 1 " + picture);
    ASSERT_EQ(run.status, 0) << run.output;
    SDL_Surface* image = SDL_LoadBMP(picture.c_str());
    ASSERT_NE(image, nullptr);
    // A 3 × 3 lattice spans 80 pixels plus a cell of grid lines and a margin.
    EXPECT_GE(image->w, 120);
    EXPECT_LE(image->w, 140);
    int green = 0, white = 0, other = 0;
    for (int y = 0; y < image->h; ++y) {
        for (int x = 0; x < image->w; ++x) {
            Uint32 pixel = 0;
            std::memcpy(&pixel,
                        static_cast<Uint8*>(image->pixels) + y * image->pitch +
                            x * image->format->BytesPerPixel,
                        image->format->BytesPerPixel);
            Uint8 r, g, b;
            SDL_GetRGB(pixel, image->format, &r, &g, &b);
            if (r == 0 && g == 255 && b == 0)
                ++green;
            else if (r == 255 && g == 255 && b == 255)
                ++white;
            else if (r || g || b)
                ++other;
        }
    }
    SDL_FreeSurface(image);
    EXPECT_GT(green, 200);
    EXPECT_GT(white, 200);
    EXPECT_EQ(other, 0);
}

}  // namespace
