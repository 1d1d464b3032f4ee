// Headless drawing for tests: a hidden window with an OpenGL context on Mesa's software
// renderer and a GlDevice of the asked size; the picture read back as ARGB pixels and saved
// as PNG into the build's test-artifacts folder.
//
//   RenderHarness harness(800, 600);
//   d3d::Device& device = harness.Device();     // or gD3DDevice = &harness.Device();
//   device.Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0xFF000000, 1.0f);
//   ... draw ...
//   harness.Capture("my_picture");              // reads back, writes test-artifacts/my_picture.png
//   EXPECT_TRUE(ColorNear(harness.Pixel(400, 300), 0xFFFF0000));
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gl/GlDevice.h"
#include "platform/Graphics.h"
#include "platform/sdl/SdlWindow.h"

class RenderHarness {
public:
    // multiSamples 0 draws without multisampling.
    explicit RenderHarness(int width = 800, int height = 600, uint32_t multiSamples = 0);
    ~RenderHarness();

    d3d::GlDevice& Device() { return *device_; }
    platform::SdlWindow& Window() { return *window_; }
    const d3d::PresentParameters& Parameters() const { return params_; }

    // Reads the back buffer; with a name, also saves it as test-artifacts/<name>.png.
    const std::vector<uint32_t>& Capture(const std::string& name = "");
    // A pixel of the last capture, (0, 0) at the top left; 0 outside the picture.
    uint32_t Pixel(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // How many pixels of the last capture lie within tolerance of argb (alpha ignored).
    int CountNear(uint32_t argb, int tolerance = 8) const;

private:
    std::unique_ptr<platform::SdlWindow> window_;
    std::unique_ptr<d3d::GlDevice> device_;
    d3d::PresentParameters params_;
    int width_, height_;
    std::vector<uint32_t> pixels_;
};

// Colour channels (alpha ignored) each within tolerance.
bool ColorNear(uint32_t actual, uint32_t expected, int tolerance = 8);
// Writes ARGB pixels (rows top to bottom) as a PNG, creating the folder.
void SavePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);
// The folder screenshots go to.
std::string ArtifactsFolder();
