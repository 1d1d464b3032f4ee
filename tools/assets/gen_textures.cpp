// Writes the block textures into <out>/textures/: the fallback, the four frames of the
// animated turbo top, the special blocks (each recognisable at a glance) and plain surfaces.
#include <cmath>
#include <functional>
#include <string>

#include "tools/assets/kit/Image.h"

using assetkit::Image;
using assetkit::Noise;
using assetkit::Rgb;

namespace {

constexpr int kSize = 64;

Rgb Mix(Rgb a, Rgb b, float t) {
    return {static_cast<uint8_t>(a.r + (b.r - a.r) * t), static_cast<uint8_t>(a.g + (b.g - a.g) * t),
            static_cast<uint8_t>(a.b + (b.b - a.b) * t)};
}

// A base colour with grain, so large faces do not look flat.
Image Grainy(Rgb base, float amount, uint32_t seed) {
    Image img(kSize, kSize, base);
    Noise noise(seed);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float n = (noise.Unit() - 0.5f) * amount;
            img.At(x, y) = n > 0 ? Mix(base, {255, 255, 255}, n) : Mix(base, {0, 0, 0}, -n);
        }
    return img;
}

void Border(Image& img, Rgb c, int width) {
    img.FillRect(0, 0, kSize, width, c);
    img.FillRect(0, kSize - width, kSize, kSize, c);
    img.FillRect(0, 0, width, kSize, c);
    img.FillRect(kSize - width, 0, kSize, kSize, c);
}

void Line(Image& img, float x0, float y0, float x1, float y1, float width, Rgb c) {
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = std::fmax(0.0f, std::fmin(1.0f, (px * dx + py * dy) / len2));
            const float ex = px - t * dx, ey = py - t * dy;
            const float d = std::sqrt(ex * ex + ey * ey);
            if (d < width / 2 + 0.5f) img.Blend(x, y, c, std::fmin(1.0f, width / 2 + 0.5f - d));
        }
}

Image Default() {
    Image img(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) img.At(x, y) = ((x / 16 + y / 16) % 2) ? Rgb{150, 150, 160} : Rgb{110, 110, 120};
    Border(img, {70, 70, 80}, 2);
    return img;
}

// Turbo top: bright chevrons that march forward one quarter of the tile per frame.
Image TurboFrame(int frame) {
    Image img(kSize, kSize, {40, 30, 20});
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int phase = (y + std::abs(x - kSize / 2) + frame * 8) % 32;
            if (phase < 12) img.At(x, y) = Mix({255, 120, 0}, {255, 230, 40}, phase / 12.0f);
        }
    Border(img, {255, 200, 0}, 2);
    return img;
}

Image Finish() {
    Image img(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) img.At(x, y) = ((x / 8 + y / 8) % 2) ? Rgb{20, 20, 20} : Rgb{245, 245, 245};
    return img;
}

Image JumpPad() {
    Image img = Grainy({30, 70, 200}, 0.15f, 11);
    img.FillCircle(kSize / 2.0f, kSize / 2.0f, 17, {200, 160, 0});
    img.FillCircle(kSize / 2.0f, kSize / 2.0f, 15, {255, 225, 30});
    Border(img, {20, 40, 140}, 2);
    return img;
}

Image Ice() {
    Image img(kSize, kSize);
    img.VerticalGradient({215, 240, 255}, {150, 205, 240});
    for (int i = 0; i < 6; ++i) Line(img, 4.0f + i * 11, 2, 14.0f + i * 9, 60, 1.2f, {255, 255, 255});
    Border(img, {120, 180, 220}, 1);
    return img;
}

Image Falling() {
    Image img = Grainy({200, 30, 30}, 0.2f, 13);
    Border(img, {120, 10, 10}, 3);
    return img;
}

Image InstantKill() {
    Image img = Grainy({135, 135, 135}, 0.15f, 17);
    Line(img, 10, 10, 54, 54, 9, {220, 20, 20});
    Line(img, 54, 10, 10, 54, 9, {220, 20, 20});
    return img;
}

