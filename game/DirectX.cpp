#include "game/DirectX.h"

#include <optional>
#include <string>

#include "game/DebugLog.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/LevelBuilding.h"
#include "world/clsBackground.h"
#include "platform/D3DXMath.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"
#include "ui/GUI.h"
#include "ui/DXmusicSFX.h"
#include "ui/FontFieldTable.h"

d3d::Direct3D* gD3D = nullptr;
d3d::DisplayMode gDisplayMode;
d3d::PresentParameters gPresentParams;
float gGuiOffsetX = 0;
float gGuiOffsetY = 0;

std::function<std::unique_ptr<d3d::Direct3D>()> gDX;

namespace {

std::unique_ptr<d3d::Direct3D> gD3DOwner;
std::unique_ptr<d3d::Device> gDeviceOwner;
platform::Window* gDeviceWindow = nullptr;

const char* kTitle = "Velorune";

struct VideoModeSize {
    uint32_t width, height;
};

// Sizes of video modes 1 and 2; nothing for any other value.
std::optional<VideoModeSize> SizeOf(int32_t mode) {
    if (mode == 1) return VideoModeSize{800, 600};
    if (mode == 2) return VideoModeSize{1024, 768};
    return std::nullopt;
}

std::string ErrorText(d3d::Result code) { return gD3D ? gD3D->DescribeError(code) : std::string(); }

void DeviceNotMade(d3d::Result code, const std::string& reason = "") {
    platform::MessageBox("Something went wrong trying to initalise DX " + std::to_string(code) + " " + ErrorText(code) +
                             (reason.empty() ? "" : "\n\n" + reason),
                         kTitle);
}

}  // namespace

