// VeloruneEdit: the level editor's window on Qt, drawn by the OpenGL device.
#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdlib>
#include <vector>

#include "editor/DirectX.h"
#include "editor/frmMain.h"
#include "editor/qt/CloseOnEndSignals.h"
#include "editor/qt/EditorWindow.h"
#include "editor/qt/KeyboardFeed.h"
#include "editor/qt/QtPlatform.h"
#include "platform/ChildEnvironment.h"
#include "platform/Keyboard.h"
#include "platform/Paths.h"
#include "platform/ReadableFile.h"

namespace {

// The windows' icon, its file read as the programs read every file; none when it cannot be.
QIcon ProgramIcon() {
    std::vector<uint8_t> bytes;
    QPixmap picture;
    if (platform::ReadFileInto(platform::ProgramPath("skins/StarSkin.bmp"), bytes) == 0)
        picture.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
    return QIcon(picture);
}

}  // namespace

int main(int argc, char** argv) {
    // The programs the editor starts (the read-me's viewer) get the environment the user
    // started it with, without what the editor sets for itself.
    platform::KeepEnvironmentForChildren();
    // Mesa's software renderer shares out every frame among helper threads. For the editor's
    // small picture, 25 times a second, waking them costs more than the drawing: on the
    // editor's one thread a frame takes about half the CPU (see tools/bench_editor). A setting
    // of the user's own stands; other drivers do not read it.
    setenv("LP_NUM_THREADS", "0", 0);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    editor::UseQtMessageBoxes();
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(editor::QtContextQueries()); };
    editor::KeyboardFeed keys(dinput::SystemKeyboard());
    editor::EditorWindow window(frmMain);
    editor::CloseOnEndSignals(window);
    window.Start();
    return QApplication::exec();
}
