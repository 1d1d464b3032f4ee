// The original device's defaults that the drawing code relies on, checked by pixels.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "RenderHarness.h"
#include "platform/DeviceState.h"
#include "platform/formats/PictureCheck.h"
#include "tests/support/files/ScratchFolder.h"
#include "tools/assets/kit/Image.h"

using namespace d3d;

namespace {

constexpr uint32_t kBlue = 0xFF0000FF, kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

ScreenVertex Sv(float x, float y, float z, uint32_t diffuse, float u = 0, float v = 0) {
    return {x, y, z, 1.0f, static_cast<int32_t>(diffuse), 0, u, v};
}

// A strip quad over [x0, x1) x [y0, y1) in pixels.
void DrawQuad(Device& device, float x0, float y0, float x1, float y1, float z, uint32_t diffuse) {
    const ScreenVertex quad[4] = {Sv(x0, y0, z, diffuse, 0, 0), Sv(x1, y0, z, diffuse, 1, 0),
                                  Sv(x0, y1, z, diffuse, 0, 1), Sv(x1, y1, z, diffuse, 1, 1)};
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
}

// Four coloured quarters: red, green / blue, white.
std::string WriteQuarters(const ScratchFolder& folder, const std::string& name) {
    assetkit::Image image(64, 64, {255, 0, 0});
    image.FillRect(32, 0, 64, 32, {0, 255, 0});
    image.FillRect(0, 32, 32, 64, {0, 0, 255});
    image.FillRect(32, 32, 64, 64, {255, 255, 255});
    const std::string path = folder.File(name);
    if (name.ends_with(".jpg")) assetkit::WriteJpeg(image, path, 95);
    else assetkit::WriteBmp(image, path);
    return path;
}

}  // namespace

TEST(DeviceDefaultsRender, BackgroundQuadWithDiffuseAlphaZeroIsVisible) {
    ScratchFolder folder;
    RenderHarness harness;
    Device& device = harness.Device();
    auto picture = device.CreateTextureFromFile(WriteQuarters(folder, "bk.jpg"));
    ASSERT_NE(picture, nullptr);
    // What the game's set-up and the background's draw do; blend factors stay at their defaults.
    device.SetTextureStageState(0, TSS_MAGFILTER, TEXF_LINEAR);
    device.SetTextureStageState(0, TSS_MINFILTER, TEXF_LINEAR);
    device.SetRenderState(RS_LIGHTING, 0);
    device.SetRenderState(RS_ZENABLE, 1);
    device.SetRenderState(RS_ALPHABLENDENABLE, 1);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    device.SetRenderState(RS_ZWRITEENABLE, 0);
    device.SetTexture(0, picture);
    auto buffer = device.CreateVertexBuffer(128, FVF_SCREENVERTEX);
    const ScreenVertex quad[4] = {Sv(0, 0, 1, 0x00FFFFFF, 0, 0), Sv(800, 0, 0, 0x00FFFFFF, 1, 0),
                                  Sv(0, 600, 0, 0x00FFFFFF, 0, 1), Sv(800, 600, 0, 0x00FFFFFF, 1, 1)};
    buffer->SetData(0, quad, sizeof quad);
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.SetStreamSource(0, buffer, sizeof(ScreenVertex));
    device.DrawPrimitive(PT_TRIANGLESTRIP, 0, 2);
    device.SetRenderState(RS_ZWRITEENABLE, 1);
    harness.Capture("background_quad");

    EXPECT_TRUE(ColorNear(harness.Pixel(200, 150), kRed, 12));
    EXPECT_TRUE(ColorNear(harness.Pixel(600, 150), kGreen, 12));
    EXPECT_TRUE(ColorNear(harness.Pixel(200, 450), kBlue, 12));
    EXPECT_TRUE(ColorNear(harness.Pixel(600, 450), 0xFFFFFFFF, 12));
    // The whole back buffer is covered, up to its corners.
    EXPECT_TRUE(ColorNear(harness.Pixel(10, 10), kRed, 12));
    EXPECT_TRUE(ColorNear(harness.Pixel(789, 589), 0xFFFFFFFF, 12));
}

