#include "world/clsShadow.h"

#include <algorithm>

#include "world/WorldRules.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Makers.h"
#include "platform/Paths.h"
#include "world/ShadowQuads.h"
#include "world/clsPlayer.h"

clsShadow gShadow;

namespace {

constexpr float kLift = 0.1f;  // keeps the shadow off the surface it lies on
constexpr uint32_t kMagentaKey = 0xFFFF00FF;

}  // namespace

void clsShadow::create() {
    // Four copies of one small quad until the first draw lays them out.
    constexpr float h = 0.225f, d = 0.45f;
    for (size_t k = 0; k < Vertices_.size(); k += 6) {
        DirectX::MakeLitVertex(Vertices_[k + 0], -h, 0, 0, 0x00FFFFFF, 0, 0, 0);
        DirectX::MakeLitVertex(Vertices_[k + 1], h, 0, 0, 0x00FFFFFF, 0, 0, 0);
        DirectX::MakeLitVertex(Vertices_[k + 2], h, 0, -d, 0x00FFFFFF, 0, 0, 0);
        Vertices_[k + 3] = Vertices_[k + 0];
        Vertices_[k + 4] = Vertices_[k + 2];
        DirectX::MakeLitVertex(Vertices_[k + 5], -h, 0, -d, 0x00FFFFFF, 0, 0, 0);
    }
    UploadVertices();
    d3d::TextureLoadOptions options;
    options.ColorKey = kMagentaKey;
    options.Format = d3d::TextureFormat::A1R5G5B5;
    ShadowTexture = gD3DDevice->CreateTextureFromFile(platform::ProgramPath("misc/shadowimage.bmp"), options);
    gWorldRules.Log(ShadowTexture ? "Created Player Shadow = True" : "Created Player Shadow = Failed");
}

void clsShadow::draw2() { Render({}); }

void clsShadow::draw() {
    const float X = gPlayer.Posx(), Y = gPlayer.PosY(), Z = gPlayer.Posz(), F = gPlayer.ForwardVelocity();
    const std::array<d3d::Vector3, 4> samples{{
        {X - 0.4f, Y + 0.4f, Z + F},
        {X + 0.4f, Y + 0.4f, Z + F},
        {X - 0.4f, Y + 0.4f, Z - 0.8f + F},
        {X + 0.4f, Y + 0.4f, Z - 0.8f + F},
    }};
    ShadowQuads::Corners corners{};
    ShadowQuads::GroundPoints ground;
    for (int k = 0; k < 4; ++k) {
        SamplePoint = samples[k];
        ground[k] = FindGroundPoint(SamplePoint, corners[k], static_cast<uint8_t>(k + 1));
    }
    ShadowQuads::SizeQuads(corners, ground);
    ShadowQuads::CorrectOverlaps(corners);
    for (int k = 0; k < 4; ++k) {
        const ShadowQuads::Quad quad = ShadowQuads::BuildQuad(k + 1, corners[k], ground[k]);
        std::copy(quad.begin(), quad.end(), Vertices_.begin() + 6 * k);
    }
    UploadVertices();
    for (d3d::Vector3& g : ground) g.Y += kLift;
    Render(ground);
}

void clsShadow::UploadVertices() {
    VertexBuffer = gD3DDevice->CreateVertexBuffer(sizeof Vertices_, d3d::FVF_LITVERTEX);
    VertexBuffer->SetData(0, Vertices_.data(), sizeof Vertices_);
}

void clsShadow::Render(const std::array<d3d::Vector3, 4>& places) {
    gD3DDevice->SetVertexShader(d3d::FVF_LITVERTEX);
    gD3DDevice->SetTexture(0, ShadowTexture);
    // Left set for the sparks drawn after the shadow.
    gD3DDevice->SetRenderState(d3d::RS_ALPHABLENDENABLE, 1);
    gD3DDevice->SetRenderState(d3d::RS_SRCBLEND, d3d::BLEND_SRCALPHA);
    gD3DDevice->SetRenderState(d3d::RS_DESTBLEND, d3d::BLEND_INVSRCALPHA);
    if (!ShadowTexture) return;  // without its picture the patch would be a plain square
    for (uint32_t k = 0; k < 4; ++k) {
        DirectX::MakeTranslationMatrix(WorldMatrix, places[k]);
        gD3DDevice->SetTransform(d3d::TS_WORLD, WorldMatrix);
        gD3DDevice->SetStreamSource(0, VertexBuffer, sizeof(d3d::LitVertex));
        gD3DDevice->DrawPrimitive(d3d::PT_TRIANGLELIST, 6 * k, 2);
    }
}
