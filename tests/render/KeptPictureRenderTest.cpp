// A frame whose first draw repeats the last frame's gets the picture of that draw put back
// instead of drawing it again: the pictures must be as drawn, to the sample, with or without
// multisampling, with the depth the draw left, and a first draw that changed drawn afresh.
#include <gtest/gtest.h>

#include <vector>

#include "RenderHarness.h"

using namespace d3d;

namespace {

constexpr int kWidth = 160, kHeight = 120;

// A picture of four texels, blurred over the quad by the linear filter.
std::shared_ptr<GlTexture> Picture(GlDevice& device, uint8_t blue) {
    const uint8_t rgba[16] = {255, 0, blue, 255, 0, 255, blue, 255, 40, 40, blue, 255, 255, 255, blue, 255};
    return device.CreateTextureFromPixels(2, 2, rgba);
}

void ScreenQuad(GlDevice& device, float x0, float x1, float z, uint32_t diffuse) {
    const auto colour = static_cast<int32_t>(diffuse);
    const ScreenVertex quad[4] = {{x0, 0, z, 1, colour, 0, 0, 0},
                                  {x1, 0, z, 1, colour, 0, 1, 0},
                                  {x0, kHeight, z, 1, colour, 0, 0, 1},
                                  {x1, kHeight, z, 1, colour, 0, 1, 1}};
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
}

// A frame: the picture over the whole back buffer at depth 0.5 (written or not), then a plain
// quad across it at depth 0.6 on the left half and 0.4 on the right: in front of the picture
// only on the right when the picture's depth is there.
std::vector<uint32_t> Frame(RenderHarness& harness, const TexturePtr& picture, bool depthWritten) {
    GlDevice& device = harness.Device();
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF102030, 1.0f);
    device.SetTextureStageState(0, TSS_MAGFILTER, TEXF_LINEAR);
    device.SetRenderState(RS_ZWRITEENABLE, depthWritten ? 1 : 0);
    device.SetTexture(0, picture);
    ScreenQuad(device, 0, kWidth, 0.5f, 0xFFFFFFFF);
    device.SetRenderState(RS_ZWRITEENABLE, 1);
    device.SetTexture(0, nullptr);
    ScreenQuad(device, 20, 80, 0.6f, 0xFFFF00FF);
    ScreenQuad(device, 80, 140, 0.4f, 0xFFFF00FF);
    device.Present();
    return harness.Capture();
}

}  // namespace

TEST(KeptPictureRender, ARepeatedFirstDrawLeavesThePictureAsDrawn) {
    for (const uint32_t samples : {0u, 4u}) {
        for (const bool depthWritten : {true, false}) {
            SCOPED_TRACE(testing::Message() << samples << " samples, depth written " << depthWritten);
            RenderHarness harness(kWidth, kHeight, samples);
            const TexturePtr picture = Picture(harness.Device(), 0);
            const std::vector<uint32_t> drawn = Frame(harness, picture, depthWritten);
            EXPECT_EQ(harness.Pixel(40, 60) == 0xFFFF00FF, !depthWritten);  // behind the picture's depth
            EXPECT_EQ(harness.Pixel(120, 60), 0xFFFF00FFu);
            for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(Frame(harness, picture, depthWritten), drawn);

            // Another picture is drawn, and so is the first again after it.
            const TexturePtr other = Picture(harness.Device(), 255);
            EXPECT_NE(Frame(harness, other, depthWritten), drawn);
            EXPECT_GT(harness.Pixel(5, 5) & 0xFF, 200u);
            EXPECT_EQ(Frame(harness, picture, depthWritten), drawn);
            EXPECT_EQ(Frame(harness, picture, depthWritten), drawn);
        }
    }
}
