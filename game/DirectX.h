// The game's graphics set-up: the root object, the device in one of two video modes with the
// game's render states and projection, device loss, and the menus' offsets. The device and
// camera globals and the makers are shared with the editor and live in shared/.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Device.h"
#include "platform/Graphics.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Makers.h"

namespace platform {
class Window;
}

// Makes the root graphics object; the program sets it to the OpenGL back-end, tests to a fake.
extern std::function<std::unique_ptr<d3d::Direct3D>()> gDX;
extern d3d::Direct3D* gD3D;         // the root graphics object, owned by the program
extern d3d::DisplayMode gDisplayMode;
extern d3d::PresentParameters gPresentParams;
extern float gGuiOffsetX;
extern float gGuiOffsetY;

namespace DirectX {

// Device set-up and restore.
bool InitD3D(platform::Window& window);
// In place of InitD3D when the game's window, the device's surface, could not be opened (its
// OpenGL cannot start, say): the message of a device that cannot be made, with the system's
// reason after it. False.
bool WindowNotOpened(const std::string& reason);
int32_t HardwareDeviceAvailable();
void ResetDevice();
void ChangeVideoMode(int32_t mode);
void ComputeGuiOffsets();
// The render states the game draws with (filters, depth, blending, point sprites), and the
// vertex format of the track when asked.
void SetRenderStates(d3d::Device& dev, bool withVertexFormat);
// The camera's start: above and behind the track's start, looking ahead and down.
void ResetCamera();
// Sets world (identity), view (from the camera) and projection on the device.
void ApplyTransforms();
// Releases the device; the next InitD3D starts afresh.
void ReleaseDevice();

}  // namespace DirectX
