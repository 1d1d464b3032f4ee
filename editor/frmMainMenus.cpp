// The commands of the File, Background, Gravity and Help menus.
#include "editor/App.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "editor/TrackBackground.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "shared/BinaryFile.h"
#include "world/clsParticles.h"

namespace editor {

// A new track ends a test run without bringing the snapshot back: it replaces the track. The
// run's camera and sparks go with it.
void MainForm::mnu_New_Click() {
    if (!MayLeaveTrack()) return;
    const bool running = gEditorMode == MODE_PLAY;
    ShowMode(MODE_EDIT);
    NewTrack();
    if (running) {
        DirectX::ResetCamera();
        gParticles.resetParticles();
    }
}

// Open leaves a test run first, as Edit Mode does, so that a cancelled dialog finds the
// track as it was edited, not as the run left it.
void MainForm::mnu_load_Click() {
    if (!MayLeaveTrack()) return;
    mnu_editmode_Click();
    FileIO::ShowOpenDialog(*host_);
    DirectX::ResetCamera();
}

bool MainForm::SaveEditedTrack() {
    if (gTrackFileName.empty()) return FileIO::ShowSaveDialog(*host_);
    return FileIO::SaveEditedTrack(gTrackFileName);
}

void MainForm::mnu_save_Click() { SaveEditedTrack(); }

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

// A desktop without a viewer for text files still shows the help.
void MainForm::mnu_Shortcut_Click() {
    const std::string path = platform::ProgramPath("readme.txt");
    const auto text = BinaryFile::ReadAll(path);
    if (!text) {
        platform::MessageBox("The help file " + path + " cannot be read.", App::Title);
        return;
    }
    host_->OpenTextFile(path, [host = host_, help = std::string(text->begin(), text->end())] {
        host->ShowText("How to Use", help);
    });
}

void MainForm::mnu_about_Click() { frmAbout.Show(); }

}  // namespace editor
