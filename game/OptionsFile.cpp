#include "game/OptionsFile.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "game/SaveProblem.h"
#include "shared/BinaryFile.h"
#include "platform/Paths.h"

GameOptions gOptions;
int32_t gTotalPlayTime = 0;
std::vector<LevelStatsRecord> gLevelStats(1);
int32_t gDeathCount = 0;
int32_t gFallCount = 0;
int32_t gJumpCount = 0;

namespace {

constexpr size_t kOptionsBytes = 12;
constexpr size_t kStatsRecordBytes = 16;

std::string OptionsPath() { return platform::ProgramPath("options.dat"); }
std::string StatsPath() { return platform::ProgramPath("stats.dat"); }

// Only the bytes the game uses are written; whatever a file holds beyond them stays on disk,
// neither read nor copied.
bool Save(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& what) {
    std::string reason;
    if (BinaryFile::ReplaceStart(path, bytes, &reason)) return true;
    SaveProblem::Report(path, what, reason);
    return false;
}

// A file start-up writes for itself: the player has changed nothing.
void SaveAtStartUp(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string reason;
    if (!BinaryFile::ReplaceStart(path, bytes, &reason)) SaveProblem::ReportAtStartUp(path, reason);
}

std::vector<uint8_t> OptionsBytes(const GameOptions& options) {
    std::vector<uint8_t> bytes(kOptionsBytes);
    BinaryFile::PutInt32(bytes.data(), options.MusicVolume);
    BinaryFile::PutInt32(bytes.data() + 4, options.SfxVolume);
    BinaryFile::PutInt32(bytes.data() + 8, options.VideoMode);
    return bytes;
}

// What options.dat holds as far as the game knows: what start-up found or put there, then
// every save. Saving the same values again leaves the file alone.
struct StoredOptions {
    std::string path;
    std::vector<uint8_t> bytes;
};
StoredOptions gStoredOptions;

}  // namespace

namespace optionsDat {

void LoadOptions() {
    const std::string path = OptionsPath();
    const auto file = BinaryFile::ReadStart(path, kOptionsBytes);
    GameOptions read;  // the defaults
    if (file && file->size() >= kOptionsBytes) {
        read.MusicVolume = std::clamp(BinaryFile::GetInt32(file->data()), 0, 100);
        read.SfxVolume = std::clamp(BinaryFile::GetInt32(file->data() + 4), -2000, 0);
        read.VideoMode = BinaryFile::GetInt32(file->data() + 8);
        // Without a usable mode the game could never start: fall back to 800 x 600.
        if (read.VideoMode != 1 && read.VideoMode != 2) read.VideoMode = 1;
    }
    gOptions = read;
    const std::vector<uint8_t> bytes = OptionsBytes(gOptions);
    gStoredOptions = {path, bytes};
    // A missing, short or unusable file is made whole at once.
    const bool usable = file && file->size() >= kOptionsBytes && std::equal(bytes.begin(), bytes.end(), file->begin());
    if (!usable) SaveAtStartUp(path, bytes);
}

void SaveOptions() {
    const std::string path = OptionsPath();
    const std::vector<uint8_t> bytes = OptionsBytes(gOptions);
    if (path == gStoredOptions.path && bytes == gStoredOptions.bytes) return;
    if (Save(path, bytes, "your settings")) gStoredOptions = {path, bytes};
}

SaveProblem::SavedFile Saved() { return {OptionsPath(), "settings", kOptionsBytes}; }

}  // namespace optionsDat

namespace stats {
namespace {

std::vector<uint8_t> StatsBytes() {
    std::vector<uint8_t> bytes(4 + kStatsRecordBytes * (gLevelStats.size() - 1));
    BinaryFile::PutInt32(bytes.data(), gTotalPlayTime);
    for (size_t i = 1; i < gLevelStats.size(); ++i) {
        uint8_t* p = bytes.data() + 4 + kStatsRecordBytes * (i - 1);
        BinaryFile::PutInt32(p, gLevelStats[i].PlayTime);
        BinaryFile::PutInt32(p + 4, gLevelStats[i].DeathCount);
        BinaryFile::PutInt32(p + 8, gLevelStats[i].FallCount);
        BinaryFile::PutInt32(p + 12, gLevelStats[i].JumpCount);
    }
    return bytes;
}

}  // namespace

void LoadStats(int32_t levelCount) {
    gTotalPlayTime = 0;
    gLevelStats.assign(static_cast<size_t>(std::max(levelCount, 0)) + 1, LevelStatsRecord{});
    const auto bytes = BinaryFile::ReadStart(StatsPath(), 4 + kStatsRecordBytes * (gLevelStats.size() - 1));
    if (!bytes) {
        // A missing file starts out all zero, at its full size, from the first start on.
        std::error_code ec;
        if (!std::filesystem::exists(StatsPath(), ec) && !ec) SaveAtStartUp(StatsPath(), StatsBytes());
        return;
    }
    const std::vector<uint8_t>& b = *bytes;
    if (b.size() >= 4) gTotalPlayTime = BinaryFile::GetInt32(b.data());
    for (int32_t i = 1; i <= levelCount; ++i) {
        const size_t at = 4 + kStatsRecordBytes * static_cast<size_t>(i - 1);
        auto field = [&](size_t k) -> int32_t {
            return at + 4 * k + 4 <= b.size() ? BinaryFile::GetInt32(b.data() + at + 4 * k) : 0;
        };
        gLevelStats[i] = {field(0), field(1), field(2), field(3)};
    }
}

void SaveStats() { Save(StatsPath(), StatsBytes(), "the play statistics"); }

SaveProblem::SavedFile Saved() { return {StatsPath(), "play statistics", StatsBytes().size()}; }

int32_t SaturatingSum(int32_t count, int64_t added) {
    const int64_t sum = int64_t{count} + added;
    return static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void BookAttempt(int32_t level, uint32_t elapsedMs) {
    if (level >= 1 && level < static_cast<int32_t>(gLevelStats.size())) {
        LevelStatsRecord& record = gLevelStats[static_cast<size_t>(level)];
        record.DeathCount = SaturatingSum(record.DeathCount, gDeathCount);
        record.FallCount = SaturatingSum(record.FallCount, gFallCount);
        record.JumpCount = SaturatingSum(record.JumpCount, gJumpCount);
        record.PlayTime = SaturatingSum(record.PlayTime, elapsedMs);
    }
    gTotalPlayTime = SaturatingSum(gTotalPlayTime, elapsedMs);
}

void ResetSessionCounters() {
    gDeathCount = 0;
    gFallCount = 0;
    gJumpCount = 0;
}

std::string FormatTime(int32_t ms) {
    const int32_t s = ms / 1000;
    const int32_t r = s % 60;
    return std::to_string(s / 60) + ":" + (r < 10 ? "0" : "") + std::to_string(r);
}

}  // namespace stats
