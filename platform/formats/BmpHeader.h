// The headers at the start of a Windows bitmap: the 14-byte file header and the info header
// after it (the 12-byte core header with 16-bit sizes, or the 40-byte one and its successors).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform {

struct BmpHeader {
    uint32_t PixelOffset = 0;  // where the pixel rows start, from the file header
    uint32_t InfoSize = 0;     // bytes of the info header
    int32_t Width = 0;
    int32_t Height = 0;        // negative: the rows are stored top-down
    uint16_t BitsPerPixel = 0;
    uint32_t Compression = 0;  // 0 plain rows, 3 and 6 plain rows with bit masks, others packed

    // Bytes a file needs to hold every row the header claims; 0 when the rows are packed
    // and no such size can be told.
    uint64_t BytesNeeded() const;
};

// The headers from the file's first bytes; nullopt when they are too few or no bitmap's.
std::optional<BmpHeader> ParseBmpHeader(const uint8_t* bytes, size_t size);

}  // namespace platform
