#include "editor/UnsavedChanges.h"

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"

std::vector<uint8_t> gKeptTrack;

namespace UnsavedChanges {

std::vector<uint8_t> EditedTrack() {
    if (gEditorMode == MODE_PLAY && !gSnapshot.empty()) return gSnapshot;
    return FileIO::SavedBytes();
}

void KeepAsItStands() { gKeptTrack = EditedTrack(); }

void Kept(const std::vector<uint8_t>& written) { gKeptTrack = written; }

bool Exist() { return EditedTrack() != gKeptTrack; }

}  // namespace UnsavedChanges
