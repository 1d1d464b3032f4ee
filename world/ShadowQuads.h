// Laying out the shadow's four corner quads once each corner has found its ground: how much
// of the square each surface holds, how the quads share the square, and how a ramp tilts them.
#pragma once
#include <array>

#include "platform/D3DTypes.h"
#include "world/clsShadow.h"

namespace ShadowQuads {

using Corners = std::array<ShadowCorner, 4>;  // corners 1..4 at 0..3
using GroundPoints = std::array<d3d::Vector3, 4>;
using Quad = std::array<d3d::LitVertex, 6>;

// The full width and depth of the shadow square.
constexpr float kSide = 0.8f;

// Sets each corner's LengthX and LengthZ: how far the surface below it reaches toward the
// opposite corners, at most the full side.
void SizeQuads(Corners& corners, const GroundPoints& ground);

// Where two corners would both cover the square's middle, shortens one of them so that
// the picture is drawn once.
void CorrectOverlaps(Corners& corners);

// The six vertices of corner number (1..4), front-left, front-right, back-right,
// front-left, back-right, back-left, relative to its ground point, which moves to the
// quad's front centre. Also sets the corner's ScaleU and ScaleV.
Quad BuildQuad(int number, ShadowCorner& corner, d3d::Vector3& ground);

}  // namespace ShadowQuads
