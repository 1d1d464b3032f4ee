#include "editor/LoadRepairs.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <type_traits>

namespace LoadRepairs {
namespace {

struct Noun {
    const char* One;
    const char* Many;
};
constexpr Noun kBlocks{"block", "blocks"}, kPlatforms{"moving platform", "moving platforms"}, kRamps{"ramp", "ramps"},
    kStars{"star", "stars"}, kFaces{"face", "faces"}, kBytes{"byte", "bytes"};

std::string Counted(size_t count, Noun noun) { return std::to_string(count) + " " + (count == 1 ? noun.One : noun.Many); }

// How a value the track could not keep went wrong, the worst last.
enum class Fault { None, NotWhole, OutOfRange, NotFinite };

Fault FaultOf(float read, float kept) {
    if (read == kept) return Fault::None;
    if (!std::isfinite(read)) return Fault::NotFinite;
    // A whole-number field rounds; a setter that refuses a value keeps one a unit or more away.
    return std::fabs(static_cast<double>(read) - static_cast<double>(kept)) < 1.0 ? Fault::NotWhole
                                                                                   : Fault::OutOfRange;
}

Fault WorstOf(std::initializer_list<float> read, std::initializer_list<float> kept) {
    Fault worst = Fault::None;
    for (auto r = read.begin(), k = kept.begin(); r != read.end(); ++r, ++k) worst = std::max(worst, FaultOf(*r, *k));
    return worst;
}

// " with a position that is not a finite number", " with sizes the editor cannot hold", ...
std::string With(const char* field, Fault fault, bool one) {
    const std::string what = one ? std::string("a ") + field : std::string(field) + "s";
    switch (fault) {
        case Fault::NotFinite:
            return " with " + what + (one ? " that is not a finite number" : " that are not finite numbers");
        case Fault::NotWhole:
            return " with " + what + (one ? " that is not a whole number" : " that are not whole numbers");
        default: return " with " + what + " the editor cannot hold";
    }
}

// Objects counted by kind, field and fault, in the order first met.
class Tally {
public:
    void Add(Noun noun, const char* field, Fault fault) {
        if (fault == Fault::None) return;
        for (Entry& entry : entries_)
            if (entry.noun.One == noun.One && entry.field == field && entry.fault == fault) {
                ++entry.count;
                return;
            }
        entries_.push_back({noun, field, fault, 1});
    }
    void AppendTo(std::vector<std::string>& lines) const {
        for (const Entry& e : entries_) lines.push_back(Counted(e.count, e.noun) + With(e.field, e.fault, e.count == 1));
    }

private:
    struct Entry {
        Noun noun;
        const char* field;
        Fault fault;
        size_t count;
    };
    std::vector<Entry> entries_;
};

// A kind of field of an object's record, as the message names it, and how the file's record
// and the saved one differ in it.
template <class Record>
struct FieldKind {
    const char* name;
    Fault (*fault)(const Record& read, const Record& kept);
};

template <class Record>
Fault PositionFault(const Record& r, const Record& k) {
    return WorstOf({r.X, r.Y, r.Z}, {k.X, k.Y, k.Z});
}

template <class Record>
Fault SizeFault(const Record& r, const Record& k) {
    return WorstOf({r.ScaleX, r.ScaleY, r.ScaleZ}, {k.ScaleX, k.ScaleY, k.ScaleZ});
}

// A byte the object holds in fewer values than the byte has.
template <class Record, auto field>
Fault ByteFault(const Record& r, const Record& k) {
    return r.*field == k.*field ? Fault::None : Fault::OutOfRange;
}

// Faces are compared apart, by the names their indexes stand for in each file's table.
constexpr FieldKind<BlockRecord> kBoxFields[] = {
    {"position", PositionFault<BlockRecord>},
    {"size", SizeFault<BlockRecord>},
    {"top texture repeat", ByteFault<BlockRecord, &BlockRecord::ScaleTextureTop>},
    {"side texture repeat", ByteFault<BlockRecord, &BlockRecord::ScaleTextureSide>},
    {"kind", ByteFault<BlockRecord, &BlockRecord::ActionCode>},
};
constexpr FieldKind<MovingPlatformRecord> kPlatformFields[] = {
    {"speed", ByteFault<MovingPlatformRecord, &MovingPlatformRecord::Speed>},
    {"direction", ByteFault<MovingPlatformRecord, &MovingPlatformRecord::Direction>},
    {"distance", ByteFault<MovingPlatformRecord, &MovingPlatformRecord::Distance>},
    {"loop flag", ByteFault<MovingPlatformRecord, &MovingPlatformRecord::LoopBack>},
};
constexpr FieldKind<RampRecord> kRampFields[] = {
    {"position", PositionFault<RampRecord>},
    {"size", SizeFault<RampRecord>},
};
constexpr FieldKind<StarRecord> kStarFields[] = {{"position", PositionFault<StarRecord>}};

template <class Record, size_t N>
void CompareFields(Noun noun, const std::type_identity_t<Record>& read, const std::type_identity_t<Record>& kept,
                   const FieldKind<Record> (&kinds)[N], Tally& tally) {
    for (const FieldKind<Record>& kind : kinds) tally.Add(noun, kind.name, kind.fault(read, kept));
}

const std::string& NameAt(const LevelRecord& r, int16_t index) {
    static const std::string none;
    return index >= 0 && static_cast<size_t>(index) < r.TextureNames.size() ? r.TextureNames[static_cast<size_t>(index)]
                                                                              : none;
}

// Faces of one object whose texture name did not stay.
size_t FacesReplaced(const LevelRecord& read, std::initializer_list<int16_t> readFaces, const LevelRecord& kept,
                     std::initializer_list<int16_t> keptFaces) {
    size_t replaced = 0;
    for (auto r = readFaces.begin(), k = keptFaces.begin(); r != readFaces.end(); ++r, ++k)
        if (NameAt(read, *r) != NameAt(kept, *k)) ++replaced;
    return replaced;
}

size_t BoxFacesReplaced(const LevelRecord& rr, const BlockRecord& r, const LevelRecord& kr, const BlockRecord& k) {
    return FacesReplaced(rr, {r.TextureA, r.TextureB, r.TextureC, r.TextureD}, kr,
                         {k.TextureA, k.TextureB, k.TextureC, k.TextureD});
}

bool SameTimes(const BestTimes& a, const BestTimes& b) {
    for (int place = 1; place <= 3; ++place)
        if (a.Seconds(place) != b.Seconds(place) || a.Hundredths(place) != b.Hundredths(place)) return false;
    return true;
}

// What the track as a whole holds besides its objects.
void CompareTrack(const TrackCodec::TrackFile& read, const TrackCodec::TrackFile& kept,
                  std::vector<std::string>& lines) {
    const LevelRecord &r = read.Level, &k = kept.Level;
    // Loading turns the stored gravity into the fall per step and a save turns it back, in
    // single precision: most values come back, a few a rounding away.
    switch (FaultOf(r.Settings.Gravity, k.Settings.Gravity)) {
        case Fault::None: break;
        case Fault::NotFinite: lines.push_back("a gravity that is not a finite number"); break;
        default: lines.push_back("a gravity the editor can hold only rounded"); break;
    }
    if (r.Settings.Reserved != k.Settings.Reserved) lines.push_back("track settings the editor cannot hold");
    if (r.BackgroundFile != k.BackgroundFile) lines.push_back("a background name the editor cannot hold");
    const TrackCodec::TrackLayout layout = TrackCodec::LayoutOfVersion(read.Version);
    if ((layout.BestTimesFirst || layout.BestTimesLast) && !SameTimes(r.BestTimes, k.BestTimes))
        lines.push_back("best times the editor cannot hold");
}

}  // namespace

std::vector<std::string> Listed(const std::vector<uint8_t>& fileBytes, const TrackCodec::TrackFile& kept,
                                uint64_t bytesAfter) {
    TrackCodec::ByteReader in(fileBytes);
    TrackCodec::TrackFile read;
    std::string error;
    // The track was built from these bytes, so they read; here with the numbers as stored.
    if (!TrackCodec::ReadVersionedTrackFile(in, read, error, TrackCodec::NonFinite::Keep)) return {};

    const LevelRecord &r = read.Level, &k = kept.Level;
    Tally tally;
    size_t faces = 0, overturned = 0;
    for (size_t i = 0; i < std::min(r.Blocks.size(), k.Blocks.size()); ++i) {
        CompareFields(kBlocks, r.Blocks[i], k.Blocks[i], kBoxFields, tally);
        faces += BoxFacesReplaced(r, r.Blocks[i], k, k.Blocks[i]);
    }
    for (size_t i = 0; i < std::min(r.Platforms.size(), k.Platforms.size()); ++i) {
        CompareFields(kPlatforms, r.Platforms[i], k.Platforms[i], kBoxFields, tally);
        CompareFields(kPlatforms, r.Platforms[i], k.Platforms[i], kPlatformFields, tally);
        faces += BoxFacesReplaced(r, r.Platforms[i], k, k.Platforms[i]);
    }
    for (size_t i = 0; i < std::min(r.Ramps.size(), k.Ramps.size()); ++i) {
        const RampRecord &rr = r.Ramps[i], &kr = k.Ramps[i];
        CompareFields(kRamps, rr, kr, kRampFields, tally);
        faces += FacesReplaced(r, {rr.TextureA, rr.TextureB}, k, {kr.TextureA, kr.TextureB});
        if (rr.Rotation != kr.Rotation) ++overturned;
    }
    for (size_t i = 0; i < std::min(r.Stars.size(), k.Stars.size()); ++i)
        CompareFields(kStars, r.Stars[i], k.Stars[i], kStarFields, tally);

    std::vector<std::string> lines;
    tally.AppendTo(lines);
    if (overturned > 0) lines.push_back(Counted(overturned, kRamps) + " turned by more than three quarter turns");
    if (faces > 0) lines.push_back(Counted(faces, kFaces) + " whose texture is not a file in the textures folder");
    CompareTrack(read, kept, lines);
    if (read.Version > TrackCodec::kTrackVersion)
        lines.push_back("a version number this editor does not know (" + std::to_string(read.Version) +
                        "), read as version " + std::to_string(TrackCodec::kTrackVersion));
    const uint64_t after = in.Remaining() + bytesAfter;
    if (after > 0) lines.push_back(Counted(after, kBytes) + " after the end of the track");
    return lines;
}

std::string Message(const std::vector<std::string>& lines) {
    std::string text = "This track file held values the editor cannot keep, and it has put others in their place:\n";
    for (const std::string& line : lines) text += "\n- " + line;
    return text + "\n\nThe next save writes the track as it is now.";
}

}  // namespace LoadRepairs
