// One menu button: a bitmap drawn as a screen-space quad, with an optional rollover picture
// and sound, optional translucency, an enabled flag, a keyboard order and a render pass.
// Positions are kept in the 800 x 600 design space; the GUI offsets are added when the quad
// is built and when X or Y is read.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/Device.h"

class GUI_Button {
public:
    void TabIndex(int32_t value) { TabIndex_ = value; }
    int32_t TabIndex() const { return TabIndex_; }
    void enabled(bool value) { enabled_ = value; }
    bool enabled() const { return enabled_; }
    void setrenderpass(int16_t value) { renderpass_ = value; }
    int16_t setrenderpass() const { return renderpass_; }
    void Rollover(bool value) { Rollover_ = value; }
    bool Rollover() const { return Rollover_; }
    // Drawn with the rollover picture while set; the write itself plays nothing.
    void MouseOver(bool value) { MouseOver_ = value; }
    bool MouseOver() const { return MouseOver_; }
    // Sound number played the first time the rollover picture shows; 0 = none.
    void MouseOverSFX(int16_t value) { MouseOverSFX_ = value; }

    // Stores the value rounded to the nearest whole number (halves to even), rebuilds the quad.
    void X(float value);
    void Y(float value);
    // The edges in screen pixels: the stored design-space position plus the GUI offset.
    float X() const;
    float Y() const;
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // Whether a point in screen pixels lies strictly inside the button: a point on any edge
    // is outside.
    bool HitTest(float px, float py) const;

    // Loads the normal picture with a colour key (ARGB, made transparent), takes its size,
    // makes the button opaque and puts it in render pass 1. Returns false, changing nothing,
    // when the picture is missing or damaged.
    bool LoadTexture(const std::string& TextureFileName, uint32_t ColourKey);
    // How the button's pictures are loaded: with the colour key made transparent.
    static d3d::TextureLoadOptions PictureOptions(uint32_t colourKey);
    // Loads the rollover picture; its size becomes the button's size and hit area at once,
    // the quad follows at its next rebuild.
    bool LoadRollover(const std::string& TextureFileName, uint32_t ColourKey);

    // Rebuilds the quad at the stored position plus the current GUI offsets.
    void OnChangeVideoMode();
    // Rebuilds the quad with diffuse alpha A (not stored as the alpha level).
    void Update(int16_t A);
    // 255 draws opaque again (keeping the quad and the level); any other level draws translucent.
    void SetAlphaLevel(int16_t A);
    int16_t GetAlphaLevel() const { return AlphaLevel; }

    // Draws the button when it is enabled and belongs to render pass Pass.
    void draw(int16_t Pass);

    // The quad in triangle-strip order: top-left, top-right, bottom-left, bottom-right.
    const std::array<d3d::ScreenVertex, 4>& Vertices() const { return Vertices_; }

private:
    void SetOpaqueAlphaStates(d3d::Device& device);
    d3d::TexturePtr PictureToShow();

    d3d::TexturePtr ButtonTexture;
    d3d::TexturePtr RolloverTexture;
    std::array<d3d::ScreenVertex, 4> Vertices_{};
    int32_t X_ = 0;
    int32_t Y_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool MouseOver_ = false;
    bool Rollover_ = false;
    int16_t MouseOverSFX_ = 0;
    bool SFXPlayed = false;
    int16_t renderpass_ = 0;
    bool AlphaOn = false;
    int16_t AlphaLevel = 0;
    bool enabled_ = false;
    int32_t TabIndex_ = 0;
};
