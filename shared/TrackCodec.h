// The binary layouts of track data: the records, one track (a level block of levels.dat or a
// track file of the editor, both version 4) and the whole levels.dat. Every read is bounds
// checked and every count is checked against the bytes that remain before anything is
// allocated, so a damaged file is refused with a message instead of read as garbage.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shared/TrackRecords.h"

namespace TrackCodec {

// Sizes of the records on disk.
constexpr size_t kBestTimesSize = 69;
constexpr size_t kBlockRecordSize = 35;
constexpr size_t kMovingPlatformRecordSize = 39;
constexpr size_t kRampRecordSize = 29;
constexpr size_t kStarRecordSize = 12;
constexpr size_t kTrackSettingsSize = 24;
constexpr size_t kLevelIndexEntrySize = 8;
constexpr size_t kLevelsHeaderSize = 16;   // level count and six zone flags, before the index
constexpr size_t kAllStarsFlagOffset = 70;  // from a track's version byte
constexpr uint8_t kTrackVersion = 4;
constexpr int16_t kTextureCountTypeWord = 2;  // the texture count is stored as a tagged Integer

// Reads little-endian values from a byte range, in memory or fetched a piece at a time. A read
// past the end sets a sticky failure, returns zero, and every later read fails too.
class ByteReader {
public:
    // Copies up to count bytes of the source, from offset on, into into; fewer only at the
    // source's end or when it cannot be read.
    using Fetch = std::function<size_t(uint64_t offset, uint8_t* into, size_t count)>;

    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size), windowSize_(size) {}
    explicit ByteReader(const std::vector<uint8_t>& bytes) : ByteReader(bytes.data(), bytes.size()) {}
    // The reader keeps no copy: bytes that would go at the end of the statement are refused.
    explicit ByteReader(std::vector<uint8_t>&& bytes) = delete;
    // A source of size bytes: only the pieces the reads reach are fetched, and each is held
    // only until the reads have passed it, so that a file is read no further than its layout
    // goes and never held whole.
    ByteReader(Fetch fetch, uint64_t size) : size_(size), fetch_(std::move(fetch)) {}

    uint8_t U8();
    int16_t I16();
    uint16_t U16();
    int32_t I32();
    float F32();
    std::string Text(size_t length);  // raw bytes, nothing trimmed
    // Moves on by count bytes without reading them.
    void Skip(uint64_t count);

    // True when count records of recordSize bytes fit in what remains (count may be huge).
    bool Fits(int64_t count, size_t recordSize) const;
    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    bool Failed() const { return failed_; }

private:
    // Whether the n bytes from the position on are there to be read at Here().
    bool Take(size_t n);
    bool Fetched(size_t n);
    const uint8_t* Here() const { return (fetch_ ? piece_.data() : data_) + (pos_ - windowStart_); }

    const uint8_t* data_ = nullptr;
    size_t size_;
    size_t pos_ = 0;
    size_t windowStart_ = 0, windowSize_ = 0;  // the bytes at hand: all in memory, or the piece fetched
    bool failed_ = false;
    Fetch fetch_;
    std::vector<uint8_t> piece_;
};

// Appends little-endian values to a byte vector.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
    void U8(uint8_t v) { out_.push_back(v); }
    void I16(int16_t v);
    void U16(uint16_t v);
    void I32(int32_t v);
    void F32(float v);
    // Exactly length bytes: text cut to length or padded with spaces.
    void Text(const std::string& text, size_t length);

private:
    std::vector<uint8_t>& out_;
};

// One version-4 track as stored. Level.Settings.Gravity holds the file's value (400 x the
// per-step fall increment); GravityFromFile turns it into the increment the game plays with.
struct TrackFile {
    uint8_t Version = kTrackVersion;  // levels.dat never tests it; the editor reads older layouts by it
    int16_t AllStarsFlag = 0;
    LevelRecord Level;
};

