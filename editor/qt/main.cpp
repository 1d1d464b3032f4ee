// VeloruneEdit: the level editor's window on Qt, drawn by the OpenGL device.
#include <QApplication>
#include <QIcon>

#include "editor/DirectX.h"
#include "editor/frmMain.h"
#include "editor/qt/CloseOnSigterm.h"
#include "editor/qt/EditorWindow.h"
#include "editor/qt/KeyboardFeed.h"
#include "editor/qt/QtPlatform.h"
#include "platform/Keyboard.h"
#include "platform/Paths.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QString::fromStdString(platform::ProgramPath("skins/StarSkin.bmp"))));
    editor::UseQtMessageBoxes();
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(editor::QtContextQueries()); };
    editor::KeyboardFeed keys(dinput::SystemKeyboard());
    editor::EditorWindow window(frmMain);
    editor::CloseOnSigterm(window);
    window.Start();
    return QApplication::exec();
}
