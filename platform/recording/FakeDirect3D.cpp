#include "platform/recording/FakeDirect3D.h"

#include <algorithm>
#include <cstring>

namespace d3d {

Result FakeDirect3D::GetAdapterIdentifier(AdapterIdentifier& out) {
    out = {};
    std::memcpy(out.Description, adapter_.Description.data(),
                std::min(adapter_.Description.size(), sizeof(out.Description) - 1));
    return D3D_OK;
}

Result FakeDirect3D::GetDeviceCaps(DeviceType type, Caps& out) {
    out = {};
    if (type == DEVTYPE_HAL && !adapter_.HasHal) return D3DERR_NOTAVAILABLE;
    if (type == DEVTYPE_HAL && adapter_.CapsResult != D3D_OK) return adapter_.CapsResult;
    if (adapter_.HasTransformAndLight) out.DevCaps |= DEVCAPS_HWTRANSFORMANDLIGHT;
    return D3D_OK;
}

Result FakeDirect3D::GetAdapterDisplayMode(DisplayMode& out) {
    out = adapter_.Mode;
    return adapter_.DisplayModeResult;
}

Result FakeDirect3D::CheckDeviceMultiSampleType(DeviceType, uint32_t, bool, uint32_t samples) {
    return adapter_.MultiSamples.contains(samples) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

Result FakeDirect3D::CreateDevice(DeviceType, platform::Window&, uint32_t behaviour, const PresentParameters& params,
                                  std::unique_ptr<Device>& out) {
    ++createCalls_;
    lastBehaviour_ = behaviour;
    if (adapter_.CreateDeviceResult != D3D_OK) return adapter_.CreateDeviceResult;
    if (params.BackBufferWidth == 0 || params.BackBufferHeight == 0) return D3DERR_INVALIDCALL;
    auto device = std::make_unique<RecordingDevice>(params);
    device->SetKindsToRehearse(adapter_.KindsToRehearse);
    lastDevice_ = device.get();
    out = std::move(device);
    return D3D_OK;
}

}  // namespace d3d
