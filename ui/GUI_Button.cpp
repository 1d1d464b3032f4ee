#include "ui/GUI_Button.h"

#include <cmath>

#include "game/DirectX.h"
#include "ui/BITMAP_Loader.h"
#include "ui/DXmusicSFX.h"
#include "ui/GUI.h"

namespace {

int32_t RoundHalfToEven(float value) { return static_cast<int32_t>(std::nearbyint(value)); }

// The picture and its size, or nothing when either cannot be read.
bool LoadPicture(const std::string& path, uint32_t colourKey, d3d::TexturePtr& texture, int32_t& width,
                 int32_t& height) {
    int32_t w = 0, h = 0;
    if (!BITMAP_Loader::GetBitmapSize(path, w, h)) return false;
    d3d::TexturePtr loaded = gD3DDevice->CreateTextureFromFile(path, GUI_Button::PictureOptions(colourKey));
    if (!loaded) return false;
    texture = std::move(loaded);
    width = w;
    height = h;
    return true;
}

}  // namespace

d3d::TextureLoadOptions GUI_Button::PictureOptions(uint32_t colourKey) {
    d3d::TextureLoadOptions options;
    options.ColorKey = colourKey;
    return options;
}

void GUI_Button::X(float value) {
    X_ = RoundHalfToEven(value);
    Update(AlphaLevel);
}

void GUI_Button::Y(float value) {
    Y_ = RoundHalfToEven(value);
    Update(AlphaLevel);
}

float GUI_Button::X() const { return gGuiOffsetX + static_cast<float>(X_); }
float GUI_Button::Y() const { return gGuiOffsetY + static_cast<float>(Y_); }

bool GUI_Button::HitTest(float px, float py) const {
    const float left = X(), top = Y();
    const float right = left + static_cast<float>(width_), bottom = top + static_cast<float>(height_);
    return left < px && px < right && top < py && py < bottom;
}

bool GUI_Button::LoadTexture(const std::string& TextureFileName, uint32_t ColourKey) {
    if (!LoadPicture(TextureFileName, ColourKey, ButtonTexture, width_, height_)) return false;
    AlphaLevel = 255;
    Update(255);
    renderpass_ = 1;
    return true;
}

bool GUI_Button::LoadRollover(const std::string& TextureFileName, uint32_t ColourKey) {
    if (!LoadPicture(TextureFileName, ColourKey, RolloverTexture, width_, height_)) return false;
    Rollover_ = true;
    return true;
}

void GUI_Button::OnChangeVideoMode() { Update(AlphaLevel); }

void GUI_Button::Update(int16_t A) {
    GUI::PictureChanged();
    const auto at = [](float offset, int32_t design) { return static_cast<float>(double{offset} + design); };
    const float left = at(gGuiOffsetX, X_);
    const float right = at(gGuiOffsetX, X_ + width_);
    const float top = at(gGuiOffsetY, Y_);
    const float bottom = at(gGuiOffsetY, Y_ + height_ - 1);  // the quad ends a pixel above the hit area
    const int32_t diffuse = ColorARGB(A, 255, 255, 255);
    DirectX::MakeScreenVertex(Vertices_[0], left, top, 1.0f, 1.0f, diffuse, 0, 0, 0);
    DirectX::MakeScreenVertex(Vertices_[1], right, top, 0, 1.0f, diffuse, 0, 1, 0);
    DirectX::MakeScreenVertex(Vertices_[2], left, bottom, 0, 1.0f, diffuse, 0, 0, 1);
    DirectX::MakeScreenVertex(Vertices_[3], right, bottom, 0, 1.0f, diffuse, 0, 1, 1);
}

void GUI_Button::SetAlphaLevel(int16_t A) {
    if (A == 255) {
        AlphaOn = false;
        return;
    }
    Update(A);
    AlphaOn = true;
    AlphaLevel = A;
}

void GUI_Button::SetOpaqueAlphaStates(d3d::Device& device) {
    device.SetTextureStageState(0, d3d::TSS_ALPHAOP, d3d::TOP_SELECTARG1);
    device.SetTextureStageState(0, d3d::TSS_ALPHAARG1, d3d::TA_TEXTURE);
    device.SetTextureStageState(0, d3d::TSS_ALPHAARG2, d3d::TA_CURRENT);
    device.SetRenderState(d3d::RS_SRCBLEND, d3d::BLEND_SRCALPHA);
    device.SetRenderState(d3d::RS_DESTBLEND, d3d::BLEND_INVSRCALPHA);
}

// A highlighted button without a rollover picture keeps showing its normal one.
d3d::TexturePtr GUI_Button::PictureToShow() {
    if (!MouseOver_) {
        SFXPlayed = false;  // the next highlight sounds again
        return ButtonTexture;
    }
    if (!Rollover_) return ButtonTexture;
    if (!SFXPlayed && MouseOverSFX_ != 0) {
        DXmusicSFX::PlaySound(MouseOverSFX_);
        SFXPlayed = true;
    }
    return RolloverTexture;
}

void GUI_Button::draw(int16_t Pass) {
    if (!enabled_ || renderpass_ != Pass) return;
    d3d::Device& device = *gD3DDevice;
    device.SetRenderState(d3d::RS_MULTISAMPLEANTIALIAS, 0);
    device.SetRenderState(d3d::RS_ZWRITEENABLE, 0);
    // The first corner lies at depth 1: with the depth test on, a 3D scene behind the menu
    // would cut part of the button away.
    const uint32_t depthTest = device.GetRenderState(d3d::RS_ZENABLE);
    device.SetRenderState(d3d::RS_ZENABLE, 0);
    device.SetVertexShader(d3d::FVF_SCREENVERTEX);

    if (AlphaOn) {
        // Translucent: the diffuse alpha modulated with itself, added over the back buffer.
        device.SetRenderState(d3d::RS_SRCBLEND, d3d::BLEND_SRCALPHA);
        device.SetRenderState(d3d::RS_DESTBLEND, d3d::BLEND_DESTALPHA);
        device.SetTextureStageState(0, d3d::TSS_ALPHAOP, d3d::TOP_MODULATE);
        device.SetTextureStageState(0, d3d::TSS_ALPHAARG1, d3d::TA_DIFFUSE);
        device.SetTextureStageState(0, d3d::TSS_ALPHAARG2, d3d::TA_CURRENT);
    } else {
        SetOpaqueAlphaStates(device);  // the texture's alpha: colour-keyed texels vanish
    }
    device.SetRenderState(d3d::RS_ALPHABLENDENABLE, 1);

    device.SetTexture(0, PictureToShow());
    device.DrawPrimitiveUP(d3d::PT_TRIANGLESTRIP, 2, Vertices_.data(), sizeof(d3d::ScreenVertex));

    device.SetRenderState(d3d::RS_ZWRITEENABLE, 1);
    device.SetRenderState(d3d::RS_ALPHABLENDENABLE, 0);
    device.SetRenderState(d3d::RS_MULTISAMPLEANTIALIAS, 1);
    device.SetRenderState(d3d::RS_ZENABLE, depthTest);
    if (AlphaOn) SetOpaqueAlphaStates(device);
}
