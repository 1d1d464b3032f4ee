#include "shared/TrackCodec.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace TrackCodec {

// ---- ByteReader ----

namespace {

// A piece fetched at a time: large enough that a file is read in few calls, small enough
// that what a read fetches beyond the layout's end costs nothing.
constexpr size_t kPieceSize = 64 * 1024;

}  // namespace

bool ByteReader::Take(size_t n) {
    if (failed_ || n > size_ - pos_ || (pos_ + n > windowStart_ + windowSize_ && !Fetched(n))) {
        failed_ = true;
        return false;
    }
    return true;
}

// The bytes at hand that the reads have not passed yet move to the piece's start, and the
// rest of the piece is fetched after them: every byte is fetched once, in order.
bool ByteReader::Fetched(size_t n) {
    if (!fetch_) return false;
    const size_t windowEnd = windowStart_ + windowSize_;
    const size_t kept = pos_ < windowEnd ? windowEnd - pos_ : 0;
    if (kept) std::memmove(piece_.data(), piece_.data() + (pos_ - windowStart_), kept);
    windowStart_ = pos_;
    windowSize_ = kept;
    const size_t wanted = std::min(std::max(kPieceSize, n), size_ - pos_);
    if (piece_.size() < wanted) piece_.resize(wanted);
    while (windowSize_ < wanted) {
        const size_t got = fetch_(windowStart_ + windowSize_, piece_.data() + windowSize_, wanted - windowSize_);
        if (got == 0) break;
        windowSize_ += got;
    }
    return windowSize_ >= n;
}

uint8_t ByteReader::U8() {
    if (!Take(1)) return 0;
    const uint8_t v = *Here();
    pos_ += 1;
    return v;
}

uint16_t ByteReader::U16() {
    if (!Take(2)) return 0;
    const uint8_t* p = Here();
    const auto v = static_cast<uint16_t>(p[0] | (p[1] << 8));
    pos_ += 2;
    return v;
}

int16_t ByteReader::I16() { return static_cast<int16_t>(U16()); }

int32_t ByteReader::I32() {
    if (!Take(4)) return 0;
    const uint8_t* p = Here();
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    pos_ += 4;
    return static_cast<int32_t>(v);
}

float ByteReader::F32() { return std::bit_cast<float>(static_cast<uint32_t>(I32())); }

std::string ByteReader::Text(size_t length) {
    if (!Take(length)) return {};
    std::string s(reinterpret_cast<const char*>(Here()), length);
    pos_ += length;
    return s;
}

void ByteReader::Skip(uint64_t count) {
    if (failed_ || count > size_ - pos_) {
        failed_ = true;
        return;
    }
    pos_ += static_cast<size_t>(count);
}

bool ByteReader::Fits(int64_t count, size_t recordSize) const {
    if (failed_ || count < 0) return false;
    return static_cast<uint64_t>(count) <= (size_ - pos_) / recordSize;
}

// ---- ByteWriter ----

void ByteWriter::U16(uint16_t v) {
    out_.push_back(static_cast<uint8_t>(v));
    out_.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::I16(int16_t v) { U16(static_cast<uint16_t>(v)); }

void ByteWriter::I32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<uint8_t>(u >> shift));
}

void ByteWriter::F32(float v) { I32(static_cast<int32_t>(std::bit_cast<uint32_t>(v))); }

void ByteWriter::Text(const std::string& text, size_t length) {
    for (size_t i = 0; i < length; ++i) out_.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : ' ');
}

// ---- Small helpers ----

float GravityFromFile(float stored) { return static_cast<float>(static_cast<double>(stored) / 1000.0 * 2.5); }
// The increment read from the largest gravity a file can hold comes back a hair larger, which
// as a float would be infinite: it is stored as that largest gravity again.
float GravityToFile(float increment) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(static_cast<double>(increment) / 2.5 * 1000.0, -kLargest, kLargest));
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

// ---- Records ----

constexpr size_t kNameLength = 15;

void ReadBestTimes(ByteReader& in, BestTimes& out) {
    for (int place = 1; place <= 3; ++place) out.Name(place) = in.Text(kNameLength);
    for (int place = 1; place <= 3; ++place) out.Seconds(place) = in.I32();
    for (int place = 1; place <= 3; ++place) out.Hundredths(place) = in.I32();
}

