#include "tests/editor_qt/EditorWindowFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QTimer>

#include <filesystem>

#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/frmMain.h"
#include "editor/qt/QtPlatform.h"
#include "platform/MessageBox.h"
#include "tests/editor/support/EditorReset.h"

std::string ArtifactsFolder() {
    std::filesystem::create_directories(VELORUNE_ARTIFACTS);
    return VELORUNE_ARTIFACTS;
}

void EditorWindowTest::SetUp() {
    ResetEditorState();
    folder = std::make_unique<GameFolder>();
    platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(editor::QtContextQueries()); };
    gKeyboardDevice = &keyboard;
    keys = std::make_unique<editor::KeyboardFeed>(keyboard);
    window = std::make_unique<editor::EditorWindow>(frmMain);
    window->Start();
}

void EditorWindowTest::TearDown() {
    window.reset();
    // A window that ended the program told the application to leave its event loop, and
    // every later loop (a dialog's, a message box's) would leave at once: a turn of the
    // application's own loop clears that for the next test.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    keys.reset();
    platform::SetMessageBoxHandler({});
    ResetEditorState();
    folder.reset();
}

bool EditorWindowTest::WaitForFrames(int frames) {
    QElapsedTimer timer;
    timer.start();
    int64_t lastFrame = gLastCounter;
    while (frames > 0 && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (gLastCounter != lastFrame) {
            lastFrame = gLastCounter;
            --frames;
        }
    }
    return frames == 0;
}

QImage EditorWindowTest::CaptureViewport(const std::string& name) {
    // What the screen shows, composed by the window system, not the device's own picture.
    QCoreApplication::processEvents();
    const QWidget& viewport = *window->WidgetOf(&frmMain.viewport);
    const QPoint at = viewport.mapTo(window.get(), QPoint(0, 0));
    QImage picture = window->screen()
                         ->grabWindow(window->winId(), at.x(), at.y(), viewport.width(), viewport.height())
                         .toImage();
    picture.save(QString::fromStdString(ArtifactsFolder() + "/" + name + ".png"));
    return picture;
}
