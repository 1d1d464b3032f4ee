// Saving: the track's objects turned into the records of a version-4 track file.
#include <algorithm>
#include <optional>
#include <span>

#include "editor/App.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/UnsavedChanges.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "shared/BinaryFile.h"
#include "shared/TrackCodec.h"
#include "world/TrackObjects.h"

namespace FileIO {
namespace {

using Names = std::vector<std::string>;

void AddName(Names& table, const std::string& name) {
    if (std::find(table.begin(), table.end(), name) == table.end()) table.push_back(name);
}

// The table holds every face's name: BuildTextureList made it from the same objects.
int16_t IndexOf(const Names& table, const std::string& name) {
    return static_cast<int16_t>(std::find(table.begin(), table.end(), name) - table.begin());
}

// The objects of a kind that the track holds: its upper bound, within what the array has.
template <class TrackObject>
std::span<const TrackObject> Held(int32_t upperBound, const std::vector<TrackObject>& objects) {
    return {objects.data(), static_cast<size_t>(LastHeld(upperBound, objects) + 1)};
}

void FillBoxRecord(BlockRecord& r, const TrackBox& box, d3d::Vector3 at, const Names& names) {
    r.X = at.X;
    r.Y = at.Y;
    r.Z = at.Z;
    r.ScaleX = box.scaleX();
    r.ScaleY = box.scaleY();
    r.ScaleZ = box.scalez();
    r.TextureA = IndexOf(names, box.GetTextureA());
    r.TextureB = IndexOf(names, box.GetTextureB());
    r.TextureC = IndexOf(names, box.GetTextureC());
    r.TextureD = IndexOf(names, box.GetTextureD());
    r.ScaleTextureTop = box.ScaleTextureTop();
    r.ScaleTextureSide = box.ScaleTextureSide();
    r.ActionCode = box.changeactioncode();
}

}  // namespace

BlockRecord RecordOf(const clsblock& block, const Names& names) {
    BlockRecord r;
    FillBoxRecord(r, block, {block.Xpos(), block.Ypos(), static_cast<float>(block.Zpos())}, names);
    return r;
}

// A platform is saved where it was placed and with the direction it was given, wherever its
// movement has taken it since.
MovingPlatformRecord RecordOf(const clsMovingPlatform& platform, const Names& names) {
    MovingPlatformRecord r;
    FillBoxRecord(r, platform, {platform.GetInitalXpos(), platform.GetInitalYpos(), platform.GetInitalZpos()}, names);
    r.Speed = platform.Mspeed();
    r.Direction = platform.GetinitalMDir();
    r.Distance = platform.Mdist();
    r.LoopBack = platform.MloopBack() ? 255 : 0;
    return r;
}

RampRecord RecordOf(const clsRamp& ramp, const Names& names) {
    return {.X = static_cast<float>(ramp.Xpos()),
            .Y = static_cast<float>(ramp.Ypos()),
            .Z = static_cast<float>(ramp.Zpos()),
            .ScaleX = static_cast<float>(ramp.scaleX()),
            .ScaleY = static_cast<float>(ramp.scaleY()),
            .ScaleZ = static_cast<float>(ramp.scalez()),
            .TextureA = IndexOf(names, ramp.GetTextureA()),
            .TextureB = IndexOf(names, ramp.GetTextureB()),
            .Rotation = ramp.GetRotation()};
}

StarRecord RecordOf(const clsStar& star, const Names&) {
    return {static_cast<float>(star.Xpos()), static_cast<float>(star.Ypos()), static_cast<float>(star.Zpos())};
}

namespace {

template <class Record, class TrackObject>
std::vector<Record> RecordsOf(std::span<const TrackObject> objects, const Names& names) {
    std::vector<Record> records;
    for (const TrackObject& object : objects) records.push_back(RecordOf(object, names));
    return records;
}

}  // namespace

TrackCodec::TrackFile TrackAsSavedWithoutObjects() {
    TrackCodec::TrackFile track;
    track.Version = TrackCodec::kTrackVersion;
    track.AllStarsFlag = 0;
    LevelRecord& r = track.Level;
    r.BestTimes = gBestTimes;  // the times as held; the names are reset
    for (int place = 1; place <= 3; ++place) r.BestTimes.Name(place) = FixedLengthText("No Record", 15);
    r.BackgroundFile = gBackgroundFile;
    r.Settings = gTrackSettings;
    r.Settings.Gravity = TrackCodec::GravityToFile(gTrackSettings.Gravity);
    return track;
}

TrackCodec::TrackFile TrackAsSaved() {
    TrackCodec::TrackFile track = TrackAsSavedWithoutObjects();
    LevelRecord& r = track.Level;
    r.TextureNames = BuildTextureList();
    r.TextureCount = static_cast<int16_t>(r.TextureNames.size() - 1);
    r.Blocks = RecordsOf<BlockRecord>(Held(gBlockCount, gBlocks), r.TextureNames);
    r.Platforms = RecordsOf<MovingPlatformRecord>(Held(gPlatformCount, gMovingPlatforms), r.TextureNames);
    r.Ramps = RecordsOf<RampRecord>(Held(gRampCount, gRamps), r.TextureNames);
    r.Stars = RecordsOf<StarRecord>(Held(gStarCount, gStars), r.TextureNames);
    return track;
}

namespace {

std::vector<uint8_t> BytesOf(const TrackCodec::TrackFile& track) {
    std::vector<uint8_t> bytes;
    TrackCodec::ByteWriter out(bytes);
    TrackCodec::WriteTrackFile(out, track);
    return bytes;
}

// Where a save writes: the track file the builder chose is written where its links lead, and
// the links stay; the program's own snapshot is replaced, a link at its name too.
enum class Links { Followed, Replaced };

// Written beside the file and renamed over it: a failed write leaves any old file whole.
bool Write(const std::string& path, const std::vector<uint8_t>& bytes, Links links) {
    std::string reason;
    const std::optional<std::string> file = links == Links::Followed ? BinaryFile::FileBehindLinks(path, &reason) : path;
    if (file && BinaryFile::Replace(*file, bytes, &reason)) return true;
    const std::string where = file && *file != path ? path + ", a link to " + *file : path;
    platform::MessageBox("The track could not be saved to " + where + ".\n\nThe system's reason: " + reason + ".",
                         App::Title);
    return false;
}

// The track's objects saved to path; what was written, or nothing when the save failed.
std::optional<std::vector<uint8_t>> SaveObjects(const std::string& path, Links links) {
    if (gBlockCount < 0 || gBlocks.empty()) {
        platform::MessageBox("This track has no blocks and cannot be saved.", App::Title);
        return std::nullopt;
    }
    const TrackCodec::TrackFile track = TrackAsSaved();
    std::vector<uint8_t> bytes = BytesOf(track);
    if (!Write(path, bytes, links)) return std::nullopt;
    gBestTimes = track.Level.BestTimes;
    gTrackAllStars = track.AllStarsFlag;
    gTextureNames = track.Level.TextureNames;
    gTextureCount = track.Level.TextureCount;
    return bytes;
}

}  // namespace

std::vector<uint8_t> SavedBytes() { return BytesOf(TrackAsSaved()); }

Names BuildTextureList() {
    Names table;
    for (const clsblock& block : Held(gBlockCount, gBlocks))
        for (const std::string& name : {block.GetTextureA(), block.GetTextureB(), block.GetTextureC(), block.GetTextureD()})
            AddName(table, name);
    for (const clsMovingPlatform& platform : Held(gPlatformCount, gMovingPlatforms))
        for (const std::string& name :
             {platform.GetTextureA(), platform.GetTextureB(), platform.GetTextureC(), platform.GetTextureD()})
            AddName(table, name);
    for (const clsRamp& ramp : Held(gRampCount, gRamps))
        for (const std::string& name : {ramp.GetTextureA(), ramp.GetTextureB()}) AddName(table, name);
    return table;
}

bool SaveTrack(const std::string& path) { return SaveObjects(path, Links::Followed).has_value(); }

std::string SnapshotFile() { return platform::ProgramPath("tmp.trk"); }

bool SaveSnapshot() {
    std::optional<std::vector<uint8_t>> written = SaveObjects(SnapshotFile(), Links::Replaced);
    if (!written) return false;
    gSnapshot = std::move(*written);
    return true;
}

bool SaveEditedTrack(const std::string& path) {
    std::optional<std::vector<uint8_t>> written;
    if (gEditorMode == MODE_PLAY && !gSnapshot.empty()) {
        if (Write(path, gSnapshot, Links::Followed)) written = gSnapshot;
    } else {
        written = SaveObjects(path, Links::Followed);
    }
    if (written) UnsavedChanges::Kept(*written);
    return written.has_value();
}

}  // namespace FileIO
