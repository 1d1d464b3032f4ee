// Text of the OpenGL device: a TrueType font rendered with SDL_ttf into a texture, which the
// device draws as a quad. The last text drawn stays rendered, so steady text costs one quad.
#pragma once
#include <memory>
#include <string>

#include "platform/Device.h"
#include "platform/gl/GlResources.h"

typedef struct _TTF_Font TTF_Font;

namespace d3d {

class GlDevice;

class GlFont : public Font {
public:
    // nullptr when no font file can be opened.
    static std::shared_ptr<GlFont> Create(GlDevice& device, const FontDesc& desc, GlDeviceToken token);
    GlFont(const GlFont&) = delete;
    GlFont& operator=(const GlFont&) = delete;

    void DrawText(const std::string& text, const Rect& rect, uint32_t format, uint32_t argb) override;

private:
    GlFont(GlDevice& device, std::shared_ptr<TTF_Font> font, GlDeviceToken token)
        : device_(device), font_(std::move(font)), token_(token) {}
    bool Render(const std::string& text);

    GlDevice& device_;
    std::shared_ptr<TTF_Font> font_;  // opened once per face, weight and size, and shared
    GlDeviceToken token_;
    std::string renderedText_;
    std::shared_ptr<GlTexture> rendered_;
};

}  // namespace d3d
