// Reads the picture size of a Windows bitmap from its headers, without loading the pixels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace BITMAP_Loader {

// Fills Width and Height from the file's headers and returns true. Returns false, leaving
// both untouched, when the file is missing, too short, not a bitmap, or its header is
// damaged. A picture stored top-down (negative height in its header) gives its real height.
bool GetBitmapSize(const std::string& FileName, int32_t& Width, int32_t& Height);
// The same from the file's first bytes.
bool GetBitmapSize(const uint8_t* bytes, size_t size, int32_t& Width, int32_t& Height);

}  // namespace BITMAP_Loader
