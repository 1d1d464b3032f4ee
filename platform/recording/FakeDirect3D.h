// A root graphics object for tests: answers the adapter queries as configured and makes
// RecordingDevices.
#pragma once
#include <set>
#include <string>

#include "platform/Graphics.h"
#include "platform/recording/RecordingDevice.h"

namespace d3d {

struct FakeAdapter {
    std::string Description = "Recording Adapter";
    bool HasHal = true;            // false: the hardware caps query fails with D3DERR_NOTAVAILABLE
    Result CapsResult = D3D_OK;    // any other failure of the hardware caps query
    Result DisplayModeResult = D3D_OK;
    bool HasTransformAndLight = true;
    std::set<uint32_t> MultiSamples;  // sample counts the multisample test passes
    Result CreateDeviceResult = D3D_OK;
    DisplayMode Mode{1024, 768, 60, 22};
    int KindsToRehearse = 0;  // given to each device made
};

class FakeDirect3D : public Direct3D {
public:
    explicit FakeDirect3D(FakeAdapter adapter = {}) : adapter_(std::move(adapter)) {}

    Result GetAdapterIdentifier(AdapterIdentifier& out) override;
    Result GetDeviceCaps(DeviceType type, Caps& out) override;
    Result GetAdapterDisplayMode(DisplayMode& out) override;
    Result CheckDeviceMultiSampleType(DeviceType type, uint32_t format, bool windowed, uint32_t samples) override;
    Result CreateDevice(DeviceType type, platform::Window& focusWindow, uint32_t behaviour,
                        const PresentParameters& params, std::unique_ptr<Device>& out) override;

    FakeAdapter& Adapter() { return adapter_; }
    // The device the last successful CreateDevice made (owned by its caller), and how it was asked for.
    RecordingDevice* LastDevice() const { return lastDevice_; }
    uint32_t LastBehaviour() const { return lastBehaviour_; }
    int CreateDeviceCalls() const { return createCalls_; }

private:
    FakeAdapter adapter_;
    RecordingDevice* lastDevice_ = nullptr;
    uint32_t lastBehaviour_ = 0;
    int createCalls_ = 0;
};

}  // namespace d3d
