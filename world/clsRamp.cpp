#include "world/clsRamp.h"

#include <algorithm>

#include "shared/DeviceAndCamera.h"
#include "platform/D3DXMath.h"
#include "world/AssetCache.h"
#include "world/WorldRules.h"
#include "shared/Rounding.h"
#include "shared/maths.h"

namespace {

// A texture coordinate of the wedge: 0 or one of the ramp's sizes, so textures repeat with it.
enum Size : uint8_t { N, SX, SY, SZ };

struct WedgeVertex {
    uint8_t x, y, z;
    Size tu, tv;
};

constexpr int32_t kSlopeColour = 0x00FFFFFF;
constexpr int32_t kSideColour = 0x009A9A9A;
constexpr int32_t kSelectedColour = 0x00888888;

// Per rotation, six triangles: 1-2 the slope, 3-4 the side triangles, 5-6 the high face.
constexpr WedgeVertex kWedge[4][clsRamp::kVertexCount] = {
    {{0, 0, 0, N, N}, {0, 1, 1, N, SZ}, {1, 0, 0, SX, N},
     {1, 0, 0, SX, N}, {0, 1, 1, N, SZ}, {1, 1, 1, SX, SZ},
     {0, 0, 0, SZ, SY}, {0, 0, 1, N, SY}, {0, 1, 1, N, N},
     {1, 0, 0, N, SY}, {1, 1, 1, SZ, N}, {1, 0, 1, SZ, SY},
     {0, 0, 1, N, N}, {0, 1, 1, N, N}, {1, 0, 1, N, N},
     {1, 0, 1, N, N}, {0, 1, 1, N, N}, {1, 1, 1, N, N}},
    {{0, 0, 1, SZ, N}, {1, 1, 1, SZ, SX}, {0, 0, 0, N, N},
     {0, 0, 0, N, N}, {1, 1, 1, SZ, SX}, {1, 1, 0, N, SX},
     {0, 0, 1, SX, N}, {1, 0, 1, SX, SZ}, {1, 1, 1, N, SZ},
     {0, 0, 0, N, N}, {1, 1, 0, SY, SX}, {1, 0, 0, N, SX},
     {1, 0, 0, SY, N}, {1, 1, 1, N, SZ}, {1, 0, 1, SY, SZ},
     {1, 1, 0, N, N}, {1, 1, 1, N, SZ}, {1, 0, 0, SY, N}},
    {{0, 1, 0, N, N}, {0, 0, 1, N, SZ}, {1, 0, 1, SX, SZ},
     {1, 0, 1, SX, SZ}, {1, 1, 0, SX, N}, {0, 1, 0, N, N},
     {0, 1, 0, N, N}, {0, 0, 0, SY, N}, {0, 0, 1, SY, SZ},
     {1, 1, 0, N, N}, {1, 0, 1, SY, SZ}, {1, 0, 0, SY, N},
     {0, 0, 0, N, SY}, {0, 1, 0, N, N}, {1, 0, 0, SX, SY},
     {1, 0, 0, SX, SY}, {0, 1, 0, N, N}, {1, 1, 0, SX, N}},
    {{0, 1, 1, SZ, N}, {1, 0, 1, SZ, SX}, {0, 1, 0, N, N},
     {1, 0, 1, SZ, SX}, {1, 0, 0, N, SX}, {0, 1, 0, N, N},
     {0, 1, 0, N, N}, {1, 0, 0, SY, SX}, {0, 0, 0, SY, N},
     {0, 1, 1, SX, N}, {1, 0, 1, SX, SZ}, {0, 0, 1, N, SZ},
     {0, 0, 1, N, SY}, {0, 1, 1, N, N}, {0, 0, 0, SZ, SY},
     {0, 1, 1, N, N}, {0, 1, 0, SZ, N}, {0, 0, 0, SZ, SY}},
};

// A corner of the ramp's box: 0 picks the low, 1 the high coordinate on each axis.
struct Corner {
    uint8_t x, y, z;
};
struct Face3 {
    bool exists;
    Corner p[3];
};
struct Face4 {
    bool exists;
    Corner p[4];
};

constexpr Face3 kNoFace3{false, {}};
constexpr Face4 kNoFace4{false, {}};

// Points of the collision planes of faces 1 to 5 by rotation (face 6 is the same in all).
constexpr Face3 kPlanePoints[5][4] = {
    {{true, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}}}, kNoFace3, {true, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}}},
     {true, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}}}},
    {{true, {{1, 0, 0}, {1, 1, 1}, {1, 0, 1}}}, {true, {{1, 0, 0}, {1, 1, 1}, {1, 0, 1}}},
     {true, {{1, 0, 0}, {1, 1, 1}, {1, 0, 1}}}, kNoFace3},
    {{true, {{0, 0, 0}, {0, 1, 1}, {1, 1, 1}}}, {true, {{0, 0, 0}, {0, 0, 1}, {1, 1, 1}}},
     {true, {{0, 1, 0}, {0, 0, 1}, {1, 0, 1}}}, {true, {{1, 0, 0}, {0, 1, 0}, {0, 1, 1}}}},
    {kNoFace3, {true, {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}}}, {true, {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}}},
     {true, {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}}}},
    {{true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}, {true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}},
     {true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}, {true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}},
};
constexpr Face3 kTopPlanePoints{true, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}}};

