// The program's window on SDL: full screen over the desktop (or a normal window when
// VELORUNE_WINDOWED=1), with an OpenGL compatibility context made current at creation. Mouse
// positions reach the handlers in back-buffer pixels; keys go to the system keyboard as
// WindowKeys tells them (a key held across a box is one press, a key that closed a box none). The
// picture and the pointer follow the window's real size, measured anew whenever the window
// reports a change (where a full-screen request is not carried out, the window stays smaller
// than the desktop; a window larger than the screen is made to fit it); a pointer move is taken where the pointer is now, in the window as it
// stands now, once a pass of the message pump whatever number of moves the pass brought.
// The game's message boxes belong to this window.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "platform/gl/GlSurface.h"
#include "platform/gl/Letterbox.h"
#include "platform/sdl/SdlWindowSize.h"
#include "platform/Window.h"

struct SDL_Window;
union SDL_Event;
namespace dinput {
class Keyboard;
}

namespace platform {

class WindowKeys;

struct SdlWindowOptions {
    std::string Title = "Velorune";
    bool FullScreen = true;  // over the whole desktop
    int Width = 800;         // size of a normal window
    int Height = 600;
    bool Hidden = false;     // tests: never shown
};

class SdlWindow : public Window, public GlSurface {
public:
    // nullptr (and the reason in error) when SDL, the window or the GL context cannot start,
    // or when SDL could start only video no one sees (no display).
    static std::unique_ptr<SdlWindow> Create(SdlWindowOptions options, std::string* error = nullptr);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // Shown full screen, the window is first drawn once a window manager has made it so.
    void Show() override;
    bool HasFocus() const override;
    void ProcessMessages() override;
    void WaitForMessages(int timeoutMs) override;
    void SetBackBufferSize(int width, int height) override;
    int RefreshRate() const override;

    void MakeCurrent() override;
    void SwapBuffers() override;
    void DrawableSize(int& width, int& height) const override;

    // Where key events go (the system keyboard unless set).
    void SetKeyboard(dinput::Keyboard* keyboard);
    // Tests: dispatch one event as if it had come from the system (a pointer move reaches the
    // handler at the end of the pass, ProcessMessages, or before the next click; a paint at the
    // end of the pass).
    void Dispatch(const SDL_Event& event);

private:
    SdlWindow(SDL_Window* window, void* context, bool hidden);
    void MapPointer(int windowX, int windowY, float& x, float& y) const;
    // False for the motion a window reports when it appears, or is moved or resized, under a
    // pointer that has not moved since the window was made: such a pointer points at nothing.
    bool PointerMoved(int eventX, int eventY, float& x, float& y);
    // The moves of a pass wait for its end, or for a click, which they came before; the
    // display is asked where the pointer is once in the pass.
    void DeliverPointerMove();
    // The paint that the window events of a pass asked for, once.
    void PaintIfAsked();
    void Measure();
    // Where a window manager makes the window full screen: until it has, within a limit.
    void AwaitFullScreen();
    // A black frame, with which the GL driver takes the window's size as it stands.
    void ShowBlank();

    SDL_Window* window_;
    void* context_;
    bool hidden_;
    bool headless_;
    int backBufferWidth_ = 0;
    int backBufferHeight_ = 0;
    WindowMeasure size_;
    std::optional<PointerPlace> pointerAtStart_;
    bool pointerMoved_ = false;
    bool moveWaiting_ = false;
    bool paintAsked_ = false;
    int moveButtons_ = 0, moveX_ = 0, moveY_ = 0;  // the pass's last move
    std::optional<PointerPlace> pointerThisPass_;
    std::unique_ptr<WindowKeys> keys_;  // ended before SDL's video
};

}  // namespace platform
