// options.dat (the player's settings) and stats.dat (play statistics), both beside the program.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/SaveProblem.h"

struct GameOptions {  // 12 bytes on disk
    int32_t MusicVolume = 100;  // 0..100, 0 = music off
    int32_t SfxVolume = 0;      // hundredths of a decibel, -2000..0, -2000 = effects off
    int32_t VideoMode = 1;      // 1 = 800 x 600, 2 = 1024 x 768
};

struct LevelStatsRecord {  // 16 bytes on disk
    int32_t PlayTime = 0;  // milliseconds
    int32_t DeathCount = 0;
    int32_t FallCount = 0;
    int32_t JumpCount = 0;
};

extern GameOptions gOptions;
extern int32_t gTotalPlayTime;
extern std::vector<LevelStatsRecord> gLevelStats;  // index 0 unused: levels are 1..n
extern int32_t gDeathCount;
extern int32_t gFallCount;
extern int32_t gJumpCount;

namespace optionsDat {
// Reads the 12 bytes of options.dat, whatever its size; a missing, short or unusable one is
// written at once.
void LoadOptions();
// Writes gOptions, unless options.dat holds them already (as loaded or last saved).
void SaveOptions();
// options.dat as the game saves into it.
SaveProblem::SavedFile Saved();
}  // namespace optionsDat

namespace stats {
// Reads stats.dat for levelCount levels, no further, whatever its size; fields beyond a short
// file's end read as zero. A missing file is created at once, all zero.
void LoadStats(int32_t levelCount);
void SaveStats();
// stats.dat as the game saves into it, for the levels loaded.
SaveProblem::SavedFile Saved();
// count + added, held to the range of a Long: a file from an earlier life, or a damaged one,
// may hold counts near the limit.
int32_t SaturatingSum(int32_t count, int64_t added);
// Adds the attempt's deaths, falls, jumps and play time to the level's record and the play
// time to the total, each sum saturating.
void BookAttempt(int32_t level, uint32_t elapsedMs);
void ResetSessionCounters();
std::string FormatTime(int32_t ms);
}  // namespace stats
