// The game's camera, point sprites and text, drawn for real.
#include <gtest/gtest.h>

#include <algorithm>

#include "RenderHarness.h"
#include "platform/D3DXMath.h"
#include "platform/DeviceState.h"

using namespace d3d;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kOrange = 0xFFFF8000;

// The game's view and projection: eye (0, 25, -18), look-at (0, 8, 0), fov pi/4, aspect 1.
void SetGameCamera(Device& device) {
    device.SetTransform(TS_WORLD, d3dx::MatrixIdentity());
    device.SetTransform(TS_VIEW, d3dx::MatrixLookAtLH({0, 25, -18}, {0, 8, 0}, {0, 1, 0}));
    device.SetTransform(TS_PROJECTION, d3dx::MatrixPerspectiveFovLH(3.1415927f / 4, 1.0f, 0.1f, 500.0f));
    device.SetRenderState(RS_LIGHTING, 0);
}

// Where the original device puts a world point: pixel x, y and depth 0..1.
Vector3 ScreenPoint(const Device& device, const Vector3& p, int width, int height) {
    const Matrix viewProj = d3dx::MatrixMultiply(device.GetTransform(TS_VIEW), device.GetTransform(TS_PROJECTION));
    const Vector3 ndc = d3dx::Vec3TransformCoord(p, viewProj);
    return {(ndc.X + 1) / 2 * static_cast<float>(width), (1 - ndc.Y) / 2 * static_cast<float>(height), ndc.Z};
}

LitVertex Lv(float x, float y, float z, uint32_t diffuse) { return {x, y, z, static_cast<int32_t>(diffuse), 0, 0, 0}; }

// Width of the run of pixels near argb through (x, y) along the row.
int RunWidth(const RenderHarness& h, int x, int y, uint32_t argb) {
    int left = x, right = x;
    while (ColorNear(h.Pixel(left - 1, y), argb, 40)) --left;
    while (ColorNear(h.Pixel(right + 1, y), argb, 40)) ++right;
    return ColorNear(h.Pixel(x, y), argb, 40) ? right - left + 1 : 0;
}

}  // namespace

TEST(SceneRender, LitQuadLandsWhereTheLeftHandedCameraPutsIt) {
    RenderHarness harness;
    Device& device = harness.Device();
    SetGameCamera(device);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    // A 2 x 2 square on the plane y = 8, to the right of the look-at point, clockwise from above.
    const LitVertex quad[4] = {Lv(4, 8, 1, kOrange), Lv(6, 8, 1, kOrange), Lv(4, 8, -1, kOrange),
                               Lv(6, 8, -1, kOrange)};
    device.SetVertexShader(FVF_LITVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex));
    const Vector3 centre = ScreenPoint(device, {5, 8, 0}, 800, 600);
    ASSERT_GT(centre.X, 400);  // +x is to the right in a left-handed view

    // A screen-space quad just in front of the square's depth covers it; one just behind does not.
    const auto sv = [](float x, float y, float z) { return ScreenVertex{x, y, z, 1, int32_t(0xFF0000FF), 0, 0, 0}; };
    const float cx = centre.X, cy = centre.Y;
    const ScreenVertex front[4] = {sv(cx - 20, cy - 20, centre.Z - 0.002f), sv(cx, cy - 20, centre.Z - 0.002f),
                                   sv(cx - 20, cy + 20, centre.Z - 0.002f), sv(cx, cy + 20, centre.Z - 0.002f)};
    const ScreenVertex behind[4] = {sv(cx, cy - 20, centre.Z + 0.002f), sv(cx + 20, cy - 20, centre.Z + 0.002f),
                                    sv(cx, cy + 20, centre.Z + 0.002f), sv(cx + 20, cy + 20, centre.Z + 0.002f)};
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, front, sizeof(ScreenVertex));
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, behind, sizeof(ScreenVertex));
    harness.Capture("camera_quad");

    const int x = static_cast<int>(cx), y = static_cast<int>(cy);
    EXPECT_TRUE(ColorNear(harness.Pixel(x - 10, y), 0xFF0000FF)) << std::hex << harness.Pixel(x - 10, y);
    EXPECT_TRUE(ColorNear(harness.Pixel(x + 10, y), kOrange)) << std::hex << harness.Pixel(x + 10, y);
    EXPECT_TRUE(ColorNear(harness.Pixel(x + 10, y + 15), kOrange));
    EXPECT_TRUE(ColorNear(harness.Pixel(800 - x, y), 0xFF000000));  // nothing mirrored to the left
    // The square's far corners land where the original device puts them.
    const Vector3 corner = ScreenPoint(device, {6, 8, 1}, 800, 600);
    EXPECT_TRUE(ColorNear(harness.Pixel(static_cast<int>(corner.X) - 2, static_cast<int>(corner.Y) + 2), kOrange));
    EXPECT_TRUE(ColorNear(harness.Pixel(static_cast<int>(corner.X) + 2, static_cast<int>(corner.Y) - 2), 0xFF000000));
}

TEST(SceneRender, SquareWoundTheOtherWayIsCulled) {
    RenderHarness harness;
    Device& device = harness.Device();
    SetGameCamera(device);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    const LitVertex quad[4] = {Lv(4, 8, -1, kOrange), Lv(6, 8, -1, kOrange), Lv(4, 8, 1, kOrange),
                               Lv(6, 8, 1, kOrange)};
    device.SetVertexShader(FVF_LITVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex));
    harness.Capture();
    EXPECT_EQ(harness.CountNear(kOrange), 0);
}

