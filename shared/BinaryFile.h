// Whole-file reads and in-place writes of the game's small binary files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace BinaryFile {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadAll(const std::string& path);
// Writes bytes at offset in one call without shortening the file (created when missing).
// False when the file cannot be opened or the write does not complete.
bool WriteAt(const std::string& path, size_t offset, const void* bytes, size_t count);

// Little-endian field access on a byte buffer.
inline int16_t GetInt16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }
inline int32_t GetInt32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}
inline void PutInt16(uint8_t* p, int16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}
inline void PutInt32(uint8_t* p, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
    p[2] = static_cast<uint8_t>(u >> 16);
    p[3] = static_cast<uint8_t>(u >> 24);
}

}  // namespace BinaryFile
