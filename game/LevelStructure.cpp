#include "game/LevelStructure.h"

#include <cerrno>
#include <new>

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

// levels.dat opened for reading, or a refusal when it is missing, empty or not a file.
bool Open(BinaryFile::InputFile& file) {
    if (!file.IsOpen())
        return Refuse(file.Error() == ENOENT ? "the file is missing" : "the file cannot be read (" + file.Failure() + ")");
    if (file.Size() == 0) return Refuse("the file is empty");
    return true;
}

TrackCodec::ByteReader::Fetch From(BinaryFile::InputFile& file) {
    return [&file](uint64_t offset, uint8_t* into, size_t count) { return file.ReadAt(offset, into, count); };
}

// A read that failed is told as such, not as the damage it would look like.
bool RefuseRead(const BinaryFile::InputFile& file, const std::string& error) {
    return Refuse(file.Failure().empty() ? error : "the file cannot be read (" + file.Failure() + ")");
}

// The header's variables as the file holds them, made before any of them changes.
struct Header {
    std::array<int16_t, 7> zones{};
    std::vector<LevelIndexEntry> index;  // index 0 unused
};

Header HeaderOf(const TrackCodec::LevelsFile& file) {
    Header header;
    for (size_t zone = 1; zone <= 6; ++zone) header.zones[zone] = file.ZoneAllStars[zone - 1];
    header.index.reserve(file.Index.size() + 1);
    header.index.push_back({});
    header.index.insert(header.index.end(), file.Index.begin(), file.Index.end());
    return header;
}

void TakeHeader(Header&& header) {
    gLevelCount = static_cast<int32_t>(header.index.size() - 1);
    gZoneAllStars = header.zones;
    gLevelIndex = std::move(header.index);
    gLevelDataStart = gLevelCount * 8 + 4 + 12 + 1;
}

// Levels that do not fit in memory are refused like a damaged file; what was read of them is
// let go before the player is told.
template <class Read>
bool WithinMemory(Read read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
    }
    return Refuse("there is not enough memory to hold its levels");
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

// Only the header and the index are read.
bool ReadLevelHeader() {
    return WithinMemory([] {
        BinaryFile::InputFile levels(LevelsFilePath());
        if (!Open(levels)) return false;
        TrackCodec::ByteReader in(From(levels), levels.Size());
        TrackCodec::LevelsFile file;
        std::string error;
        if (!TrackCodec::ReadLevelsHeader(in, file, error)) return RefuseRead(levels, error);
        TakeHeader(HeaderOf(file));
        return true;
    });
}

// The file is read once, as far as its last level, a piece at a time; the variables change
// only once all of it is in memory.
bool LoadLevels() {
    return WithinMemory([] {
        BinaryFile::InputFile levels(LevelsFilePath());
        if (!Open(levels)) return false;
        TrackCodec::LevelsFile file;
        std::string error;
        if (!TrackCodec::ReadLevelsFile(From(levels), levels.Size(), file, error)) return RefuseRead(levels, error);
        std::vector<LevelRecord> records(1);
        std::vector<bool> allStars(1, false);
        std::vector<size_t> blockStarts(1, 0);
        records.reserve(file.Levels.size() + 1);
        for (size_t i = 0; i < file.Levels.size(); ++i) {
            TrackCodec::TrackFile& track = file.Levels[i];
            track.Level.Settings.Gravity = TrackCodec::GravityFromFile(track.Level.Settings.Gravity);
            records.push_back(std::move(track.Level));
            allStars.push_back(IsStoredTrue(track.AllStarsFlag));
            blockStarts.push_back(file.BlockStarts[i]);
        }
        Header header = HeaderOf(file);
        LogIndexMismatches(file);
        TakeHeader(std::move(header));
        gLevelRecords = std::move(records);
        gLevelAllStars = std::move(allStars);
        gLevelBlockStarts = std::move(blockStarts);
        return true;
    });
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