TEST(SceneRender, PointSpriteIsThreePercentOfTheScreenHeight) {
    for (const auto& [w, h] : {std::pair{800, 600}, std::pair{1024, 768}}) {
        RenderHarness harness(w, h);
        Device& device = harness.Device();
        SetGameCamera(device);
        device.SetRenderState(RS_POINTSPRITEENABLE, 1);
        device.SetRenderState(RS_POINTSCALEENABLE, 1);
        device.SetRenderState(RS_POINTSIZE, FloatBits(0.03f));
        device.SetRenderState(RS_ZWRITEENABLE, 0);
        device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
        const PointVertex point{0, 8, 0, static_cast<int32_t>(kWhite), 0, 0};
        device.SetVertexShader(FVF_POINTVERTEX);
        device.DrawPrimitiveUP(PT_POINTLIST, 1, &point, sizeof(PointVertex));
        harness.Capture(w == 800 ? "point_sprite_800" : "");
        const int expected = static_cast<int>(0.03f * static_cast<float>(h));
        EXPECT_NEAR(RunWidth(harness, w / 2, h / 2, kWhite), expected, 1) << w;
    }
}

TEST(SceneRender, PointSpriteTextureRunsTopToBottom) {
    RenderHarness harness;
    GlDevice& device = harness.Device();
    const uint8_t rgba[] = {255, 0, 0, 255, 0, 255, 0, 255};  // 1 x 2: red above green
    device.SetTexture(0, device.CreateTextureFromPixels(1, 2, rgba));
    device.SetRenderState(RS_POINTSPRITEENABLE, 1);
    device.SetRenderState(RS_POINTSIZE, FloatBits(40.0f));  // no scaling: pixels
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    const ScreenVertex point{400, 300, 0.5f, 1, static_cast<int32_t>(kWhite), 0, 0, 0};
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.DrawPrimitiveUP(PT_POINTLIST, 1, &point, sizeof(ScreenVertex));
    harness.Capture();
    EXPECT_TRUE(ColorNear(harness.Pixel(400, 285), 0xFFFF0000));
    EXPECT_TRUE(ColorNear(harness.Pixel(400, 315), 0xFF00FF00));
    EXPECT_EQ(RunWidth(harness, 400, 285, 0xFFFF0000), 40);
}

TEST(SceneRender, TextIsCentredAtTheTopOfItsRectangleAndLeavesStatesAlone) {
    RenderHarness harness;
    Device& device = harness.Device();
    auto font = device.CreateFont({"Ariel", 18, true});
    ASSERT_NE(font, nullptr);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    device.SetRenderState(RS_ZWRITEENABLE, 1);
    font->DrawText("Stars 0 / of 3", {1, 550, 800, 600}, DT_CENTER, 0xFFCCCCFF);
    // The default states still hold after the text: no blending, so alpha 0 draws solid.
    const ScreenVertex quad[4] = {{0, 0, 0.5f, 1, 0x00FF0000, 0, 0, 0}, {100, 0, 0.5f, 1, 0x00FF0000, 0, 0, 0},
                                  {0, 100, 0.5f, 1, 0x00FF0000, 0, 0, 0}, {100, 100, 0.5f, 1, 0x00FF0000, 0, 0, 0}};
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
    harness.Capture("text");

    EXPECT_TRUE(ColorNear(harness.Pixel(50, 50), 0xFFFF0000));
    int left = 800, right = -1, top = 600, bottom = -1, brightest = 0;
    uint32_t brightestColor = 0;
    for (int y = 500; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const uint32_t p = harness.Pixel(x, y);
            const int level = static_cast<int>(p & 0xFF);
            if (level < 64) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
            if (level > brightest) brightest = level, brightestColor = p;
        }
    }
    ASSERT_GE(right, 0) << "no text drawn";
    EXPECT_NEAR((left + right) / 2.0, 400.5, 4);
    EXPECT_GE(top, 550);
    EXPECT_LE(top, 558);
    EXPECT_LE(bottom - top, 26);  // one line of 24-pixel text
    EXPECT_GT(right - left, 100);
    EXPECT_TRUE(ColorNear(brightestColor, 0xFFCCCCFF, 24)) << std::hex << brightestColor;
}

namespace {

// The height in rows of what is lit in the band 0..200 of the picture.
int LitRows(RenderHarness& harness) {
    harness.Capture();
    int top = 200, bottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 800; ++x)
            if ((harness.Pixel(x, y) & 0xFF) >= 64) top = std::min(top, y), bottom = std::max(bottom, y);
    return bottom < 0 ? 0 : bottom - top + 1;
}

}  // namespace

// Fonts of one look share their open font file: a font outlives the release of another of its
// look, and a different size is its own font.
TEST(SceneRender, FontsOfOneLookShareTheirFileAndEachSizeKeepsItsOwn) {
    RenderHarness harness;
    Device& device = harness.Device();
    auto textRows = [&](const FontPtr& font) {
        device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
        font->DrawText("Hg", {0, 0, 800, 200}, DT_CENTER, kWhite);
        return LitRows(harness);
    };
    auto first = device.CreateFont({"Ariel", 30, false});
    auto second = device.CreateFont({"Ariel", 30, false});
    auto small = device.CreateFont({"Ariel", 10, false});
    ASSERT_TRUE(first && second && small);
    const int large = textRows(first);
    first.reset();
    EXPECT_EQ(textRows(second), large);
    EXPECT_GT(large, 20);
    EXPECT_LT(textRows(small), large / 2);
}
