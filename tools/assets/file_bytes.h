#pragma once
// Little-endian byte building and whole-file writing, shared by the bitmap and wave writers.

#include <cstdint>
#include <string>
#include <vector>

/// Appends the low 16 bits of v, least significant byte first.
void putU16(std::vector<uint8_t>& out, uint32_t v);
/// Appends v, least significant byte first.
void putU32(std::vector<uint8_t>& out, uint32_t v);
/// Writes bytes as the whole content of path; false with *reason when it cannot.
bool writeFileBytes(const std::vector<uint8_t>& bytes, const std::string& path,
                    std::string* reason);
