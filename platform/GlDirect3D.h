// The root graphics object on OpenGL. It answers for the GL context current on this thread
// (the window makes one at creation): the adapter is its renderer, and with a context there
// is a hardware device with transform and lighting.
#pragma once
#include "platform/Graphics.h"

namespace d3d {

class GlDirect3D : public Direct3D {
public:
    Result GetAdapterIdentifier(AdapterIdentifier& out) override;
    Result GetDeviceCaps(DeviceType type, Caps& out) override;
    Result GetAdapterDisplayMode(DisplayMode& out) override;
    Result CheckDeviceMultiSampleType(DeviceType type, uint32_t format, bool windowed, uint32_t samples) override;
    // The window must be an OpenGL surface (platform::GlSurface).
    Result CreateDevice(DeviceType type, platform::Window& focusWindow, uint32_t behaviour,
                        const PresentParameters& params, std::unique_ptr<Device>& out) override;
};

}  // namespace d3d