void WriteBestTimes(ByteWriter& out, const BestTimes& times) {
    for (int place = 1; place <= 3; ++place) out.Text(times.Name(place), kNameLength);
    for (int place = 1; place <= 3; ++place) out.I32(times.Seconds(place));
    for (int place = 1; place <= 3; ++place) out.I32(times.Hundredths(place));
}

// Blocks, platforms and ramps all begin with their position and their three scales.
template <class Record>
void ReadPlaceAndScales(ByteReader& in, Record& out) {
    for (float* v : {&out.X, &out.Y, &out.Z, &out.ScaleX, &out.ScaleY, &out.ScaleZ}) *v = in.F32();
}

void ReadBlockRecord(ByteReader& in, BlockRecord& out) {
    ReadPlaceAndScales(in, out);
    out.TextureA = in.I16();
    out.TextureB = in.I16();
    out.TextureC = in.I16();
    out.TextureD = in.I16();
    out.ScaleTextureTop = in.U8();
    out.ScaleTextureSide = in.U8();
    out.ActionCode = in.U8();
}

void WriteBlockRecord(ByteWriter& out, const BlockRecord& r) {
    for (float v : {r.X, r.Y, r.Z, r.ScaleX, r.ScaleY, r.ScaleZ}) out.F32(v);
    for (int16_t t : {r.TextureA, r.TextureB, r.TextureC, r.TextureD}) out.I16(t);
    out.U8(r.ScaleTextureTop);
    out.U8(r.ScaleTextureSide);
    out.U8(r.ActionCode);
}

void ReadMovingPlatformRecord(ByteReader& in, MovingPlatformRecord& out) {
    ReadBlockRecord(in, out);
    out.Speed = in.U8();
    out.Direction = in.U8();
    out.Distance = in.U8();
    out.LoopBack = in.U8();
}

void WriteMovingPlatformRecord(ByteWriter& out, const MovingPlatformRecord& r) {
    WriteBlockRecord(out, r);
    out.U8(r.Speed);
    out.U8(r.Direction);
    out.U8(r.Distance);
    out.U8(r.LoopBack);
}

void ReadRampRecord(ByteReader& in, RampRecord& out) {
    ReadPlaceAndScales(in, out);
    out.TextureA = in.I16();
    out.TextureB = in.I16();
    out.Rotation = in.U8();
}

void WriteRampRecord(ByteWriter& out, const RampRecord& r) {
    for (float v : {r.X, r.Y, r.Z, r.ScaleX, r.ScaleY, r.ScaleZ}) out.F32(v);
    out.I16(r.TextureA);
    out.I16(r.TextureB);
    out.U8(r.Rotation);
}

void ReadStarRecord(ByteReader& in, StarRecord& out) {
    out.X = in.F32();
    out.Y = in.F32();
    out.Z = in.F32();
}

void WriteStarRecord(ByteWriter& out, const StarRecord& r) {
    for (float v : {r.X, r.Y, r.Z}) out.F32(v);
}

void ReadTrackSettings(ByteReader& in, TrackSettings& out) {
    out.Gravity = in.F32();
    for (auto& b : out.Reserved) b = in.U8();
}

void WriteTrackSettings(ByteWriter& out, const TrackSettings& s) {
    out.F32(s.Gravity);
    for (uint8_t b : s.Reserved) out.U8(b);
}

void ReadLevelIndexEntry(ByteReader& in, LevelIndexEntry& out) {
    out.Offset = in.I32();
    out.Reserved = in.I32();
}

void WriteLevelIndexEntry(ByteWriter& out, const LevelIndexEntry& e) {
    out.I32(e.Offset);
    out.I32(e.Reserved);
}

// ---- One track ----

