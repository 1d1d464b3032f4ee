#include "ui/BITMAP_Loader.h"

#include <array>
#include <cstdlib>
#include <fstream>

namespace BITMAP_Loader {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;  // the smallest header that carries 32-bit sizes
constexpr int32_t kLargestSide = 32768;  // far beyond any picture a texture could hold

int32_t ReadInt32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool GetBitmapSize(const std::string& FileName, int32_t& Width, int32_t& Height) {
    std::ifstream file(FileName, std::ios::binary);
    if (!file) return false;
    std::array<uint8_t, kFileHeaderBytes + kInfoHeaderBytes> header{};
    if (!file.read(reinterpret_cast<char*>(header.data()), header.size())) return false;

    if (header[0] != 'B' || header[1] != 'M') return false;
    const int32_t infoSize = ReadInt32(&header[14]);
    if (infoSize < static_cast<int32_t>(kInfoHeaderBytes)) return false;
    const int32_t width = ReadInt32(&header[18]);
    const int32_t height = ReadInt32(&header[22]);
    if (width <= 0 || width > kLargestSide) return false;
    if (height == 0 || height < -kLargestSide || height > kLargestSide) return false;

    Width = width;
    Height = std::abs(height);
    return true;
}

}  // namespace BITMAP_Loader
