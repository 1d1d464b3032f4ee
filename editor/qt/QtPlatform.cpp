#include "editor/qt/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QScreen>

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

void UseQtMessageBoxes() {
    platform::SetMessageBoxHandler([](const std::string& text, const std::string& title) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}

}  // namespace editor
