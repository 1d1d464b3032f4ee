// Writes the pictures behind the track into <out>/backgrounds/: six landscapes, the fallback
// and the loading picture.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/assets/kit/Image.h"

using assetkit::Image;
using assetkit::Noise;
using assetkit::Rgb;

namespace {

constexpr int kWidth = 800, kHeight = 600;

struct Scene {
    Rgb skyTop, skyHorizon, farHills, nearHills;
    float sunX, sunY;  // as fractions of the picture; sunY < 0 for no sun
    Rgb sun;
    uint32_t seed;
};

// A rolling ridge line: the sum of a few waves with seeded phases.
float Ridge(float x, uint32_t seed, float base, float height) {
    Noise noise(seed);
    float y = 0;
    for (int k = 1; k <= 4; ++k) y += std::sin(x * 0.004f * k + noise.Unit() * 6.28f) / k;
    return base - y * height;
}

Image Landscape(const Scene& s) {
    Image img(kWidth, kHeight);
    img.VerticalGradient(s.skyTop, s.skyHorizon);
    if (s.sunY >= 0) {
        // A sun disc with a soft glow around it.
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const float dx = x - s.sunX * kWidth, dy = y - s.sunY * kHeight;
                const float d = std::sqrt(dx * dx + dy * dy);
                if (d < 30) img.At(x, y) = s.sun;
                else if (d < 120) img.Blend(x, y, s.sun, 0.35f * (1 - d / 120));
            }
    }
    for (int x = 0; x < kWidth; ++x) {
        const int far = static_cast<int>(Ridge(static_cast<float>(x), s.seed, kHeight * 0.62f, 40));
        const int near = static_cast<int>(Ridge(static_cast<float>(x), s.seed + 7, kHeight * 0.78f, 35));
        for (int y = std::max(0, far); y < kHeight; ++y) img.At(x, y) = s.farHills;
        for (int y = std::max(0, near); y < kHeight; ++y) {
            const float t = static_cast<float>(y - near) / (kHeight - near + 1);
            img.At(x, y) = {static_cast<uint8_t>(s.nearHills.r * (1 - 0.4f * t)), static_cast<uint8_t>(s.nearHills.g * (1 - 0.4f * t)),
                            static_cast<uint8_t>(s.nearHills.b * (1 - 0.4f * t))};
        }
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    const std::string dir = std::string(argv[1]) + "/backgrounds/";
    const Scene scenes[] = {
        {{40, 110, 210}, {170, 215, 250}, {110, 150, 120}, {60, 120, 60}, 0.8f, 0.2f, {255, 250, 210}, 1},   // bk001 day
        {{250, 120, 60}, {255, 210, 140}, {150, 90, 100}, {80, 50, 70}, 0.3f, 0.55f, {255, 240, 180}, 2},    // bk002 sunset
        {{10, 15, 50}, {50, 60, 120}, {30, 35, 70}, {15, 20, 40}, 0.75f, 0.15f, {235, 235, 255}, 3},        // bk003 night
        {{120, 170, 200}, {230, 235, 240}, {200, 210, 225}, {240, 245, 250}, -1, -1, {}, 4},                 // bk004 snow
        {{200, 140, 60}, {250, 220, 150}, {200, 150, 90}, {220, 180, 110}, 0.5f, 0.25f, {255, 255, 220}, 5}, // bk005 desert
        {{60, 20, 90}, {230, 90, 150}, {70, 30, 90}, {30, 10, 45}, 0.2f, 0.4f, {255, 200, 230}, 6},          // bk006 dusk
    };
    for (int i = 0; i < 6; ++i) assetkit::WriteJpeg(Landscape(scenes[i]), dir + "bk00" + std::to_string(i + 1) + ".jpg");
    assetkit::WriteJpeg(Landscape({{90, 140, 200}, {200, 220, 240}, {130, 160, 150}, {90, 130, 90}, -1, -1, {}, 9}),
                        dir + "_default.jpg");

    Image loading(kWidth, kHeight);
    loading.VerticalGradient({15, 25, 60}, {60, 90, 160});
    const std::string text = "Loading...";
    const float size = 64;
    loading.DrawText((kWidth - Image::TextWidth(text, size)) / 2, kHeight / 2 - 32, text, {255, 255, 255}, size);
    assetkit::WriteJpeg(loading, dir + "load.jpg");
    return 0;
}
