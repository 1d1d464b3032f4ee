#include "world/TrackBox.h"

#include <algorithm>
#include <cctype>

#include "shared/DeviceAndCamera.h"
#include "platform/D3DXMath.h"
#include "shared/maths.h"
#include "world/WorldRules.h"

namespace {

struct UnitVertex {
    float X, Y, Z;
};

// Two triangles per face, each wound clockwise as seen from outside the box.
constexpr UnitVertex kUnitCube[TrackBox::kVertexCount] = {
    {0, 1, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0},  // A front (z = 0)
    {0, 0, 0}, {0, 1, 1}, {0, 1, 0}, {0, 1, 1}, {0, 0, 0}, {0, 0, 1},  // B left (x = 0)
    {1, 1, 0}, {1, 1, 1}, {1, 0, 0}, {1, 1, 1}, {1, 0, 1}, {1, 0, 0},  // C right (x = 1)
    {0, 1, 1}, {1, 1, 1}, {0, 1, 0}, {1, 1, 1}, {1, 1, 0}, {0, 1, 0},  // D top (y = 1)
};

constexpr int kTopFace = 3;

int32_t FaceColour(int face) { return face == kTopFace ? TrackBox::kTopColour : TrackBox::kSideColour; }

// Which unit-cube coordinate drives u and v on each face, and how: a face's texture runs
// from its top-left corner as the camera (or a viewer outside that side) sees it.
float UnitU(int face, const UnitVertex& p) {
    switch (face) {
        case 0: return p.X;
        case 1: return 1 - p.Z;
        case 2: return p.Z;
        default: return p.X;
    }
}
float UnitV(int face, const UnitVertex& p) { return face == kTopFace ? 1 - p.Z : 1 - p.Y; }

// After a size write the side faces may carry a lighter upper edge.
int32_t SizedUpperColour(int face) { return face == kTopFace ? FaceColour(face) : gWorldRules.SizedSideUpperColour; }

}  // namespace

std::array<d3d::LitVertex, TrackBox::kVertexCount> TrackBox::GetVertices() const {
    std::array<d3d::LitVertex, kVertexCount> vertices{};
    for (int i = 0; i < kVertexCount; ++i) {
        const int face = i / 6;
        const FaceLook& look = Looks[face];
        const UnitVertex& u = kUnitCube[i];
        d3d::LitVertex& v = vertices[i];
        if (look.Built) {
            v.X = u.X;
            v.Y = u.Y;
            v.Z = u.Z;
        }
        v.Diffuse = u.Y == 1 ? look.UpperColour : look.LowerColour;
        v.Tu = UnitU(face, u) * look.RepeatU;
        v.Tv = UnitV(face, u) * look.RepeatV;
    }
    return vertices;
}

// A new box: every face built, showing its texture once, in its plain colours.
void TrackBox::FillUnitCube() {
    for (int face = 0; face < kFaceCount; ++face)
        Looks[face] = {true, 1, 1, FaceColour(face), FaceColour(face)};
}

void TrackBox::CreateVertexBuffer() {
    VertexBuffer.Changed();
    PlaceChanged();
}

void TrackBox::PlaceChanged() {
    PlaceMark.MovedAcross();
    if (gWorldRules.EditsKeepPlanesCurrent) CalculateCollisionPlanes();
}

void TrackBox::AlignTexureCoords(int16_t Side, int16_t value) {
    const bool sides = Side == 1;
    if (value != 0)
        SetFaceRepeats(sides, value, value, value);
    else
        SetFaceRepeats(sides, ScaleXValue, ScaleYValue, ScaleZValue);
    (sides ? SideTextureRepeat : TopTextureRepeat) = static_cast<uint8_t>(value);
    CreateVertexBuffer();
}

void TrackBox::SelectBlock() {
    for (FaceLook& look : Looks) look.LowerColour = look.UpperColour = kSelectedColour;
    CreateVertexBuffer();
}

void TrackBox::UnSelectBlock() {
    for (int face = 0; face < kFaceCount; ++face) Looks[face].LowerColour = Looks[face].UpperColour = FaceColour(face);
    CreateVertexBuffer();
}

void TrackBox::scaleX(float value) {
    if (!(value > 0)) return;
    ScaleXValue = value;
    RebuildAlongAxis(Axis::X, value);
}

void TrackBox::scaleY(float value) {
    if (!(value > 0)) return;
    ScaleYValue = value;
    RebuildAlongAxis(Axis::Y, value);
}

void TrackBox::scalez(float value) {
    if (!(value > 0)) return;
    ScaleZValue = value;
    PlaceMark.MovedAlongZ();
    RebuildAlongAxis(Axis::Z, value);
}

void TrackBox::RebuildAlongAxis(Axis axis, float size) {
    static constexpr Axis kUAxis[kFaceCount] = {Axis::X, Axis::Z, Axis::Z, Axis::X};
    static constexpr Axis kVAxis[kFaceCount] = {Axis::Y, Axis::Y, Axis::Y, Axis::Z};
    const float sideRepeat = SideTextureRepeat ? SideTextureRepeat : size;
    const float topRepeat = TopTextureRepeat ? TopTextureRepeat : size;
    for (int face = 0; face < kFaceCount; ++face) {
        const bool alongU = kUAxis[face] == axis, alongV = kVAxis[face] == axis;
        if (!alongU && !alongV) continue;
        const float repeat = face == kTopFace ? topRepeat : sideRepeat;
        FaceLook& look = Looks[face];
        look.Built = true;
        look.LowerColour = FaceColour(face);
        look.UpperColour = SizedUpperColour(face);
        if (alongU) look.RepeatU = repeat;
        if (alongV) look.RepeatV = repeat;
    }
    CreateVertexBuffer();
}

