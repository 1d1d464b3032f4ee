// The keyboard poll of every frame.
#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

namespace editor {
namespace {

using DirectInput::KeyDown;

bool ShiftDown() { return KeyDown(dinput::DIK_LSHIFT) || KeyDown(dinput::DIK_RSHIFT); }

// Play mode: the arrows drive the vehicle, any jump key jumps it off what it stands on.
void DrivePlayer() {
    using namespace dinput;
    const bool noSteering = gKeyboardState[DIK_RIGHT] == 0 && gKeyboardState[DIK_LEFT] == 0;
    if (noSteering && !gPlayer.ISPlayerOnAnIceBlock()) gPlayer.HorizontalVelocity(0);
    if (KeyDown(DIK_UP)) gPlayer.accelerate();
    if (KeyDown(DIK_DOWN)) gPlayer.deccelerate();
    if (KeyDown(DIK_LEFT)) gPlayer.Moveleft();
    if (KeyDown(DIK_RIGHT)) gPlayer.MoveRight();  // with both held, right wins
    if (KeyDown(DIK_RSHIFT) || KeyDown(DIK_RCONTROL) || KeyDown(DIK_SPACE) || KeyDown(DIK_LCONTROL) ||
        KeyDown(DIK_LSHIFT))
        gPlayer.Jump(gCanJump);
}

}  // namespace

void MainForm::PollKeyboard() {
    if (gKeyboardDevice->GetDeviceState(gKeyboardState) != dinput::DI_OK) {
        gKeyboardState.fill(0);  // a keyboard that cannot be read holds no key down
        gKeyboardDevice->Acquire();
    }
    int count = 0;
    if (gKeyboardDevice->GetDeviceData(gKeyEvents, count) == dinput::DIERR_BUFFEROVERFLOW) return;
    if (gEditorMode == MODE_EDIT) {
        // A step beyond the bar's range is refused.
        if (ShiftDown()) {
            if (KeyDown(dinput::DIK_UP) && VScroll1.Set(VScroll1.Value - 1)) VScroll1_Change();
            if (KeyDown(dinput::DIK_DOWN) && VScroll1.Set(VScroll1.Value + 1)) VScroll1_Change();
        }
    } else {
        DrivePlayer();
    }
    DirectX::SetupMatrices();
}

}  // namespace editor
