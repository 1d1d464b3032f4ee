// Showing the device's picture in its window: the window's framebuffer gets the back buffer
// pixel for pixel, beside black bars where the shapes differ; a window not on the screen gets
// nothing until it shows the last frame itself, and the rehearsal waits for a frame shown.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "RenderHarness.h"
#include "platform/gl/GlDrawKinds.h"
#include "platform/gl/GlSurface.h"

using namespace d3d;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

void DrawRect(Device& device, float x0, float y0, float x1, float y1, uint32_t diffuse) {
    const auto d = static_cast<int32_t>(diffuse);
    const ScreenVertex quad[4] = {{x0, y0, 0.5f, 1, d, 0, 0, 0}, {x1, y0, 0.5f, 1, d, 0, 0, 0},
                                  {x0, y1, 0.5f, 1, d, 0, 0, 0}, {x1, y1, 0.5f, 1, d, 0, 0, 0}};
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
}

// The window's back buffer as ARGB values, rows from top to bottom.
std::vector<uint32_t> WindowPixels(int width, int height) {
    std::vector<uint32_t> rows(static_cast<size_t>(width) * height), argb(rows.size());
    GLint deviceTarget = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &deviceTarget);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(deviceTarget));
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = &rows[static_cast<size_t>(height - 1 - y) * width];  // GL keeps the bottom row first
        for (int x = 0; x < width; ++x) argb[static_cast<size_t>(y) * width + x] = row[x] | 0xFF000000u;
    }
    return argb;
}

// The harness's window, on the screen or not as the test says, counting its swaps.
class CountingSurface : public platform::GlSurface {
public:
    explicit CountingSurface(platform::SdlWindow& window) : window_(window) {}
    void MakeCurrent() override { window_.MakeCurrent(); }
    void SwapBuffers() override {
        ++swaps;
        window_.SwapBuffers();
    }
    void DrawableSize(int& width, int& height) const override { window_.DrawableSize(width, height); }
    bool OnScreen() const override { return onScreen; }

    bool onScreen = false;
    int swaps = 0;

private:
    platform::SdlWindow& window_;
};

}  // namespace

TEST(PresentRender, TheWindowShowsTheBackBufferPixelForPixelBetweenBlackBars) {
    RenderHarness harness(200, 150);
    GlDevice& device = harness.Device();
    PresentParameters wide = harness.Parameters();
    wide.BackBufferHeight = 100;  // as wide as the window: bars of 25 rows above and below
    ASSERT_EQ(device.Reset(wide), D3D_OK);
    device.SetRenderState(RS_ZENABLE, 0);
    device.Clear(CLEAR_TARGET, kBlue, 1.0f);
    DrawRect(device, 0, 0, 1, 1, kRed);        // the top left pixel
    DrawRect(device, 100, 50, 200, 100, kGreen);  // the bottom right quarter
    harness.Capture();
    device.ShowLastFrame();
    const std::vector<uint32_t> shown = WindowPixels(200, 150);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            const uint32_t expected = y < 25 || y >= 125 ? 0xFF000000u : harness.Pixel(x, y - 25) | 0xFF000000u;
            ASSERT_EQ(shown[static_cast<size_t>(y) * 200 + x], expected) << "at " << x << ", " << y;
        }
    }
    EXPECT_EQ(shown[25 * 200], kRed);
}

TEST(PresentRender, AWindowNotOnTheScreenGetsNoFrameAndTheRehearsalWaitsForOneShown) {
    RenderHarness harness(64, 64);
    CountingSurface surface(harness.Window());
    Result result = D3D_OK;
    auto device = GlDevice::Create(surface, nullptr, harness.Parameters(), result);
    ASSERT_TRUE(device);
    device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kRed, 1.0f);
    device->Present();
    EXPECT_EQ(surface.swaps, 0);
    EXPECT_FALSE(device->RehearseNext());
    EXPECT_LT(device->DrawnKinds().size(), KnownDrawKinds().size());

    device->ShowLastFrame();  // the window's expose
    EXPECT_EQ(WindowPixels(64, 64)[0], kRed);

    surface.onScreen = true;
    device->Present();
    EXPECT_EQ(surface.swaps, 1);
    while (device->RehearseNext()) {
    }
    EXPECT_GE(device->DrawnKinds().size(), KnownDrawKinds().size());
}
