#include "game/LevelStructure.h"

#include <filesystem>

#include "game/DebugLog.h"
#include "game/SaveProblem.h"
#include "shared/BinaryFile.h"
#include "shared/TrackCodec.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"

int32_t gLevelCount = 0;
std::array<int16_t, 7> gZoneAllStars{};
std::vector<LevelIndexEntry> gLevelIndex;
int32_t gLevelDataStart = 0;
std::vector<LevelRecord> gLevelRecords;
std::vector<bool> gLevelAllStars;

namespace LevelStructure {
namespace {

std::vector<size_t> gLevelBlockStarts;  // levels 1..gLevelCount; index 0 unused

// One message box and one log line for a levels.dat the game cannot use.
bool Refuse(const std::string& what) {
    VeloRuneDebug::WriteDebugLine("levels.dat could not be loaded: " + what);
    platform::MessageBox("The level file " + LevelsFilePath() + " cannot be used: " + what +
                             ".\nThe game will now close.",
                         "Velorune");
    return false;
}

// The file's bytes, or a refusal when it is missing or empty.
bool ReadFile(std::vector<uint8_t>& bytes) {
    auto data = BinaryFile::ReadAll(LevelsFilePath());
    if (!data) return Refuse("the file is missing or cannot be read");
    if (data->empty()) return Refuse("the file is empty");
    bytes = std::move(*data);
    return true;
}

void TakeHeader(const TrackCodec::LevelsFile& file) {
    gLevelCount = static_cast<int32_t>(file.Index.size());
    for (size_t zone = 1; zone <= 6; ++zone) gZoneAllStars[zone] = file.ZoneAllStars[zone - 1];
    gLevelIndex.assign(1, LevelIndexEntry{});
    gLevelIndex.insert(gLevelIndex.end(), file.Index.begin(), file.Index.end());
    gLevelDataStart = gLevelCount * 8 + 4 + 12 + 1;
}

// A wrong index would send the in-place writes to the wrong bytes; they use the real starts.
void LogIndexMismatches(const TrackCodec::LevelsFile& file) {
    const size_t dataStart = TrackCodec::kLevelsHeaderSize + file.Index.size() * TrackCodec::kLevelIndexEntrySize;
    for (size_t i = 0; i < file.Index.size(); ++i) {
        const int64_t indexed = static_cast<int64_t>(dataStart) + file.Index[i].Offset;
        if (indexed != static_cast<int64_t>(file.BlockStarts[i]))
            VeloRuneDebug::WriteDebugLine("levels.dat: the index puts level " + std::to_string(i + 1) + " at byte " +
                                          std::to_string(indexed) + " but its block starts at byte " +
                                          std::to_string(file.BlockStarts[i]) + "; best times are written there");
    }
}

}  // namespace

std::string LevelsFilePath() { return platform::ProgramPath("levels.dat"); }

bool ReadLevelHeader() {
    std::vector<uint8_t> bytes;
    if (!ReadFile(bytes)) return false;
    TrackCodec::ByteReader in(bytes);
    TrackCodec::LevelsFile file;
    std::string error;
    if (!TrackCodec::ReadLevelsHeader(in, file, error)) return Refuse(error);
    TakeHeader(file);
    return true;
}

bool LoadLevels() {
    std::vector<uint8_t> bytes;
    if (!ReadFile(bytes)) return false;
    TrackCodec::LevelsFile file;
    std::string error;
    if (!TrackCodec::ReadLevelsFile(bytes, file, error)) return Refuse(error);

    TakeHeader(file);
    LogIndexMismatches(file);
    gLevelRecords.assign(1, LevelRecord{});
    gLevelAllStars.assign(1, false);
    gLevelBlockStarts.assign(1, 0);
    for (size_t i = 0; i < file.Levels.size(); ++i) {
        TrackCodec::TrackFile& track = file.Levels[i];
        track.Level.Settings.Gravity = TrackCodec::GravityFromFile(track.Level.Settings.Gravity);
        gLevelRecords.push_back(std::move(track.Level));
        gLevelAllStars.push_back(IsStoredTrue(track.AllStarsFlag));
        gLevelBlockStarts.push_back(file.BlockStarts[i]);
    }
    return true;
}

size_t LevelBlockStart(int32_t level) { return gLevelBlockStarts.at(static_cast<size_t>(level)); }

bool WriteInPlace(size_t offset, const std::vector<uint8_t>& bytes, const std::string& what) {
    const std::string path = LevelsFilePath();
    // Never created: a levels.dat that vanished must not come back as a scrap of bytes.
    std::string reason;
    if (BinaryFile::WriteAt(path, offset, bytes.data(), bytes.size(), &reason)) return true;
    SaveProblem::Report(path, what, reason);
    return false;
}

}  // namespace LevelStructure
