// One track in the layout of its version: its items in order, its records checked against the
// bytes left and handed to where they are kept; and the track written.
#include "shared/TrackCodec.h"

#include <cmath>

namespace TrackCodec {

namespace {

// A kind of record as a track holds it: after its upper bound, whose least is -1 for kinds a
// track may lack and 0 for blocks.
struct Section {
    const char* kind;
    RecordSink::Kind id;
    int32_t minimum;
    size_t recordSize;
};

constexpr Section kBlocks{"block", RecordSink::Kind::Block, 0, kBlockRecordSize};
constexpr Section kPlatforms{"moving platform", RecordSink::Kind::Platform, -1, kMovingPlatformRecordSize};
constexpr Section kRamps{"ramp", RecordSink::Kind::Ramp, -1, kRampRecordSize};
constexpr Section kStars{"star", RecordSink::Kind::Star, -1, kStarRecordSize};

bool TextureIndexValid(int16_t index, int16_t textureCount) { return index >= 0 && index <= textureCount; }

// Every face's texture index must name an entry of the track's texture table.
bool FacesValid(const BlockRecord& b, int16_t count) {
    return TextureIndexValid(b.TextureA, count) && TextureIndexValid(b.TextureB, count) &&
           TextureIndexValid(b.TextureC, count) && TextureIndexValid(b.TextureD, count);
}
bool FacesValid(const RampRecord& m, int16_t count) {
    return TextureIndexValid(m.TextureA, count) && TextureIndexValid(m.TextureB, count);
}
bool FacesValid(const StarRecord&, int16_t) { return true; }

int16_t FirstInvalidFace(const BlockRecord& b, int16_t count) {
    for (int16_t t : {b.TextureA, b.TextureB, b.TextureC, b.TextureD})
        if (!TextureIndexValid(t, count)) return t;
    return 0;
}
int16_t FirstInvalidFace(const RampRecord& m, int16_t count) {
    return TextureIndexValid(m.TextureA, count) ? m.TextureB : m.TextureA;
}
int16_t FirstInvalidFace(const StarRecord&, int16_t) { return 0; }

// Reads a kind's upper bound and hands its records to sink, up to the first that cannot be
// read; without a sink they are passed over unread. The count is checked against the bytes
// that remain before any record is read.
template <typename Record, typename ReadOne>
bool ReadSection(ByteReader& in, const Section& section, ReadOne readOne, int16_t textureCount, int32_t& count,
                 RecordSink* sink, std::string& error) {
    const std::string kind = section.kind;
    count = in.I32();
    if (in.Failed()) {
        error = "the file ends before the " + kind + " count";
        return false;
    }
    if (count < section.minimum) {
        error = "the " + kind + " count " + std::to_string(count) + " is below " + std::to_string(section.minimum);
        return false;
    }
    const int64_t n = static_cast<int64_t>(count) + 1;
    if (!in.Fits(n, section.recordSize)) {
        error = "the " + kind + " count " + std::to_string(count) + " needs " +
                std::to_string(n * static_cast<int64_t>(section.recordSize)) + " bytes but only " +
                std::to_string(in.Remaining()) + " remain";
        return false;
    }
    if (!sink) {
        in.Skip(static_cast<uint64_t>(n) * section.recordSize);
        return true;
    }
    sink->Count(section.id, count);
    Record record;
    for (size_t i = 0; i < static_cast<size_t>(n); ++i) {
        readOne(in, record);
        // The bytes were there when the count was checked: a read failed, or the fetch was
        // stopped (the program is ending), and nothing further is handed on.
        if (in.Failed()) {
            error = "the file could not be read as far as " + kind + " " + std::to_string(i);
            return false;
        }
        if (!FacesValid(record, textureCount)) {
            error = kind + " " + std::to_string(i) + " uses texture " +
                    std::to_string(FirstInvalidFace(record, textureCount)) + " but the texture table holds 0 to " +
                    std::to_string(textureCount);
            return false;
        }
        sink->Take(i, record);
    }
    return true;
}

// Keeps the records in the track's arrays.
class KeptRecords final : public RecordSink {
public:
    explicit KeptRecords(LevelRecord& r) : r_(r) {}
    void Count(Kind kind, int32_t count) override {
        const size_t n = static_cast<size_t>(count + 1);
        if (kind == Kind::Block) Sized(r_.Blocks, n);
        if (kind == Kind::Platform) Sized(r_.Platforms, n);
        if (kind == Kind::Ramp) Sized(r_.Ramps, n);
        if (kind == Kind::Star) Sized(r_.Stars, n);
    }
    void Take(size_t, const BlockRecord& record) override { r_.Blocks.push_back(record); }
    void Take(size_t, const MovingPlatformRecord& record) override { r_.Platforms.push_back(record); }
    void Take(size_t, const RampRecord& record) override { r_.Ramps.push_back(record); }
    void Take(size_t, const StarRecord& record) override { r_.Stars.push_back(record); }

private:
    template <class Record>
    static void Sized(std::vector<Record>& records, size_t n) {
        records.clear();
        records.reserve(n);
    }