// Corners of faces 1 to 5 by rotation; face 6 (the strip past the high edge) is computed.
constexpr Face4 kCorners[5][4] = {
    {{true, {{0, 0, 0}, {0, 1, 1}, {0, 0, 1}, {0, 0, 0}}}, kNoFace4,
     {true, {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}}}, {true, {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}}},
    {{true, {{1, 0, 0}, {1, 1, 1}, {1, 0, 1}, {1, 0, 0}}}, {true, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},
     {true, {{1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 0, 0}}}, kNoFace4},
    {{true, {{0, 0, 0}, {0, 1, 1}, {1, 1, 1}, {1, 0, 0}}}, {true, {{0, 0, 0}, {0, 0, 1}, {1, 1, 1}, {1, 1, 0}}},
     {true, {{0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 0}}}, {true, {{1, 0, 0}, {0, 1, 0}, {0, 1, 1}, {1, 0, 1}}}},
    {kNoFace4, {true, {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}}},
     {true, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}}, {true, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}}}},
    {{true, {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}}, {true, {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}},
     {true, {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}}, {true, {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}}},
};

// Sample points of the bounds of faces 3, 4 and 5 by rotation.
constexpr Face3 kBoundPoints[3][4] = {
    {{true, {{0, 0, 0}, {1, 0, 0}, {1, 1, 1}}}, {true, {{0, 0, 0}, {1, 0, 0}, {0, 1, 1}}},
     {true, {{1, 1, 0}, {0, 0, 1}, {1, 0, 1}}}, {true, {{0, 1, 0}, {0, 1, 1}, {1, 0, 1}}}},
    {kNoFace3, {true, {{1, 0, 0}, {1, 0, 1}, {1, 1, 1}}}, {true, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}},
     {true, {{0, 0, 0}, {0, 1, 1}, {0, 0, 1}}}},
    {{true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}, {true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}},
     {true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}, {true, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}},
};

constexpr float kTopStripDepth = 0.8f;

}  // namespace

// ---- Building the wedge

void clsRamp::FillWedge(uint8_t rotation, float sx, float sy, float sz) {
    Look = {true, rotation, {sx, sy, sz}, kSlopeColour, kSideColour};
}

std::array<d3d::LitVertex, clsRamp::kVertexCount> clsRamp::GetVertices() const {
    std::array<d3d::LitVertex, kVertexCount> vertices{};
    const float sizes[4] = {0.0f, Look.Sizes[0], Look.Sizes[1], Look.Sizes[2]};
    for (int i = 0; i < kVertexCount; ++i) {
        const int32_t colour = i < 6 ? Look.SlopeColour : Look.SideColour;
        if (!Look.Filled) {
            vertices[i].Diffuse = colour;
            continue;
        }
        const WedgeVertex& w = kWedge[Look.Rotation][i];
        vertices[i] = {static_cast<float>(w.x), static_cast<float>(w.y), static_cast<float>(w.z), colour, 0,
                       sizes[w.tu], sizes[w.tv]};
    }
    return vertices;
}

void clsRamp::UpdateChanges() {
    VertexBuffer.Changed();
    PlaceChanged();
}

void clsRamp::SelectRamp() {
    Look.SlopeColour = Look.SideColour = kSelectedColour;
    UpdateChanges();
}

