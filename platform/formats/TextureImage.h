// Decoding of texture pictures: the pixels a texture gets from a BMP, JPEG or PNG file after
// the colour key and the requested pixel format are applied. Every picture passes
// platform::PictureProblem first, so a damaged or hostile file is refused before decoding.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/formats/PictureCheck.h"

namespace d3d {

struct TextureImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgba;  // rows top to bottom, 4 bytes per pixel: r, g, b, a

    uint32_t ArgbAt(int x, int y) const;
};

// A picture a program is about to load, and how.
struct PictureRequest {
    std::string Path;
    TextureLoadOptions Options;
};

// Pictures decoded ahead of their loading (platform/threads/PicturePrefetch.h).
class PicturesAhead {
public:
    virtual ~PicturesAhead() = default;
    // The picture asked for ahead with the path and options, once; nullopt when there is none
    // to take or it could not be decoded.
    virtual std::optional<TextureImage> Take(const std::string& path, const TextureLoadOptions& options) = 0;
};
// While set, LoadTextureImage takes its pictures from ahead where it can; nullptr: from the
// files alone.
void SetPicturesAhead(PicturesAhead* ahead);

// nullopt when the file is missing or refused (no side may exceed maxSide); a file that
// exists but is refused is told to platform::Diagnose with the reason. A pixel whose opaque
// colour equals the colour key exactly becomes transparent black; A1R5G5B5 keeps 5 bits per
// colour and 1 of alpha.
std::optional<TextureImage> LoadTextureImage(const std::string& path, const TextureLoadOptions& options,
                                             int maxSide = platform::kLargestTextureSide);
// The same telling nothing: nullopt when the file is missing or refused, the reason of a
// refusal in error.
std::optional<TextureImage> DecodeTextureFile(const std::string& path, const TextureLoadOptions& options, int maxSide,
                                              std::string* error = nullptr);
// The same from the file's bytes, with the reason of a refusal in error.
std::optional<TextureImage> DecodeTextureImage(const uint8_t* bytes, size_t size, const TextureLoadOptions& options,
                                               int maxSide, std::string* error = nullptr);
// Whether the file holds a picture that passes the check, refusals told as above, with its
// size from the header when it does; for devices that need the size, not the pixels.
bool PictureFileUsable(const std::string& path, int& width, int& height, int maxSide = platform::kLargestTextureSide);

}  // namespace d3d
