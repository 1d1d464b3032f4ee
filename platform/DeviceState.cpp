#include "platform/DeviceState.h"

#include "platform/D3DXMath.h"

namespace d3d {

DeviceState::DeviceState(bool depthBuffer)
    : World(d3dx::MatrixIdentity()), View(d3dx::MatrixIdentity()), Projection(d3dx::MatrixIdentity()) {
    Render[RS_ZENABLE] = depthBuffer ? 1 : 0;
    Render[RS_FILLMODE] = 3;  // solid
    Render[RS_SHADEMODE] = 2;  // Gouraud
    Render[RS_ZWRITEENABLE] = 1;
    Render[RS_SRCBLEND] = BLEND_ONE;
    Render[RS_DESTBLEND] = BLEND_ZERO;
    Render[RS_CULLMODE] = CULL_CCW;
    Render[RS_ZFUNC] = CMP_LESSEQUAL;
    Render[RS_ALPHAFUNC] = CMP_ALWAYS;
    Render[RS_LIGHTING] = 1;
    Render[RS_COLORVERTEX] = 1;
    Render[RS_POINTSIZE] = FloatBits(1.0f);
    Render[RS_POINTSIZE_MIN] = FloatBits(1.0f);
    Render[RS_POINTSCALE_A] = FloatBits(1.0f);
    Render[RS_POINTSCALE_B] = FloatBits(0.0f);
    Render[RS_POINTSCALE_C] = FloatBits(0.0f);
    Render[RS_MULTISAMPLEANTIALIAS] = 1;
    Render[RS_POINTSIZE_MAX] = FloatBits(64.0f);

    for (uint32_t s = 0; s < kStageCount; ++s) {
        auto& stage = Stage[s];
        stage[TSS_COLOROP] = s == 0 ? TOP_MODULATE : TOP_DISABLE;
        stage[TSS_COLORARG1] = TA_TEXTURE;
        stage[TSS_COLORARG2] = TA_CURRENT;
        stage[TSS_ALPHAOP] = s == 0 ? TOP_SELECTARG1 : TOP_DISABLE;
        stage[TSS_ALPHAARG1] = TA_TEXTURE;
        stage[TSS_ALPHAARG2] = TA_CURRENT;
        stage[TSS_ADDRESSU] = TADDRESS_WRAP;
        stage[TSS_ADDRESSV] = TADDRESS_WRAP;
        stage[TSS_MAGFILTER] = TEXF_POINT;
        stage[TSS_MINFILTER] = TEXF_POINT;
        stage[TSS_MIPFILTER] = TEXF_NONE;
    }
}

const Matrix& DeviceState::Transform(TransformType type) const {
    switch (type) {
        case TS_VIEW: return View;
        case TS_PROJECTION: return Projection;
        case TS_WORLD: break;
    }
    return World;
}

Matrix& DeviceState::Transform(TransformType type) {
    return const_cast<Matrix&>(static_cast<const DeviceState&>(*this).Transform(type));
}

}  // namespace d3d
