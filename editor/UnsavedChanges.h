// Whether the edited track has changes that no file holds: anything that alters what a save
// writes (inserts, pastes, cuts, deletes, moves, resizes, panel edits, painting, the
// background, the gravity), measured against what it was last made new, opened or saved as.
// Selecting, the camera and what a test run does are no change.
#pragma once
#include <cstdint>
#include <vector>

extern std::vector<uint8_t> gKeptTrack;  // the track's bytes when it was last made new, opened or saved

namespace UnsavedChanges {

// What a save of the edited track writes now: in play mode the snapshot the run started from.
std::vector<uint8_t> EditedTrack();
// The track as it stands is the one kept: after New and a successful Open.
void KeepAsItStands();
// A save wrote these bytes of the edited track.
void Kept(const std::vector<uint8_t>& written);
// True when a save now would write something else than the track last kept.
bool Exist();

}  // namespace UnsavedChanges
