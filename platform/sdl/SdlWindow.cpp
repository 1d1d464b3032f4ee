#include "platform/sdl/SdlWindow.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string_view>

#include "platform/Keyboard.h"
#include "platform/sdl/EventWait.h"
#include "platform/sdl/MessageBoxWindow.h"
#include "platform/sdl/OpeningErrors.h"
#include "platform/sdl/QuietClose.h"
#include "platform/sdl/UnseenVideo.h"
#include "platform/sdl/WindowKeys.h"

namespace platform {
namespace {

// Mouse buttons and modifier keys as the window's mouse events report them.
constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

int ButtonCode(uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return kLeftButton;
        case SDL_BUTTON_RIGHT: return kRightButton;
        case SDL_BUTTON_MIDDLE: return kMiddleButton;
    }
    return 0;
}

int HeldButtons(uint32_t sdlState) {
    return ((sdlState & SDL_BUTTON_LMASK) ? kLeftButton : 0) | ((sdlState & SDL_BUTTON_RMASK) ? kRightButton : 0) |
           ((sdlState & SDL_BUTTON_MMASK) ? kMiddleButton : 0);
}

int ShiftState() {
    const SDL_Keymod mod = SDL_GetModState();
    return ((mod & KMOD_SHIFT) ? kShiftMask : 0) | ((mod & KMOD_CTRL) ? kCtrlMask : 0) |
           ((mod & KMOD_ALT) ? kAltMask : 0);
}

bool WindowedRequested() {
    const char* value = std::getenv("VELORUNE_WINDOWED");
    return value && std::string_view(value) == "1";
}

// How long a window manager may take to make the window full screen before it is drawn anyway.
constexpr std::chrono::milliseconds kFullScreenPatience(2000);

// A window larger than the screen is made to fit it: without a window manager to do that, it
// would stand centred over the screen's edges, its own cut off.
void FitToScreen(SdlWindowOptions& options) {
    SDL_Rect screen;
    if (SDL_GetDisplayUsableBounds(0, &screen) != 0) return;
    options.Width = std::min(options.Width, screen.w);
    options.Height = std::min(options.Height, screen.h);
}

}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::Create(SdlWindowOptions options, std::string* error) {
    auto fail = [error](const char* what) -> std::unique_ptr<SdlWindow> {
        if (error) *error = std::string(what) + ": " + SDL_GetError();
        return nullptr;
    };
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fail("SDL video");
    if (const std::string unseen = UnseenVideo(); !unseen.empty()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (error) *error = "SDL video: " + unseen;
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);  // the device draws into its own framebuffer

    uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (options.FullScreen && !WindowedRequested() && !options.Hidden) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    else flags |= SDL_WINDOW_RESIZABLE;
    FitToScreen(options);
    // SDL syncs with the X server as it makes the context, delivering the errors of the opening.
    const XErrorsEndNothing opening;
    SDL_Window* window = SDL_CreateWindow(options.Title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          options.Width, options.Height, flags);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return fail("SDL window");
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return fail("OpenGL context");
    }
    SDL_GL_SetSwapInterval(1);  // menus draw as fast as the display shows them, no faster
    return std::unique_ptr<SdlWindow>(new SdlWindow(window, context, options.Hidden));
}

SdlWindow::SdlWindow(SDL_Window* window, void* context, bool hidden)
    : window_(window),
      context_(context),
      hidden_(hidden),
      keys_(std::make_unique<WindowKeys>(window, &dinput::SystemKeyboard())) {
    // Without a display (the offscreen driver) nobody can take the focus away.
    headless_ = std::string_view(SDL_GetCurrentVideoDriver()) == "offscreen";
    Measure();
    if (PointerPlace start; PointerNow(window_, start)) pointerAtStart_ = start;
    SetMessageBoxOwner(window_, keys_.get());
}

SdlWindow::~SdlWindow() {
    SetMessageBoxOwner(nullptr, nullptr);
    keys_.reset();
    SDL_GL_DeleteContext(context_);
    DestroyWindowQuietly(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::Show() {
    if (hidden_) return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    Measure();
    AwaitFullScreen();
    ShowBlank();
}

// The window manager carries out a full-screen request some time after the window shows. Until
// then the window has the size it was made with, and a picture drawn for that size would stay
// in a corner of the full-screen window behind any box that comes up before the next paint.
void SdlWindow::AwaitFullScreen() {
    const uint32_t fullScreen = SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_Rect desktop;
    if (fullScreen != SDL_WINDOW_FULLSCREEN_DESKTOP || !FullScreenByWindowManager(window_) ||
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &desktop) != 0)
        return;
    const auto until = std::chrono::steady_clock::now() + kFullScreenPatience;
    while (size_.PixelWidth != desktop.w || size_.PixelHeight != desktop.h) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        if (SDL_Event event; WaitForEvent(window_, event, static_cast<int>(left.count()))) Dispatch(event);
        Measure();
    }
}

