// The GL headers come first: the device's loader must stand in for the system's gl.h.
#include "platform/GlDevice.h"

#include "editor/qt/ViewportWidget.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QResizeEvent>

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

ViewportWidget::ViewportWidget(QWidget* parent) : QOpenGLWidget(parent) {}

void ViewportWidget::MakeCurrent() {
    if (!isValid()) {
        // A window that never showed: the context is made at once, to be drawn into off
        // screen (the device still works, the window shows nothing).
        window()->winId();
        QResizeEvent resize(size(), QSize());
        QCoreApplication::sendEvent(this, &resize);
    }
    makeCurrent();
}

void ViewportWidget::initializeGL() {
    if (onInitialized) onInitialized();
}

void ViewportWidget::DrawableSize(int& width, int& height) const {
    width = static_cast<int>(this->width() * devicePixelRatioF());
    height = static_cast<int>(this->height() * devicePixelRatioF());
}

void ViewportWidget::paintGL() {
    if (auto* device = dynamic_cast<d3d::GlDevice*>(gD3DDevice)) {
        device->ShowLastFrame();
        return;
    }
    glClearColor(0, 0, 0, 1);  // no device: the viewport stays black
    glClear(GL_COLOR_BUFFER_BIT);
}

void ViewportWidget::mousePressEvent(QMouseEvent* event) {
    const int16_t button = ButtonCode(event->button());
    if (!onMouseDown || button == 0) return;
    const QPointF at = event->position();
    onMouseDown(button, ShiftMask(event->modifiers()), static_cast<float>(at.x()), static_cast<float>(at.y()));
}

}  // namespace editor
