// The editor's device on the viewport: multisampling, presentation, render states, the
// camera, and the messages when the device cannot be made.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <set>

#include "editor/DirectX.h"
#include "editor/frmMain.h"
#include "platform/D3DXMath.h"
#include "tests/editor/support/EditorTestBed.h"

namespace {

d3d::FakeAdapter WithSamples(std::set<uint32_t> samples) {
    d3d::FakeAdapter adapter;
    adapter.MultiSamples = std::move(samples);
    return adapter;
}

bool SameMatrix(const d3d::Matrix& a, const d3d::Matrix& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(EditorDevice, TakesTwoSamplesThenFourButNeverFourAlone) {
    const std::vector<std::pair<std::set<uint32_t>, uint32_t>> cases = {
        {{2}, 2}, {{2, 4}, 4}, {{2, 4, 6}, 4}, {{4}, 0}, {{}, 0}};
    for (const auto& [offered, taken] : cases) {
        EditorTestBed bed(WithSamples(offered));
        ASSERT_TRUE(DirectX::InitD3D(bed.viewport));
        EXPECT_EQ(bed.Device().Parameters().MultiSampleType, taken);
        EXPECT_EQ(gMultisampleOn, taken != 0);
        const auto writes = bed.Device().RenderStateWrites();
        const bool antialiasing =
            std::find(writes.begin(), writes.end(), std::pair(d3d::RS_MULTISAMPLEANTIALIAS, 1u)) != writes.end();
        EXPECT_EQ(antialiasing, taken != 0) << taken;
    }
}

TEST(EditorDevice, IsAWindowedSoftwareProcessedDeviceOfTheViewportsSize) {
    EditorTestBed bed;
    frmMain.viewport = {.ScaleWidth = 640, .ScaleHeight = 401};
    ASSERT_TRUE(DirectX::InitD3D(bed.viewport));
    const d3d::PresentParameters& params = bed.Device().Parameters();
    EXPECT_EQ(params.BackBufferWidth, 640u);
    EXPECT_EQ(params.BackBufferHeight, 401u);
    EXPECT_EQ(params.BackBufferFormat, static_cast<uint32_t>(bed.adapter.Mode.Format));
    EXPECT_EQ(params.BackBufferCount, 0u);
    EXPECT_EQ(params.SwapEffect, 1u);
    EXPECT_EQ(params.Windowed, 1u);
    EXPECT_EQ(params.EnableAutoDepthStencil, 1u);
    EXPECT_EQ(params.AutoDepthStencilFormat, 80u);
    EXPECT_EQ(bed.root->LastBehaviour(), 32u);
}

TEST(EditorDevice, SetsItsRenderStatesInOrderWithoutAlphaBlending) {
    EditorTestBed bed(WithSamples({2}));
    ASSERT_TRUE(DirectX::InitD3D(bed.viewport));
    using State = std::pair<d3d::RenderState, uint32_t>;
    EXPECT_EQ(bed.Device().RenderStateWrites(),
              (std::vector<State>{{d3d::RS_LIGHTING, 0},
                                  {d3d::RS_MULTISAMPLEANTIALIAS, 1},
                                  {d3d::RS_ZENABLE, 1},
                                  {d3d::RS_POINTSPRITEENABLE, 1},
                                  {d3d::RS_POINTSCALEENABLE, 1},
                                  {d3d::RS_POINTSIZE, std::bit_cast<uint32_t>(0.03f)}}));
    EXPECT_EQ(bed.Device().State().Stage[0][d3d::TSS_MAGFILTER], d3d::TEXF_LINEAR);
    EXPECT_EQ(bed.Device().State().Stage[0][d3d::TSS_MINFILTER], d3d::TEXF_LINEAR);
}

TEST(EditorDevice, StartsWithTheCameraAtItsResetAndTheFixedProjection) {
    EditorTestBed bed;
    ASSERT_TRUE(DirectX::InitD3D(bed.viewport));
    EXPECT_EQ(gCameraEye.Y, 25.0f);
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    EXPECT_EQ(gCameraLookAt.Y, 8.0f);
    EXPECT_EQ(gCameraLookAt.Z, 0.0f);
    const d3d::DeviceState& state = bed.Device().State();
    EXPECT_TRUE(SameMatrix(state.View, d3dx::MatrixLookAtLH({0, 25, -18}, {0, 8, 0}, {0, 1, 0})));
    EXPECT_TRUE(SameMatrix(state.Projection, d3dx::MatrixPerspectiveFovLH(3.1415927f / 4, 1.0f, 1.0f, 500.0f)));
    EXPECT_TRUE(SameMatrix(state.World, d3dx::MatrixIdentity()));
}

TEST(EditorDevice, OnlyAnAdapterWithoutHardwareSaysThereIsNoCard) {
    d3d::FakeAdapter noHal;
    noHal.HasHal = false;
    EditorTestBed without(noHal);
    EXPECT_FALSE(DirectX::InitD3D(without.viewport));
    EXPECT_EQ(without.messages, std::vector<std::string>{"Error, no 3D card detected"});
    EXPECT_EQ(without.messageTitles, std::vector<std::string>{"Velorune Level Editor"});
    EXPECT_EQ(without.root->CreateDeviceCalls(), 0);

    d3d::FakeAdapter otherFailure;
    otherFailure.CapsResult = d3d::D3DERR_INVALIDCALL;
    EditorTestBed other(otherFailure);
    EXPECT_TRUE(DirectX::InitD3D(other.viewport));
    EXPECT_TRUE(other.messages.empty());
}

TEST(EditorDevice, AnyOtherFailureIsAnErrorCommunicatingWithTheDevice) {
    d3d::FakeAdapter refusing;
    refusing.CreateDeviceResult = d3d::D3DERR_NOTAVAILABLE;
    d3d::FakeAdapter noMode;
    noMode.DisplayModeResult = d3d::D3DERR_NOTAVAILABLE;
    for (const d3d::FakeAdapter& adapter : {refusing, noMode}) {
        EditorTestBed bed(adapter);
        EXPECT_FALSE(DirectX::InitD3D(bed.viewport));
        EXPECT_EQ(bed.messages, std::vector<std::string>{"Error when communicating with DirectX"});
        EXPECT_EQ(gD3DDevice, nullptr);
    }
    EditorTestBed noSize;
    frmMain.viewport = {.ScaleWidth = 0, .ScaleHeight = 0};  // a device of no size cannot be made
    EXPECT_FALSE(DirectX::InitD3D(noSize.viewport));
    EXPECT_EQ(noSize.messages, std::vector<std::string>{"Error when communicating with DirectX"});
}

TEST(EditorDevice, ReleasingTwiceIsHarmless) {
    EditorTestBed bed;
    ASSERT_TRUE(DirectX::InitD3D(bed.viewport));
    DirectX::ShutdownD3D();
    DirectX::ShutdownD3D();
    EXPECT_EQ(gD3DDevice, nullptr);
    EXPECT_EQ(gD3D, nullptr);
    DirectX::SetupMatrices();  // a late camera move after the release only computes
    EXPECT_TRUE(SameMatrix(gMatProj, d3dx::MatrixPerspectiveFovLH(3.1415927f / 4, 1.0f, 1.0f, 500.0f)));
}
