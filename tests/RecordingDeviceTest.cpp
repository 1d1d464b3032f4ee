#include <gtest/gtest.h>

#include "platform/recording/FakeDirect3D.h"
#include "platform/recording/RecordingDevice.h"
#include "platform/Window.h"
#include "tests/support/play/FakeWindow.h"
#include "tests/support/files/ScratchFolder.h"
#include "tools/assets/kit/Image.h"

using namespace d3d;

TEST(RecordingDevice, StartsWithTheOriginalDefaults) {
    RecordingDevice device;
    EXPECT_EQ(device.GetRenderState(RS_ZENABLE), 1u);
    EXPECT_EQ(device.GetRenderState(RS_ZWRITEENABLE), 1u);
    EXPECT_EQ(device.GetRenderState(RS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(device.GetRenderState(RS_SRCBLEND), BLEND_ONE);
    EXPECT_EQ(device.GetRenderState(RS_DESTBLEND), BLEND_ZERO);
    EXPECT_EQ(device.GetRenderState(RS_CULLMODE), CULL_CCW);
    EXPECT_EQ(device.GetRenderState(RS_ZFUNC), CMP_LESSEQUAL);
    EXPECT_EQ(device.GetRenderState(RS_LIGHTING), 1u);
    EXPECT_EQ(BitsFloat(device.GetRenderState(RS_POINTSCALE_A)), 1.0f);
    EXPECT_EQ(device.GetTextureStageState(0, TSS_COLOROP), TOP_MODULATE);
    EXPECT_EQ(device.GetTextureStageState(0, TSS_ALPHAOP), TOP_SELECTARG1);
    EXPECT_EQ(device.GetTextureStageState(0, TSS_ALPHAARG1), TA_TEXTURE);
    EXPECT_EQ(device.GetTextureStageState(1, TSS_COLOROP), TOP_DISABLE);
    EXPECT_EQ(device.GetTransform(TS_WORLD).m11, 1.0f);
    EXPECT_EQ(device.BackBufferWidth(), 800);
}

TEST(RecordingDevice, RecordsCallsInOrderAndKeepsState) {
    RecordingDevice device;
    device.SetRenderState(RS_LIGHTING, 0);
    device.SetTextureStageState(0, TSS_MAGFILTER, TEXF_LINEAR);
    device.SetRenderState(RS_ZENABLE, 1);
    ASSERT_EQ(device.Calls().size(), 3u);
    EXPECT_EQ(device.Calls()[1].Kind, CallKind::SetTextureStageState);
    EXPECT_EQ(device.Calls()[1].State, TSS_MAGFILTER);
    const auto writes = device.RenderStateWrites();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], std::make_pair(RS_LIGHTING, 0u));
    EXPECT_EQ(writes[1], std::make_pair(RS_ZENABLE, 1u));
    device.ClearRecording();
    EXPECT_TRUE(device.Calls().empty());
    EXPECT_EQ(device.GetRenderState(RS_LIGHTING), 0u);
}

TEST(RecordingDevice, DrawsCopyTheVerticesTheyReadWithTheStateOfTheMoment) {
    RecordingDevice device;
    auto buffer = device.CreateVertexBuffer(6 * sizeof(LitVertex), FVF_LITVERTEX);
    LitVertex v[6]{};
    for (int i = 0; i < 6; ++i) v[i].X = static_cast<float>(i);
    buffer->SetData(0, v, sizeof v);
    device.SetVertexShader(FVF_LITVERTEX);
    device.SetStreamSource(0, buffer, sizeof(LitVertex));
    device.SetRenderState(RS_ZWRITEENABLE, 0);
    device.DrawPrimitive(PT_TRIANGLELIST, 3, 1);
    device.SetRenderState(RS_ZWRITEENABLE, 1);
    v[0].X = 42;  // later changes do not reach the recording
    buffer->SetData(0, v, sizeof v);

    ASSERT_EQ(device.DrawCalls().size(), 1u);
    const DrawCall& draw = device.DrawCalls()[0];
    EXPECT_EQ(draw.Fvf, FVF_LITVERTEX);
    EXPECT_EQ(draw.RenderState(RS_ZWRITEENABLE), 0u);
    const auto verts = draw.VerticesAs<LitVertex>();
    ASSERT_EQ(verts.size(), 3u);
    EXPECT_EQ(verts[0].X, 3.0f);
    EXPECT_EQ(verts[2].X, 5.0f);
    EXPECT_EQ(device.Calls().back().Kind, CallKind::SetRenderState);
}

TEST(RecordingDevice, DrawPastTheBufferEndReadsOnlyWhatExists) {
    RecordingDevice device;
    auto buffer = device.CreateVertexBuffer(4 * sizeof(ScreenVertex), FVF_SCREENVERTEX);
    device.SetStreamSource(0, buffer, sizeof(ScreenVertex));
    device.DrawPrimitive(PT_TRIANGLESTRIP, 2, 2);
    EXPECT_EQ(device.DrawCalls()[0].VertexCount(), 2u);
}

