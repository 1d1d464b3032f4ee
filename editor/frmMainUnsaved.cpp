// The question before a track with unsaved changes is replaced or the editor ends.
#include "editor/UnsavedChanges.h"
#include "editor/frmMain.h"

namespace editor {

bool MainForm::MayLeaveTrack() {
    if (!host_ || !UnsavedChanges::Exist()) return true;
    switch (host_->AskAboutUnsavedTrack()) {
        case EditorHost::UnsavedTrack::Save: return SaveEditedTrack();
        case EditorHost::UnsavedTrack::Discard: return true;
        default: return false;
    }
}

void MainForm::Form_QueryUnload(bool& Cancel) { Cancel = !MayLeaveTrack(); }

}  // namespace editor
