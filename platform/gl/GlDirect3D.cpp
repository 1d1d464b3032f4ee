#include "platform/gl/GlDirect3D.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gl/GlDevice.h"
#include "platform/gl/GlSurface.h"
#include "platform/Window.h"

namespace d3d {
namespace {

// Mesa's software rasterizers: multisampling there costs more than a frame's budget.
bool IsSoftwareRenderer() {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer) return true;
    const std::string name(renderer);
    return name.find("llvmpipe") != std::string::npos || name.find("softpipe") != std::string::npos ||
           name.find("swrast") != std::string::npos;
}

}  // namespace

GlContextQueries SdlContextQueries() {
    return {[] { return SDL_WasInit(SDL_INIT_VIDEO) && SDL_GL_GetCurrentContext() != nullptr; },
            [](DisplayMode& out) {
                SDL_DisplayMode mode{};
                if (!SDL_WasInit(SDL_INIT_VIDEO) || SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
                out = {mode.w, mode.h, mode.refresh_rate, 22};  // 32-bit colour
                return true;
            }};
}

Result GlDirect3D::GetAdapterIdentifier(AdapterIdentifier& out) {
    out = {};
    if (!HasContext()) return D3DERR_NOTAVAILABLE;
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (renderer) std::strncpy(out.Description, renderer, sizeof(out.Description) - 1);
    return D3D_OK;
}

Result GlDirect3D::GetDeviceCaps(DeviceType, Caps& out) {
    out = {};
    if (!HasContext()) return D3DERR_NOTAVAILABLE;
    out.DevCaps = DEVCAPS_HWTRANSFORMANDLIGHT;
    return D3D_OK;
}

Result GlDirect3D::GetAdapterDisplayMode(DisplayMode& out) {
    out = {};
    if (!queries_.DesktopMode || !queries_.DesktopMode(out)) return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

Result GlDirect3D::CheckDeviceMultiSampleType(DeviceType, uint32_t, bool, uint32_t samples) {
    if (!HasContext() || samples < 2 || IsSoftwareRenderer()) return D3DERR_NOTAVAILABLE;
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    return samples <= static_cast<uint32_t>(maxSamples) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

Result GlDirect3D::CreateDevice(DeviceType, platform::Window& focusWindow, uint32_t, const PresentParameters& params,
                                std::unique_ptr<Device>& out) {
    auto* surface = dynamic_cast<platform::GlSurface*>(&focusWindow);
    if (!surface) return D3DERR_INVALIDCALL;
    Result result = D3D_OK;
    auto device = GlDevice::Create(*surface, &focusWindow, params, result);
    if (!device) return result;
    out = std::move(device);
    return D3D_OK;
}

}  // namespace d3d
