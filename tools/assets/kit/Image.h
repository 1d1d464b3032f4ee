// A small RGB canvas for generating pictures, written as 24-bit BMP or baseline JPEG.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace assetkit {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

class Image {
public:
    Image(int width, int height, Rgb fill = {});
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgb& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, Rgb c);  // ignores points outside
    void FillRect(int x0, int y0, int x1, int y1, Rgb c);  // half-open [x0,x1) x [y0,y1)
    void FillCircle(float cx, float cy, float radius, Rgb c);
    void VerticalGradient(Rgb top, Rgb bottom);
    // Blends c over the pixel with weight t in 0..1.
    void Blend(int x, int y, Rgb c, float t);
    // Draws text in Liberation Sans Bold, pixelHeight tall, its top-left corner at (x, y).
    void DrawText(int x, int y, const std::string& text, Rgb c, float pixelHeight);
    // Width in pixels that DrawText would cover.
    static int TextWidth(const std::string& text, float pixelHeight);

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

// Writers create missing parent folders; they throw std::runtime_error on failure.
void WriteBmp(const Image& image, const std::string& path);
void WriteJpeg(const Image& image, const std::string& path, int quality = 90);

// A deterministic pseudo-random sequence for textures (same seed, same picture).
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
    uint32_t Next();
    float Unit() { return static_cast<float>(Next() & 0xFFFFFF) / 16777216.0f; }  // 0..1

private:
    uint32_t state_;
};

}  // namespace assetkit