void TrackBox::SetFaceRepeats(bool sides, float rx, float ry, float rz) {
    const int first = sides ? 0 : kTopFace, last = sides ? kTopFace - 1 : kTopFace;
    for (int face = first; face <= last; ++face) {
        Looks[face].RepeatU = face == 0 || face == kTopFace ? rx : rz;
        Looks[face].RepeatV = face == kTopFace ? rz : ry;
    }
}

std::array<d3d::Vector3, 3> TrackBox::PlanePoints(int16_t planenumber) const {
    const float x0 = Position.X, y0 = Position.Y, z0 = Position.Z;
    const float x1 = x0 + ScaleXValue, y1 = y0 + ScaleYValue, z1 = z0 + ScaleZValue;
    switch (planenumber) {
        case 1: return {{{x0, y1, z1}, {x0, y0, z0}, {x0, y0, z1}}};
        case 2: return {{{x1, y1, z0}, {x1, y0, z1}, {x1, y0, z0}}};
        case 3: return {{{x0, y1, z1}, {x1, y1, z1}, {x0, y1, z0}}};
        case 4: return {{{x0, y1, z0}, {x1, y0, z0}, {x0, y0, z0}}};
        case 5: return {{{x0, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}};
        default: return {};
    }
}

void TrackBox::CalculateCollisionPlanes() {
    for (int16_t n = 1; n <= 5; ++n) {
        const auto p = PlanePoints(n);
        maths::PlaneFromPoints(CollisionPlanes[n - 1], p[0], p[1], p[2]);
    }
}

d3d::Plane TrackBox::GetCollisionPlane(int16_t planenumber) const {
    return planenumber >= 1 && planenumber <= 5 ? CollisionPlanes[planenumber - 1] : d3d::Plane{};
}

d3d::Vector3 TrackBox::GetPlaneNormal(int16_t planenumber) const {
    const d3d::Plane p = GetCollisionPlane(planenumber);
    return {p.A, p.B, p.C};
}

void TrackBox::GetCollisionPlaneBounds(int16_t planenumber, d3d::Vector3& greatest, d3d::Vector3& smallest) const {
    if (planenumber < 1 || planenumber > 5) {
        greatest = smallest = d3d::Vector3{};
        return;
    }
    const auto p = PlanePoints(planenumber);
    greatest = smallest = p[0];
    for (int i = 1; i < 3; ++i) {
        greatest = {std::max(greatest.X, p[i].X), std::max(greatest.Y, p[i].Y), std::max(greatest.Z, p[i].Z)};
        smallest = {std::min(smallest.X, p[i].X), std::min(smallest.Y, p[i].Y), std::min(smallest.Z, p[i].Z)};
    }
    // The side faces get a sliver of thickness so that a point on them counts as inside.
    if (planenumber == 1) greatest.X += 0.0001f;
    if (planenumber == 2) smallest.X -= 0.0001f;
}

std::array<d3d::Vector3, 4> TrackBox::GetPlaneCorners(int16_t planenumber) const {
    const float x0 = Position.X, y0 = Position.Y, z0 = Position.Z;
    const float x1 = x0 + ScaleXValue, y1 = y0 + ScaleYValue, z1 = z0 + ScaleZValue;
    switch (planenumber) {
        case 1: return {{{x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}, {x0, y0, z0}}};
        case 2: return {{{x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, {x1, y0, z0}}};
        case 3: return {{{x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}}};
        case 4: return {{{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}}};
        case 5: return {{{x0, y0, z0}, {x0, y0, z1}, {x1, y0, z1}, {x1, y0, z0}}};
        default: return {};
    }
}

int TrackBox::FaceIndex(const std::string& face) {
    if (face.size() != 1) return -1;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(face[0])));
    return letter >= 'A' && letter <= 'D' ? letter - 'A' : -1;
}

void TrackBox::SetWorldTransform() const {
    const d3d::Matrix translation = d3dx::MatrixTranslation(Position.X, Position.Y, Position.Z);
    const d3d::Matrix scaling = d3dx::MatrixScaling(ScaleXValue, ScaleYValue, ScaleZValue);
    gD3DDevice->SetTransform(d3d::TS_WORLD, d3dx::MatrixMultiply(scaling, translation));
}

void TrackBox::SetFaceTexture(int index, const std::string& folder, const std::string& name) {
    Faces[index] = AssetCache::Named(folder, name);
}

void TrackBox::StreamVertices() {
    gD3DDevice->SetStreamSource(0, VertexBuffer.For([this] { return GetVertices(); }), sizeof(d3d::LitVertex));
}

void TrackBox::DrawFaces() const {
    for (int face = 0; face < kFaceCount; ++face) {
        gD3DDevice->SetTexture(0, AssetCache::TextureOf(Faces[face]));
        gD3DDevice->DrawPrimitive(d3d::PT_TRIANGLELIST, static_cast<uint32_t>(face * 6), 2);
    }
}