namespace {

// Reads an upper bound and its records into items. minimum is -1 for kinds a track may lack,
// 0 for blocks. The count is checked against the bytes that remain before any allocation.
template <typename Record, typename ReadOne>
bool ReadSection(ByteReader& in, const char* kind, int32_t minimum, size_t recordSize, ReadOne readOne,
                 int32_t& count, std::vector<Record>& items, std::string& error) {
    count = in.I32();
    if (in.Failed()) {
        error = std::string("the file ends before the ") + kind + " count";
        return false;
    }
    if (count < minimum) {
        error = std::string("the ") + kind + " count " + std::to_string(count) + " is below " + std::to_string(minimum);
        return false;
    }
    const int64_t n = static_cast<int64_t>(count) + 1;
    if (!in.Fits(n, recordSize)) {
        error = std::string("the ") + kind + " count " + std::to_string(count) + " needs " +
                std::to_string(n * static_cast<int64_t>(recordSize)) + " bytes but only " +
                std::to_string(in.Remaining()) + " remain";
        return false;
    }
    items.assign(static_cast<size_t>(n), Record{});
    for (auto& item : items) readOne(in, item);
    return true;
}

bool TextureIndexValid(int16_t index, int16_t textureCount) { return index >= 0 && index <= textureCount; }

// Every face's texture index must name an entry of the track's texture table.
bool CheckTextureIndexes(const LevelRecord& r, std::string& error) {
    auto bad = [&](const char* kind, size_t i, int16_t index) {
        error = std::string(kind) + " " + std::to_string(i) + " uses texture " + std::to_string(index) +
                " but the texture table holds 0 to " + std::to_string(r.TextureCount);
        return false;
    };
    for (size_t i = 0; i < r.Blocks.size(); ++i)
        for (int16_t t : {r.Blocks[i].TextureA, r.Blocks[i].TextureB, r.Blocks[i].TextureC, r.Blocks[i].TextureD})
            if (!TextureIndexValid(t, r.TextureCount)) return bad("block", i, t);
    for (size_t i = 0; i < r.Platforms.size(); ++i)
        for (int16_t t : {r.Platforms[i].TextureA, r.Platforms[i].TextureB, r.Platforms[i].TextureC,
                          r.Platforms[i].TextureD})
            if (!TextureIndexValid(t, r.TextureCount)) return bad("moving platform", i, t);
    for (size_t i = 0; i < r.Ramps.size(); ++i)
        for (int16_t t : {r.Ramps[i].TextureA, r.Ramps[i].TextureB})
            if (!TextureIndexValid(t, r.TextureCount)) return bad("ramp", i, t);
    return true;
}

constexpr size_t kBackgroundLength = 50;

void MakeFinite(float& value, float replacement) {
    if (!std::isfinite(value)) value = replacement;
}

template <class Record>
void MakePositionFinite(Record& r) {
    for (float* v : {&r.X, &r.Y, &r.Z}) MakeFinite(*v, 0.0f);
}

template <class Record>
void MakePlaceAndSizeFinite(Record& r) {
    MakePositionFinite(r);
    for (float* v : {&r.ScaleX, &r.ScaleY, &r.ScaleZ}) MakeFinite(*v, 1.0f);
}

// A value that is not a number would reach the objects, the collision and a save unchanged.
void ReplaceNonFinite(LevelRecord& r) {
    for (auto& b : r.Blocks) MakePlaceAndSizeFinite(b);
    for (auto& p : r.Platforms) MakePlaceAndSizeFinite(p);
    for (auto& m : r.Ramps) MakePlaceAndSizeFinite(m);
    for (auto& s : r.Stars) MakePositionFinite(s);
    MakeFinite(r.Settings.Gravity, kNormalGravityInFile);
}

}  // namespace

