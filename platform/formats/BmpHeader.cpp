#include "platform/formats/BmpHeader.h"

#include <algorithm>
#include <cstdlib>

namespace platform {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kInfoHeaderBytes = 40;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

bool PlainRows(uint32_t compression) { return compression == 0 || compression == 3 || compression == 6; }

}  // namespace

uint64_t BmpHeader::BytesNeeded() const {
    if (!PlainRows(Compression) || Width <= 0) return 0;
    // Every row is padded to whole 32-bit words.
    const uint64_t rowBytes = (static_cast<uint64_t>(Width) * BitsPerPixel + 31) / 32 * 4;
    const uint64_t rows = static_cast<uint64_t>(std::llabs(static_cast<long long>(Height)));
    const uint64_t firstRow = std::max<uint64_t>(PixelOffset, kFileHeaderBytes + InfoSize);
    return firstRow + rowBytes * rows;
}

std::optional<BmpHeader> ParseBmpHeader(const uint8_t* bytes, size_t size) {
    if (size < kFileHeaderBytes + kCoreHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    BmpHeader h;
    h.PixelOffset = U32(bytes + 10);
    h.InfoSize = U32(bytes + 14);
    const uint8_t* info = bytes + kFileHeaderBytes;
    if (h.InfoSize == kCoreHeaderBytes) {
        h.Width = U16(info + 4);
        h.Height = U16(info + 6);
        h.BitsPerPixel = U16(info + 10);
        return h;
    }
    if (h.InfoSize < kInfoHeaderBytes || size < kFileHeaderBytes + kInfoHeaderBytes) return std::nullopt;
    h.Width = static_cast<int32_t>(U32(info + 4));
    h.Height = static_cast<int32_t>(U32(info + 8));
    h.BitsPerPixel = U16(info + 14);
    h.Compression = U32(info + 16);
    return h;
}

}  // namespace platform
