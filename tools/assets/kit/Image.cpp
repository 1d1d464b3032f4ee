#include "tools/assets/kit/Image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>

namespace assetkit {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Image::Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) At(x, y) = c;
}

void Image::FillRect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) At(x, y) = c;
}

void Image::FillCircle(float cx, float cy, float radius, Rgb c) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            if (dx * dx + dy * dy <= radius * radius) At(x, y) = c;
        }
}

void Image::VerticalGradient(Rgb top, Rgb bottom) {
    for (int y = 0; y < height_; ++y) {
        float t = height_ > 1 ? static_cast<float>(y) / (height_ - 1) : 0.0f;
        Rgb c{static_cast<uint8_t>(top.r + (bottom.r - top.r) * t), static_cast<uint8_t>(top.g + (bottom.g - top.g) * t),
              static_cast<uint8_t>(top.b + (bottom.b - top.b) * t)};
        for (int x = 0; x < width_; ++x) At(x, y) = c;
    }
}

void Image::Blend(int x, int y, Rgb c, float t) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    t = std::clamp(t, 0.0f, 1.0f);
    Rgb& p = At(x, y);
    p.r = static_cast<uint8_t>(std::lround(p.r + (c.r - p.r) * t));
    p.g = static_cast<uint8_t>(std::lround(p.g + (c.g - p.g) * t));
    p.b = static_cast<uint8_t>(std::lround(p.b + (c.b - p.b) * t));
}

namespace {

const stbtt_fontinfo& TextFont() {
    static std::vector<unsigned char> data;
    static stbtt_fontinfo info;
    if (data.empty()) {
        const char* path = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
        FILE* f = std::fopen(path, "rb");
        if (!f) throw std::runtime_error(std::string("missing font ") + path);
        unsigned char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
        std::fclose(f);
        if (!stbtt_InitFont(&info, data.data(), 0)) throw std::runtime_error("bad font file");
    }
    return info;
}

}  // namespace

int Image::TextWidth(const std::string& text, float pixelHeight) {
    const stbtt_fontinfo& font = TextFont();
    float scale = stbtt_ScaleForPixelHeight(&font, pixelHeight);
    int width = 0;
    for (unsigned char ch : text) {
        int advance, bearing;
        stbtt_GetCodepointHMetrics(&font, ch, &advance, &bearing);
        width += static_cast<int>(std::lround(advance * scale));
    }
    return width;
}

void Image::DrawText(int x, int y, const std::string& text, Rgb c, float pixelHeight) {
    const stbtt_fontinfo& font = TextFont();
    float scale = stbtt_ScaleForPixelHeight(&font, pixelHeight);
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &gap);
    int baseline = y + static_cast<int>(std::lround(ascent * scale));
    int penX = x;
    for (unsigned char ch : text) {
        int w, h, xoff, yoff;
        unsigned char* bitmap = stbtt_GetCodepointBitmap(&font, scale, scale, ch, &w, &h, &xoff, &yoff);
        for (int gy = 0; gy < h; ++gy)
            for (int gx = 0; gx < w; ++gx)
                Blend(penX + xoff + gx, baseline + yoff + gy, c, bitmap[gy * w + gx] / 255.0f);
        stbtt_FreeBitmap(bitmap, nullptr);
        int advance, bearing;
        stbtt_GetCodepointHMetrics(&font, ch, &advance, &bearing);
        penX += static_cast<int>(std::lround(advance * scale));
    }
}

namespace {

void MakeParent(const std::string& path) {
    auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent);
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

void WriteBmp(const Image& image, const std::string& path) {
    MakeParent(path);
    const int w = image.Width(), h = image.Height();
    const uint32_t rowBytes = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * h;
    std::vector<uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(h));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, pixelBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {  // bottom-up rows
        for (int x = 0; x < w; ++x) {
            const Rgb& p = image.At(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        while ((out.size() - 54) % 4) out.push_back(0);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) throw std::runtime_error("cannot write " + path);
}

void WriteJpeg(const Image& image, const std::string& path, int quality) {
    MakeParent(path);
    if (!stbi_write_jpg(path.c_str(), image.Width(), image.Height(), 3, &image.At(0, 0), quality))
        throw std::runtime_error("cannot write " + path);
}

uint32_t Noise::Next() {
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

}  // namespace assetkit
