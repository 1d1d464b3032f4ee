#include "game/LevelStructure.h"

#include <cerrno>
#include <new>
#include <utility>

#include "game/DebugLog.h"
#include "game/OptionsFile.h"
#include "game/SaveProblem.h"
#include "shared/BinaryFile.h"
#include "shared/TrackCodec.h"
#include "platform/EndSignals.h"
#include "platform/MemoryRoom.h"
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

// The box a refusal shows once levels.dat is let go: a player who is told may move or
// replace the file while the box is up.
std::string gRefusalBox;

// One message box and one log line for a levels.dat the game cannot use; a load that an end
// signal stopped is only logged as such (no box shows once an end is asked).
bool Refuse(const std::string& what) {
    const std::string why = platform::EndRequested() ? "the game was asked to end" : what;
    VeloRuneDebug::WriteDebugLine("levels.dat could not be loaded: " + why);
    gRefusalBox = "The level file " + LevelsFilePath() + " cannot be used: " + what + ".\nThe game will now close.";
    return false;
}

// levels.dat opened for reading, or a refusal when it is missing, empty or not a file.
bool Open(BinaryFile::InputFile& file) {
    if (!file.IsOpen())
        return Refuse(file.Error() == ENOENT ? "the file is missing" : "the file cannot be read (" + file.Failure() + ")");
    if (file.Size() == 0) return Refuse("the file is empty");
    return true;
}

// The file a piece at a time, until the game is asked to end: a long load then stops at its
// next piece instead of holding the end up.
TrackCodec::ByteReader::Fetch From(BinaryFile::InputFile& file) {
    return [&file](uint64_t offset, uint8_t* into, size_t count) {
        return platform::EndRequested() ? 0 : file.ReadAt(offset, into, count);
    };
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

// A read of levels.dat, which opens and closes the file itself; a refusal is told once the file
// is closed. Levels that do not fit in memory are refused like a damaged file; what was read of
// them is let go before the player is told. Only a load that the counts showed to fit gets
// that far.
template <class Read>
bool ReadOrRefuse(Read read) {
    bool done = false;
    try {
        done = read();
    } catch (const std::bad_alloc&) {
        done = Refuse("there is not enough memory to hold its levels");
    }
    if (!gRefusalBox.empty()) platform::MessageBox(std::exchange(gRefusalBox, {}), "Velorune");
    return done;
}

// What a string of length letters takes beyond itself: short ones are held inside it.
uint64_t TextBytes(size_t length) { return length < sizeof(std::string) / 2 ? 0 : platform::HeapBytes(length + 1); }

// The bytes the game holds for a level of this shape: the level's record with the arrays and
// names it owns, its index entry (read, and kept), block start and play statistics.
uint64_t LevelBytes(const TrackCodec::TrackFile& shape) {
    const LevelRecord& r = shape.Level;
    const auto array = [](int32_t upperBound, size_t size) {
        return platform::HeapBytes((static_cast<uint64_t>(upperBound) + 1) * size);
    };
    uint64_t bytes = sizeof(LevelRecord) + 2 * sizeof(LevelIndexEntry) + sizeof(size_t) + sizeof(LevelStatsRecord);
    bytes += array(r.BlockCount, sizeof(BlockRecord)) + array(r.PlatformCount, sizeof(MovingPlatformRecord)) +
             array(r.RampCount, sizeof(RampRecord)) + array(r.StarCount, sizeof(StarRecord));
    bytes += platform::HeapBytes(r.TextureNames.size() * sizeof(std::string)) + TextBytes(r.BackgroundFile.size());
    for (const std::string& name : r.TextureNames) bytes += TextBytes(name.size());
    for (int place = 1; place <= 3; ++place) bytes += TextBytes(r.BestTimes.Name(place).size());
    return bytes;
}

// What the smallest level takes: one texture name, one block.
uint64_t LeastLevelBytes() {
    TrackCodec::TrackFile smallest;
    smallest.Level.TextureNames = {std::string()};
    smallest.Level.BlockCount = 0;
    return LevelBytes(smallest);
}

// Whether memory holds every level the file declares, told by the counts of each, which are
// walked before any record is read and no further than memory could hold: false, after a
// refusal by name, when it does not or when the walk finds the levels damaged.
bool RoomForLevels(BinaryFile::InputFile& levels) {
    TrackCodec::LevelsReader walk(From(levels), levels.Size());
    TrackCodec::LevelsFile head;
    std::string error;
    if (!walk.ReadHead(head, error)) return RefuseRead(levels, error);
    const uint64_t room = platform::MemoryRoom(), least = LeastLevelBytes();
    uint64_t need = static_cast<uint64_t>(walk.Count()) * least;
    TrackCodec::TrackFile shape;
    for (int32_t level = 1; level <= walk.Count() && need <= room; ++level) {
        if (!walk.ReadLevelShape(shape, error)) return RefuseRead(levels, error);
        need += LevelBytes(shape) - least;
    }
    if (need <= room) return true;
    return Refuse("there is not enough memory to hold its " + std::to_string(walk.Count()) +
                  " levels, which need more than the " + platform::Megabytes(room) + " the game has left");
}

// A wrong index would send the in-place writes to the wrong bytes; they use the real starts.
void LogIndexMismatches(const std::vector<LevelIndexEntry>& index, const std::vector<size_t>& blockStarts) {
    const size_t dataStart = TrackCodec::kLevelsHeaderSize + index.size() * TrackCodec::kLevelIndexEntrySize;
    for (size_t i = 0; i < index.size(); ++i) {
        const int64_t indexed = static_cast<int64_t>(dataStart) + index[i].Offset;
        if (indexed != static_cast<int64_t>(blockStarts[i + 1]))
            VeloRuneDebug::WriteDebugLine("levels.dat: the index puts level " + std::to_string(i + 1) + " at byte " +
                                          std::to_string(indexed) + " but its block starts at byte " +
                                          std::to_string(blockStarts[i + 1]) + "; best times are written there");
    }
}

}  // namespace