TEST(DeviceDefaultsRender, ColourKeyedTexelsVanishUnderAlphaBlending) {
    ScratchFolder folder;
    assetkit::Image image(32, 32, {255, 0, 255});
    image.FillRect(8, 8, 24, 24, {255, 255, 0});
    assetkit::WriteBmp(image, folder.File("key.bmp"));
    RenderHarness harness;
    Device& device = harness.Device();
    TextureLoadOptions keyed;
    keyed.ColorKey = 0xFFFF00FF;
    auto texture = device.CreateTextureFromFile(folder.File("key.bmp"), keyed);
    ASSERT_NE(texture, nullptr);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlue, 1.0f);
    device.SetRenderState(RS_ALPHABLENDENABLE, 1);
    device.SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    device.SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    device.SetTexture(0, texture);
    DrawQuad(device, 100, 100, 420, 420, 0.5f, 0xFFFFFFFF);
    harness.Capture("colour_key");

    EXPECT_TRUE(ColorNear(harness.Pixel(260, 260), 0xFFFFFF00));  // the yellow middle
    EXPECT_TRUE(ColorNear(harness.Pixel(110, 110), kBlue));        // keyed: the clear colour shows
    EXPECT_TRUE(ColorNear(harness.Pixel(410, 260), kBlue));
    EXPECT_TRUE(ColorNear(harness.Pixel(50, 50), kBlue));
}

TEST(DeviceDefaultsRender, BlendingIsOneZeroUntilFactorsAreSet) {
    RenderHarness harness;
    Device& device = harness.Device();
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlue, 1.0f);
    device.SetRenderState(RS_ALPHABLENDENABLE, 1);
    DrawQuad(device, 0, 0, 400, 600, 0.5f, 0x00FF0000);  // alpha 0 but ONE/ZERO: plain red
    harness.Capture();
    EXPECT_TRUE(ColorNear(harness.Pixel(200, 300), kRed));
    EXPECT_TRUE(ColorNear(harness.Pixel(600, 300), kBlue));
}

TEST(DeviceDefaultsRender, TextureStageOperationsAsTheMenuButtonsSetThem) {
    ScratchFolder folder;
    RenderHarness harness;
    Device& device = harness.Device();
    auto texture = device.CreateTextureFromFile(WriteQuarters(folder, "q.bmp"));
    ASSERT_NE(texture, nullptr);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    device.SetRenderState(RS_ALPHABLENDENABLE, 1);
    device.SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    device.SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    device.SetRenderState(RS_ZWRITEENABLE, 0);
    device.SetTexture(0, texture);

    // Translucent: the diffuse alpha modulated with the current alpha, which at stage 0 is the
    // diffuse again: (160/255) squared.
    device.SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
    device.SetTextureStageState(0, TSS_ALPHAARG1, TA_DIFFUSE);
    device.SetTextureStageState(0, TSS_ALPHAARG2, TA_CURRENT);
    DrawQuad(device, 0, 0, 400, 300, 0.5f, 0xA0FFFFFF);

    // Opaque again: alpha from the texture alone, colour = texture x diffuse.
    device.SetTextureStageState(0, TSS_ALPHAOP, TOP_SELECTARG1);
    device.SetTextureStageState(0, TSS_ALPHAARG1, TA_TEXTURE);
    DrawQuad(device, 400, 0, 800, 300, 0.5f, 0x00808080);

    // No texture: the diffuse colour.
    device.SetTexture(0, nullptr);
    DrawQuad(device, 0, 300, 400, 600, 0.5f, 0xFF00FF00);

    // Colour from the diffuse alone.
    device.SetTexture(0, texture);
    device.SetTextureStageState(0, TSS_COLOROP, TOP_SELECTARG2);
    device.SetTextureStageState(0, TSS_COLORARG2, TA_DIFFUSE);
    DrawQuad(device, 400, 300, 800, 600, 0.5f, 0xFF123456);
    harness.Capture("stage_operations");

    const float a = (160.0f / 255.0f) * (160.0f / 255.0f);
    const auto red = static_cast<uint32_t>(255.0f * a + 0.5f);
    EXPECT_TRUE(ColorNear(harness.Pixel(100, 75), 0xFF000000 | (red << 16), 3)) << std::hex << harness.Pixel(100, 75);
    EXPECT_TRUE(ColorNear(harness.Pixel(500, 75), 0xFF800000, 3)) << std::hex << harness.Pixel(500, 75);
    EXPECT_TRUE(ColorNear(harness.Pixel(200, 450), kGreen, 3));
    EXPECT_TRUE(ColorNear(harness.Pixel(600, 450), 0xFF123456, 3));
}

