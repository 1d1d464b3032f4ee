#include "world/clsStar.h"

#include "platform/D3DXMath.h"
#include "platform/Paths.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Rounding.h"
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
    WorldMatrix = d3dx::MatrixIdentity();
    RotationMatrix = d3dx::MatrixRotationY(static_cast<float>(SpinAngle) * 0.0174532924f);
    TranslationMatrix = d3dx::MatrixTranslation(Position.X, Position.Y, Position.Z);
    WorldMatrix = d3dx::MatrixMultiply(RotationMatrix, TranslationMatrix);
    gD3DDevice->SetTransform(d3d::TS_WORLD, WorldMatrix);
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
