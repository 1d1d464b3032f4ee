#include "editor/DirectX.h"

#include <algorithm>
#include <bit>

#include "editor/App.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "platform/D3DXMath.h"
#include "platform/MessageBox.h"
#include "world/TrackObjects.h"
#include "world/TrackView.h"
#include "world/clsBackground.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"

std::function<std::unique_ptr<d3d::Direct3D>()> gDX;
d3d::Direct3D* gD3D = nullptr;
bool gMultisampleOn = false;

namespace {

std::unique_ptr<d3d::Direct3D> gD3DOwner;
std::unique_ptr<d3d::Device> gDeviceOwner;

// The presentation of a windowed device on the viewport. The back buffer takes the
// viewport's inner size: a device of no size cannot be made.
d3d::PresentParameters ViewportPresentation(const d3d::DisplayMode& mode) {
    d3d::PresentParameters params;
    params.BackBufferWidth = static_cast<uint32_t>(std::max(0, frmMain.viewport.ScaleWidth));
    params.BackBufferHeight = static_cast<uint32_t>(std::max(0, frmMain.viewport.ScaleHeight));
    params.BackBufferFormat = static_cast<uint32_t>(mode.Format);
    params.BackBufferCount = 0;
    params.SwapEffect = d3d::SWAPEFFECT_DISCARD;
    params.hDeviceWindow = 0;
    params.Windowed = 1;
    params.EnableAutoDepthStencil = 1;
    params.AutoDepthStencilFormat = d3d::FMT_D16;
    return params;
}

// 2 samples when the adapter offers them, then 4 if it offers those too; 4 alone is not tried.
uint32_t ChooseMultiSamples(uint32_t format) {
    auto offers = [format](uint32_t samples) {
        return gD3D->CheckDeviceMultiSampleType(d3d::DEVTYPE_HAL, format, true, samples) == d3d::D3D_OK;
    };
    if (!offers(2)) return 0;
    return offers(4) ? 4 : 2;
}

void SetRenderStates(d3d::Device& device) {
    device.SetRenderState(d3d::RS_LIGHTING, 0);
    device.SetTextureStageState(0, d3d::TSS_MAGFILTER, d3d::TEXF_LINEAR);
    device.SetTextureStageState(0, d3d::TSS_MINFILTER, d3d::TEXF_LINEAR);
    if (gMultisampleOn) device.SetRenderState(d3d::RS_MULTISAMPLEANTIALIAS, 1);
    device.SetRenderState(d3d::RS_ZENABLE, 1);
    device.SetRenderState(d3d::RS_POINTSPRITEENABLE, 1);
    device.SetRenderState(d3d::RS_POINTSCALEENABLE, 1);
    device.SetRenderState(d3d::RS_POINTSIZE, std::bit_cast<uint32_t>(0.03f));
}

bool CommunicationError() {
    platform::MessageBox("Error when communicating with DirectX", App::Title);
    return false;
}

}  // namespace

namespace DirectX {

bool InitD3D(platform::Window& viewport) {
    gD3DOwner = gDX ? gDX() : nullptr;
    gD3D = gD3DOwner.get();
    if (!gD3D) return CommunicationError();
    if (!HardwareDeviceAvailable()) {
        platform::MessageBox("Error, no 3D card detected", App::Title);
        return false;
    }
    d3d::DisplayMode mode;
    if (gD3D->GetAdapterDisplayMode(mode) != d3d::D3D_OK) return CommunicationError();
    d3d::PresentParameters params = ViewportPresentation(mode);
    params.MultiSampleType = ChooseMultiSamples(params.BackBufferFormat);
    gMultisampleOn = params.MultiSampleType != 0;
    if (gD3D->CreateDevice(d3d::DEVTYPE_HAL, viewport, d3d::CREATE_SOFTWARE_VERTEXPROCESSING, params,
                           gDeviceOwner) != d3d::D3D_OK ||
        !gDeviceOwner) {
        gDeviceOwner.reset();
        return CommunicationError();
    }
    gD3DDevice = gDeviceOwner.get();
    SetRenderStates(*gD3DDevice);
    ResetCamera();
    return true;
}

bool HardwareDeviceAvailable() {
    d3d::Caps caps;
    return gD3D->GetDeviceCaps(d3d::DEVTYPE_HAL, caps) != d3d::D3DERR_NOTAVAILABLE;
}

void ShutdownD3D() {
    gD3DDevice = nullptr;
    gDeviceOwner.reset();
    gD3D = nullptr;
    gD3DOwner.reset();
}

void SetupMatrices() {
    gMatWorld = d3dx::MatrixIdentity();
    gMatView = d3dx::MatrixLookAtLH(gCameraEye, gCameraLookAt, d3d::Vector3{0, 1, 0});
    gMatProj = d3dx::MatrixPerspectiveFovLH(kFieldOfView, 1.0f, 1.0f, 500.0f);
    if (!gD3DDevice) return;  // after the release at exit
    gD3DDevice->SetTransform(d3d::TS_WORLD, gMatWorld);
    gD3DDevice->SetTransform(d3d::TS_VIEW, gMatView);
    gD3DDevice->SetTransform(d3d::TS_PROJECTION, gMatProj);
}

void ResetCamera() {
    gCameraEye = {0, 25, -18};
    gCameraLookAt = {0, 8, 0};
    SetupMatrices();
}

void DrawScene(bool everyObject) {
    gD3DDevice->Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
    gD3DDevice->BeginScene();
    gBackground.draw();
    if (everyObject) {
        for (int32_t i = 0; i <= LastBlock(); ++i) gBlocks[static_cast<size_t>(i)].draw();
        for (int32_t i = 0; i <= LastRamp(); ++i) gRamps[static_cast<size_t>(i)].draw();
    } else {
        const d3d::Matrix view = gD3DDevice->GetTransform(d3d::TS_VIEW);
        const d3d::Matrix projection = gD3DDevice->GetTransform(d3d::TS_PROJECTION);
        for (int32_t i : TrackView::InView(TrackKind::Block, LastBlock(), view, projection))
            gBlocks[static_cast<size_t>(i)].draw();
        for (int32_t i : TrackView::InView(TrackKind::Ramp, LastRamp(), view, projection))
            gRamps[static_cast<size_t>(i)].draw();
    }
    for (int32_t i = 0; i <= LastPlatform(); ++i) gMovingPlatforms[static_cast<size_t>(i)].draw();
    for (int32_t i = 0; i <= LastStar(); ++i) gStars[static_cast<size_t>(i)].draw();
    if (gEditorMode == MODE_PLAY) gPlayer.draw();
    gParticles.draw();
    gD3DDevice->EndScene();
}

void RenderFrame() {
    if (!gD3DDevice) return;
    // Blocks and ramps the camera cannot see would give no pixel: the frame leaves them out.
    DrawScene(false);
    gD3DDevice->Present();
    // Once its first frame is shown, the editor has every kind of draw rehearsed at once.
    while (gD3DDevice->RehearseNext()) {
    }
}

}  // namespace DirectX
