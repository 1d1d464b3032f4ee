// Velorune: opens the game window on the OpenGL device and runs the game to its end.
#include <memory>
#include <string>

#include "game/DirectX.h"
#include "game/frmGame.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/MessageBox.h"
#include "platform/sdl/SdlWindow.h"

int main() {
    std::string error;
    auto window = platform::SdlWindow::Create({}, &error);
    if (!window) {
        platform::MessageBox("The game window could not be opened: " + error, "Velorune");
        return 1;
    }
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };
    return frmGame::Form_Load(*window) ? 0 : 1;
}
