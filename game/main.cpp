// Velorune: opens the game window on the OpenGL device and runs the game to its end.
#include <memory>
#include <string>

#include "game/DirectX.h"
#include "game/frmGame.h"
#include "platform/EndSignals.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/sdl/SdlWindow.h"

int main() {
    platform::CatchEndSignals();
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };
    std::unique_ptr<platform::SdlWindow> window;
    const bool started = frmGame::Form_Load([&window](std::string& reason) -> platform::Window* {
        window = platform::SdlWindow::Create({}, &reason);
        return window.get();
    });
    return started ? 0 : 1;
}
