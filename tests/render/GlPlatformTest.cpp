// The OpenGL root object and the SDL window, on a headless GL context.
#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/support/play/FakeWindow.h"

#include "RenderHarness.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/Keyboard.h"

using namespace d3d;

namespace {

SDL_Event MouseButton(uint32_t type, int x, int y, uint8_t button) {
    SDL_Event e{};
    e.type = type;
    e.button.x = x;
    e.button.y = y;
    e.button.button = button;
    return e;
}

SDL_Event Motion(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event Key(uint32_t type, SDL_Scancode code, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = code;
    e.key.repeat = repeat ? 1 : 0;
    return e;
}

}  // namespace

TEST(GlDirect3D, DescribesTheRendererAndCreatesDevicesOnGlWindows) {
    RenderHarness harness;  // makes the window and its current context
    GlDirect3D d3d;
    AdapterIdentifier id;
    ASSERT_EQ(d3d.GetAdapterIdentifier(id), D3D_OK);
    EXPECT_NE(std::string(id.Description).find("llvmpipe"), std::string::npos) << id.Description;
    Caps caps;
    ASSERT_EQ(d3d.GetDeviceCaps(DEVTYPE_HAL, caps), D3D_OK);
    EXPECT_NE(caps.DevCaps & DEVCAPS_HWTRANSFORMANDLIGHT, 0u);
    DisplayMode mode;
    EXPECT_EQ(d3d.GetAdapterDisplayMode(mode), D3D_OK);
    EXPECT_GT(mode.Width, 0);
    // Multisampling on the software renderer would cost more than a frame's budget.
    EXPECT_EQ(d3d.CheckDeviceMultiSampleType(DEVTYPE_HAL, FMT_R5G6B5, false, 2), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d.CheckDeviceMultiSampleType(DEVTYPE_HAL, FMT_R5G6B5, false, 64), D3DERR_NOTAVAILABLE);

    std::unique_ptr<Device> device;
    PresentParameters params = harness.Parameters();
    EXPECT_EQ(d3d.CreateDevice(DEVTYPE_HAL, harness.Window(), 0x20, params, device), D3D_OK);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->BackBufferWidth(), 800);
    platform::ManualClock clock;
    FakeWindow notGl(clock);
    EXPECT_EQ(d3d.CreateDevice(DEVTYPE_HAL, notGl, 0x20, params, device), D3DERR_INVALIDCALL);
    params.BackBufferWidth = params.BackBufferHeight = 0;  // what an unset video mode asks for
    EXPECT_EQ(d3d.CreateDevice(DEVTYPE_HAL, harness.Window(), 0x20, params, device), D3DERR_INVALIDCALL);
}

TEST(SdlWindow, MouseEventsArriveInBackBufferPixels) {
    RenderHarness harness(800, 600);
    auto& window = harness.Window();
    PresentParameters params = harness.Parameters();
    params.BackBufferWidth = 1024;  // the window stays 800 x 600: positions scale up
    params.BackBufferHeight = 768;
    ASSERT_EQ(harness.Device().Reset(params), D3D_OK);
    int button = 0;
    float x = 0, y = 0;
    bool up = false;
    window.Events().MouseDown = [&](int b, int, float px, float py) { button = b, x = px, y = py; };
    window.Events().MouseUp = [&](int, int, float, float) { up = true; };
    window.Dispatch(MouseButton(SDL_MOUSEBUTTONDOWN, 400, 300, SDL_BUTTON_LEFT));
    EXPECT_EQ(button, 1);
    EXPECT_FLOAT_EQ(x, 512);
    EXPECT_FLOAT_EQ(y, 384);
    window.Dispatch(MouseButton(SDL_MOUSEBUTTONDOWN, 0, 0, SDL_BUTTON_RIGHT));
    EXPECT_EQ(button, 2);
    EXPECT_FLOAT_EQ(x, 0);
    window.Dispatch(MouseButton(SDL_MOUSEBUTTONUP, 0, 0, SDL_BUTTON_RIGHT));
    EXPECT_TRUE(up);

    // The moves of a pass reach the handler once, where the last one went, and before a click
    // that follows them.
    int moves = 0;
    window.Events().MouseMove = [&](int, int, float px, float py) { ++moves, x = px, y = py; };
    window.Dispatch(Motion(100, 100));
    window.Dispatch(Motion(400, 300));
    window.ProcessMessages();
    EXPECT_EQ(moves, 1);
    EXPECT_FLOAT_EQ(x, 512);
    int movesBeforeClick = 0;
    window.Events().MouseDown = [&](int, int, float, float) { movesBeforeClick = moves; };
    window.Dispatch(Motion(0, 0));
    window.Dispatch(MouseButton(SDL_MOUSEBUTTONDOWN, 0, 0, SDL_BUTTON_LEFT));
    EXPECT_EQ(movesBeforeClick, 2);
    window.ProcessMessages();
    EXPECT_EQ(moves, 2);
}

// Shown, exposed and resized at once, as a window appears: one paint shows the picture.
TEST(SdlWindow, PaintRequestsPendingTogetherPaintOnce) {
    RenderHarness harness;
    auto& window = harness.Window();
    window.ProcessMessages();
    int paints = 0;
    window.Events().Paint = [&] { ++paints; };
    for (const auto what : {SDL_WINDOWEVENT_SHOWN, SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED}) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = static_cast<Uint8>(what);
        SDL_PushEvent(&event);
    }
    window.ProcessMessages();
    EXPECT_EQ(paints, 1);
    window.ProcessMessages();
    EXPECT_EQ(paints, 1);
}

TEST(SdlWindow, KeysReachTheKeyboardAndCloseEndsThroughTheQueue) {
    RenderHarness harness;
    auto& window = harness.Window();
    dinput::Keyboard keyboard;
    keyboard.Acquire();
    window.SetKeyboard(&keyboard);
    window.Dispatch(Key(SDL_KEYDOWN, SDL_SCANCODE_UP));
    window.Dispatch(Key(SDL_KEYDOWN, SDL_SCANCODE_UP, true));  // auto-repeat adds nothing
    EXPECT_TRUE(keyboard.IsDown(dinput::DIK_UP));
    std::array<dinput::DeviceObjectData, 11> events{};
    int count = 0;
    keyboard.GetDeviceData(events, count);
    EXPECT_EQ(count, 1);
    window.Dispatch(Key(SDL_KEYUP, SDL_SCANCODE_UP));
    EXPECT_FALSE(keyboard.IsDown(dinput::DIK_UP));

    bool closed = false;
    window.Events().Close = [&] { closed = true; };
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    window.WaitForMessages(1000);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(window.HasFocus());  // nobody can take the focus from a headless window

    const uint32_t start = SDL_GetTicks();
    window.WaitForMessages(30);  // nothing pending: returns after the timeout, not at once and not never
    EXPECT_GE(SDL_GetTicks() - start, 25u);
    EXPECT_LT(SDL_GetTicks() - start, 500u);
}
