// A frame whose first draw repeats the last frame's gets the picture of that draw put back
// instead of drawing it again: the pictures must be as drawn, to the sample, with or without
// multisampling, with the depth the draw left, and a first draw that changed in anything that
// shows drawn afresh, as a device that keeps no picture draws it.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
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

void ScreenQuad(GlDevice& device, float x0, float x1, float z, uint32_t diffuse, float y0 = 0, float y1 = kHeight) {
    const auto colour = static_cast<int32_t>(diffuse);
    const ScreenVertex quad[4] = {{x0, y0, z, 1, colour, 0, 0, 0},
                                  {x1, y0, z, 1, colour, 0, 1, 0},
                                  {x0, y1, z, 1, colour, 0, 0, 1},
                                  {x1, y1, z, 1, colour, 0, 1, 1}};
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

// What a frame's first draw is made of: a plain quad over part of the back buffer, after the
// clear, as a list of two triangles. A band across the bottom at depth 0.6 follows it: it
// shows where the quad left the clear's depth, if that is behind it.
struct FirstQuad {
    uint32_t clearColour = 0xFF102030;
    float clearZ = 1.0f;
    float right = 120;
    uint32_t diffuse = 0xFF806040;
    bool blending = false;  // adds the quad to the clear colour
    bool everyOtherCorner = false;  // the same bytes read at twice the stride: one triangle
};

std::vector<uint32_t> Frame(RenderHarness& harness, const FirstQuad& first) {
    GlDevice& device = harness.Device();
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, first.clearColour, first.clearZ);
    device.SetTexture(0, nullptr);
    device.SetRenderState(RS_SRCBLEND, BLEND_ONE);
    device.SetRenderState(RS_DESTBLEND, BLEND_ONE);
    device.SetRenderState(RS_ALPHABLENDENABLE, first.blending ? 1 : 0);
    const auto colour = static_cast<int32_t>(first.diffuse);
    const float r = first.right, b = kHeight;
    const ScreenVertex corners[6] = {{0, 0, 0.5f, 1, colour, 0, 0, 0}, {r, 0, 0.5f, 1, colour, 0, 0, 0},
                                     {0, b, 0.5f, 1, colour, 0, 0, 0}, {r, 0, 0.5f, 1, colour, 0, 0, 0},
                                     {r, b, 0.5f, 1, colour, 0, 0, 0}, {0, b, 0.5f, 1, colour, 0, 0, 0}};
    const uint32_t stride = sizeof(ScreenVertex) * (first.everyOtherCorner ? 2 : 1);
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLELIST, static_cast<uint32_t>(sizeof(corners) / stride / 3), corners, stride);
    device.SetRenderState(RS_ALPHABLENDENABLE, 0);
    ScreenQuad(device, 0, kWidth, 0.6f, 0xFFFF00FF, 100, kHeight);
    device.Present();
    return harness.Capture();
}

}  // namespace

TEST(KeptPictureRender, ARepeatedFirstDrawLeavesThePictureAsDrawn) {
    for (const uint32_t samples : {0u, 4u}) {
        for (const bool depthWritten : {true, false}) {
            SCOPED_TRACE(testing::Message() << samples << " samples, depth written " << depthWritten);
            RenderHarness harness(kWidth, kHeight, samples);
            std::shared_ptr<GlTexture> picture = Picture(harness.Device(), 0);
            const std::vector<uint32_t> drawn = Frame(harness, picture, depthWritten);
            harness.Device().RehearseNext();  // the kept picture's storage, made once a frame is shown
            EXPECT_EQ(harness.Pixel(40, 60) == 0xFFFF00FF, !depthWritten);  // behind the picture's depth
            EXPECT_EQ(harness.Pixel(120, 60), 0xFFFF00FFu);
            for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(Frame(harness, picture, depthWritten), drawn);

            // Another picture is drawn, and so is the first again after it.
            const TexturePtr other = Picture(harness.Device(), 255);
            const std::vector<uint32_t> drawnOther = Frame(harness, other, depthWritten);
            EXPECT_NE(drawnOther, drawn);
            EXPECT_GT(harness.Pixel(5, 5) & 0xFF, 200u);
            EXPECT_EQ(Frame(harness, picture, depthWritten), drawn);
            EXPECT_EQ(Frame(harness, picture, depthWritten), drawn);

            // The first picture let go of, a new one may come where it was, most likely among
            // the next few made: that one is drawn, not taken for the picture kept.
            const auto at = [](const std::shared_ptr<GlTexture>& texture) {
                return reinterpret_cast<std::uintptr_t>(texture.get());
            };
            const std::uintptr_t keptAt = at(picture);
            picture.reset();
            std::vector<std::shared_ptr<GlTexture>> made{Picture(harness.Device(), 255)};
            while (made.size() < 16 && at(made.back()) != keptAt) made.push_back(Picture(harness.Device(), 255));
            EXPECT_EQ(Frame(harness, made.back(), depthWritten), drawnOther);
        }
    }
}

TEST(KeptPictureRender, AChangedFirstDrawIsDrawnAsWithoutAKeptPicture) {
    const FirstQuad kept;
    const auto with = [](auto change) {
        FirstQuad quad;
        change(quad);
        return quad;
    };
    const struct {
        const char* what;
        FirstQuad first;
    } changes[] = {
        {"its vertices", with([](FirstQuad& q) { q.right = 100; })},
        {"its diffuse colour", with([](FirstQuad& q) { q.diffuse = 0xFF406080; })},
        {"the clear colour", with([](FirstQuad& q) { q.clearColour = 0xFF302010; })},
        {"the clear depth", with([](FirstQuad& q) { q.clearZ = 0.55f; })},
        {"blending", with([](FirstQuad& q) { q.blending = true; })},
        {"its stride", with([](FirstQuad& q) { q.everyOtherCorner = true; })},
    };
    for (const uint32_t samples : {0u, 4u}) {
        std::vector<std::vector<uint32_t>> drawn;  // each the first frame of a device of its own
        for (const auto& change : changes) {
            RenderHarness fresh(kWidth, kHeight, samples);
            drawn.push_back(Frame(fresh, change.first));
        }
        RenderHarness harness(kWidth, kHeight, samples);
        Frame(harness, kept);
        harness.Device().RehearseNext();
        for (size_t i = 0; i < std::size(changes); ++i) {
            SCOPED_TRACE(testing::Message() << samples << " samples, " << changes[i].what);
            const std::vector<uint32_t> before = Frame(harness, kept);
            ASSERT_NE(drawn[i], before) << "the change shows";
            EXPECT_EQ(Frame(harness, kept), before);  // now kept
            EXPECT_EQ(Frame(harness, changes[i].first), drawn[i]);
        }
    }
}
