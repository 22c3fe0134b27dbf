// The level tool run as a designer runs it: real files, real process, exit status and output.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lattice/lattice.h"

namespace {

/// Runs the tool; its exit status and everything it printed.
std::pair<int, std::string> tool(const std::string& arguments) {
    const std::string command = std::string(LUMEN_BIN_DIR) + "/lumendrift-level " + arguments;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string temp(const std::string& name) {
    return testing::TempDir() + "/leveltool_" + std::to_string(getpid()) + "_" + name;
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LevelTool, CheckInfoDumpBuildAndRender) {
    LevelSet set;  // a bent 12 × 10 arena and a plain 3 × 3
    set.appendLattice(12, 10);
    set.appendLattice(3, 3);
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 10; ++j) {
            set.lattices[0]->setNodePosition(i, j, 40.0f * i + 0.37f * j * j,
                                             40.0f * j - 0.21f * i * i);
        }
    }
    const std::string levels = temp("sample.lvl");
    ASSERT_EQ(writeLevelFile(set, levels.c_str()), 0);
    EXPECT_EQ(tool("check " + levels), std::pair(0, std::string("ok: 2 levels\n")));
    const auto [status, info] = tool("info " + levels);
    EXPECT_EQ(status, 0);
    EXPECT_NE(info.find("level 0: columns 12 rows 10 rimCount 40"), std::string::npos) << info;
    EXPECT_NE(info.find("level 1: columns 3 rows 3 rimCount 8 nodes (0, 0) to (80, 80)"),
              std::string::npos)
        << info;
    // Dump then build gives the same bytes.
    ASSERT_EQ(std::system((std::string(LUMEN_BIN_DIR) + "/lumendrift-level dump " + levels + " > " +
                           temp("dump.json"))
                              .c_str()),
              0);
    EXPECT_EQ(tool("build " + temp("dump.json") + " " + temp("rebuilt.lvl")).first, 0);
    EXPECT_EQ(bytesOf(temp("rebuilt.lvl")), bytesOf(levels));
    // The picture of the 3 × 3 level: 80 pixels plus a cell of grid lines and a margin, only
    // green grid and white rim on black.
    ASSERT_EQ(tool("render " + levels + " 1 " + temp("level.bmp")).first, 0);
    SDL_Surface* image = SDL_LoadBMP(temp("level.bmp").c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->w >= 120 && image->w <= 140) << image->w;
    int green = 0, white = 0, other = 0;
    for (int y = 0; y < image->h; ++y) {
        for (int x = 0; x < image->w; ++x) {
            Uint32 pixel = 0;
            const int bytes = image->format->BytesPerPixel;
            std::memcpy(&pixel, static_cast<Uint8*>(image->pixels) + y * image->pitch + x * bytes,
                        bytes);
            Uint8 r, g, b;
            SDL_GetRGB(pixel, image->format, &r, &g, &b);
            green += r == 0 && g == 255 && b == 0;
            white += r == 255 && g == 255 && b == 255;
            other += (r || g || b) && !(r == 0 && g == 255 && b == 0) && !(r == 255 && g == 255);
        }
    }
    SDL_FreeSurface(image);
    EXPECT_GT(green, 200);
    EXPECT_GT(white, 200);
    EXPECT_EQ(other, 0);
}

TEST(LevelTool, BadInputGetsOneLineAndAnExitStatusAndLeavesFilesAlone) {
    std::ofstream(temp("junk.lvl"), std::ios::binary) << "\x05\x00\x00\x00garbage";
    std::ofstream(temp("bad.json")) << "{\"levels\": [{\"columns\": 2, \"rows\": 5}]}";
    std::ofstream(temp("broken.json")) << "{\"levels\": [";
    std::ofstream(temp("keep.lvl"), std::ios::binary) << "old";
    const std::pair<std::string, std::string> cases[] = {
        {"check " + temp("absent.lvl"), "cannot open"},
        {"check " + temp("junk.lvl"), "junk.lvl"},
        {"build " + temp("bad.json") + " " + temp("keep.lvl"), "level 0"},
        {"build " + temp("broken.json") + " " + temp("keep.lvl"), "not valid JSON"},
        {"render " + temp("junk.lvl") + " 0 " + temp("x.bmp"), "junk.lvl"},
    };
    for (const auto& [arguments, mention] : cases) {
        const auto [status, output] = tool(arguments);
        EXPECT_EQ(status, 1) << arguments;
        EXPECT_NE(output.find(mention), std::string::npos) << output;
        EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
    }
    EXPECT_EQ(bytesOf(temp("keep.lvl")), "old");
    EXPECT_EQ(tool("").first, 2);
    EXPECT_EQ(tool("frobnicate x").first, 2);
}

}  // namespace
