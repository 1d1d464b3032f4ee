// The viewport on Qt: an OpenGL widget that is the graphics device's window. The device
// draws each frame off screen and shows it in the widget's framebuffer; a paint event only
// shows that last frame again. Mouse presses go to the viewport's handler.
#pragma once
#include <QOpenGLWidget>

#include <functional>

#include "platform/GlSurface.h"
#include "platform/Window.h"

namespace editor {

class ViewportWidget : public QOpenGLWidget, public platform::Window, public platform::GlSurface {
public:
    explicit ViewportWidget(QWidget* parent);

    // The widget's GL context, current. The widget makes it when its window first shows; made
    // earlier, it would not share with the window's compositor and show nothing.
    void MakeCurrent() override;
    void SwapBuffers() override { update(); }
    void DrawableSize(int& width, int& height) const override;
    unsigned PresentFramebuffer() const override { return defaultFramebufferObject(); }
    bool SharesContext() const override { return true; }

    // The main window shows and pumps; the viewport has no messages of its own.
    void Show() override {}
    bool HasFocus() const override { return window()->isActiveWindow(); }
    void ProcessMessages() override {}
    void WaitForMessages(int) override {}
    void SetBackBufferSize(int, int) override {}

    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; the position in the
    // widget's own pixels, the unit of the viewport control's size (never the device pixels of a
    // scaled screen), which picking divides by.
    std::function<void(int16_t button, int16_t shift, float x, float y)> onMouseDown;
    // The widget has made its context.
    std::function<void()> onInitialized;

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace editor