namespace {

// Reads the items after the version byte in the order the layout gives. Items the layout
// lacks keep what out holds.
bool ReadTrackItems(ByteReader& in, const TrackLayout& layout, NonFinite nonFinite, TrackFile& out,
                    std::string& error) {
    LevelRecord& r = out.Level;
    if (layout.BestTimesFirst) ReadBestTimes(in, r.BestTimes);
    if (layout.AllStarsFlag) out.AllStarsFlag = in.I16();
    const int16_t typeWord = in.I16();
    r.TextureCount = in.I16();
    if (in.Failed()) {
        error = "the file ends inside the track's best times or texture count";
        return false;
    }
    if (typeWord != kTextureCountTypeWord) {
        error = "the texture count is marked with type " + std::to_string(typeWord) + " instead of 2";
        return false;
    }
    // Every name takes at least its 2-byte length.
    if (r.TextureCount < 0 || !in.Fits(static_cast<int64_t>(r.TextureCount) + 1, 2)) {
        error = "the texture count " + std::to_string(r.TextureCount) + " is impossible here";
        return false;
    }
    r.TextureNames.assign(static_cast<size_t>(r.TextureCount) + 1, std::string());
    for (auto& name : r.TextureNames) {
        const uint16_t length = in.U16();
        name = in.Text(length);
        if (in.Failed()) {
            error = "the file ends inside the texture names";
            return false;
        }
    }
    r.BackgroundFile = in.Text(kBackgroundLength);
    if (in.Failed()) {
        error = "the file ends inside the background name";
        return false;
    }
    if (!ReadSection(in, "block", 0, kBlockRecordSize, ReadBlockRecord, r.BlockCount, r.Blocks, error) ||
        !ReadSection(in, "moving platform", -1, kMovingPlatformRecordSize, ReadMovingPlatformRecord,
                     r.PlatformCount, r.Platforms, error) ||
        !ReadSection(in, "ramp", -1, kRampRecordSize, ReadRampRecord, r.RampCount, r.Ramps, error) ||
        !ReadSection(in, "star", -1, kStarRecordSize, ReadStarRecord, r.StarCount, r.Stars, error))
        return false;
    ReadTrackSettings(in, r.Settings);
    if (in.Failed()) {
        error = "the file ends inside the track settings";
        return false;
    }
    if (layout.BestTimesLast) {
        ReadBestTimes(in, r.BestTimes);
        if (in.Failed()) {
            error = "the file ends inside the best times after the track settings";
            return false;
        }
    }
    if (!CheckTextureIndexes(r, error)) return false;
    if (nonFinite == NonFinite::Replace) ReplaceNonFinite(r);
    return true;
}

}  // namespace

TrackLayout LayoutOfVersion(uint8_t version) {
    if (version >= kTrackVersion) return {};
    if (version == 3) return {.BestTimesFirst = true, .AllStarsFlag = false, .BestTimesLast = false};
    if (version == 2) return {.BestTimesFirst = false, .AllStarsFlag = false, .BestTimesLast = true};
    return {.BestTimesFirst = false, .AllStarsFlag = false, .BestTimesLast = false};
}

bool ReadTrackFile(ByteReader& in, TrackFile& out, std::string& error) {
    out.Version = in.U8();
    return ReadTrackItems(in, LayoutOfVersion(kTrackVersion), NonFinite::Replace, out, error);
}

bool ReadVersionedTrackFile(ByteReader& in, TrackFile& out, std::string& error, NonFinite nonFinite) {
    out.Version = in.U8();
    if (in.Failed()) {
        error = "the file is empty";
        return false;
    }
    return ReadTrackItems(in, LayoutOfVersion(out.Version), nonFinite, out, error);
}

namespace {

int32_t UpperBound(size_t size) { return static_cast<int32_t>(size) - 1; }

}  // namespace

void WriteTrackFile(ByteWriter& out, const TrackFile& track) {
    const LevelRecord& r = track.Level;
    out.U8(track.Version);
    WriteBestTimes(out, r.BestTimes);
    out.I16(track.AllStarsFlag);
    out.I16(kTextureCountTypeWord);
    out.I16(static_cast<int16_t>(UpperBound(r.TextureNames.size())));
    for (const auto& name : r.TextureNames) {
        out.U16(static_cast<uint16_t>(name.size()));
        out.Text(name, name.size());
    }
    out.Text(r.BackgroundFile, kBackgroundLength);
    out.I32(UpperBound(r.Blocks.size()));
    for (const auto& b : r.Blocks) WriteBlockRecord(out, b);
    out.I32(UpperBound(r.Platforms.size()));
    for (const auto& p : r.Platforms) WriteMovingPlatformRecord(out, p);
    out.I32(UpperBound(r.Ramps.size()));
    for (const auto& m : r.Ramps) WriteRampRecord(out, m);
    out.I32(UpperBound(r.Stars.size()));
    for (const auto& s : r.Stars) WriteStarRecord(out, s);
    WriteTrackSettings(out, r.Settings);
}

