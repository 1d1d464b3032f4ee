// libFuzzer target for the texture loader's decoding (stb_image behind the picture check):
// any bytes give a picture within the side bound or a refusal with its reason, never a crash,
// and never a decode of more than the file can hold. The bound is lower than the game's 8192
// so that the largest picture a small input may rightly hold (a deflated PNG) stays within
// the fuzzer's memory limit; the check itself is the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/formats/TextureImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr int kSide = 1024;
    d3d::TextureLoadOptions options;
    if (size % 3 == 1) options.ColorKey = 0xFF000000u;  // vary the conversions after the decode
    if (size % 3 == 2) options.Format = d3d::TextureFormat::A1R5G5B5;
    std::string error;
    const auto image = d3d::DecodeTextureImage(data, size, options, kSide, &error);
    if (!image) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (image->Width < 1 || image->Width > kSide || image->Height < 1 || image->Height > kSide) __builtin_trap();
    if (image->Rgba.size() != static_cast<size_t>(image->Width) * static_cast<size_t>(image->Height) * 4)
        __builtin_trap();
    return 0;
}