void clsRamp::UnSelectramp() {
    Look.SlopeColour = kSlopeColour;
    Look.SideColour = kSideColour;
    UpdateChanges();
}

void clsRamp::create(float CoordX, float CoordY, float CoordZ) {
    Selected = false;
    ScaleXValue = ScaleYValue = ScaleZValue = 1.0f;
    FillWedge(0, 1.0f, 1.0f, 1.0f);
    UpdateChanges();
    Position = {CoordX, CoordY, CoordZ};
    PlaceMark.MovedAlongZ();
    CalculateCollisionPlanes();
}

void clsRamp::rotate() {
    Rotation = Rotation >= 3 ? 0 : Rotation + 1;
    FillWedge(Rotation, ScaleXValue, ScaleYValue, ScaleZValue);
    UpdateChanges();
    CalculateCollisionPlanes();
}

// Steps the rotation back so that rotate() rebuilds the same rotation at the new size.
void clsRamp::Resize(float& size, int16_t NewValue) {
    size = NewValue;
    PlaceMark.MovedAlongZ();
    Rotation = Rotation == 0 ? 3 : Rotation - 1;
    rotate();
    CalculateCollisionPlanes();
}

void clsRamp::scaleX(int16_t NewValue) { Resize(ScaleXValue, NewValue); }
void clsRamp::scaleY(int16_t NewValue) { Resize(ScaleYValue, NewValue); }
void clsRamp::scalez(int16_t NewValue) { Resize(ScaleZValue, NewValue); }
int16_t clsRamp::scaleX() const { return RoundHalfEven<int16_t>(ScaleXValue); }
int16_t clsRamp::scaleY() const { return RoundHalfEven<int16_t>(ScaleYValue); }
int16_t clsRamp::scalez() const { return RoundHalfEven<int16_t>(ScaleZValue); }

int32_t clsRamp::Xpos() const { return RoundHalfEven<int32_t>(Position.X); }
int32_t clsRamp::Ypos() const { return RoundHalfEven<int32_t>(Position.Y); }
int32_t clsRamp::Zpos() const { return RoundHalfEven<int32_t>(Position.Z); }

void clsRamp::Xpos(int32_t NewVal) {
    Position.X = static_cast<float>(NewVal);
    PlaceChanged();
}

void clsRamp::Ypos(int32_t NewVal) {
    if (NewVal >= 0) Position.Y = static_cast<float>(NewVal);
    PlaceChanged();
}

void clsRamp::Zpos(int32_t NewVal) {
    if (NewVal >= 0) Position.Z = static_cast<float>(NewVal);
    PlaceMark.MovedAlongZ();
    PlaceChanged();
}

void clsRamp::PlaceChanged() {
    PlaceMark.MovedAcross();
    if (gWorldRules.EditsKeepPlanesCurrent) CalculateCollisionPlanes();
}

void clsRamp::Texture(std::string Name, const std::string& face, const std::string& TextureDir) {
    if (face == "A" || face == "a")
        TextureA = AssetCache::Named(TextureDir, Name);
    else if (face == "B" || face == "b")
        TextureB = AssetCache::Named(TextureDir, Name);
    Selected = false;
}

// ---- Drawing

void clsRamp::draw() {
    if (!gD3DDevice) return;
    const d3d::Matrix translation = d3dx::MatrixTranslation(Position.X, Position.Y, Position.Z);
    const d3d::Matrix scaling = d3dx::MatrixScaling(ScaleXValue, ScaleYValue, ScaleZValue);
    gD3DDevice->SetTransform(d3d::TS_WORLD, d3dx::MatrixMultiply(scaling, translation));
    gD3DDevice->SetStreamSource(0, VertexBuffer.For([this] { return GetVertices(); }), sizeof(d3d::LitVertex));
    gD3DDevice->SetVertexShader(d3d::FVF_LITVERTEX);

    gD3DDevice->SetTexture(0, AssetCache::TextureOf(TextureA));
    gD3DDevice->DrawPrimitive(d3d::PT_TRIANGLELIST, 0, 2);
    const uint32_t otherFaces[3][2] = {{6, 1}, {9, 1}, {12, 2}};
    for (const auto& [start, triangles] : otherFaces) {
        gD3DDevice->SetTexture(0, AssetCache::TextureOf(TextureB));
        gD3DDevice->DrawPrimitive(d3d::PT_TRIANGLELIST, start, triangles);
    }
}

