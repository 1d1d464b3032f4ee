// The root graphics object on OpenGL. It answers for the GL context current on this thread:
// the adapter is its renderer, and with a context there is a hardware device with transform
// and lighting.
#pragma once
#include <functional>

#include "platform/Graphics.h"

namespace d3d {

// What the root object asks the windowing system that made the context.
struct GlContextQueries {
    std::function<bool()> HasCurrentContext;
    std::function<bool(DisplayMode& out)> DesktopMode;
};

// The queries for SDL's windows (the game's window makes its context at creation).
GlContextQueries SdlContextQueries();

class GlDirect3D : public Direct3D {
public:
    explicit GlDirect3D(GlContextQueries queries = SdlContextQueries()) : queries_(std::move(queries)) {}

    Result GetAdapterIdentifier(AdapterIdentifier& out) override;
    Result GetDeviceCaps(DeviceType type, Caps& out) override;
    Result GetAdapterDisplayMode(DisplayMode& out) override;
    Result CheckDeviceMultiSampleType(DeviceType type, uint32_t format, bool windowed, uint32_t samples) override;
    // The window must be an OpenGL surface (platform::GlSurface).
    Result CreateDevice(DeviceType type, platform::Window& focusWindow, uint32_t behaviour,
                        const PresentParameters& params, std::unique_ptr<Device>& out) override;

private:
    bool HasContext() const { return queries_.HasCurrentContext && queries_.HasCurrentContext(); }

    GlContextQueries queries_;
};

}  // namespace d3d