TEST(DeviceDefaultsRender, DepthTestIsLessOrEqualAndHonoursZEnableAndZWrites) {
    RenderHarness harness;
    Device& device = harness.Device();
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    // Column 1: an equal depth passes, a farther one fails.
    DrawQuad(device, 0, 0, 200, 600, 0.5f, kRed);
    DrawQuad(device, 0, 0, 200, 600, 0.5f, kGreen);
    DrawQuad(device, 0, 0, 200, 600, 0.7f, kBlue);
    // Column 2: with depth tests off the farther quad still covers.
    DrawQuad(device, 200, 0, 400, 600, 0.3f, kRed);
    device.SetRenderState(RS_ZENABLE, 0);
    DrawQuad(device, 200, 0, 400, 600, 0.9f, kGreen);
    device.SetRenderState(RS_ZENABLE, 1);
    // Column 3: a quad drawn without depth writes does not hide what comes after it.
    device.SetRenderState(RS_ZWRITEENABLE, 0);
    DrawQuad(device, 400, 0, 600, 600, 0.1f, kRed);
    device.SetRenderState(RS_ZWRITEENABLE, 1);
    DrawQuad(device, 400, 0, 600, 600, 0.8f, kGreen);
    harness.Capture("depth");
    EXPECT_TRUE(ColorNear(harness.Pixel(100, 300), kGreen));
    EXPECT_TRUE(ColorNear(harness.Pixel(300, 300), kGreen));
    EXPECT_TRUE(ColorNear(harness.Pixel(500, 300), kGreen));
}

TEST(DeviceDefaultsRender, CounterClockwiseTrianglesOnScreenAreCulled) {
    RenderHarness harness;
    Device& device = harness.Device();
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    device.SetVertexShader(FVF_SCREENVERTEX);
    // Clockwise as seen (y grows downwards): top-left, top-right, bottom-left.
    const ScreenVertex cw[3] = {Sv(0, 0, 0.5f, kRed), Sv(300, 0, 0.5f, kRed), Sv(0, 300, 0.5f, kRed)};
    const ScreenVertex ccw[3] = {Sv(400, 0, 0.5f, kGreen), Sv(400, 300, 0.5f, kGreen), Sv(700, 0, 0.5f, kGreen)};
    device.DrawPrimitiveUP(PT_TRIANGLELIST, 1, cw, sizeof(ScreenVertex));
    device.DrawPrimitiveUP(PT_TRIANGLELIST, 1, ccw, sizeof(ScreenVertex));
    harness.Capture("culling");
    EXPECT_TRUE(ColorNear(harness.Pixel(50, 50), kRed));
    EXPECT_TRUE(ColorNear(harness.Pixel(450, 50), 0xFF000000));

    device.SetRenderState(RS_CULLMODE, CULL_NONE);
    device.DrawPrimitiveUP(PT_TRIANGLELIST, 1, ccw, sizeof(ScreenVertex));
    device.SetRenderState(RS_CULLMODE, CULL_CW);
    const ScreenVertex cwBelow[3] = {Sv(0, 300, 0.5f, kBlue), Sv(300, 300, 0.5f, kBlue), Sv(0, 600, 0.5f, kBlue)};
    device.DrawPrimitiveUP(PT_TRIANGLELIST, 1, cwBelow, sizeof(ScreenVertex));
    harness.Capture();
    EXPECT_TRUE(ColorNear(harness.Pixel(450, 50), kGreen));
    EXPECT_TRUE(ColorNear(harness.Pixel(50, 350), 0xFF000000));
}

