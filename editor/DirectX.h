// The editor's graphics module: the one device on the viewport, made windowed with up to
// 4-sample multisampling, the camera with its fixed projection, the drawing of a frame and
// the release of it all.
#pragma once
#include <functional>
#include <memory>

#include "platform/Device.h"
#include "platform/Graphics.h"
#include "shared/DeviceAndCamera.h"

namespace platform {
class Window;
}

// Makes the root graphics object: the program sets the OpenGL back-end, tests a fake.
extern std::function<std::unique_ptr<d3d::Direct3D>()> gDX;
extern d3d::Direct3D* gD3D;  // the root graphics object
extern bool gMultisampleOn;

namespace DirectX {

// The camera's vertical field of view; the pick ray uses the same angle.
inline constexpr float kFieldOfView = 3.1415927f / 4.0f;

// Makes the device on the viewport, whose back buffer takes the size of frmMain.viewport.
// False after its message when there is no hardware device or any step fails.
bool InitD3D(platform::Window& viewport);
// False only when adapter 0 reports that it has no hardware device.
bool HardwareDeviceAvailable();
// Releases the device and the root object; running it twice is harmless.
void ShutdownD3D();
// World (identity), view from the camera and projection, set on the device.
void SetupMatrices();
// The camera back at its start: from (0, 25, -18) at (0, 8, 0).
void ResetCamera();
// Draws one frame of the track and presents it. Drawing advances falls, hops and spins;
// blocks and ramps out of the camera's sight are left out, blocks that fall or hop are not.
void RenderFrame();
// Clears the back buffer and draws the frame's scene into it, without presenting it: the
// background, then the track; blocks and ramps out of the camera's sight only with
// everyObject, which makes the picture a frame must show without the track view.
void DrawScene(bool everyObject);

}  // namespace DirectX
