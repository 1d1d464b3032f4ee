// The GL headers come first: the device's loader must stand in for the system's gl.h.
#include "platform/gl/GlDevice.h"

#include "editor/qt/NativeViewport.h"

#include <QMouseEvent>
#include <QOpenGLContext>

#include "editor/DirectX.h"

namespace editor {
namespace {

int16_t ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

int16_t ShiftMask(Qt::KeyboardModifiers modifiers) {
    return static_cast<int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                                (modifiers & Qt::AltModifier ? 4 : 0));
}

}  // namespace

NativeViewport::NativeViewport() {
    setSurfaceType(QSurface::OpenGLSurface);
    // A click would otherwise take the keyboard focus from the main window's widgets.
    setFlag(Qt::WindowDoesNotAcceptFocus);
}

NativeViewport::~NativeViewport() = default;

void NativeViewport::MakeCurrent() {
    if (context_ && QOpenGLContext::currentContext() == context_.get() && context_->surface() == this) return;
    if (!handle()) create();
    if (!context_) {
        context_ = std::make_unique<QOpenGLContext>();
        context_->setFormat(requestedFormat());
        context_->create();
    }
    context_->makeCurrent(this);
}

void NativeViewport::SwapBuffers() {
    if (context_ && isExposed()) context_->swapBuffers(this);  // one not on screen shows it on its expose
}

void NativeViewport::DrawableSize(int& width, int& height) const {
    width = static_cast<int>(this->width() * devicePixelRatio());
    height = static_cast<int>(this->height() * devicePixelRatio());
}

void NativeViewport::exposeEvent(QExposeEvent*) {
    if (!isExposed()) return;
    MakeCurrent();
    if (QOpenGLContext::currentContext() != context_.get()) return;  // no context could be made
    if (auto* device = dynamic_cast<d3d::GlDevice*>(gD3DDevice)) {
        device->ShowLastFrame();
    } else {
        glClearColor(0, 0, 0, 1);  // no device: the viewport stays black
        glClear(GL_COLOR_BUFFER_BIT);
    }
    context_->swapBuffers(this);
}

void NativeViewport::mousePressEvent(QMouseEvent* event) {
    const int16_t button = ButtonCode(event->button());
    if (!onMouseDown || button == 0) return;
    const QPointF at = event->position();
    onMouseDown(button, ShiftMask(event->modifiers()), static_cast<float>(at.x()), static_cast<float>(at.y()));
}

}  // namespace editor
