// The real game on a bare X server, without a window manager (as in a kiosk set-up): the
// full-screen request is not carried out and the window stays 800 x 600 in the middle of a
// larger desktop. The whole picture must show in the window, letterboxed to the window's real
// size, and a click where a button is drawn must hit that button; the same after the window
// was resized. Checked against what the X server itself shows. And the first menu under a
// pointer that rested while the window was moved and resized, as a window manager does; the
// first picture under a window manager that makes the window full screen only a while after it
// shows; and a window larger than the screen.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "shared/BinaryFile.h"
#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/frmGame.h"
#include "platform/Keyboard.h"
#include "platform/gl/GlDevice.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/gl/Letterbox.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/X11Of.h"
#include "tests/render/RenderHarness.h"
#include "tests/support/files/GameFolder.h"
#include "tests/support/xserver/XPlayerInput.h"
#include "tools/replay/HookedWindow.h"
#include "ui/GUI.h"

namespace {

struct Picture {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Argb;  // rows top to bottom
    uint32_t At(int x, int y) const { return Argb[static_cast<size_t>(y) * Width + x]; }
};

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

// The game's window with a script's hooks run right after it is first shown and right after
// its first frame, and the size of the last frame it showed.
class ShownWindow : public replay::HookedWindow {
public:
    using HookedWindow::HookedWindow;
    std::function<void()> onShow, onFirstFrame;
    int shownWidth = 0, shownHeight = 0;
    void Show() override {
        HookedWindow::Show();
        if (onShow) onShow();
    }
    void SwapBuffers() override {
        DrawableSize(shownWidth, shownHeight);
        HookedWindow::SwapBuffers();
        if (swaps == 1 && onFirstFrame) onFirstFrame();
    }
};

// A window manager that carries out a request to make a window full screen only a while after
// it came, as one on a busy machine does; it does nothing else (its windows have no frames).
class SlowFullScreenManager {
public:
    explicit SlowFullScreenManager(std::chrono::milliseconds delay) : delay_(delay) {
        x_ = XOpenDisplay(nullptr);
        const Window root = DefaultRootWindow(x_);
        check_ = XCreateSimpleWindow(x_, root, -1, -1, 1, 1, 0, 0, 0);
        for (Window w : {root, check_})
            XChangeProperty(x_, w, Named("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(&check_), 1);
        Atom supported[] = {Named("_NET_SUPPORTING_WM_CHECK"), Named("_NET_WM_STATE"), Named("_NET_WM_STATE_FULLSCREEN")};
        XChangeProperty(x_, root, Named("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(supported), 3);
        XSelectInput(x_, root, SubstructureNotifyMask);  // where requests to a window manager go
        XSync(x_, False);
        thread_ = std::thread([this] { Manage(); });
    }
    ~SlowFullScreenManager() {
        stop_ = true;
        thread_.join();
        for (const char* name : {"_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED"})
            XDeleteProperty(x_, DefaultRootWindow(x_), Named(name));
        XCloseDisplay(x_);
    }

private:
    Atom Named(const char* name) { return XInternAtom(x_, name, False); }
    void Manage() {
        Window asking = 0;
        std::chrono::steady_clock::time_point due;
        while (!stop_) {
            while (XPending(x_)) {
                XEvent e;
                XNextEvent(x_, &e);
                if (e.type == ClientMessage && e.xclient.message_type == Named("_NET_WM_STATE") &&
                    e.xclient.data.l[0] == 1 && static_cast<Atom>(e.xclient.data.l[1]) == Named("_NET_WM_STATE_FULLSCREEN")) {
                    asking = e.xclient.window;
                    due = std::chrono::steady_clock::now() + delay_;
                }
            }
            if (asking && std::chrono::steady_clock::now() >= due) {
                XMoveResizeWindow(x_, asking, 0, 0, DisplayWidth(x_, DefaultScreen(x_)),
                                  DisplayHeight(x_, DefaultScreen(x_)));
                XSync(x_, False);
                asking = 0;
            }
            pollfd connection{ConnectionNumber(x_), POLLIN, 0};
            poll(&connection, 1, 10);
        }
    }

    std::chrono::milliseconds delay_;
    Display* x_ = nullptr;
    Window check_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

class WindowFit : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY") || !(x_ = XOpenDisplay(nullptr))) GTEST_SKIP() << "no X server";
    }
    void TearDown() override {
        gDX = nullptr;
        if (x_) XCloseDisplay(x_);
    }

    // Starts the game in a video mode and runs the script to its end, a step at a pump of the
    // game's loop: a step begins once the frame on screen shows what the step before it did.
    void Run(int32_t videoMode) {
        uint8_t options[12];
        BinaryFile::PutInt32(options, 0);          // music off
        BinaryFile::PutInt32(options + 4, -2000);  // effects off
        BinaryFile::PutInt32(options + 8, videoMode);
        game.Write("options.dat", std::vector<uint8_t>(options, options + sizeof options));

        std::string error;
        auto sdlWindow = platform::SdlWindow::Create({}, &error);  // full screen, as the game asks
        ASSERT_TRUE(sdlWindow) << error;
        ShownWindow window(*sdlWindow);
        window.onShow = onShow;
        window.onFirstFrame = onFirstFrame;
        shown_ = &window;
        size_t next = 0;
        const auto start = std::chrono::steady_clock::now();
        window.onPump = [&] {
            if (next < steps.size() && frmGame::FrameWouldLookTheSame() && steps[next]()) ++next;
            const bool stuck = std::chrono::steady_clock::now() - start > std::chrono::seconds(30);
            if (next == steps.size() || stuck) frmGame::Form_Unload();
        };
        gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };
        frmGame::Form_Load(window);
        EXPECT_EQ(next, steps.size()) << "the script stopped at step " << next;
        shown_ = nullptr;
    }

    // The game's window as the X server has it: a child of the root, since nothing reparents it.
    Window GameWindow() {
        Window root = 0, parent = 0, *children = nullptr, found = 0;
        unsigned int count = 0;
        XQueryTree(x_, DefaultRootWindow(x_), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count && !found; ++i) {
            char* name = nullptr;
            if (XFetchName(x_, children[i], &name) && name && std::string(name) == "Velorune") found = children[i];
            if (name) XFree(name);
        }
        if (children) XFree(children);
        return found;
    }
    XWindowAttributes Geometry(Window w) {
        XWindowAttributes a{};
        XGetWindowAttributes(x_, w, &a);
        return a;
    }
    Picture Shown(Window w) {
        const XWindowAttributes a = Geometry(w);
        Picture p{a.width, a.height, {}};
        XImage* image = XGetImage(x_, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height),
                                  AllPlanes, ZPixmap);
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) p.Argb.push_back(0xFF000000u | (XGetPixel(image, x, y) & 0xFFFFFFu));
        XDestroyImage(image);
        return p;
    }
    static Picture BackBuffer() {
        auto* device = dynamic_cast<d3d::GlDevice*>(gD3DDevice);
        Picture p{device->BackBufferWidth(), device->BackBufferHeight(), {}};
        device->ReadPixels(p.Argb);
        return p;
    }

