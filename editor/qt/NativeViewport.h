// The viewport on Qt: a native window of its own, embedded in the main window, with an OpenGL
// context that only the graphics device uses. The device draws each frame off screen and
// shows it here when it presents; an expose only shows that last frame again. Such a window
// is shown by the window system directly, without the main window being composed again for
// every frame. Mouse presses go to the viewport's handler; the keyboard focus stays with the
// main window, whose keys edit the track.
#pragma once
#include <QWindow>

#include <functional>
#include <memory>

#include "platform/gl/GlSurface.h"
#include "platform/Window.h"

class QOpenGLContext;

namespace editor {

class NativeViewport : public QWindow, public platform::Window, public platform::GlSurface {
public:
    NativeViewport();
    ~NativeViewport() override;

    // The context, current on this window; both are made on first use, also before the
    // window shows (the device then draws off screen, and the window shows the frame later).
    void MakeCurrent() override;
    void SwapBuffers() override;
    void DrawableSize(int& width, int& height) const override;
    bool OnScreen() const override { return isExposed(); }

    // The main window shows and pumps; the viewport has no messages of its own.
    void Show() override {}
    bool HasFocus() const override { return isActive(); }
    void ProcessMessages() override {}
    void WaitForMessages(int) override {}
    void SetBackBufferSize(int, int) override {}

    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; the position in the
    // window's own pixels, the unit of the viewport control's size (never the device pixels of
    // a scaled screen), which picking divides by.
    std::function<void(int16_t button, int16_t shift, float x, float y)> onMouseDown;

protected:
    void exposeEvent(QExposeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<QOpenGLContext> context_;
};

}  // namespace editor
