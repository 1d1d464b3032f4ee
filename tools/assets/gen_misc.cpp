// Writes the small pictures of the misc folder: the star spark and the player's shadow.
// Magenta is the key colour the game makes transparent; the visible parts never use it.
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

#include "tools/assets/kit/Image.h"

namespace {

using assetkit::Image;
using assetkit::Rgb;

constexpr Rgb kKey{255, 0, 255};

float DistanceFromCentre(const Image& image, int x, int y) {
    const float cx = image.Width() / 2.0f, cy = image.Height() / 2.0f;
    return std::hypot(x + 0.5f - cx, y + 0.5f - cy);
}

// The key colour can only switch a pixel fully on or off, so the rim is softened with a
// checkerboard of visible and keyed pixels.
bool InsideDitheredDisc(const Image& image, int x, int y, float solidRadius, float outerRadius) {
    const float d = DistanceFromCentre(image, x, y);
    if (d <= solidRadius) return true;
    return d <= outerRadius && (x + y) % 2 == 0;
}

// A white-hot spark: the particle's own colour tints it on the device.
Image StarParticle() {
    Image image(32, 32, kKey);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!InsideDitheredDisc(image, x, y, 11.0f, 15.0f)) continue;
            const float glow = 1.0f - DistanceFromCentre(image, x, y) / 16.0f;
            const auto level = static_cast<uint8_t>(96 + 159 * glow);
            image.At(x, y) = {level, level, level};
        }
    return image;
}

// A dark patch covering nearly the whole picture, as the shadow quads stretch it over
// the vehicle's 0.8 x 0.8 footprint.
Image ShadowImage() {
    Image image(64, 64, kKey);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (!InsideDitheredDisc(image, x, y, 26.0f, 31.0f)) continue;
            const auto level = static_cast<uint8_t>(12 + DistanceFromCentre(image, x, y));
            image.At(x, y) = {level, level, level};
        }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_misc <output folder>\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
        assetkit::WriteBmp(StarParticle(), out + "/misc/starParticle.bmp");
        assetkit::WriteBmp(ShadowImage(), out + "/misc/shadowimage.bmp");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_misc: %s\n", e.what());
        return 1;
    }
    return 0;
}
