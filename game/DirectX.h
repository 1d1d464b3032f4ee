// The game's graphics module: the one device, camera and transforms, video modes, and the
// makers of vertices, vectors, colours and matrices that every drawing class uses.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Device.h"
#include "platform/Graphics.h"

namespace platform {
class Window;
}

using d3d::ColorValue;
using d3d::LitVertex;
using d3d::Matrix;
using d3d::Plane;
using d3d::PointVertex;
using d3d::ScreenVertex;
using d3d::Vector3;
using d3d::Vector4;

// Makes the root graphics object; the program sets it to the OpenGL back-end, tests to a fake.
extern std::function<std::unique_ptr<d3d::Direct3D>()> gDX;
extern d3d::Direct3D* gD3D;         // the root graphics object, owned by the program
extern d3d::Device* gD3DDevice;     // the device every draw goes through
extern d3d::DisplayMode gDisplayMode;
extern d3d::PresentParameters gPresentParams;
extern Vector3 gCameraEye;
extern Vector3 gCameraLookAt;
extern Matrix gMatWorld;
extern Matrix gMatView;
extern Matrix gMatProj;
extern float gScreenWidthF;
extern float gScreenHeightF;
extern float gGuiOffsetX;
extern float gGuiOffsetY;

namespace DirectX {

// Device set-up and restore.
bool InitD3D(platform::Window& window);
int32_t HardwareDeviceAvailable();
void ResetDevice();
void ChangeVideoMode(int32_t mode);
void ComputeGuiOffsets();
void ResetCamera();
// Sets world (identity), view (from the camera) and projection on the device.
void ApplyTransforms();
// Releases the device; the next InitD3D starts afresh.
void ReleaseDevice();

// Makers.
void MakeLitVertex(LitVertex& v, float x, float y, float z, int32_t diffuse, int32_t specular, float tu, float tv);
void MakeScreenVertex(ScreenVertex& v, float x, float y, float z, float rhw, int32_t diffuse, int32_t specular,
                      float tu, float tv);
void MakeVector(Vector3& v, float x, float y, float z);
void MakeColorValue(ColorValue& c, int16_t a, int16_t r, int16_t g, int16_t b);
void MakeTranslationMatrix(Matrix& m, const Vector3& v);
int32_t FloatToLongBits(float value);

}  // namespace DirectX

// Packed 0xAARRGGBB colour from components 0..255.
int32_t ColorARGB(int16_t a, int16_t r, int16_t g, int16_t b);
