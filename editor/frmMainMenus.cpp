// The commands of the File, Background, Gravity and Help menus.
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/Paths.h"
#include "editor/TrackBackground.h"

namespace editor {

// A new track ends a test run without bringing the snapshot back: it replaces the track.
void MainForm::mnu_New_Click() {
    ShowMode(MODE_EDIT);
    NewTrack();
}

// Open leaves a test run first, as Edit Mode does, so that a cancelled dialog finds the
// track as it was edited, not as the run left it.
void MainForm::mnu_load_Click() {
    mnu_editmode_Click();
    FileIO::ShowOpenDialog(*host_);
    DirectX::ResetCamera();
}

void MainForm::mnu_save_Click() {
    if (gTrackFileName.empty())
        FileIO::ShowSaveDialog(*host_);
    else
        FileIO::SaveEditedTrack(gTrackFileName);
}

void MainForm::mnu_saveAS_Click() { FileIO::ShowSaveDialog(*host_); }

void MainForm::mnu_background_Click(int entry) {
    if (entry < 1 || entry > 6) return;
    selection::UncheckBackgroundMenus();
    CreateTrackBackground(gBackgroundPath + kBackgroundFiles[entry - 1]);
    mnu_backgrounds[entry - 1].Checked = true;
    gBackgroundFile = FixedLengthText(kBackgroundFiles[entry - 1], 50);
}

void MainForm::SetGravity(float gravity, MenuItem& chosen, MenuItem& other) {
    gTrackSettings.Gravity = gravity;
    host_->FocusMainWindow();
    chosen.Checked = true;
    other.Checked = false;
}

void MainForm::mnu_normal_Click() { SetGravity(kNormalGravity, mnu_normal, mnu_low); }

void MainForm::mnu_low_Click() { SetGravity(kLowGravity, mnu_low, mnu_normal); }

void MainForm::mnu_Shortcut_Click() { host_->OpenTextFile(platform::ProgramPath("readme.txt")); }

void MainForm::mnu_about_Click() { frmAbout.Show(); }

}  // namespace editor
