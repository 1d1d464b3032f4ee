// Reaching the finish: the level time, the best-time table and the all-stars flags, kept in
// memory and written in place into levels.dat.
#pragma once
#include <cstdint>
#include <string>

// The record time waiting for its holder's name on the name-entry screen.
extern int32_t gPendingSeconds;
extern int32_t gPendingHundredths;
extern bool gRecordPending;  // a finish produced a record that still waits for its name

namespace frmGame {

// Called by the collision step at the finish: shows the time on the name-entry screen (a
// record) or the level-done screen, marks an all-stars finish and restarts the level.
void Winlevel();
// Sets the level's all-stars flag, and the zone's once every level of the zone has one.
void MarkAllStars();
// Puts a record time into the current level's table and writes the table to levels.dat.
void InsertHighScore(const std::string& PlayerName, int32_t Seconds, int32_t Hundredths);

}  // namespace frmGame
