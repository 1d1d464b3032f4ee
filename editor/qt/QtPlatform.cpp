#include "editor/qt/QtPlatform.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QScreen>

#include "platform/EndSignals.h"
#include "platform/MessageBox.h"

namespace editor {

d3d::GlContextQueries QtContextQueries() {
    return {[] { return QOpenGLContext::currentContext() != nullptr; },
            [](d3d::DisplayMode& out) {
                const QScreen* screen = QGuiApplication::primaryScreen();
                if (!screen) return false;
                const QSize size = screen->size() * screen->devicePixelRatio();
                out = {size.width(), size.height(), static_cast<int32_t>(screen->refreshRate()), 22};  // 32-bit colour
                return true;
            }};
}

namespace {

// The active window; while none is, as between a dialog's close and the focus coming back where
// no window manager hands it on, the main window: a box without one stands in the screen's middle.
QWidget* BoxOwner() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && qobject_cast<QMainWindow*>(top)) return top;
    return nullptr;
}

}  // namespace

void UseQtMessageBoxes() {
    platform::SetMessageBoxHandler([](const std::string& text, const std::string& title) {
        if (platform::EndRequested()) return;  // the editor is ending: nobody is asked anything
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok, BoxOwner());
        box.exec();
    });
}

}  // namespace editor