    // Steps of the script.
    void Do(std::function<void()> action) {
        steps.push_back([action] {
            action();
            return true;
        });
    }
    void WaitFor(int16_t state) {
        steps.push_back([state] { return gGameState == state; });
    }
    // The game and the X server have caught up with each other: the game has shown a frame
    // of the window's size as the server has it and has taken every event the server had for
    // it (a round trip on the game's connection reads them in, the next pump takes them), and
    // the server has what the game drew (the same round trip).
    void Settle() {
        for (int i = 0; i < 2; ++i)
            steps.push_back([this] {
                const XWindowAttributes a = Geometry(GameWindow());
                if (a.width != shown_->shownWidth || a.height != shown_->shownHeight) return false;
                SyncGame();
                return true;
            });
    }
    // A round trip on the game's connection: the server has what the game sent, and the game
    // has read the events the server had for it.
    static void SyncGame() {
        SDL_SysWMinfo game;
        if (platform::X11Of(SDL_GL_GetCurrentWindow(), game)) XSync(game.info.x11.display, False);
    }
    // The window shows the whole back buffer, scaled into its letterbox, with black bars.
    void ExpectWholePicture(const std::string& name) {
        Do([this, name] { ExpectShowsWholePicture(name); });
    }
    // Now: the window shows the whole back buffer, scaled into its letterbox, with black bars.
    void ExpectShowsWholePicture(const std::string& name) {
        const Window w = GameWindow();
        ASSERT_NE(w, 0u);
        const Picture shown = Shown(w), picture = BackBuffer();
        SavePng(ArtifactsFolder() + "/" + name + ".png", shown.Width, shown.Height, shown.Argb);
        const platform::PixelRect box = platform::Letterbox(shown.Width, shown.Height, picture.Width, picture.Height);
        double difference = 0;
        for (int y = 0; y < shown.Height; ++y)
            for (int x = 0; x < shown.Width; ++x) {
                uint32_t expected = 0xFF000000u;
                if (x >= box.X && x < box.X + box.Width && y >= box.Y && y < box.Y + box.Height)
                    expected = picture.At((x - box.X) * picture.Width / box.Width,
                                          (y - box.Y) * picture.Height / box.Height);
                for (int shift : {0, 8, 16})
                    difference += std::abs(Channel(shown.At(x, y), shift) - Channel(expected, shift));
            }
        EXPECT_LT(difference / (3.0 * shown.Width * shown.Height), 6.0)
            << name << ": the window shows " << shown.Width << " x " << shown.Height;
    }
    // Moves the real pointer onto the middle of a button as the window shows it, and clicks.
    void ClickOnDrawn(int32_t button) {
        Do([this, button] {
            xinput::ClickOnDrawn(x_, GameWindow(), gButtons[button], static_cast<int>(gScreenWidthF),
                                  static_cast<int>(gScreenHeightF));
        });
    }
    void Resize(unsigned width, unsigned height) {
        Do([this, width, height] {
            XResizeWindow(x_, GameWindow(), width, height);
            XSync(x_, False);
        });
    }