// levels.dat as stored: the header, the index and every level's track.
struct LevelsFile {
    std::array<int16_t, 6> ZoneAllStars{};  // zone 1 first
    std::vector<LevelIndexEntry> Index;     // level 1 first
    std::vector<TrackFile> Levels;          // level 1 first
    std::vector<size_t> BlockStarts;        // 0-based offset of each level's version byte
};

float GravityFromFile(float stored);    // 10.0 -> 0.025
float GravityToFile(float increment);   // 0.025 -> 10.0
constexpr float kNormalGravityInFile = 10.0f;

// What a read does with the values of a track that are not finite numbers (NaN or infinite).
// Every track that is built is read with Replace: a position becomes 0, where an object stays
// when its setter refuses a position; a size 1, the size of a new object; the gravity the
// normal one. Keep leaves them as the bytes hold them, to tell what a read replaced.
enum class NonFinite { Replace, Keep };

// A texture or background name that stays inside its folder: not empty, not "." or "..",
// no '/' or '\', and no NUL, which would end the name early (one NUL names the folder).
bool IsPlainFileName(const std::string& name);

void ReadBestTimes(ByteReader& in, BestTimes& out);
void WriteBestTimes(ByteWriter& out, const BestTimes& times);
void ReadBlockRecord(ByteReader& in, BlockRecord& out);
void WriteBlockRecord(ByteWriter& out, const BlockRecord& record);
void ReadMovingPlatformRecord(ByteReader& in, MovingPlatformRecord& out);
void WriteMovingPlatformRecord(ByteWriter& out, const MovingPlatformRecord& record);
void ReadRampRecord(ByteReader& in, RampRecord& out);
void WriteRampRecord(ByteWriter& out, const RampRecord& record);
void ReadStarRecord(ByteReader& in, StarRecord& out);
void WriteStarRecord(ByteWriter& out, const StarRecord& record);
void ReadTrackSettings(ByteReader& in, TrackSettings& out);
void WriteTrackSettings(ByteWriter& out, const TrackSettings& settings);
void ReadLevelIndexEntry(ByteReader& in, LevelIndexEntry& out);
void WriteLevelIndexEntry(ByteWriter& out, const LevelIndexEntry& entry);

// The items a track holds besides those every version has, by its version byte: 4 and above
// the version-4 layout; 3 without the all-stars flag; 2 without either before the texture
// table, the best times after the track settings instead; 0 and 1 with neither.
struct TrackLayout {
    bool BestTimesFirst = true;  // right after the version byte
    bool AllStarsFlag = true;    // after the leading best times
    bool BestTimesLast = false;  // after the track settings
};
TrackLayout LayoutOfVersion(uint8_t version);

// Receives a track's records one at a time, as the file stores them, each once its texture
// indexes are found in the track's table: the track's objects can be made as the file is
// read, with no array of records in between.
class RecordSink {
public:
    enum class Kind { Block, Platform, Ramp, Star };
    virtual ~RecordSink() = default;
    // A kind's upper bound, -1 for none, before its first record; every kind has one. The
    // records then come in order, index 0 first, up to the first that cannot be read.
    virtual void Count(Kind kind, int32_t count) = 0;
    virtual void Take(size_t index, const BlockRecord& record) = 0;
    virtual void Take(size_t index, const MovingPlatformRecord& record) = 0;
    virtual void Take(size_t index, const RampRecord& record) = 0;
    virtual void Take(size_t index, const StarRecord& record) = 0;
};

// Reads one track from where in stands, as version 4 whatever its version byte says (the
// game's levels.dat), its values that are not numbers replaced. False with a reason in error
// when the bytes are not a well-formed track: a count out of range or running past the end,
// a texture index outside the texture table.
bool ReadTrackFile(ByteReader& in, TrackFile& out, std::string& error);
// The same for a track file of any version, read by the layout of its version byte (the
// editor's track files). The best times and the all-stars flag that the version lacks keep
// the values out holds.
bool ReadVersionedTrackFile(ByteReader& in, TrackFile& out, std::string& error,
                            NonFinite nonFinite = NonFinite::Replace);
