// Loading: a track file of any version read as far as its track goes, checked, and only then
// made into the track's objects, so that a damaged file leaves the track as it was.
#include <array>
#include <iostream>
#include <new>
#include <optional>

#include "editor/App.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/LoadRepairs.h"
#include "editor/TrackBackground.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/MessageBox.h"
#include "shared/BinaryFile.h"
#include "shared/Rounding.h"
#include "shared/TextureFolder.h"
#include "shared/TrackCodec.h"
#include "world/TrackBuilding.h"
#include "world/TrackObjects.h"

namespace FileIO {
namespace {

// The editor makes each block as a unit box at the origin and moves it with the setters, so
// that a position a setter refuses leaves the origin's value.
void PlaceBlock(clsblock& block, const BlockRecord& b) {
    block.create(0, 0, 0, 1, 1, 1);
    block.Xpos(b.X);
    block.Ypos(b.Y);
    block.Zpos(RoundHalfEven<int32_t>(b.Z));
}

// A kind the file lacks leaves nothing behind: kept hidden, the next insert of that kind
// would take over an old object's rotation, action code or start.
void BuildTrackObjects(const LevelRecord& r) {
    const TrackBuilding::LevelTextures textures(r, TextureFolder(gTexturePath));
    TrackBuilding::BuildBlocks(r, textures, PlaceBlock);
    if (r.RampCount > -1)
        TrackBuilding::BuildRamps(r, textures);
    else
        gRamps.clear();
    if (r.PlatformCount > -1)
        TrackBuilding::BuildPlatforms(r, textures);
    else
        gMovingPlatforms.clear();
    if (r.StarCount > -1)
        TrackBuilding::BuildStars(r);
    else
        gStars.clear();
}

// The picture the track names; a name that would leave the backgrounds folder shows the
// default picture, and the track keeps its stored name. The menu marks the entry that
// chooses that name, if any.
void ShowBackground(const std::string& stored) {
    const std::string name = WithoutPadding(stored);
    CreateTrackBackground(gBackgroundPath + (TrackCodec::IsPlainFileName(name) ? name : kBackgroundFiles[0]));
    selection::UncheckBackgroundMenus();
    for (int i = 0; i < 6; ++i)
        if (name == kBackgroundFiles[i]) frmMain.mnu_backgrounds[i].Checked = true;
}

// Any gravity but the normal one shows as Low; the track keeps its value.
void ShowGravity() {
    const bool normal = gTrackSettings.Gravity == kNormalGravity;
    frmMain.mnu_normal.Checked = normal;
    frmMain.mnu_low.Checked = !normal;
}

bool Refuse(const std::string& reason) {
    platform::MessageBox("This file cannot be opened as a track: " + reason, App::Title);
    return false;
}

// The track being edited, held aside while a file's track is built in its place: a track too
// large for memory runs out of it halfway, and the builder's track then comes back whole.
class HeldTrack {
public:
    HeldTrack()
        : bestTimes_(gBestTimes), allStars_(gTrackAllStars), textureNames_(std::move(gTextureNames)),
          textureCount_(gTextureCount), backgroundFile_(gBackgroundFile),
          counts_{gBlockCount, gPlatformCount, gRampCount, gStarCount}, settings_(gTrackSettings),
          blocks_(std::move(gBlocks)), ramps_(std::move(gRamps)), platforms_(std::move(gMovingPlatforms)),
          stars_(std::move(gStars)) {}

