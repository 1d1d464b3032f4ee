// Track files: the edited track saved as a version-4 track file and track files of versions
// 0 to 4 (and later) read back into the track's objects, with the Open and Save dialogs.
// Saving and loading work without dialogs too, for play mode's snapshot.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"
#include "shared/TrackRecords.h"

class clsblock;
class clsMovingPlatform;
class clsRamp;
class clsStar;

namespace editor {
class EditorHost;
}

extern std::string gTrackFileName;             // the file Save Track writes to; "" for none yet
extern BestTimes gBestTimes;                   // the track's best-time table, carried as read
extern int16_t gTrackAllStars;                 // the file's all-stars flag, carried as read
extern std::vector<std::string> gTextureNames;  // the texture table of the last save or load
extern int16_t gTextureCount;                  // its upper bound, -1 for none
// The snapshot the test run started from, as written to tmp.trk; empty outside play mode's
// runs. Restarts, Edit Mode and Save in play mode take it from here, not from the file, which
// another editor started in the same folder may have written over since.
extern std::vector<uint8_t> gSnapshot;

namespace FileIO {

// The distinct texture names of the track's faces in the order of first use: blocks A to D,
// then platforms A to D, then ramps slope and sides; stars have none. Names match only
// exactly (case counts).
std::vector<std::string> BuildTextureList();

// The file a save of the track's objects writes now, made from copies: nothing changes.
TrackCodec::TrackFile TrackAsSaved();
// The same without the texture table and the objects' records: the track's own items.
TrackCodec::TrackFile TrackAsSavedWithoutObjects();
// The record a save writes for the object, its faces as indexes of names, which holds the
// name of every face.
BlockRecord RecordOf(const clsblock& block, const std::vector<std::string>& names);
MovingPlatformRecord RecordOf(const clsMovingPlatform& platform, const std::vector<std::string>& names);
RampRecord RecordOf(const clsRamp& ramp, const std::vector<std::string>& names);
StarRecord RecordOf(const clsStar& star, const std::vector<std::string>& names);
// Its bytes.
std::vector<uint8_t> SavedBytes();

// Writes the track to path as a version-4 track file. The file is written whole beside the
// target and then put in its place, so a failed save leaves any old file as it was and the
// track unchanged; a read-only file stays as it is. Where path is a symbolic link, the file
// it leads to is the target, in its own folder, and the link stays. A track without blocks
// is refused.
// Failures are shown in a message box, with the system's reason.
// On success the best-time names read "No Record", the all-stars flag is 0 and the texture
// table is the one saved.
bool SaveTrack(const std::string& path);

// The file the snapshot is written to: the program folder's tmp.trk.
std::string SnapshotFile();
// Saves the track to the snapshot file (as SaveTrack, but a link at its name is replaced, not
// written through) and holds what it wrote in gSnapshot.
bool SaveSnapshot();
// Rebuilds the track from gSnapshot; false, with the track as it stands, when none is held.
bool LoadSnapshot();
// Lets go of gSnapshot and its memory: the run it was for has ended.
void DropSnapshot();
// Saves the track being edited: in edit mode its objects (SaveTrack); in play mode the
// snapshot the run started from, since the run moves blocks and hides stars, and leaving play
// mode brings the snapshot back. Written whole, as SaveTrack writes; failures are shown. What
// it wrote is what the track holds no unsaved changes against.
bool SaveEditedTrack(const std::string& path);

// Reads the track file at path, no further than its track goes, and rebuilds the track from
// it as it reads. A file that is not a well-formed track of its version, or whose track
// memory cannot hold (told by its counts before its records are read), is refused with a
// message naming the file and the reason, and the track stays as it was. Files older than
// version 4 are announced, and values the track cannot keep as the file held them are told,
// once the file is closed. The gravity menu marks the loaded gravity.
bool LoadTrack(const std::string& path);

// Sets the six times of gBestTimes to 0: a new track, or one read from a file without times,
// has none, and a save writes none.
void ClearBestTimes();

// The Save File dialog; on OK saves and, when that worked, remembers the file. True when the
// track was saved.
bool ShowSaveDialog(editor::EditorHost& host);
// The Open dialog; on OK loads and, when that worked, remembers the file, with nothing of the
// new track selected. Chosen or not, the editor is in edit mode afterwards.
void ShowOpenDialog(editor::EditorHost& host);

}  // namespace FileIO
