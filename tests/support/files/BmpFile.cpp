#include "tests/support/files/BmpFile.h"

#include <cstdlib>

void PutInt32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (size_t k = 0; k < 4; ++k) bytes.at(offset + k) = static_cast<uint8_t>(v >> (8 * k));
}

std::vector<uint8_t> BmpBytes(int32_t width, int32_t height, uint32_t rgb) {
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const size_t pixelBytes = rowBytes * static_cast<size_t>(std::abs(height));
    std::vector<uint8_t> bytes(54 + pixelBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutInt32(bytes, 2, static_cast<int32_t>(bytes.size()));
    PutInt32(bytes, 10, 54);
    PutInt32(bytes, 14, 40);
    PutInt32(bytes, 18, width);
    PutInt32(bytes, 22, height);
    bytes[26] = 1;   // planes
    bytes[28] = 24;  // bits per pixel
    PutInt32(bytes, 34, static_cast<int32_t>(pixelBytes));
    for (int32_t y = 0; y < std::abs(height); ++y)
        for (int32_t x = 0; x < width; ++x) {
            const size_t at = 54 + static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) * 3;
            bytes[at] = static_cast<uint8_t>(rgb);
            bytes[at + 1] = static_cast<uint8_t>(rgb >> 8);
            bytes[at + 2] = static_cast<uint8_t>(rgb >> 16);
        }
    return bytes;
}