namespace DirectX {

void SetRenderStates(d3d::Device& dev, bool withVertexFormat) {
    dev.SetTextureStageState(0, d3d::TSS_MAGFILTER, d3d::TEXF_LINEAR);
    dev.SetTextureStageState(0, d3d::TSS_MINFILTER, d3d::TEXF_LINEAR);
    if (withVertexFormat) dev.SetVertexShader(d3d::FVF_LITVERTEX);
    dev.SetRenderState(d3d::RS_LIGHTING, 0);
    dev.SetRenderState(d3d::RS_ZENABLE, 1);
    dev.SetRenderState(d3d::RS_ALPHABLENDENABLE, 1);
    dev.SetRenderState(d3d::RS_POINTSPRITEENABLE, 1);
    dev.SetRenderState(d3d::RS_POINTSCALEENABLE, 1);
    dev.SetRenderState(d3d::RS_POINTSIZE, static_cast<uint32_t>(DirectX::FloatToLongBits(0.03f)));
}

bool InitD3D(platform::Window& window) {
    gD3DOwner = gDX ? gDX() : nullptr;
    gD3D = gD3DOwner.get();
    if (!gD3D) {
        platform::MessageBox("Something went wrong trying to initalise DX 0 no graphics system", kTitle);
        return false;
    }
    const auto t = static_cast<d3d::DeviceType>(HardwareDeviceAvailable());
    if (t == 0) {
        platform::MessageBox("No 3D hardware detected. VeloRune requires a 3D accelerator Video Card", kTitle);
        return false;
    }
    d3d::Caps caps;
    d3d::Result hr = gD3D->GetDeviceCaps(t, caps);
    if (hr == d3d::D3D_OK) hr = gD3D->GetAdapterDisplayMode(gDisplayMode);
    if (hr == d3d::D3D_OK) {
        if (auto size = SizeOf(gOptions.VideoMode)) {
            gDisplayMode.Format = d3d::FMT_R5G6B5;
            gDisplayMode.Width = static_cast<int32_t>(size->width);
            gDisplayMode.Height = static_cast<int32_t>(size->height);
            gPresentParams.BackBufferCount = 1;
            gPresentParams.BackBufferFormat = d3d::FMT_R5G6B5;
            gPresentParams.BackBufferWidth = size->width;
            gPresentParams.BackBufferHeight = size->height;
            gPresentParams.EnableAutoDepthStencil = 1;
            gPresentParams.AutoDepthStencilFormat = d3d::FMT_D16;
            gScreenWidthF = static_cast<float>(size->width);
            gScreenHeightF = static_cast<float>(size->height);
        }
        ComputeGuiOffsets();
        gPresentParams.SwapEffect = d3d::SWAPEFFECT_DISCARD;
        // The last sample count that passes wins; each test stands alone.
        gPresentParams.MultiSampleType = 0;
        for (uint32_t samples : {2u, 4u, 6u}) {
            if (gD3D->CheckDeviceMultiSampleType(d3d::DEVTYPE_HAL, static_cast<uint32_t>(gDisplayMode.Format),
                                                 false, samples) == d3d::D3D_OK)
                gPresentParams.MultiSampleType = samples;
        }
        if (!(caps.DevCaps & d3d::DEVCAPS_HWTRANSFORMANDLIGHT)) {
            VeloRuneDebug::WriteDebugLine("No Hardware Transform and lighting avalible");
            platform::MessageBox("Hardware Transform and lighting required. Feature not found", kTitle);
            return false;
        }
        VeloRuneDebug::WriteDebugLine("Hardware Transform and lighting avalible");
        hr = gD3D->CreateDevice(d3d::DEVTYPE_HAL, window, d3d::CREATE_SOFTWARE_VERTEXPROCESSING, gPresentParams,
                                gDeviceOwner);
    }
    if (hr != d3d::D3D_OK || !gDeviceOwner) {
        DeviceNotMade(hr);
        gDeviceOwner.reset();
        gD3DDevice = nullptr;
        return false;
    }
    gD3DDevice = gDeviceOwner.get();
    gDeviceWindow = &window;
    window.SetBackBufferSize(static_cast<int>(gPresentParams.BackBufferWidth),
                             static_cast<int>(gPresentParams.BackBufferHeight));
    SetRenderStates(*gD3DDevice, true);
    ResetCamera();
    ApplyTransforms();
    return true;
}

bool WindowNotOpened(const std::string& reason) {
    gD3DOwner = gDX ? gDX() : nullptr;
    gD3D = gD3DOwner.get();
    DeviceNotMade(d3d::D3DERR_NOTAVAILABLE, "The game window could not be opened: " + reason);
    return false;
}

int32_t HardwareDeviceAvailable() {
    d3d::AdapterIdentifier id;
    gD3D->GetAdapterIdentifier(id);
    std::string description;
    for (char c : id.Description)
        if (c != '\0') description += c;  // every NUL goes, not only the first
    VeloRuneDebug::WriteDebugLine("Graphics Card = " + description);
    d3d::Caps caps;
    if (gD3D->GetDeviceCaps(d3d::DEVTYPE_HAL, caps) == d3d::D3DERR_NOTAVAILABLE) {
        VeloRuneDebug::WriteDebugLine("No 3D Hardware Detected");
        return 0;
    }
    VeloRuneDebug::WriteDebugLine("Hardware Rasterizer (HAL) avalible");
    return 1;
}

void ApplyTransforms() {
    gMatWorld = d3dx::MatrixIdentity();
    gD3DDevice->SetTransform(d3d::TS_WORLD, gMatWorld);
    gMatView = d3dx::MatrixLookAtLH(gCameraEye, gCameraLookAt, Vector3{0, 1, 0});
    gD3DDevice->SetTransform(d3d::TS_VIEW, gMatView);
    gMatProj = d3dx::MatrixPerspectiveFovLH(3.1415927f / 4.0f, 1.0f, 0.1f, 500.0f);
    gD3DDevice->SetTransform(d3d::TS_PROJECTION, gMatProj);
}

void ResetDevice() {
    for (int32_t i = 1; i <= gFontFieldCount; ++i) gFontFields(i).OnLostDevice();
    d3d::Result hr = gD3DDevice->Reset(gPresentParams);
    if (hr != d3d::D3D_OK) {
        VeloRuneDebug::WriteDebugLine(ErrorText(hr) + " " + std::to_string(hr));
        VeloRuneDebug::WriteDebugLine("Reset failed");
        return;
    }
    if (gDeviceWindow)
        gDeviceWindow->SetBackBufferSize(static_cast<int>(gPresentParams.BackBufferWidth),
                                         static_cast<int>(gPresentParams.BackBufferHeight));
    if (gD3DDevice->TestCooperativeLevel() != d3d::D3D_OK) return;  // the next frame tries again
    ApplyTransforms();
    SetRenderStates(*gD3DDevice, false);
    if (gCurrentLevel > 0) LevelStructure::BuildLevel(gCurrentLevel, true);
    GUI::ShowScreen(0);
    for (int32_t i = 1; i <= gFontFieldCount; ++i) gFontFields(i).onRestoreDevice();
    if (gGameState == STATE_PLAYING) DXmusicSFX::ResumeMusic();
}

void ChangeVideoMode(int32_t mode) {
    const auto size = SizeOf(mode);
    if (!size) return;  // only the two modes exist
    gPresentParams.BackBufferWidth = size->width;
    gPresentParams.BackBufferHeight = size->height;
    gScreenWidthF = static_cast<float>(size->width);
    gScreenHeightF = static_cast<float>(size->height);
    gOptions.VideoMode = mode;
    ComputeGuiOffsets();
    ResetDevice();
    GUI::OnChangeVideoModeAllButtons();
    gBackground.resetbackground();
    gBackground.create(gBackgroundPath + "bk002.jpg");
    optionsDat::SaveOptions();
}

void ComputeGuiOffsets() {
    gGuiOffsetX = (gScreenWidthF - 800.0f) / 2.0f;
    gGuiOffsetY = (gScreenHeightF - 600.0f) / 2.0f;
}

void ResetCamera() {
    gCameraEye = {0, 25, -18};
    gCameraLookAt = {0, 8, 0};
}

void ReleaseDevice() {
    gD3DDevice = nullptr;
    gDeviceOwner.reset();
    gD3D = nullptr;
    gD3DOwner.reset();
    gDeviceWindow = nullptr;
}

}  // namespace DirectX
