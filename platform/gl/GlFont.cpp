#include "platform/gl/GlFont.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "platform/formats/FontFiles.h"
#include "platform/gl/GlDevice.h"

namespace d3d {
namespace {

// The open font files: the text fields make their font anew on every change of their look,
// and opening a font file each time would stall a screen's layout.
std::shared_ptr<TTF_Font> OpenFont(const FontDesc& desc) {
    static std::map<std::tuple<std::string, bool, int>, std::shared_ptr<TTF_Font>> open;
    const auto key = std::make_tuple(desc.Face, desc.Bold, desc.PointSize);
    if (auto found = open.find(key); found != open.end()) return found->second;
    TTF_Font* font = OpenFontFace(desc.Face, desc.Bold, PixelsForPoints(desc.PointSize));
    std::shared_ptr<TTF_Font> shared(font, [](TTF_Font* f) {
        if (f) TTF_CloseFont(f);
    });
    if (font) open.emplace(key, shared);
    return font ? shared : nullptr;
}

}  // namespace

std::shared_ptr<GlFont> GlFont::Create(GlDevice& device, const FontDesc& desc, GlDeviceToken token) {
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    std::shared_ptr<TTF_Font> font = OpenFont(desc);
    if (!font) return nullptr;
    return std::shared_ptr<GlFont>(new GlFont(device, std::move(font), std::move(token)));
}

bool GlFont::Render(const std::string& text) {
    if (rendered_ && text == renderedText_) return true;
    rendered_.reset();
    renderedText_ = text;
    // White text, tinted by the colour when drawn. The programs' text is single-byte Latin.
    SDL_Surface* rendered = TTF_RenderText_Blended(font_.get(), text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return false;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ABGR8888, 0);  // bytes r, g, b, a
    SDL_FreeSurface(rendered);
    if (!rgba) return false;
    std::vector<uint8_t> pixels(static_cast<size_t>(rgba->w) * rgba->h * 4);
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(rgba->pixels) + static_cast<ptrdiff_t>(y) * rgba->pitch;
        std::copy_n(row, static_cast<size_t>(rgba->w) * 4, &pixels[static_cast<size_t>(y) * rgba->w * 4]);
    }
    rendered_ = device_.CreateTextureFromPixels(rgba->w, rgba->h, pixels.data());
    SDL_FreeSurface(rgba);
    return true;
}

void GlFont::DrawText(const std::string& text, const Rect& rect, uint32_t format, uint32_t argb) {
    if (token_.expired() || text.empty() || !Render(text)) return;
    const float w = static_cast<float>(rendered_->Width());
    const float h = static_cast<float>(rendered_->Height());
    float x = static_cast<float>(rect.Left);
    float y = static_cast<float>(rect.Top);
    if (format & DT_CENTER) x += std::floor((static_cast<float>(rect.Right - rect.Left) - w) / 2);
    if (format & DT_VCENTER) y += std::floor((static_cast<float>(rect.Bottom - rect.Top) - h) / 2);
    // Only the part of the text inside the rectangle shows (none of an upside-down rectangle).
    const float left = std::max(x, static_cast<float>(rect.Left));
    const float top = std::max(y, static_cast<float>(rect.Top));
    const float right = std::min(x + w, static_cast<float>(rect.Right));
    const float bottom = std::min(y + h, static_cast<float>(rect.Bottom));
    if (right <= left || bottom <= top) return;
    const GlDevice::TexturePart part{(left - x) / w, (top - y) / h, (right - x) / w, (bottom - y) / h};
    device_.DrawOverlay(*rendered_, left, top, right - left, bottom - top, argb, part);
}

}  // namespace d3d
