#include "platform/TextRaster.h"

#include <SDL_ttf.h>

#include <map>
#include <tuple>

namespace platform {
namespace {

constexpr unsigned kDotsPerInch = 96;
constexpr const char* kRegularFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
constexpr const char* kBoldFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";

TTF_Font* OpenFont(const d3d::FontDesc& desc) {
    static std::map<std::tuple<bool, int>, TTF_Font*> cache;  // kept for the whole run
    const auto key = std::make_tuple(desc.Bold, desc.PointSize);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    TTF_Font* font = TTF_OpenFontDPI(desc.Bold ? kBoldFile : kRegularFile, desc.PointSize, kDotsPerInch, kDotsPerInch);
    if (font) cache[key] = font;
    return font;
}

}  // namespace

TextBitmap RasterizeText(const d3d::FontDesc& font, const std::string& text, uint32_t argb) {
    TextBitmap out;
    TTF_Font* ttf = text.empty() || font.PointSize <= 0 ? nullptr : OpenFont(font);
    if (!ttf) return out;
    // The programs' strings are ANSI text, one byte a character.
    SDL_Surface* rendered = TTF_RenderText_Blended(ttf, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return out;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!surface) return out;
    out.width = surface->w;
    out.height = surface->h;
    out.argb.resize(static_cast<size_t>(out.width) * out.height);
    const uint32_t alpha = argb >> 24, rgb = argb & 0x00FFFFFFu;
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < out.width; ++x) {
            const uint32_t coverage = row[x] >> 24;
            out.argb[static_cast<size_t>(y) * out.width + x] = ((coverage * alpha / 255) << 24) | rgb;
        }
    }
    SDL_FreeSurface(surface);
    return out;
}

std::pair<int, int> PlaceText(const d3d::Rect& rect, uint32_t format, int width, int height) {
    int x = rect.Left, y = rect.Top;
    if (format & d3d::DT_CENTER) x = rect.Left + (rect.Right - rect.Left - width) / 2;
    if (format & d3d::DT_VCENTER) y = rect.Top + (rect.Bottom - rect.Top - height) / 2;
    return {x, y};
}

}  // namespace platform
