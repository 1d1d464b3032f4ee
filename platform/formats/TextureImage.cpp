#include "platform/formats/TextureImage.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Diagnostics.h"
#include "platform/ReadableFile.h"

namespace d3d {
namespace {

std::atomic<PicturesAhead*> gAhead{nullptr};

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

// The file's bytes; nullopt when it cannot be read, with the reason in error unless the file
// is missing (or the name a folder's, as an empty texture name makes it), which the loader's
// caller tells.
std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, std::string* error) {
    std::vector<uint8_t> bytes;
    const int code = platform::ReadFileInto(path, bytes);
    if (code == 0) return bytes;
    if (error && code != ENOENT && code != EISDIR) *error = platform::FileFailure(code);
    return std::nullopt;
}

void Refused(const std::string& path, const std::string& why) {
    platform::Diagnose("Picture " + path + " refused: " + why);
}

}  // namespace

uint32_t TextureImage::ArgbAt(int x, int y) const {
    const uint8_t* p = &Rgba[(static_cast<size_t>(y) * Width + x) * 4];
    return (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

void SetPicturesAhead(PicturesAhead* ahead) { gAhead = ahead; }

std::optional<TextureImage> LoadTextureImage(const std::string& path, const TextureLoadOptions& options, int maxSide) {
    // Pictures are decoded ahead at the largest side a texture may have.
    if (PicturesAhead* ahead = gAhead; ahead && maxSide == platform::kLargestTextureSide) {
        if (auto image = ahead->Take(path, options)) return image;
    }
    std::string error;
    auto image = DecodeTextureFile(path, options, maxSide, &error);
    if (!image && !error.empty()) Refused(path, error);
    return image;
}

std::optional<TextureImage> DecodeTextureFile(const std::string& path, const TextureLoadOptions& options, int maxSide,
                                              std::string* error) {
    const auto bytes = ReadFile(path, error);
    if (!bytes) return std::nullopt;
    return DecodeTextureImage(bytes->data(), bytes->size(), options, maxSide, error);
}

bool PictureFileUsable(const std::string& path, int& width, int& height, int maxSide) {
    std::string unread;
    const auto bytes = ReadFile(path, &unread);
    if (!bytes) {
        if (!unread.empty()) Refused(path, unread);
        return false;
    }
    if (const std::string problem = platform::PictureProblem(bytes->data(), bytes->size(), maxSide); !problem.empty()) {
        Refused(path, problem);
        return false;
    }
    int channels = 0;
    stbi_info_from_memory(bytes->data(), static_cast<int>(bytes->size()), &width, &height, &channels);
    height = std::abs(height);  // a bitmap stored top-down
    return true;
}

std::optional<TextureImage> DecodeTextureImage(const uint8_t* bytes, size_t size, const TextureLoadOptions& options,
                                               int maxSide, std::string* error) {
    if (std::string problem = platform::PictureProblem(bytes, size, maxSide); !problem.empty()) {
        if (error) *error = std::move(problem);
        return std::nullopt;
    }
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytes, static_cast<int>(size), &w, &h, &channels, 4);
    if (!pixels) {
        if (error) *error = std::string("damaged picture: ") + stbi_failure_reason();
        return std::nullopt;
    }
    TextureImage image{w, h, std::vector<uint8_t>(pixels, pixels + static_cast<size_t>(w) * h * 4)};
    stbi_image_free(pixels);
    if (options.ColorKey) ApplyColorKey(image, *options.ColorKey);
    if (options.Format == TextureFormat::A1R5G5B5) ConvertToA1R5G5B5(image);
    return image;
}

}  // namespace d3d
