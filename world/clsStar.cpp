#include "world/clsStar.h"

#include "platform/D3DXMath.h"
#include "platform/Paths.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Rounding.h"
#include "shared/maths.h"
#include "world/AssetCache.h"
#include "world/WorldRules.h"

void clsStar::load(const std::string& modelFile) {
    IsVisible = true;
    Mesh = AssetCache::Mesh(modelFile);
    MaterialCount = Mesh ? static_cast<int32_t>(Mesh->SubsetCount()) : 0;
    Materials.assign(static_cast<size_t>(MaterialCount) + 1, d3d::Material{});
    Textures.assign(static_cast<size_t>(MaterialCount) + 1, nullptr);
    for (int32_t i = 0; i < MaterialCount; ++i) {
        const d3dx::MeshSubset& subset = Mesh->Subset(static_cast<size_t>(i));
        Materials[i] = subset.Material;
        Materials[i].Ambient = Materials[i].Diffuse;
        if (!subset.TextureFilename.empty())
            Textures[i] = AssetCache::Texture(platform::ProgramPath("skins/" + subset.TextureFilename));
    }
}

void clsStar::selectstar() { SetFirstSkin("StarSkin_selected.bmp"); }

void clsStar::unSelectStar() { SetFirstSkin("StarSkin.bmp"); }

void clsStar::SetFirstSkin(const std::string& file) {
    if (Textures.empty()) return;  // never loaded
    if (d3d::TexturePtr skin = AssetCache::Texture(platform::ProgramPath("skins/" + file))) Textures[0] = skin;
}

void clsStar::draw() {
    if (!IsVisible) return;
    if (gWorldRules.Animating()) {
        SpinAngle += 5;
        if (SpinAngle > 360) SpinAngle = 1;
    }
    if (!gD3DDevice) return;
    const d3d::Matrix rotation = d3dx::MatrixRotationY(static_cast<float>(SpinAngle) * 0.0174532924f);
    const d3d::Matrix translation = d3dx::MatrixTranslation(Position.X, Position.Y, Position.Z);
    gD3DDevice->SetTransform(d3d::TS_WORLD, d3dx::MatrixMultiply(rotation, translation));
    for (int32_t i = 0; i < MaterialCount; ++i) {
        gD3DDevice->SetMaterial(Materials[i]);
        gD3DDevice->SetTexture(0, Textures[i]);
        Mesh->DrawSubset(static_cast<size_t>(i));
    }
}

int32_t clsStar::Xpos() const { return RoundHalfEven<int32_t>(Position.X); }
int32_t clsStar::Ypos() const { return RoundHalfEven<int32_t>(Position.Y); }
int32_t clsStar::Zpos() const { return RoundHalfEven<int32_t>(Position.Z); }

void clsStar::Ypos(int32_t NewVal) {
    if (NewVal >= 0) Position.Y = static_cast<float>(NewVal);
}

void clsStar::Zpos(int32_t NewVal) {
    if (NewVal >= 0) Position.Z = static_cast<float>(NewVal);
}

namespace {

// A position moved by an offset, added in double and stored as Single.
d3d::Vector3 Offset(const d3d::Vector3& at, double dx, double dy, double dz) {
    return {static_cast<float>(at.X + dx), static_cast<float>(at.Y + dy), static_cast<float>(at.Z + dz)};
}

}  // namespace

std::array<d3d::Vector3, 4> clsStar::GetPlaneCorners(int16_t side) const {
    const d3d::Vector3& p = Position;
    switch (side) {
        case 1:
            return {Offset(p, -0.4, 1, -0.4), Offset(p, -0.4, 1, 0.4), Offset(p, -0.4, 0, 0.4),
                    Offset(p, -0.4, 0, -0.4)};
        case 2:
            return {Offset(p, 0.4, 1, -0.4), Offset(p, 0.4, 1, 0.4), Offset(p, 0.4, 0, 0.4), Offset(p, 0.4, 0, -0.4)};
        case 3:
            return {Offset(p, -0.5, 1, -0.5), Offset(p, -0.5, 1, 0.5), Offset(p, 0.5, 1, 0.5),
                    Offset(p, 0.5, 1, -0.5)};
        case 4:
            return {Offset(p, -0.4, 0, -0.4), Offset(p, -0.4, 1, -0.4), Offset(p, 0.4, 1, -0.4),
                    Offset(p, 0.4, 0, -0.4)};
        default: return {};
    }
}

d3d::Plane clsStar::GetCollisionPlanes(int16_t side) const {
    const float x = Position.X, y = Position.Y, z = Position.Z;
    d3d::Plane plane;
    switch (side) {
        case 1: maths::PlaneFromPoints(plane, {x, y + 1, z + 1}, {x, y, z}, {x, y, z + 1}); break;
        case 2: maths::PlaneFromPoints(plane, {x + 1, y + 1, z}, {x + 1, y, z + 1}, {x + 1, y, z}); break;
        case 3: maths::PlaneFromPoints(plane, {x, y + 1, z + 1}, {x + 1, y + 1, z + 1}, {x, y + 1, z}); break;
        case 4: maths::PlaneFromPoints(plane, {x, y + 1, z}, {x + 1, y, z}, {x, y, z}); break;
        default: break;
    }
    return plane;
}
