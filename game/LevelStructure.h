// levels.dat, the game's levels: read at start-up, as far as its last level, into
// gLevelRecords; afterwards only a level's best times, its all-stars flag and the zone flags
// are written back, in place.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackRecords.h"

// The Booleans of levels.dat are Integers; only True, -1, counts as set (a stored 1 does not).
constexpr int16_t kStoredTrue = -1;
inline bool IsStoredTrue(int16_t flag) { return flag == kStoredTrue; }

extern int32_t gLevelCount;
extern std::array<int16_t, 7> gZoneAllStars;      // zones 1..6 as stored; index 0 unused
extern std::vector<LevelIndexEntry> gLevelIndex;  // levels 1..gLevelCount; index 0 unused
extern int32_t gLevelDataStart;                   // 1-based position of level 1's version byte
extern std::vector<LevelRecord> gLevelRecords;    // levels 1..gLevelCount; index 0 unused; gravity per step
extern std::vector<bool> gLevelAllStars;          // levels 1..gLevelCount, set when stored True; index 0 unused

namespace LevelStructure {

// Program folder + "/levels.dat".
std::string LevelsFilePath();

// Reads the level count, the six zone flags and the index into the variables above and sets
// gLevelDataStart. Returns false, after one message box naming the file and what is wrong
// and a line in the debug log, when levels.dat is missing or its header is damaged; the
// variables are then left as they were, and start-up should end the game.
bool ReadLevelHeader();

// Reads every level of levels.dat into gLevelRecords and gLevelAllStars (and the header, as
// ReadLevelHeader). Returns false, after one message box and a log line, when the file is
// missing, truncated, holds impossible counts or more levels than memory holds; nothing is
// changed then, and start-up should end the game cleanly.
bool LoadLevels();

// 0-based byte offset of level's version byte in levels.dat, as found while reading it (the
// index's Offset is not trusted for the in-place writes).
size_t LevelBlockStart(int32_t level);

// Writes bytes at a 0-based offset of the existing levels.dat, changing no other byte and
// never creating the file. False when the write fails: the debug log names what and why, and
// the first failure of the session is told to the player; the caller keeps its change in memory.
bool WriteInPlace(size_t offset, const std::vector<uint8_t>& bytes, const std::string& what);

}  // namespace LevelStructure
