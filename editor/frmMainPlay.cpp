// Play mode: test-driving the track with the game's vehicle.
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"

namespace editor {

void MainForm::StartPlay() {
    gHasSelection = false;
    selection::ShowSelection();
    gPlatformsPaused = false;
    gPlayer.resetPLayer();
    DirectX::ResetCamera();
    DirectX::SetupMatrices();
}

void MainForm::RestartPlay() {
    gPlayer.resetPLayer();
    DirectX::ResetCamera();
    gParticles.resetParticles();
    DirectX::SetupMatrices();
}

}  // namespace editor