TEST(DeviceDefaultsRender, VertexBufferChangesReachTheNextDraw) {
    RenderHarness harness;
    Device& device = harness.Device();
    auto buffer = device.CreateVertexBuffer(4 * sizeof(ScreenVertex), FVF_SCREENVERTEX);
    ScreenVertex quad[4] = {Sv(0, 0, 0.5f, kRed), Sv(800, 0, 0.5f, kRed), Sv(0, 600, 0.5f, kRed),
                            Sv(800, 600, 0.5f, kRed)};
    buffer->SetData(0, quad, sizeof quad);
    device.SetVertexShader(FVF_SCREENVERTEX);
    device.SetStreamSource(0, buffer, sizeof(ScreenVertex));
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    device.DrawPrimitive(PT_TRIANGLESTRIP, 0, 2);
    harness.Capture();
    EXPECT_TRUE(ColorNear(harness.Pixel(400, 300), kRed));
    for (auto& v : quad) v.Diffuse = static_cast<int32_t>(kGreen);
    buffer->SetData(0, quad, sizeof quad);
    device.DrawPrimitive(PT_TRIANGLESTRIP, 0, 2);
    harness.Capture();
    EXPECT_TRUE(ColorNear(harness.Pixel(400, 300), kGreen));
    device.DrawPrimitive(PT_TRIANGLESTRIP, 3, 2);  // past the end: nothing drawn, nothing read
}

TEST(DeviceDefaultsRender, ResetResizesTheBackBufferAndRestoresDefaults) {
    RenderHarness harness;
    Device& device = harness.Device();
    device.SetRenderState(RS_LIGHTING, 0);
    PresentParameters p = harness.Parameters();
    p.BackBufferWidth = 1024;
    p.BackBufferHeight = 768;
    ASSERT_EQ(device.Reset(p), D3D_OK);
    EXPECT_EQ(device.GetRenderState(RS_LIGHTING), 1u);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    DrawQuad(device, 1000, 700, 1024, 768, 0.5f, kRed);
    EXPECT_EQ(harness.Capture().size(), 1024u * 768u);
    EXPECT_TRUE(ColorNear(harness.Pixel(1010, 750), kRed));
    device.Present();  // shows it in the window without disturbing the next frame
    p.BackBufferWidth = 0;
    EXPECT_EQ(device.Reset(p), D3DERR_INVALIDCALL);
}

TEST(DeviceDefaultsRender, MultisampledDeviceDrawsTheSamePicture) {
    RenderHarness harness(800, 600, 4);
    Device& device = harness.Device();
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    DrawQuad(device, 100, 100, 300, 300, 0.5f, kRed);
    harness.Capture("multisampled");
    EXPECT_TRUE(ColorNear(harness.Pixel(200, 200), kRed));
    EXPECT_TRUE(ColorNear(harness.Pixel(50, 50), 0xFF000000));
}

TEST(DeviceDefaultsRender, TheBackBufferHasNoAlphaSoDestinationAlphaCountsAsOne) {
    RenderHarness harness;
    Device& device = harness.Device();
    device.SetRenderState(RS_ZENABLE, 0);
    device.Clear(CLEAR_TARGET, 0x00FF0000, 1.0f);  // red, alpha 0
    device.SetRenderState(RS_ALPHABLENDENABLE, 1);
    device.SetRenderState(RS_SRCBLEND, BLEND_ONE);
    device.SetRenderState(RS_DESTBLEND, BLEND_DESTALPHA);
    device.SetTextureStageState(0, TSS_ALPHAOP, TOP_SELECTARG2);
    device.SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
    DrawQuad(device, 0, 0, 800, 600, 0.5f, 0x0000FF00);  // green, alpha 0 written nowhere
    harness.Capture("destination_alpha");
    EXPECT_TRUE(ColorNear(harness.Pixel(400, 300), 0xFFFFFF00));  // the red stays: added, not replaced
}

TEST(DeviceDefaultsRender, NoPictureWiderThanTheLargestTextureIsLoaded) {
    ScratchFolder folder;
    RenderHarness harness;
    GLint cardLimit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &cardLimit);
    const int largest = std::min<int>(cardLimit, platform::kLargestTextureSide);
    assetkit::WriteBmp(assetkit::Image(largest, 1), folder.File("widest.bmp"));
    assetkit::WriteBmp(assetkit::Image(largest + 1, 1), folder.File("wider.bmp"));
    EXPECT_TRUE(harness.Device().CreateTextureFromFile(folder.File("widest.bmp")));
    EXPECT_FALSE(harness.Device().CreateTextureFromFile(folder.File("wider.bmp")));
}