size_t TrackFileSize(const TrackFile& track) {
    const LevelRecord& r = track.Level;
    size_t names = 0;
    for (const auto& name : r.TextureNames) names += 2 + name.size();
    return 1 + kBestTimesSize + 2 + 2 + 2 + names + kBackgroundLength + 4 * 4 +
           r.Blocks.size() * kBlockRecordSize + r.Platforms.size() * kMovingPlatformRecordSize +
           r.Ramps.size() * kRampRecordSize + r.Stars.size() * kStarRecordSize + kTrackSettingsSize;
}

// ---- levels.dat ----

namespace {

// The level count and the zone flags, the file's first 16 bytes.
bool ReadCountAndFlags(ByteReader& in, LevelsFile& out, int32_t& levelCount, std::string& error) {
    levelCount = in.I32();
    for (auto& flag : out.ZoneAllStars) flag = in.I16();
    if (in.Failed()) {
        error = "the file is too short for its header";
        return false;
    }
    if (levelCount < 1) {
        error = "the level count " + std::to_string(levelCount) + " is below 1";
        return false;
    }
    if (!in.Fits(levelCount, kLevelIndexEntrySize + kSmallestTrackSize)) {
        error = "the level count " + std::to_string(levelCount) + " is more than the file can hold";
        return false;
    }
    return true;
}

bool ReadIndex(ByteReader& in, int32_t levelCount, LevelsFile& out, std::string& error) {
    out.Index.assign(static_cast<size_t>(levelCount), LevelIndexEntry{});
    for (auto& entry : out.Index) ReadLevelIndexEntry(in, entry);
    if (in.Failed()) error = "the file cannot be read as far as its index goes";
    return !in.Failed();
}

// The level blocks are read before the index, from where the count puts them: a count that
// only a stretch of zeros in the file could hold then fails at its first level, before an
// index of nothing has been read and kept. head and blocks read the same bytes.
bool ReadLevels(ByteReader& head, ByteReader& blocks, LevelsFile& out, std::string& error) {
    int32_t levelCount = 0;
    if (!ReadCountAndFlags(head, out, levelCount, error)) return false;
    blocks.Skip(kLevelsHeaderSize + static_cast<uint64_t>(levelCount) * kLevelIndexEntrySize);
    out.Levels.clear();
    out.BlockStarts.clear();
    for (int32_t level = 1; level <= levelCount; ++level) {
        out.BlockStarts.push_back(blocks.Position());
        TrackFile track;
        std::string why;
        if (!ReadTrackFile(blocks, track, why)) {
            error = "level " + std::to_string(level) + " (at byte " + std::to_string(out.BlockStarts.back()) +
                    "): " + why;
            return false;
        }
        out.Levels.push_back(std::move(track));
    }
    return ReadIndex(head, levelCount, out, error);
}

}  // namespace

bool ReadLevelsHeader(ByteReader& in, LevelsFile& out, std::string& error) {
    int32_t levelCount = 0;
    return ReadCountAndFlags(in, out, levelCount, error) && ReadIndex(in, levelCount, out, error);
}

bool ReadLevelsFile(const std::vector<uint8_t>& bytes, LevelsFile& out, std::string& error) {
    ByteReader head(bytes), blocks(bytes);
    return ReadLevels(head, blocks, out, error);
}

bool ReadLevelsFile(const ByteReader::Fetch& fetch, uint64_t size, LevelsFile& out, std::string& error) {
    ByteReader head(fetch, size), blocks(fetch, size);
    return ReadLevels(head, blocks, out, error);
}

std::vector<uint8_t> WriteLevelsFile(const std::array<int16_t, 6>& zoneAllStars, const std::vector<TrackFile>& levels) {
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    out.I32(static_cast<int32_t>(levels.size()));
    for (int16_t flag : zoneAllStars) out.I16(flag);
    int64_t offset = 0;
    for (const auto& track : levels) {
        WriteLevelIndexEntry(out, LevelIndexEntry{static_cast<int32_t>(offset), 0});
        offset += static_cast<int64_t>(TrackFileSize(track));
    }
    for (const auto& track : levels) WriteTrackFile(out, track);
    return bytes;
}

}  // namespace TrackCodec
