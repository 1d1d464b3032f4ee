#include "platform/TextureImage.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

#include <cstring>

namespace d3d {
namespace {

uint8_t To5Bits(uint8_t c) {
    const uint8_t five = c >> 3;
    return static_cast<uint8_t>((five << 3) | (five >> 2));
}

void ApplyColorKey(TextureImage& image, uint32_t key) {
    for (size_t i = 0; i < image.Rgba.size(); i += 4) {
        uint8_t* p = &image.Rgba[i];
        const uint32_t argb = (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
        if (argb == key) std::memset(p, 0, 4);
    }
}

void ConvertToA1R5G5B5(TextureImage& image) {
    for (size_t i = 0; i < image.Rgba.size(); i += 4) {
        uint8_t* p = &image.Rgba[i];
        for (int c = 0; c < 3; ++c) p[c] = To5Bits(p[c]);
        p[3] = p[3] >= 128 ? 255 : 0;
    }
}

}  // namespace

uint32_t TextureImage::ArgbAt(int x, int y) const {
    const uint8_t* p = &Rgba[(static_cast<size_t>(y) * Width + x) * 4];
    return (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

std::optional<TextureImage> LoadTextureImage(const std::string& path, const TextureLoadOptions& options) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &w, &h, &channels, 4);
    if (!pixels) return std::nullopt;
    TextureImage image{w, h, std::vector<uint8_t>(pixels, pixels + static_cast<size_t>(w) * h * 4)};
    stbi_image_free(pixels);
    if (options.ColorKey) ApplyColorKey(image, *options.ColorKey);
    if (options.Format == TextureFormat::A1R5G5B5) ConvertToA1R5G5B5(image);
    return image;
}

}  // namespace d3d

namespace d3d {

bool ReadImageSize(const std::string& path, int& width, int& height) {
    int channels = 0;
    return stbi_info(path.c_str(), &width, &height, &channels) != 0;
}

}  // namespace d3d
