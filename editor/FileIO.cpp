// The track-file module's state and its two dialogs.
#include "editor/FileIO.h"

#include "editor/EditorGlobals.h"
#include "editor/EditorHost.h"
#include "editor/UnsavedChanges.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/Paths.h"

std::string gTrackFileName;
BestTimes gBestTimes;
int16_t gTrackAllStars = 0;
std::vector<std::string> gTextureNames;
int16_t gTextureCount = -1;
std::vector<uint8_t> gSnapshot;

namespace FileIO {
namespace {

editor::FileDialogRequest TrackFileDialog(const char* title, const char* defaultSuffix) {
    return {.Title = title,
            .FilterName = "VeloRune Levels *.lvl",
            .FilterPattern = "*.lvl",
            .StartFolder = platform::ProgramPath("levels/"),
            .DefaultSuffix = defaultSuffix};
}

}  // namespace

void ClearBestTimes() {
    for (int place = 1; place <= 3; ++place) gBestTimes.Seconds(place) = gBestTimes.Hundredths(place) = 0;
}

// A name typed without an extension gets the one the dialog's filter shows, so that the
// saved track is listed there.
bool ShowSaveDialog(editor::EditorHost& host) {
    const std::string path = host.ChooseFileToSave(TrackFileDialog("Save File", "lvl"));
    if (path.empty() || !SaveEditedTrack(path)) return false;
    gTrackFileName = path;
    return true;
}

// The old selection's index would name an object of the new track that nobody chose.
void ShowOpenDialog(editor::EditorHost& host) {
    const std::string path = host.ChooseFileToOpen(TrackFileDialog("Open", ""));
    frmMain.ShowMode(MODE_EDIT);
    if (path.empty() || !LoadTrack(path)) return;
    gTrackFileName = path;
    gHasSelection = false;
    selection::ShowSelection();
    UnsavedChanges::KeepAsItStands();
}

}  // namespace FileIO