Image BuildingTop() {
    Image img = Grainy({75, 75, 80}, 0.2f, 19);
    img.FillRect(10, 10, 24, 24, {50, 50, 55});
    img.FillRect(38, 36, 54, 52, {50, 50, 55});
    Border(img, {100, 100, 105}, 3);
    return img;
}

Image Windows(int columns, uint32_t seed) {
    Image img = Grainy({120, 105, 90}, 0.15f, seed);
    Noise lit(seed + 1);
    const int cell = kSize / columns;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < columns; ++col) {
            const Rgb glass = lit.Unit() < 0.3f ? Rgb{250, 230, 140} : Rgb{60, 90, 130};
            img.FillRect(col * cell + 3, row * 16 + 3, (col + 1) * cell - 3, row * 16 + 12, glass);
        }
    return img;
}

Image Planks() {
    Image img(kSize, kSize);
    Noise noise(23);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float grain = 0.5f + 0.5f * std::sin(x * 0.9f + std::sin(y * 0.15f) * 3.0f);
            img.At(x, y) = Mix({120, 75, 35}, {165, 110, 60}, grain * 0.7f + noise.Unit() * 0.3f);
        }
    for (int y = 0; y < kSize; y += 16) img.FillRect(0, y, kSize, y + 1, {70, 40, 15});
    return img;
}

Image Bricks() {
    Image img(kSize, kSize, {190, 185, 175});
    Noise noise(29);
    for (int row = 0; row < 8; ++row) {
        const int shift = row % 2 ? 8 : 0;
        for (int col = -1; col < 4; ++col) {
            const Rgb c = Mix({150, 55, 40}, {185, 80, 55}, noise.Unit());
            img.FillRect(col * 16 + shift + 1, row * 8 + 1, col * 16 + shift + 16, row * 8 + 8, c);
        }
    }
    return img;
}

Image Metal() {
    Image img = Grainy({160, 165, 175}, 0.12f, 31);
    for (int y = 6; y < kSize; y += 16)
        for (int x = 6; x < kSize; x += 16) img.FillCircle(x + 0.5f, y + 0.5f, 2.2f, {110, 115, 125});
    Border(img, {120, 125, 135}, 1);
    return img;
}

Image Stone() {
    Image img = Grainy({125, 120, 115}, 0.35f, 37);
    Line(img, 0, 20, 30, 26, 1, {85, 80, 75});
    Line(img, 30, 26, 64, 18, 1, {85, 80, 75});
    Line(img, 0, 48, 40, 44, 1, {85, 80, 75});
    Line(img, 40, 44, 64, 52, 1, {85, 80, 75});
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    const std::string dir = std::string(argv[1]) + "/textures/";
    const auto write = [&](const std::string& name, const Image& img) { assetkit::WriteBmp(img, dir + name); };

    write("_default.bmp", Default());
    for (int frame = 0; frame < 4; ++frame) write("AnimationTest_" + std::to_string(frame) + ".bmp", TurboFrame(frame));
    write("_WIN.bmp", Finish());
    write("Blue With Yellow Dot.bmp", JumpPad());
    write("Ice2.bmp", Ice());
    write("red.bmp", Falling());
    write("Red Cross on Grey.bmp", InstantKill());
    write("buildingTop.bmp", BuildingTop());
    write("buildingFront.bmp", Windows(4, 41));
    write("building Side.bmp", Windows(2, 43));
    write("concrete.bmp", Grainy({175, 172, 165}, 0.25f, 47));
    write("grass.bmp", Grainy({60, 150, 50}, 0.35f, 53));
    write("stone.bmp", Stone());
    write("brick.bmp", Bricks());
    write("wood.bmp", Planks());
    write("metal.bmp", Metal());
    write("sand.bmp", Grainy({220, 195, 130}, 0.2f, 59));
    return 0;
}