// Some GL drivers (Mesa's software one) take a window's new size only at a swap, and the first
// frame drawn after the window grew would show cut to the size it had. A blank frame goes first.
void SdlWindow::ShowBlank() {
    MakeCurrent();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers();
}

bool SdlWindow::HasFocus() const {
    return headless_ || hidden_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void SdlWindow::ProcessMessages() {
    SDL_Event event;
    while (PollEvent(event)) Dispatch(event);
    DeliverPointerMove();
    pointerThisPass_.reset();
    PaintIfAsked();
}

void SdlWindow::WaitForMessages(int timeoutMs) {
    SDL_Event event;
    if (timeoutMs > 0 && WaitForEvent(window_, event, timeoutMs)) Dispatch(event);
    ProcessMessages();
}

void SdlWindow::SetBackBufferSize(int width, int height) {
    backBufferWidth_ = width;
    backBufferHeight_ = height;
}

int SdlWindow::RefreshRate() const {
    const int display = SDL_GetWindowDisplayIndex(window_);
    SDL_DisplayMode mode{};
    return display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
}

void SdlWindow::SetKeyboard(dinput::Keyboard* keyboard) { keys_->SetKeyboard(keyboard); }

void SdlWindow::MakeCurrent() { SDL_GL_MakeCurrent(window_, context_); }
void SdlWindow::SwapBuffers() { SDL_GL_SwapWindow(window_); }
void SdlWindow::DrawableSize(int& width, int& height) const {
    width = size_.PixelWidth;
    height = size_.PixelHeight;
}

void SdlWindow::Measure() { size_ = MeasureWindow(window_); }

// The pointer as it is now, in the window as it stands now: the motion a window reports may
// have been made before a window manager moved it. Where the display cannot be asked, the
// event's own position.
bool SdlWindow::PointerMoved(int eventX, int eventY, float& x, float& y) {
    if (!pointerThisPass_) {
        if (PointerPlace now; PointerNow(window_, now)) pointerThisPass_ = now;
    }
    if (!pointerThisPass_) {
        MapPointer(eventX, eventY, x, y);
        return true;
    }
    const PointerPlace& now = *pointerThisPass_;
    if (!pointerMoved_) {
        if (pointerAtStart_ && now.ScreenX == pointerAtStart_->ScreenX && now.ScreenY == pointerAtStart_->ScreenY)
            return false;
        pointerMoved_ = true;
    }
    MapPointer(now.WindowX, now.WindowY, x, y);
    return true;
}

// The window's paint handler runs once for all the paint requests among the messages
// dispatched together: showing the same picture again for each would only repeat it.
void SdlWindow::PaintIfAsked() {
    if (!paintAsked_) return;
    paintAsked_ = false;
    if (Events().Paint) Events().Paint();
}

void SdlWindow::DeliverPointerMove() {
    if (!moveWaiting_) return;
    moveWaiting_ = false;
    float x = 0, y = 0;
    if (PointerMoved(moveX_, moveY_, x, y) && Events().MouseMove) Events().MouseMove(moveButtons_, ShiftState(), x, y);
}

// The picture's letterbox, in the units of pointer positions.
void SdlWindow::MapPointer(int windowX, int windowY, float& x, float& y) const {
    const PixelRect box = Letterbox(size_.PointerWidth, size_.PointerHeight, backBufferWidth_, backBufferHeight_);
    WindowToPicture(box, backBufferWidth_, backBufferHeight_, static_cast<float>(windowX),
                    static_cast<float>(windowY), x, y);
}

void SdlWindow::Dispatch(const SDL_Event& event) {
    keys_->Take(event);
    WindowEvents& events = Events();
    float x = 0, y = 0;
    switch (event.type) {
        case SDL_QUIT:  // the window was closed (SDL follows the close of its last window with this)
            if (events.Close) events.Close();
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            DeliverPointerMove();
            MapPointer(event.button.x, event.button.y, x, y);
            auto& handler = event.type == SDL_MOUSEBUTTONDOWN ? events.MouseDown : events.MouseUp;
            if (handler) handler(ButtonCode(event.button.button), ShiftState(), x, y);
            break;
        }
        case SDL_MOUSEMOTION:
            moveWaiting_ = true;
            moveButtons_ = HeldButtons(event.motion.state);
            moveX_ = event.motion.x;
            moveY_ = event.motion.y;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED || event.window.event == SDL_WINDOWEVENT_SHOWN ||
                event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                Measure();
                paintAsked_ = true;
            }
            break;
    }
}

}  // namespace platform
