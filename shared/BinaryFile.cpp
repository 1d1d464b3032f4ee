#include "shared/BinaryFile.h"

#include <cstdio>

namespace BinaryFile {

std::optional<std::vector<uint8_t>> ReadAll(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::vector<uint8_t> data;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return data;
}

bool WriteAt(const std::string& path, size_t offset, const void* bytes, size_t count) {
    FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) f = std::fopen(path.c_str(), "w+b");
    if (!f) return false;
    bool ok = std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0 && std::fwrite(bytes, 1, count, f) == count;
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace BinaryFile