// The same, each record handed to sink instead of kept in out, whose arrays stay empty; all
// values as stored. A false comes after the records read so far have been handed over.
bool ReadVersionedTrackFile(ByteReader& in, TrackFile& out, RecordSink& sink, std::string& error);
// What a track file declares before its records: every item but the records, which are
// passed over unread (so their texture indexes are not checked, and out's arrays stay
// empty), the counts among them. False where ReadVersionedTrackFile finds the counts or the
// file's length wrong, with the same reason.
bool ReadVersionedTrackShape(ByteReader& in, TrackFile& out, std::string& error);
// The same by the version-4 layout, whatever the version byte says, as ReadTrackFile reads.
bool ReadTrackShape(ByteReader& in, TrackFile& out, std::string& error);

// The values of a record that are not finite numbers replaced, as every track that is built
// is read (NonFinite::Replace); the record of a moving platform as that of a block.
void ReplaceNonFinite(BlockRecord& record);
void ReplaceNonFinite(RampRecord& record);
void ReplaceNonFinite(StarRecord& record);
void ReplaceNonFinite(TrackSettings& settings);

// Writes one track; the counts are taken from the sizes of the record's arrays.
void WriteTrackFile(ByteWriter& out, const TrackFile& track);
size_t TrackFileSize(const TrackFile& track);

// The fewest bytes a track can take: one texture name of no letters, one block, no other object.
constexpr size_t kSmallestTrackSize = 203;

// Reads the level count, zone flags and index of levels.dat into out.ZoneAllStars and out.Index.
// A count that the file cannot hold, each level with its index entry and the smallest track,
// is refused before anything is made for it.
bool ReadLevelsHeader(ByteReader& in, LevelsFile& out, std::string& error);
// Reads a whole levels.dat, no further than its last level. False with a reason in error
// (naming the level) when it is damaged.
bool ReadLevelsFile(const std::vector<uint8_t>& bytes, LevelsFile& out, std::string& error);
// The same from a source of size bytes, fetched a piece at a time as it is read.
bool ReadLevelsFile(const ByteReader::Fetch& fetch, uint64_t size, LevelsFile& out, std::string& error);

// levels.dat read in its parts, from a source of size bytes: the level count and zone flags,
// then each level in turn, whole or only its shape, then the index. The levels are read from
// where the count puts them, before the index: a count that only a stretch of zeros in the
// file could hold then fails at its first level, before an index of nothing has been read.
class LevelsReader {
public:
    LevelsReader(const ByteReader::Fetch& fetch, uint64_t size);
    // The reader keeps no copy: bytes that would go at the end of the statement are refused.
    explicit LevelsReader(const std::vector<uint8_t>& bytes);
    explicit LevelsReader(std::vector<uint8_t>&& bytes) = delete;
    // The count (as Count() gives it afterwards) and the zone flags into out.ZoneAllStars.
    bool ReadHead(LevelsFile& out, std::string& error);
    int32_t Count() const { return count_; }
    // The next level, from level 1 on: as ReadTrackFile reads it, or its shape, as
    // ReadTrackShape finds it. The reason of a false names the level and where it starts.
    bool ReadLevel(TrackFile& out, std::string& error);
    bool ReadLevelShape(TrackFile& out, std::string& error);
    // The 0-based offset of the version byte of the level read last.
    size_t BlockStart() const { return blockStart_; }
    // The index into out.Index, once the levels are read.
    bool ReadIndex(LevelsFile& out, std::string& error);

private:
    template <class Read>
    bool Next(Read read, TrackFile& out, std::string& error);

    ByteReader head_, blocks_;
    int32_t count_ = 0, read_ = 0;
    size_t blockStart_ = 0;
};

// Writes levels.dat from its tracks, with the index computed from their sizes.
std::vector<uint8_t> WriteLevelsFile(const std::array<int16_t, 6>& zoneAllStars, const std::vector<TrackFile>& levels);

}  // namespace TrackCodec
