#include "world/clsBackground.h"

#include "world/WorldRules.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Makers.h"

clsBackground gBackground;

void clsBackground::resetbackground() { ImageName_.clear(); }

void clsBackground::create(const std::string& Texture) {
    if (!Picture || Texture != ImageName_ || PictureDevice_ != gD3DDevice->Serial()) {
        Picture = gD3DDevice->CreateTextureFromFile(Texture);
        PictureDevice_ = gD3DDevice->Serial();
        if (!Picture) gWorldRules.Log("Missing picture " + Texture);
    }
    const float W = gScreenWidthF, H = gScreenHeightF;
    constexpr int32_t white = 0x00FFFFFF;  // alpha 0: the picture's own alpha decides
    DirectX::MakeScreenVertex(Vertices[0], 0, 0, 1.0f, 1.0f, white, 0, 0, 0);
    DirectX::MakeScreenVertex(Vertices[1], W, 0, 0, 1.0f, white, 0, 1, 0);
    DirectX::MakeScreenVertex(Vertices[2], 0, H, 0, 1.0f, white, 0, 0, 1);
    DirectX::MakeScreenVertex(Vertices[3], W, H, 0, 1.0f, white, 0, 1, 1);
    VertexBuffer = gD3DDevice->CreateVertexBuffer(sizeof Vertices, d3d::FVF_SCREENVERTEX);
    VertexBuffer->SetData(0, Vertices.data(), sizeof Vertices);
    ImageName_ = Texture;
}

void clsBackground::draw() {
    if (!VertexBuffer) return;
    gD3DDevice->SetRenderState(d3d::RS_ZWRITEENABLE, 0);
    gD3DDevice->SetVertexShader(d3d::FVF_SCREENVERTEX);
    if (Picture) {  // without a picture the cleared screen shows through
        gD3DDevice->SetTexture(0, Picture);
        gD3DDevice->SetStreamSource(0, VertexBuffer, sizeof(d3d::ScreenVertex));
        gD3DDevice->DrawPrimitive(d3d::PT_TRIANGLESTRIP, 0, 2);
    }
    gD3DDevice->SetRenderState(d3d::RS_ZWRITEENABLE, 1);
}