    void PutBack() {
        gBestTimes = bestTimes_;
        gTrackAllStars = allStars_;
        gTextureNames = std::move(textureNames_);
        gTextureCount = textureCount_;
        gBackgroundFile = backgroundFile_;
        gBlockCount = counts_[0];
        gPlatformCount = counts_[1];
        gRampCount = counts_[2];
        gStarCount = counts_[3];
        gTrackSettings = settings_;
        gBlocks = std::move(blocks_);
        gRamps = std::move(ramps_);
        gMovingPlatforms = std::move(platforms_);
        gStars = std::move(stars_);
    }

private:
    BestTimes bestTimes_;
    int16_t allStars_;
    std::vector<std::string> textureNames_;
    int16_t textureCount_;
    std::string backgroundFile_;
    std::array<int32_t, 4> counts_;
    TrackSettings settings_;
    std::vector<clsblock> blocks_;
    std::vector<clsRamp> ramps_;
    std::vector<clsMovingPlatform> platforms_;
    std::vector<clsStar> stars_;
};

// What was read, made the track being edited.
void TakeTrack(const TrackCodec::TrackFile& file) {
    const LevelRecord& r = file.Level;
    const TrackCodec::TrackLayout layout = TrackCodec::LayoutOfVersion(file.Version);
    if (layout.BestTimesFirst || layout.BestTimesLast)
        gBestTimes = r.BestTimes;
    else
        ClearBestTimes();  // a file without times gets none, not those of the track before it
    if (layout.AllStarsFlag) gTrackAllStars = file.AllStarsFlag;
    gTextureNames = r.TextureNames;
    gTextureCount = r.TextureCount;
    gBackgroundFile = r.BackgroundFile;
    gBlockCount = r.BlockCount;
    gPlatformCount = r.PlatformCount;
    gRampCount = r.RampCount;
    gStarCount = r.StarCount;
    gTrackSettings = r.Settings;
    gTrackSettings.Gravity = TrackCodec::GravityFromFile(r.Settings.Gravity);
    BuildTrackObjects(r);
}

enum class Source { File, Snapshot };

// The file's bytes made into the track, or refused with the track as it was. A file's track
// that memory cannot hold throws std::bad_alloc with the track put back.
bool Load(const std::vector<uint8_t>& bytes, Source source) {
    TrackCodec::ByteReader in(bytes);
    TrackCodec::TrackFile file;
    std::string error;
    if (!TrackCodec::ReadVersionedTrackFile(in, file, error)) return Refuse(error);
    if (file.Version < TrackCodec::kTrackVersion)
        platform::MessageBox("This track is an old version: When you save it will be converted", App::Title);

    // A snapshot is the track that was being edited: it fit in memory, and holding the track
    // aside would only double what play mode's restarts take.
    if (source == Source::Snapshot) {
        TakeTrack(file);
    } else {
        HeldTrack held;
        try {
            TakeTrack(file);
        } catch (const std::bad_alloc&) {
            held.PutBack();
            throw;
        }
    }
    ShowBackground(file.Level.BackgroundFile);
    ShowGravity();

    gEditorReady = true;
    gPlatformsPaused = false;
    frmMain.cmd_pause.Caption = "Pause Platforms";  // the button says what a click does: the platforms run
    if (frmMain.VScroll1.Set(frmMain.VScroll1.Max)) frmMain.VScroll1_Change();
    gSelectedType = KIND_BLOCK;
    gSelectedIndex = 0;
    gSelectedFace = 1;
    return true;
}

// Every value of the file at path that the track could not keep, and the bytesAfter it held
// beyond bytes: the editor keeps no log, so the whole list goes to its error output, a line
// each with the file's name, and the box shows what fits.
void TellRepairs(const std::string& path, const std::vector<uint8_t>& bytes, uint64_t bytesAfter) {
    const std::vector<std::string> repairs = LoadRepairs::Listed(bytes, TrackAsSaved(), bytesAfter);
    if (repairs.empty()) return;
    for (const std::string& line : repairs) std::cerr << path << ": " << line << '\n';
    std::cerr.flush();
    platform::MessageBox(LoadRepairs::Message(repairs), App::Title);
}

struct TrackInFile {
    std::vector<uint8_t> bytes;
    uint64_t fileSize = 0;
};

// The file's bytes as far as the track in it goes, fetched a piece at a time: whatever
// follows its last item is never read, nor held. Nothing, after a refusal, when the file
// cannot be read or is no track.
std::optional<TrackInFile> TrackBytes(const std::string& path) {
    BinaryFile::InputFile file(path);
    if (!file.IsOpen()) {
        Refuse("the file cannot be read (" + file.Failure() + ")");
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    TrackCodec::ByteReader in(
        [&](uint64_t offset, uint8_t* into, size_t count) {
            const size_t got = file.ReadAt(offset, into, count);
            bytes.insert(bytes.end(), into, into + got);
            return got;
        },
        file.Size());
    TrackCodec::TrackFile track;
    std::string error;
    if (!TrackCodec::ReadVersionedTrackFile(in, track, error, TrackCodec::NonFinite::Keep)) {
        Refuse(file.Failure().empty() ? error : "the file cannot be read (" + file.Failure() + ")");
        return std::nullopt;
    }
    bytes.resize(in.Position());
    return TrackInFile{std::move(bytes), file.Size()};
}

}  // namespace

bool LoadTrack(const std::string& path) {
    std::optional<TrackInFile> track;
    try {
        track = TrackBytes(path);
        if (!track || !Load(track->bytes, Source::File)) return false;
    } catch (const std::bad_alloc&) {
        return Refuse("the editor has not enough memory for it");
    }
    TellRepairs(path, track->bytes, track->fileSize - track->bytes.size());
    return true;
}

// The snapshot is the editor's own save of the track: nothing in it needs telling.
bool LoadSnapshot() { return !gSnapshot.empty() && Load(gSnapshot, Source::Snapshot); }

void DropSnapshot() { std::vector<uint8_t>().swap(gSnapshot); }

}  // namespace FileIO