// ---- Collision data

float clsRamp::GetGradient() const {
    const float across = Rotation == 1 || Rotation == 3 ? ScaleXValue : ScaleZValue;
    if (Rotation > 3 || across == 0.0f) return 0.0f;
    const float gradient = ScaleYValue / across;
    return Rotation >= 2 ? -gradient : gradient;
}

namespace {

struct Box {
    float x[2], y[2], z[2];
    d3d::Vector3 At(const Corner& c) const { return {x[c.x], y[c.y], z[c.z]}; }
};

}  // namespace

void clsRamp::CalculateCollisionPlanes() {
    const Box box{{Position.X, Position.X + ScaleXValue},
                  {Position.Y, Position.Y + ScaleYValue},
                  {Position.Z, Position.Z + ScaleZValue}};
    for (int n = 0; n < kPlaneCount; ++n) {
        const Face3& face = n < 5 ? kPlanePoints[n][Rotation & 3] : kTopPlanePoints;
        if (face.exists)
            maths::PlaneFromPoints(CollisionPlanes[n], box.At(face.p[0]), box.At(face.p[1]), box.At(face.p[2]));
        else
            CollisionPlanes[n] = d3d::Plane{};
    }
}

d3d::Plane clsRamp::GetCollisionPlane(int16_t planenumber) const {
    return planenumber >= 1 && planenumber <= kPlaneCount ? CollisionPlanes[planenumber - 1] : d3d::Plane{};
}

d3d::Vector3 clsRamp::GetPlaneNormal(int16_t planenumber) const {
    const d3d::Plane p = GetCollisionPlane(planenumber);
    return {p.A, p.B, p.C};
}

std::array<d3d::Vector3, 4> clsRamp::GetPlaneCorners(int16_t planenumber) const {
    const float x0 = Position.X, y0 = Position.Y, z0 = Position.Z;
    const float x1 = x0 + ScaleXValue, y1 = y0 + ScaleYValue, z1 = z0 + ScaleZValue;
    const uint8_t r = Rotation & 3;
    if (planenumber == 6) {
        const float d = kTopStripDepth;
        switch (r) {
            case 0: return {{{x0, y1, z1}, {x0, y1, z1 + d}, {x1, y1, z1 + d}, {x1, y1, z1}}};
            case 1: return {{{x1, y1, z0}, {x1, y1, z1}, {x1 + d, y1, z1}, {x1 + d, y1, z0}}};
            case 2: return {{{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z0 - d}, {x0, y1, z0 - d}}};
            default: return {{{x0, y1, z0}, {x0 - d, y1, z0}, {x0 - d, y1, z1}, {x0, y1, z1}}};
        }
    }
    if (planenumber < 1 || planenumber > 5) return {};
    const Face4& face = kCorners[planenumber - 1][r];
    if (!face.exists) return {};
    const Box box{{x0, x1}, {y0, y1}, {z0, z1}};
    return {box.At(face.p[0]), box.At(face.p[1]), box.At(face.p[2]), box.At(face.p[3])};
}

void clsRamp::GetCollisionPlaneBounds(int16_t planenumber, d3d::Vector3& greatest, d3d::Vector3& smallest) const {
    greatest = smallest = d3d::Vector3{};
    if (planenumber >= 3 && planenumber <= 5) {
        const Face3& face = kBoundPoints[planenumber - 3][Rotation & 3];
        if (!face.exists) return;
        const Box box{{Position.X, Position.X + ScaleXValue},
                      {Position.Y, Position.Y + ScaleYValue},
                      {Position.Z, Position.Z + ScaleZValue}};
        greatest = smallest = box.At(face.p[0]);
        for (int i = 1; i < 3; ++i) {
            const d3d::Vector3 p = box.At(face.p[i]);
            greatest = {std::max(greatest.X, p.X), std::max(greatest.Y, p.Y), std::max(greatest.Z, p.Z)};
            smallest = {std::min(smallest.X, p.X), std::min(smallest.Y, p.Y), std::min(smallest.Z, p.Z)};
        }
    }
    // Faces nobody asks bounds for keep the side faces' sliver of thickness.
    if (planenumber == 1) greatest.X += 0.0001f;
    if (planenumber == 2) smallest.X -= 0.0001f;
}
