#include "editor/LoadRepairs.h"

#include <algorithm>
#include <array>
#include <cmath>

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
enum class Fault { None, NotWhole, OutOfRange, NotANumber };

Fault FaultOf(float read, float kept) {
    if (read == kept || (std::isnan(read) && std::isnan(kept))) return Fault::None;
    if (!std::isfinite(read)) return Fault::NotANumber;
    // A whole-number field rounds; a setter that refuses a value keeps one a unit or more away.
    return std::fabs(static_cast<double>(read) - static_cast<double>(kept)) < 1.0 ? Fault::NotWhole
                                                                                   : Fault::OutOfRange;
}

using Triple = std::array<float, 3>;

Fault WorstOf(const Triple& read, const Triple& kept) {
    Fault worst = Fault::None;
    for (size_t i = 0; i < 3; ++i) worst = std::max(worst, FaultOf(read[i], kept[i]));
    return worst;
}

// " with a position that is not a number", " with sizes the editor cannot hold", ...
std::string With(const char* field, Fault fault, bool one) {
    const std::string what = one ? std::string("a ") + field : std::string(field) + "s";
    switch (fault) {
        case Fault::NotANumber: return " with " + what + (one ? " that is not a number" : " that are not numbers");
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

const std::string& NameAt(const LevelRecord& r, int16_t index) {
    static const std::string none;
    return index >= 0 && static_cast<size_t>(index) < r.TextureNames.size() ? r.TextureNames[static_cast<size_t>(index)]
                                                                              : none;
}

template <class Record>
Triple PositionOf(const Record& r) {
    return {r.X, r.Y, r.Z};
}
template <class Record>
Triple SizeOf(const Record& r) {
    return {r.ScaleX, r.ScaleY, r.ScaleZ};
}

// Faces of one object whose texture name did not stay.
size_t FacesReplaced(const LevelRecord& read, std::initializer_list<int16_t> readFaces, const LevelRecord& kept,
                     std::initializer_list<int16_t> keptFaces) {
    size_t replaced = 0;
    for (auto r = readFaces.begin(), k = keptFaces.begin(); r != readFaces.end(); ++r, ++k)
        if (NameAt(read, *r) != NameAt(kept, *k)) ++replaced;
    return replaced;
}

template <class Record>
void CompareBoxes(Noun noun, const std::vector<Record>& read, const std::vector<Record>& kept, const LevelRecord& rr,
                  const LevelRecord& kr, Tally& tally, size_t& faces) {
    for (size_t i = 0; i < std::min(read.size(), kept.size()); ++i) {
        const Record &r = read[i], &k = kept[i];
        tally.Add(noun, "position", WorstOf(PositionOf(r), PositionOf(k)));
        tally.Add(noun, "size", WorstOf(SizeOf(r), SizeOf(k)));
        faces += FacesReplaced(rr, {r.TextureA, r.TextureB, r.TextureC, r.TextureD}, kr,
                               {k.TextureA, k.TextureB, k.TextureC, k.TextureD});
    }
}

}  // namespace

std::vector<std::string> Listed(const TrackCodec::TrackFile& read, size_t bytesAfter,
                                const TrackCodec::TrackFile& kept) {
    const LevelRecord &r = read.Level, &k = kept.Level;
    Tally tally;
    size_t faces = 0, overturned = 0;
    CompareBoxes(kBlocks, r.Blocks, k.Blocks, r, k, tally, faces);
    CompareBoxes(kPlatforms, r.Platforms, k.Platforms, r, k, tally, faces);
    for (size_t i = 0; i < std::min(r.Ramps.size(), k.Ramps.size()); ++i) {
        const RampRecord &rr = r.Ramps[i], &kr = k.Ramps[i];
        tally.Add(kRamps, "position", WorstOf(PositionOf(rr), PositionOf(kr)));
        tally.Add(kRamps, "size", WorstOf(SizeOf(rr), SizeOf(kr)));
        faces += FacesReplaced(r, {rr.TextureA, rr.TextureB}, k, {kr.TextureA, kr.TextureB});
        if (rr.Rotation != kr.Rotation) ++overturned;
    }
    for (size_t i = 0; i < std::min(r.Stars.size(), k.Stars.size()); ++i)
        tally.Add(kStars, "position", WorstOf(PositionOf(r.Stars[i]), PositionOf(k.Stars[i])));

    std::vector<std::string> lines;
    tally.AppendTo(lines);
    if (overturned > 0) lines.push_back(Counted(overturned, kRamps) + " turned by more than three quarter turns");
    if (faces > 0) lines.push_back(Counted(faces, kFaces) + " whose texture is not a file in the textures folder");
    if (read.Version > TrackCodec::kTrackVersion)
        lines.push_back("a version number this editor does not know (" + std::to_string(read.Version) +
                        "), read as version " + std::to_string(TrackCodec::kTrackVersion));
    if (bytesAfter > 0) lines.push_back(Counted(bytesAfter, kBytes) + " after the end of the track");
    return lines;
}

std::string Message(const std::vector<std::string>& lines) {
    std::string text = "This track file held values the editor cannot keep, and it has put others in their place:\n";
    for (const std::string& line : lines) text += "\n- " + line;
    return text + "\n\nThe next save writes the track as it is now.";
}

}  // namespace LoadRepairs
