// The dark patch under the player's vehicle: a 0.8 x 0.8 square cut into four quads, one per
// corner. Each corner looks straight down for the track surface below it; its quad covers
// the part of the square that surface holds, lies 0.1 above it and tilts with a ramp.
#pragma once
#include <array>
#include <cstdint>

#include "platform/Device.h"

// What one corner found below it. Corners: 1 front-left, 2 front-right, 3 back-left,
// 4 back-right (z grows forward, x to the right).
struct ShadowCorner {
    float Distance = 0;  // from the sample point down to the surface
    int32_t Index = 0;   // into the array of the Kind's objects
    uint8_t Kind = 0;    // a ShadowGround
    uint8_t Sample = 0;  // corner number 1..4
    float LengthZ = 0;   // depth of the corner's quad
    float LengthX = 0;   // width of the corner's quad
    float ScaleU = 0;    // share of the picture's width the quad shows
    float ScaleV = 0;    // share of the picture's depth the quad shows
};

enum ShadowGround : uint8_t { GROUND_NONE = 0, GROUND_BLOCK = 1, GROUND_PLATFORM = 2, GROUND_RAMP = 3 };

class clsShadow {
public:
    // Builds the first vertices and buffer and loads the picture; logs whether it worked.
    void create();
    // Draws the four quads as they stand, at the origin.
    void draw2();
    // Lays the shadow under the player and draws it.
    void draw();
    // The nearest track surface straight below point, or (0, 0, 0) with corner untouched
    // when there is none within reach.
    d3d::Vector3 FindGroundPoint(const d3d::Vector3& point, ShadowCorner& corner, uint8_t sample);

    const std::array<d3d::LitVertex, 24>& Vertices() const { return Vertices_; }

private:
    void UploadVertices();
    void Render(const std::array<d3d::Vector3, 4>& places);

    d3d::TexturePtr ShadowTexture;
    std::array<d3d::LitVertex, 24> Vertices_{};  // quad k (1..4) in entries 6(k-1) .. 6(k-1)+5
    d3d::VertexBufferPtr VertexBuffer;
    d3d::Matrix WorldMatrix{};
    d3d::Vector3 SamplePoint{};
};

extern clsShadow gShadow;
