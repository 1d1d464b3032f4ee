#include "editor/LoadRepairs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <iterator>

namespace LoadRepairs {
namespace {

// The shortest text that reads back as the same value: 1e+30, 2.5, 15.000001.
std::string Number(float value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// A value as read: a number, or a word for one that is none.
std::string Read(float value) { return std::isfinite(value) ? Number(value) : "not a finite number"; }

// As the panel shows it: rounded, a half to the even neighbour.
std::string Whole(float value) { return Number(std::nearbyint(value) + 0.0f); }

// The lines of one object, each starting with its kind, its number and where it now stands.
class ObjectLines {
public:
    ObjectLines(std::vector<std::string>& lines, const char* kind, size_t number, float x, float y, float z)
        : lines_(lines), kind_(kind), number_(number), x_(x), y_(y), z_(z) {}

    void Value(const char* field, float read, float kept) {
        if (read == kept) return;
        Add(std::string(field) + " was " + Read(read) + ", now " + Number(kept));
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
    // The name is made for the first line only: most objects have none.
    void Add(const std::string& what) {
        if (name_.empty())
            name_ = std::string(kind_) + " " + std::to_string(number_) + " at X " + Whole(x_) + ", Y " + Whole(y_) +
                    ", Z " + Whole(z_) + ": ";
        lines_.push_back(name_ + what);
    }

    std::vector<std::string>& lines_;
    const char* kind_;
    size_t number_;
    float x_, y_, z_;
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

const std::string& NameAt(const Names& table, int16_t index) {
    static const std::string none;
    return index >= 0 && static_cast<size_t>(index) < table.size() ? table[static_cast<size_t>(index)] : none;
}

struct Face {
    const char* word;
    int16_t read, kept;
};

// Faces are compared by the names their indexes stand for in each record's table.
void CompareFaces(ObjectLines& lines, const Names& readNames, const Names& keptNames,
                  std::initializer_list<Face> faces) {
    std::vector<std::string> replaced;
    std::string now;
    for (const Face& face : faces)
        if (NameAt(readNames, face.read) != NameAt(keptNames, face.kept)) {
            replaced.push_back(face.word);
            now = NameAt(keptNames, face.kept);
        }
    lines.Textures(replaced, now);
}

void CompareBlock(ObjectLines& lines, const Names& readNames, const BlockRecord& r, const Names& keptNames,
                  const BlockRecord& k) {
    CompareBox(lines, r, k);
    lines.Code("top texture stretch", r.ScaleTextureTop, k.ScaleTextureTop);
    lines.Code("side texture stretch", r.ScaleTextureSide, k.ScaleTextureSide);
    lines.Code("kind", r.ActionCode, k.ActionCode);
    CompareFaces(lines, readNames, keptNames,
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
    // single precision: most values come back, a few a rounding away. The menu shows it too.
    if (r.Settings.Gravity != k.Settings.Gravity)
        lines.push_back("gravity was " + Read(r.Settings.Gravity) + ", now " + Number(k.Settings.Gravity) +
                        (k.Settings.Gravity == TrackCodec::kNormalGravityInFile ? " (Normal)" : " (Low)"));
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

void List::Add(size_t number, const BlockRecord& read, const BlockRecord& kept, const Names& keptNames) {
    ObjectLines object(objectLines_, "block", number, kept.X, kept.Y, kept.Z);
    CompareBlock(object, fileNames_, read, keptNames, kept);
}

void List::Add(size_t number, const MovingPlatformRecord& read, const MovingPlatformRecord& kept,
               const Names& keptNames) {
    ObjectLines object(objectLines_, "moving platform", number, kept.X, kept.Y, kept.Z);
    CompareBlock(object, fileNames_, read, keptNames, kept);
    object.Code("Speed", read.Speed, kept.Speed);
    object.Code("Direction", read.Direction, kept.Direction);
    object.Code("Distance", read.Distance, kept.Distance);
    object.Flag("loop flag", read.LoopBack, kept.LoopBack);
}

void List::Add(size_t number, const RampRecord& read, const RampRecord& kept, const Names& keptNames) {
    ObjectLines object(objectLines_, "ramp", number, kept.X, kept.Y, kept.Z);
    CompareBox(object, read, kept);
    object.Code("rotation in quarter turns", read.Rotation, kept.Rotation);
    CompareFaces(object, fileNames_, keptNames,
                 {{"slope", read.TextureA, kept.TextureA}, {"side", read.TextureB, kept.TextureB}});
}

void List::Add(size_t number, const StarRecord& read, const StarRecord& kept, const Names&) {
    ObjectLines object(objectLines_, "star", number, kept.X, kept.Y, kept.Z);
    object.Value("X", read.X, kept.X);
    object.Value("Y", read.Y, kept.Y);
    object.Value("Z", read.Z, kept.Z);
}

std::vector<std::string> List::Lines(const TrackCodec::TrackFile& read, const TrackCodec::TrackFile& kept,
                                     uint64_t bytesAfter) {
    std::vector<std::string> lines;
    CompareTrack(read, kept, bytesAfter, lines);
    lines.insert(lines.end(), std::make_move_iterator(objectLines_.begin()),
                 std::make_move_iterator(objectLines_.end()));
    objectLines_.clear();
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