std::string LevelsFilePath() { return platform::ProgramPath("levels.dat"); }

// Only the header and the index are read.
bool ReadLevelHeader() {
    return ReadOrRefuse([] {
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

// The file is read once its counts have shown that memory holds it, as far as its last level,
// a piece at a time, each level straight into its record; the variables change only once all
// of it is in memory.
bool LoadLevels() {
    return ReadOrRefuse([] {
        BinaryFile::InputFile levels(LevelsFilePath());
        if (!Open(levels) || !RoomForLevels(levels)) return false;
        TrackCodec::LevelsReader in(From(levels), levels.Size());
        TrackCodec::LevelsFile file;
        std::string error;
        if (!in.ReadHead(file, error)) return RefuseRead(levels, error);
        const size_t count = static_cast<size_t>(in.Count()) + 1;
        std::vector<LevelRecord> records(1);
        std::vector<bool> allStars(1, false);
        std::vector<size_t> blockStarts(1, 0);
        records.reserve(count);
        allStars.reserve(count);
        blockStarts.reserve(count);
        TrackCodec::TrackFile track;
        for (int32_t level = 1; level <= in.Count(); ++level) {
            if (!in.ReadLevel(track, error)) return RefuseRead(levels, error);
            track.Level.Settings.Gravity = TrackCodec::GravityFromFile(track.Level.Settings.Gravity);
            records.push_back(std::move(track.Level));
            allStars.push_back(IsStoredTrue(track.AllStarsFlag));
            blockStarts.push_back(in.BlockStart());
        }
        if (!in.ReadIndex(file, error)) return RefuseRead(levels, error);
        LogIndexMismatches(file.Index, blockStarts);
        TakeHeader(HeaderOf(file));
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
