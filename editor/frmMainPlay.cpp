// Play mode: test-driving the track with the game's vehicle. A run works on a snapshot of the
// track: entering play mode saves it to tmp.trk and rebuilds the track from what it wrote,
// every restart rebuilds it again, and leaving play mode once more, so nothing a run does
// (stars taken, blocks fallen, platforms moved or stopped) reaches the edited track. The
// rebuilds take the bytes held in memory: another editor in the same folder may write its
// own tmp.trk meanwhile.
#include "editor/App.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/MessageBox.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"

namespace editor {

void MainForm::ShowMode(EditorMode mode) {
    gEditorMode = mode;
    mnu_editmode.Checked = mode == MODE_EDIT;
    mnu_playmode.Checked = mode == MODE_PLAY;
    if (mode == MODE_EDIT) FileIO::DropSnapshot();  // however the run ended: Edit Mode, New or Open
}

void MainForm::mnu_playmode_Click() {
    if (gEditorMode != MODE_EDIT) return;
    if (gBlockCount < 0) {
        platform::MessageBox("There is nothing to play on: this track has no blocks.", App::Title);
        return;
    }
    // Edit mode stays after the save's message when the snapshot cannot be written.
    if (!FileIO::SaveSnapshot() || !FileIO::LoadSnapshot()) {
        FileIO::DropSnapshot();
        return;
    }
    ShowMode(MODE_PLAY);
    StartPlay();
}

void MainForm::mnu_editmode_Click() {
    if (gEditorMode != MODE_PLAY) return;
    FileIO::LoadSnapshot();
    ShowMode(MODE_EDIT);
    selection::UnselectCurrent();
    gHasSelection = false;
    selection::ShowSelection();
    DirectX::ResetCamera();
}

void MainForm::StartPlay() {
    selection::UnselectCurrent();
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
    FileIO::LoadSnapshot();
    DirectX::SetupMatrices();
}

}  // namespace editor