    LevelRecord& r_;
};

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
void ReplaceAllNonFinite(LevelRecord& r) {
    for (auto& b : r.Blocks) ReplaceNonFinite(b);
    for (auto& p : r.Platforms) ReplaceNonFinite(p);
    for (auto& m : r.Ramps) ReplaceNonFinite(m);
    for (auto& s : r.Stars) ReplaceNonFinite(s);
    ReplaceNonFinite(r.Settings);
}

// Reads the items after the version byte in the order the layout gives, the records to sink
// (passed over without one). Items the layout lacks keep what out holds.
bool ReadTrackItems(ByteReader& in, const TrackLayout& layout, TrackFile& out, RecordSink* sink, std::string& error) {
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
    const int16_t textures = r.TextureCount;
    if (!ReadSection<BlockRecord>(in, kBlocks, ReadBlockRecord, textures, r.BlockCount, sink, error) ||
        !ReadSection<MovingPlatformRecord>(in, kPlatforms, ReadMovingPlatformRecord, textures, r.PlatformCount, sink,
                                           error) ||
        !ReadSection<RampRecord>(in, kRamps, ReadRampRecord, textures, r.RampCount, sink, error) ||
        !ReadSection<StarRecord>(in, kStars, ReadStarRecord, textures, r.StarCount, sink, error))
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
    return true;
}

// The version byte, and the items of its layout (of version 4 unless byVersion).
bool ReadTrack(ByteReader& in, bool byVersion, TrackFile& out, RecordSink* sink, std::string& error) {
    out.Version = in.U8();
    if (byVersion && in.Failed()) {  // by the version-4 layout, the items after it tell what is missing
        error = "the file is empty";
        return false;
    }
    return ReadTrackItems(in, LayoutOfVersion(byVersion ? out.Version : kTrackVersion), out, sink, error);
}

// The track with its records in its arrays, their values that are not numbers replaced or kept.
bool ReadKept(ByteReader& in, bool byVersion, TrackFile& out, NonFinite nonFinite, std::string& error) {
    KeptRecords kept(out.Level);
    if (!ReadTrack(in, byVersion, out, &kept, error)) return false;
    if (nonFinite == NonFinite::Replace) ReplaceAllNonFinite(out.Level);
    return true;
}

}  // namespace

void ReplaceNonFinite(BlockRecord& record) { MakePlaceAndSizeFinite(record); }
void ReplaceNonFinite(RampRecord& record) { MakePlaceAndSizeFinite(record); }
void ReplaceNonFinite(StarRecord& record) { MakePositionFinite(record); }
void ReplaceNonFinite(TrackSettings& settings) { MakeFinite(settings.Gravity, kNormalGravityInFile); }

TrackLayout LayoutOfVersion(uint8_t version) {
    if (version >= kTrackVersion) return {};
    if (version == 3) return {.BestTimesFirst = true, .AllStarsFlag = false, .BestTimesLast = false};
    if (version == 2) return {.BestTimesFirst = false, .AllStarsFlag = false, .BestTimesLast = true};
    return {.BestTimesFirst = false, .AllStarsFlag = false, .BestTimesLast = false};
}

bool ReadTrackFile(ByteReader& in, TrackFile& out, std::string& error) {
    return ReadKept(in, false, out, NonFinite::Replace, error);
}

bool ReadVersionedTrackFile(ByteReader& in, TrackFile& out, std::string& error, NonFinite nonFinite) {
    return ReadKept(in, true, out, nonFinite, error);
}

bool ReadVersionedTrackFile(ByteReader& in, TrackFile& out, RecordSink& sink, std::string& error) {
    return ReadTrack(in, true, out, &sink, error);
}

bool ReadVersionedTrackShape(ByteReader& in, TrackFile& out, std::string& error) {
    return ReadTrack(in, true, out, nullptr, error);
}

bool ReadTrackShape(ByteReader& in, TrackFile& out, std::string& error) {
    return ReadTrack(in, false, out, nullptr, error);
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


}  // namespace TrackCodec
