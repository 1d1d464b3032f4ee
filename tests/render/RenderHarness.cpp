#include "RenderHarness.h"

#include <stb_image_write.h>  // its implementation comes with the asset kit

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

RenderHarness::RenderHarness(int width, int height, uint32_t multiSamples) : width_(width), height_(height) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);  // headless unless the caller chose a driver
    std::string error;
    platform::SdlWindowOptions options;
    options.Hidden = true;
    options.Width = width;
    options.Height = height;
    window_ = platform::SdlWindow::Create(options, &error);
    if (!window_) throw std::runtime_error("no GL window: " + error);
    params_.BackBufferWidth = static_cast<uint32_t>(width);
    params_.BackBufferHeight = static_cast<uint32_t>(height);
    params_.BackBufferFormat = d3d::FMT_R5G6B5;
    params_.BackBufferCount = 1;
    params_.MultiSampleType = multiSamples;
    params_.SwapEffect = d3d::SWAPEFFECT_DISCARD;
    params_.EnableAutoDepthStencil = 1;
    params_.AutoDepthStencilFormat = d3d::FMT_D16;
    d3d::Result result = d3d::D3D_OK;
    device_ = d3d::GlDevice::Create(*window_, window_.get(), params_, result);
    if (!device_) throw std::runtime_error("no GL device");
}

RenderHarness::~RenderHarness() { device_.reset(); }

const std::vector<uint32_t>& RenderHarness::Capture(const std::string& name) {
    width_ = device_->BackBufferWidth();
    height_ = device_->BackBufferHeight();
    device_->ReadPixels(pixels_);
    if (!name.empty()) SavePng(ArtifactsFolder() + "/" + name + ".png", width_, height_, pixels_);
    return pixels_;
}

uint32_t RenderHarness::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return 0;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

int RenderHarness::CountNear(uint32_t argb, int tolerance) const {
    int n = 0;
    for (uint32_t p : pixels_) n += ColorNear(p, argb, tolerance);
    return n;
}

bool ColorNear(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) return false;
    }
    return true;
}

void SavePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < argb.size() && i * 3 + 2 < rgb.size(); ++i) {
        rgb[i * 3] = static_cast<uint8_t>(argb[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(argb[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(argb[i]);
    }
    stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3);
}

std::string ArtifactsFolder() { return VELORUNE_ARTIFACTS; }
