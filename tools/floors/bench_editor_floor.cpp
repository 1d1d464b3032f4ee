// The floor of the editor's benchmarks: a window of the editor's size with a 601 x 457 native
// OpenGL child window, cleared when it is exposed and 25 times a second, beside a list;
// nothing else. What showing a picture in such a window costs here, whatever the picture, and
// how soon the first can be on the screen.
#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

class ClearedWindow : public QWindow {
public:
    ClearedWindow() { setSurfaceType(QSurface::OpenGLSurface); }

    void Clear() {
        if (!isExposed()) return;
        if (!context_.isValid()) {
            context_.setFormat(requestedFormat());
            context_.create();
        }
        context_.makeCurrent(this);
        QOpenGLFunctions* gl = context_.functions();
        gl->glClearColor(0.2f, 0.3f, static_cast<float>(++frames_ % 50) / 50.0f, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        context_.swapBuffers(this);
    }

protected:
    void exposeEvent(QExposeEvent*) override { Clear(); }

private:
    QOpenGLContext context_;
    int frames_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget top;
    top.setWindowTitle("bench_editor floor");
    auto* layout = new QHBoxLayout(&top);
    auto* picture = new ClearedWindow;
    QWidget* box = QWidget::createWindowContainer(picture);
    box->setFixedSize(601, 457);
    layout->addWidget(box);
    auto* list = new QListWidget;
    for (int i = 0; i < 20; ++i) list->addItem(QString("item %1").arg(i));
    layout->addWidget(list);
    top.resize(800, 574);
    top.show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, picture, [picture] { picture->Clear(); });
    timer.start(40);
    return QApplication::exec();
}
