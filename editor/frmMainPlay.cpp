// Play mode: test-driving the track with the game's vehicle. A run works on a snapshot of the
// track (tmp.trk): entering play mode saves it and loads it back, every restart loads it
// again, and leaving play mode loads it once more, so nothing a run does (stars taken, blocks
// fallen, platforms moved or stopped) reaches the edited track.
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"

namespace editor {

void MainForm::ShowMode(EditorMode mode) {
    gEditorMode = mode;
    mnu_editmode.Checked = mode == MODE_EDIT;
    mnu_playmode.Checked = mode == MODE_PLAY;
}

void MainForm::mnu_playmode_Click() {
    if (gEditorMode != MODE_EDIT) return;
    // A snapshot that was not written would leave an older one from an earlier run to load in
    // place of the track: edit mode stays, after the save's message.
    if (!FileIO::SaveTrack(FileIO::SnapshotFile())) return;
    if (!FileIO::LoadTrack(FileIO::SnapshotFile())) return;
    ShowMode(MODE_PLAY);
    StartPlay();
}

void MainForm::mnu_editmode_Click() {
    if (gEditorMode != MODE_PLAY) return;
    FileIO::LoadTrack(FileIO::SnapshotFile());
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
    FileIO::LoadTrack(FileIO::SnapshotFile());
    DirectX::SetupMatrices();
}

}  // namespace editor