TEST(RecordingDevice, MemoryDrawsAndTextures) {
    ScratchFolder folder;
    assetkit::WriteBmp(assetkit::Image(8, 4), folder.File("pic.bmp"));
    RecordingDevice device;
    EXPECT_EQ(device.CreateTextureFromFile(folder.File("missing.bmp")), nullptr);
    TextureLoadOptions keyed;
    keyed.ColorKey = 0xFFFF00FF;
    auto texture = device.CreateTextureFromFile(folder.File("pic.bmp"), keyed);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 8);
    EXPECT_EQ(texture->Height(), 4);
    EXPECT_EQ(std::dynamic_pointer_cast<FakeTexture>(texture)->Options.ColorKey, 0xFFFF00FFu);

    device.SetTexture(0, texture);
    ScreenVertex quad[4]{};
    quad[3].Tu = 1;
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
    const DrawCall& draw = device.DrawCalls().at(0);
    EXPECT_TRUE(draw.FromMemory);
    EXPECT_EQ(draw.TexturePath(), folder.File("pic.bmp"));
    EXPECT_EQ(draw.VerticesAs<ScreenVertex>().at(3).Tu, 1.0f);
    EXPECT_TRUE(draw.VerticesAs<LitVertex>().empty());  // wrong record size
}

TEST(RecordingDevice, FontsRecordTheirTextEvenAfterTheDeviceIsGone) {
    FontPtr font;
    {
        RecordingDevice device;
        font = device.CreateFont({"Ariel", 18, true});
        font->DrawText("Stars 0 / of 3", {1, 550, 800, 600}, DT_CENTER, 0xFFCCCCFF);
        font->OnLostDevice();
        ASSERT_EQ(device.TextDraws().size(), 1u);
        EXPECT_EQ(device.TextDraws()[0].Font.Face, "Ariel");
        EXPECT_EQ(device.TextDraws()[0].Rect.Top, 550);
        EXPECT_EQ(device.CountOf(CallKind::FontLostDevice), 1u);
    }
    font->DrawText("late", {}, 0, 0);  // no crash
}

TEST(RecordingDevice, ResetAndCooperativeLevelFailures) {
    RecordingDevice device;
    PresentParameters p = RecordingDevice::DefaultParameters();
    p.BackBufferWidth = 1024;
    p.BackBufferHeight = 768;
    EXPECT_EQ(device.Reset(p), D3D_OK);
    EXPECT_EQ(device.BackBufferWidth(), 1024);
    p.BackBufferWidth = 0;
    EXPECT_EQ(device.Reset(p), D3DERR_INVALIDCALL);
    EXPECT_EQ(device.BackBufferWidth(), 1024);
    device.SetCooperativeLevelResult(D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device.TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
}

TEST(FakeDirect3D, ReportsConfiguredAdapterAndFailures) {
    platform::ManualClock clock;
    FakeWindow window(clock);
    FakeAdapter adapter;
    adapter.HasHal = false;
    adapter.MultiSamples = {4};
    FakeDirect3D d3d(adapter);
    Caps caps;
    EXPECT_EQ(d3d.GetDeviceCaps(DEVTYPE_HAL, caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d.CheckDeviceMultiSampleType(DEVTYPE_HAL, FMT_R5G6B5, false, 2), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d.CheckDeviceMultiSampleType(DEVTYPE_HAL, FMT_R5G6B5, false, 4), D3D_OK);
    d3d.Adapter().HasHal = true;
    d3d.Adapter().HasTransformAndLight = false;
    EXPECT_EQ(d3d.GetDeviceCaps(DEVTYPE_HAL, caps), D3D_OK);
    EXPECT_EQ(caps.DevCaps & DEVCAPS_HWTRANSFORMANDLIGHT, 0u);

    std::unique_ptr<Device> device;
    PresentParameters p;
    EXPECT_EQ(d3d.CreateDevice(DEVTYPE_HAL, window, 0x20, p, device), D3DERR_INVALIDCALL);  // 0 x 0
    p = RecordingDevice::DefaultParameters();
    EXPECT_EQ(d3d.CreateDevice(DEVTYPE_HAL, window, 0x20, p, device), D3D_OK);
    EXPECT_EQ(d3d.LastDevice(), device.get());
    EXPECT_EQ(d3d.LastBehaviour(), 0x20u);
    d3d.Adapter().CreateDeviceResult = D3DERR_NOTAVAILABLE;
    EXPECT_EQ(d3d.CreateDevice(DEVTYPE_HAL, window, 0x20, p, device), D3DERR_NOTAVAILABLE);
}
