#include "editor/LoadRepairs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>

namespace LoadRepairs {
namespace {

// The shortest text that reads back as the same value: 1e+30, 2.5, 15.000001.
std::string Number(float value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// As the panel shows it: rounded, a half to the even neighbour.
std::string Whole(float value) { return Number(std::nearbyint(value) + 0.0f); }

// The lines of one object, each starting with its kind, its number and where it now stands.
class ObjectLines {
public:
    ObjectLines(std::vector<std::string>& lines, const char* kind, size_t number, float x, float y, float z)
        : lines_(lines),
          name_(std::string(kind) + " " + std::to_string(number) + " at X " + Whole(x) + ", Y " + Whole(y) + ", Z " +
                Whole(z) + ": ") {}

    void Value(const char* field, float read, float kept) {
        if (read == kept) return;
        Add(std::string(field) + " was " + (std::isfinite(read) ? Number(read) : "not a finite number") + ", now " +
            Number(kept));
    }
    void Code(const char* field, unsigned read, unsigned kept) {
        if (read != kept) Add(std::string(field) + " was " + std::to_string(read) + ", now " + std::to_string(kept));
    }
    // Any value but 0 means on; the editor holds on as one value.
    void Flag(const char* field, unsigned read, unsigned kept) {
        if (read == kept) return;
        if (read == 0 || kept == 0) return Code(field, read, kept);
        Add(std::string(field) + " " + std::to_string(read) + " means on; the next save writes it as " +
            std::to_string(kept));
    }
    // The faces, in words, whose texture names did not stay.
    void Textures(const std::vector<std::string>& faces, const std::string& kept) {
        if (faces.empty()) return;
        std::string which;
        for (size_t i = 0; i < faces.size(); ++i)
            which += (i == 0 ? "" : i + 1 == faces.size() ? " and " : ", ") + faces[i];
        Add("the " + which + (faces.size() == 1 ? " texture is" : " textures are") +
            " not a file in the textures folder, now " + kept);
    }

private:
    void Add(const std::string& what) { lines_.push_back(name_ + what); }

    std::vector<std::string>& lines_;
    std::string name_;
};

template <class Record>
void CompareBox(ObjectLines& lines, const Record& r, const Record& k) {
    lines.Value("X", r.X, k.X);
    lines.Value("Y", r.Y, k.Y);
    lines.Value("Z", r.Z, k.Z);
    lines.Value("Width", r.ScaleX, k.ScaleX);
    lines.Value("Height", r.ScaleY, k.ScaleY);
    lines.Value("Depth", r.ScaleZ, k.ScaleZ);
}

const std::string& NameAt(const LevelRecord& r, int16_t index) {
    static const std::string none;
    return index >= 0 && static_cast<size_t>(index) < r.TextureNames.size() ? r.TextureNames[static_cast<size_t>(index)]
                                                                              : none;
}

struct Face {
    const char* word;
    int16_t read, kept;
};

// Faces are compared by the names their indexes stand for in each file's table.
void CompareFaces(ObjectLines& lines, const LevelRecord& read, const LevelRecord& kept,
                  std::initializer_list<Face> faces) {
    std::vector<std::string> replaced;
    std::string now;
    for (const Face& face : faces)
        if (NameAt(read, face.read) != NameAt(kept, face.kept)) {
            replaced.push_back(face.word);
            now = NameAt(kept, face.kept);
        }
    lines.Textures(replaced, now);
}

void CompareBlock(ObjectLines& lines, const LevelRecord& rl, const BlockRecord& r, const LevelRecord& kl,
                  const BlockRecord& k) {
    CompareBox(lines, r, k);
    lines.Code("top texture stretch", r.ScaleTextureTop, k.ScaleTextureTop);
    lines.Code("side texture stretch", r.ScaleTextureSide, k.ScaleTextureSide);
    lines.Code("kind", r.ActionCode, k.ActionCode);
    CompareFaces(lines, rl, kl,
                 {{"front", r.TextureA, k.TextureA},
                  {"left", r.TextureB, k.TextureB},
                  {"right", r.TextureC, k.TextureC},
                  {"top", r.TextureD, k.TextureD}});
}

bool SameTimes(const BestTimes& a, const BestTimes& b) {
    for (int place = 1; place <= 3; ++place)
        if (a.Seconds(place) != b.Seconds(place) || a.Hundredths(place) != b.Hundredths(place)) return false;
    return true;
}

// What the track as a whole holds besides its objects.
void CompareTrack(const TrackCodec::TrackFile& read, const TrackCodec::TrackFile& kept, uint64_t bytesAfter,
                  std::vector<std::string>& lines) {
    const LevelRecord &r = read.Level, &k = kept.Level;
    if (read.Version > TrackCodec::kTrackVersion)
        lines.push_back("a version number this editor does not know (" + std::to_string(read.Version) +
                        "), read as version " + std::to_string(TrackCodec::kTrackVersion));
    // Loading turns the stored gravity into the fall per step and a save turns it back, in
    // single precision: most values come back, a few a rounding away.
    if (r.Settings.Gravity != k.Settings.Gravity)
        lines.push_back(std::isfinite(r.Settings.Gravity) ? "a gravity the editor can hold only rounded"
                                                           : "a gravity that is not a finite number");
    if (r.Settings.Reserved != k.Settings.Reserved) lines.push_back("track settings the editor cannot hold");
    if (r.BackgroundFile != k.BackgroundFile) lines.push_back("a background name the editor cannot hold");
    const TrackCodec::TrackLayout layout = TrackCodec::LayoutOfVersion(read.Version);
    if ((layout.BestTimesFirst || layout.BestTimesLast) && !SameTimes(r.BestTimes, k.BestTimes))
        lines.push_back("best times the editor cannot hold");
    if (bytesAfter > 0)
        lines.push_back(std::to_string(bytesAfter) + (bytesAfter == 1 ? " byte" : " bytes") +
                        " after the end of the track");
}

}  // namespace

std::vector<std::string> Listed(const std::vector<uint8_t>& fileBytes, const TrackCodec::TrackFile& kept,
                                uint64_t bytesAfter) {
    TrackCodec::ByteReader in(fileBytes);
    TrackCodec::TrackFile read;
    std::string error;
    // The track was built from these bytes, so they read; here with the numbers as stored.
    if (!TrackCodec::ReadVersionedTrackFile(in, read, error, TrackCodec::NonFinite::Keep)) return {};

    std::vector<std::string> lines;
    CompareTrack(read, kept, in.Remaining() + bytesAfter, lines);
    const LevelRecord &r = read.Level, &k = kept.Level;
    for (size_t i = 0; i < std::min(r.Blocks.size(), k.Blocks.size()); ++i) {
        const BlockRecord& kb = k.Blocks[i];
        ObjectLines object(lines, "block", i, kb.X, kb.Y, kb.Z);
        CompareBlock(object, r, r.Blocks[i], k, kb);
    }
    for (size_t i = 0; i < std::min(r.Platforms.size(), k.Platforms.size()); ++i) {
        const MovingPlatformRecord &rp = r.Platforms[i], &kp = k.Platforms[i];
        ObjectLines object(lines, "moving platform", i, kp.X, kp.Y, kp.Z);
        CompareBlock(object, r, rp, k, kp);
        object.Code("Speed", rp.Speed, kp.Speed);
        object.Code("Direction", rp.Direction, kp.Direction);
        object.Code("Distance", rp.Distance, kp.Distance);
        object.Flag("loop flag", rp.LoopBack, kp.LoopBack);
    }
    for (size_t i = 0; i < std::min(r.Ramps.size(), k.Ramps.size()); ++i) {
        const RampRecord &rr = r.Ramps[i], &kr = k.Ramps[i];
        ObjectLines object(lines, "ramp", i, kr.X, kr.Y, kr.Z);
        CompareBox(object, rr, kr);
        object.Code("rotation in quarter turns", rr.Rotation, kr.Rotation);
        CompareFaces(object, r, k, {{"slope", rr.TextureA, kr.TextureA}, {"side", rr.TextureB, kr.TextureB}});
    }
    for (size_t i = 0; i < std::min(r.Stars.size(), k.Stars.size()); ++i) {
        const StarRecord &rs = r.Stars[i], &ks = k.Stars[i];
        ObjectLines object(lines, "star", i, ks.X, ks.Y, ks.Z);
        object.Value("X", rs.X, ks.X);
        object.Value("Y", rs.Y, ks.Y);
        object.Value("Z", rs.Z, ks.Z);
    }
    return lines;
}

std::string Message(const std::vector<std::string>& lines, size_t linesInBox) {
    linesInBox = std::max<size_t>(linesInBox, 1);
    const size_t shown = lines.size() <= linesInBox ? lines.size() : linesInBox - 1;
    std::string text = "This track file held values the editor cannot keep, and it has put others in their place:\n";
    for (size_t i = 0; i < shown; ++i) text += "\n- " + lines[i];
    if (shown < lines.size())
        text += "\n- and " + std::to_string(lines.size() - shown) + " more, all in the editor's error output";
    return text + "\n\nThe next save writes the track as it is now.";
}

}  // namespace LoadRepairs