    void SmallerThanTheDesktopThenResized(int32_t videoMode) {
        const std::string mode = std::to_string(videoMode);
        WaitFor(STATE_MAINMENU);
        Settle();
        Do([this] {
            const XWindowAttributes root = Geometry(DefaultRootWindow(x_)), game = Geometry(GameWindow());
            EXPECT_LT(game.width, root.width) << "the test needs a window smaller than the desktop";
        });
        ExpectWholePicture("desktop_main_menu_mode" + mode);
        ClickOnDrawn(20);  // Options
        WaitFor(STATE_OPTIONS);
        Resize(640, 360);  // wider than the picture: bars left and right
        Settle();
        ExpectWholePicture("desktop_options_resized_mode" + mode);
        ClickOnDrawn(14);  // back
        WaitFor(STATE_MAINMENU);
        Settle();
        ExpectWholePicture("desktop_main_menu_resized_mode" + mode);
        Run(videoMode);
    }

    Display* x_ = nullptr;
    GameFolder game;
    std::vector<std::function<bool()>> steps;
    std::function<void()> onShow, onFirstFrame;
    ShownWindow* shown_ = nullptr;  // while the script runs
};

TEST_F(WindowFit, At800x600TheWholeMenuShowsAndClicksHitTheDrawnButtons) { SmallerThanTheDesktopThenResized(1); }

TEST_F(WindowFit, At1024x768TheWholeMenuShowsScaledAndClicksHitTheDrawnButtons) {
    SmallerThanTheDesktopThenResized(2);
}

}  // namespace

// Growing at its first place, the window comes over the resting pointer, and the server tells
// of the pointer there; then the window moves to the corner, away from under it.
TEST_F(WindowFit, APointerThatRestedWhileTheWindowWasPlacedFocusesNothingAndEnterStartsPlay) {
    XWarpPointer(x_, 0, DefaultRootWindow(x_), 0, 0, 0, 0, 600, 730);  // below the menu, once in place
    XSync(x_, False);
    onShow = [this] {
        const Window w = GameWindow();
        XResizeWindow(x_, w, 1024, 768);
        XSync(x_, False);
        XMoveWindow(x_, w, 0, 0);
        XSync(x_, False);
    };
    WaitFor(STATE_MAINMENU);
    Settle();
    Do([] {
        EXPECT_EQ(gTabIndex, 1);
        EXPECT_TRUE(gButtons[19].MouseOver()) << "Play";
        EXPECT_FALSE(gButtons[23].MouseOver()) << "Quit";
        dinput::SystemKeyboard().SetKey(dinput::DIK_RETURN, true);
    });
    // Enter chooses Play, which leads to the zone menu, and the game still runs.
    steps.push_back([] { return gGameState != STATE_MAINMENU; });
    Do([] {
        EXPECT_TRUE(gRunning);
        EXPECT_NE(gGameState, STATE_LEAVING);
        dinput::SystemKeyboard().SetKey(dinput::DIK_RETURN, false);
    });
    Run(1);  // had Enter quit the game, the script would stop short
}

// The window manager makes the window full screen only after the game could have drawn its
// first picture at the size the window was made with: that first picture, the loading one,
// which a box at start-up would stand over, shows whole at the full-screen size.
TEST_F(WindowFit, UnderASlowWindowManagerTheFirstPictureShowsWholeAtTheFullScreenSize) {
    const SlowFullScreenManager manager(std::chrono::milliseconds(300));
    bool seen = false;
    onFirstFrame = [&] {
        SyncGame();
        const XWindowAttributes root = Geometry(DefaultRootWindow(x_)), shown = Geometry(GameWindow());
        EXPECT_EQ(shown.width, root.width);
        EXPECT_EQ(shown.height, root.height);
        EXPECT_EQ(gGameState, STATE_LOADING);
        ExpectShowsWholePicture("desktop_first_picture_full_screen");
        seen = true;
    };
    Run(1);
    EXPECT_TRUE(seen);
}

// Without a window manager to fit it, a window larger than the screen would stand centred over
// the screen's edges.
TEST_F(WindowFit, AWindowLargerThanTheScreenIsMadeToFitIt) {
    const XWindowAttributes root = Geometry(DefaultRootWindow(x_));
    platform::SdlWindowOptions options;
    options.Width = root.width + 160;
    options.Height = root.height + 120;
    std::string error;
    auto window = platform::SdlWindow::Create(options, &error);
    ASSERT_TRUE(window) << error;
    window->Show();
    const XWindowAttributes shown = Geometry(GameWindow());
    EXPECT_GE(shown.x, 0);
    EXPECT_GE(shown.y, 0);
    EXPECT_LE(shown.x + shown.width, root.width);
    EXPECT_LE(shown.y + shown.height, root.height);
}
