// The track-file module's state and its two dialogs.
#include "editor/FileIO.h"

#include "editor/EditorGlobals.h"
#include "editor/EditorHost.h"
#include "editor/frmMain.h"
#include "platform/Paths.h"

std::string gTrackFileName;
BestTimes gBestTimes;
int16_t gTrackAllStars = 0;
std::vector<std::string> gTextureNames;
int16_t gTextureCount = -1;

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

void ShowSaveDialog(editor::EditorHost& host) {
    const std::string path = host.ChooseFileToSave(TrackFileDialog("Save File", "bin"));
    if (path.empty()) return;
    if (SaveEditedTrack(path)) gTrackFileName = path;
}

void ShowOpenDialog(editor::EditorHost& host) {
    const std::string path = host.ChooseFileToOpen(TrackFileDialog("Open", ""));
    if (!path.empty() && LoadTrack(path)) gTrackFileName = path;
    frmMain.ShowMode(MODE_EDIT);
}

}  // namespace FileIO
