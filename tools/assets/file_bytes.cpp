#include "tools/assets/file_bytes.h"

#include <cstdio>

void putU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

bool writeFileBytes(const std::vector<uint8_t>& bytes, const std::string& path,
                    std::string* reason) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        if (reason != nullptr) {
            *reason = path + ": cannot open for writing";
        }
        return false;
    }
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    const bool closed = std::fclose(file) == 0;
    if (written != bytes.size() || !closed) {
        if (reason != nullptr) {
            *reason = path + ": write failed";
        }
        return false;
    }
    return true;
}
