// Decoding of texture pictures: the pixels a texture gets from a BMP, JPEG or PNG file after
// the colour key and the requested pixel format are applied.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Device.h"

namespace d3d {

struct TextureImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgba;  // rows top to bottom, 4 bytes per pixel: r, g, b, a

    uint32_t ArgbAt(int x, int y) const;
};

// nullopt when the file is missing or not a picture. A pixel whose opaque colour equals the
// colour key exactly becomes transparent black; A1R5G5B5 keeps 5 bits per colour and 1 of alpha.
std::optional<TextureImage> LoadTextureImage(const std::string& path, const TextureLoadOptions& options);

}  // namespace d3d

namespace d3d {

// The picture's size from its header, without decoding it; false when it is no picture.
bool ReadImageSize(const std::string& path, int& width, int& height);

}  // namespace d3d
