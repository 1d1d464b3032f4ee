// The root graphics object: adapter queries and device creation, as the game's start-up uses them.
#pragma once
#include <memory>
#include <string>

#include "platform/Device.h"

namespace platform {
class Window;
}

namespace d3d {

enum DeviceType : uint32_t { DEVTYPE_HAL = 1, DEVTYPE_REF = 2 };
enum Format : uint32_t { FMT_UNKNOWN = 0, FMT_R5G6B5 = 23, FMT_A1R5G5B5 = 25, FMT_D16 = 80 };
enum SwapEffect : uint32_t { SWAPEFFECT_DISCARD = 1 };
enum CreateFlags : uint32_t { CREATE_SOFTWARE_VERTEXPROCESSING = 0x20 };
constexpr uint32_t DEVCAPS_HWTRANSFORMANDLIGHT = 0x10000;

struct AdapterIdentifier {
    char Description[512] = {};
};

struct Caps {
    uint32_t DevCaps = 0;
};

struct DisplayMode {
    int32_t Width = 0, Height = 0, RefreshRate = 0, Format = 0;
};

class Direct3D {
public:
    virtual ~Direct3D() = default;
    virtual Result GetAdapterIdentifier(AdapterIdentifier& out) = 0;
    virtual Result GetDeviceCaps(DeviceType type, Caps& out) = 0;
    virtual Result GetAdapterDisplayMode(DisplayMode& out) = 0;
    virtual Result CheckDeviceMultiSampleType(DeviceType type, uint32_t format, bool windowed, uint32_t samples) = 0;
    virtual Result CreateDevice(DeviceType type, platform::Window& focusWindow, uint32_t behaviour,
                                const PresentParameters& params, std::unique_ptr<Device>& out) = 0;
    // A readable description of an error code, for messages and the log.
    virtual std::string DescribeError(Result code) const;
};

}  // namespace d3d
