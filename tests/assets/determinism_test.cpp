// The generator is deterministic: two runs give byte-identical files.

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

/// Every regular file under root, as paths relative to it.
void listFiles(const std::string& root, const std::string& relative,
               std::vector<std::string>& out) {
    DIR* dir = opendir((root + "/" + relative).c_str());
    if (dir == nullptr) {
        return;
    }
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        std::string path = relative.empty() ? name : relative + "/" + name;
        if (e->d_type == DT_DIR) {
            listFiles(root, path, out);
        } else {
            out.push_back(path);
        }
    }
    closedir(dir);
}

std::string runGenerator() {
    char pattern[] = "/tmp/lumendrift-assets-XXXXXX";
    char* dir = mkdtemp(pattern);
    EXPECT_NE(dir, nullptr);
    std::string command = std::string(LUMEN_BIN_DIR) + "/lumendrift-assets " + dir + " > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return dir;
}

TEST(Generator, TwoRunsGiveIdenticalBytes) {
    std::string first = runGenerator();
    std::string second = runGenerator();
    std::vector<std::string> a, b;
    listFiles(first, "", a);
    listFiles(second, "", b);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.size(), 92u);  // 82 pictures, the editor's font, 8 sounds, the level file
    for (const std::string& file : a) {
        EXPECT_TRUE(readAll(first + "/" + file) == readAll(second + "/" + file)) << file;
    }
    std::system(("rm -rf " + first + " " + second).c_str());
}

}  // namespace
