// Bytes of small Windows bitmaps for tests, including damaged ones.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A complete 24-bit bitmap of the given size filled with one colour (0xRRGGBB). A negative
// height stores the rows top-down.
std::vector<uint8_t> BmpBytes(int32_t width, int32_t height, uint32_t rgb = 0x336699);
// Writes a 32-bit little-endian value into bytes at offset.
void PutInt32(std::vector<uint8_t>& bytes, size_t offset, int32_t value);
