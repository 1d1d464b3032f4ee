// The test every picture passes before it is decoded, so that a damaged or hostile file
// (a 64-byte bitmap whose header claims 20000 x 20000 pixels) is refused before the decoder
// reserves memory for what the header claims.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The largest side of a texture, whatever the graphics card allows.
constexpr int kLargestTextureSide = 8192;

// Why the picture in bytes must not be decoded: it is no BMP, JPEG or PNG, a side is 0 or
// above maxSide, or the file is shorter than its header's claim needs. Empty when it may be.
std::string PictureProblem(const uint8_t* bytes, size_t size, int maxSide);

}  // namespace platform
