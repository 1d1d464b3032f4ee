#include "ui/BITMAP_Loader.h"

#include <cstdlib>
#include <vector>

#include "platform/ReadableFile.h"
#include "platform/formats/BmpHeader.h"

namespace BITMAP_Loader {
namespace {

constexpr size_t kHeaderBytes = 14 + 40;  // the smallest info header that carries 32-bit sizes
constexpr int32_t kLargestSide = 32768;   // far beyond any picture a texture could hold

}  // namespace

bool GetBitmapSize(const std::string& FileName, int32_t& Width, int32_t& Height) {
    std::vector<uint8_t> header;
    if (platform::ReadFileInto(FileName, header, kHeaderBytes) != 0) return false;
    return GetBitmapSize(header.data(), header.size(), Width, Height);
}

bool GetBitmapSize(const uint8_t* bytes, size_t size, int32_t& Width, int32_t& Height) {
    const auto header = platform::ParseBmpHeader(bytes, size);
    if (!header || header->InfoSize < kHeaderBytes - 14) return false;
    const int32_t width = header->Width;
    const int32_t height = header->Height;
    if (width <= 0 || width > kLargestSide) return false;
    if (height == 0 || height < -kLargestSide || height > kLargestSide) return false;
    Width = width;
    Height = std::abs(height);
    return true;
}

}  // namespace BITMAP_Loader
