// Loading: a track file of any version, its counts read first to find whether memory holds
// its track, then read once, as far as its track goes, each record made into its object as
// it is read; a file found damaged on the way puts the track as it was back.
#include <array>
#include <iostream>
#include <new>

#include "editor/App.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/LoadRepairs.h"
#include "editor/TrackBuilder.h"
#include "editor/TrackBackground.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/EndSignals.h"
#include "platform/MemoryRoom.h"
#include "platform/MessageBox.h"
#include "shared/BinaryFile.h"
#include "shared/TrackCodec.h"
#include "world/TrackObjects.h"

namespace FileIO {
namespace {

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

// The track's own items, read with its records, made the track's.
void TakeTrackItems(const TrackCodec::TrackFile& file) {
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
    TrackCodec::ReplaceNonFinite(gTrackSettings);
    gTrackSettings.Gravity = TrackCodec::GravityFromFile(gTrackSettings.Gravity);
}

// The track being edited, held aside while a file's track is built in its place: a file found
// damaged halfway, or a track too large for memory, and the builder's track comes back whole.
class HeldTrack {
public:
    HeldTrack()
        : bestTimes_(gBestTimes), allStars_(gTrackAllStars), textureNames_(std::move(gTextureNames)),
          textureCount_(gTextureCount), backgroundFile_(gBackgroundFile),
          counts_{gBlockCount, gPlatformCount, gRampCount, gStarCount}, settings_(gTrackSettings),
          blocks_(std::move(gBlocks)), ramps_(std::move(gRamps)), platforms_(std::move(gMovingPlatforms)),
          stars_(std::move(gStars)) {}

    // Moves only: it runs where memory has run out.
    void PutBack() {
        gBestTimes = std::move(bestTimes_);
        gTrackAllStars = allStars_;
        gTextureNames = std::move(textureNames_);
        gTextureCount = textureCount_;
        gBackgroundFile = std::move(backgroundFile_);
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

// What reading a track came to, told once the file is closed: a refusal, or the track built
// with its version and what it could not keep.
struct Loaded {
    std::string refusal;
    uint8_t version = TrackCodec::kTrackVersion;
    std::vector<std::string> repairs;
};

Loaded Refused(const std::string& why) {
    return {.refusal = why, .version = TrackCodec::kTrackVersion, .repairs = {}};
}

// Reads the track from in into the track's objects and items; for a file, what it could not
// keep goes to repairs. On a failure the objects read so far stay: the caller puts the track
// back.
Loaded Build(TrackCodec::ByteReader& in, TrackCodec::TrackFile& file, LoadRepairs::List* repairs) {
    TrackBuilder builder(file, repairs);
    std::string error;
    if (!TrackCodec::ReadVersionedTrackFile(in, file, builder, error)) return Refused(error);
    TakeTrackItems(file);
    return {.refusal = {}, .version = file.Version, .repairs = {}};
}

// The file a piece at a time, until the editor is asked to end: a long load then stops at its
// next piece, the track put back, instead of holding the end up.
TrackCodec::ByteReader::Fetch From(BinaryFile::InputFile& file) {
    return [&file](uint64_t offset, uint8_t* into, size_t count) {
        return platform::EndRequested() ? 0 : file.ReadAt(offset, into, count);
    };
}

// A read that failed is told as such, not as the damage it would look like.
std::string ReadFailure(const BinaryFile::InputFile& file, const std::string& error) {
    return file.Failure().empty() ? error : "the file cannot be read (" + file.Failure() + ")";
}

// The track file at path read into the track, once its counts have shown that memory holds
// it; the file is read no further than its track goes, and closed on return. A track that
// memory cannot hold after all throws std::bad_alloc with the track put back.
Loaded ReadFile(const std::string& path) {
    BinaryFile::InputFile file(path);
    if (!file.IsOpen()) return Refused("the file cannot be read (" + file.Failure() + ")");
    TrackCodec::ByteReader counts(From(file), file.Size());
    TrackCodec::TrackFile shape;
    std::string error;
    if (!TrackCodec::ReadVersionedTrackShape(counts, shape, error)) return Refused(ReadFailure(file, error));
    const uint64_t need = TrackBuilder::Bytes(shape), room = platform::MemoryRoom();
    if (need > room)
        return Refused("the editor has not enough memory for it (its track needs about " + platform::Megabytes(need) +
                       ", and " + platform::Megabytes(room) + " are left)");

    TrackCodec::ByteReader in(From(file), file.Size());
    TrackCodec::TrackFile read;
    LoadRepairs::List repairs(read.Level.TextureNames);
    HeldTrack held;
    try {
        Loaded loaded = Build(in, read, &repairs);
        if (!loaded.refusal.empty() || !file.Failure().empty()) {
            held.PutBack();
            return Refused(ReadFailure(file, loaded.refusal));
        }
        loaded.repairs = repairs.Lines(read, TrackAsSavedWithoutObjects(), file.Size() - in.Position());
        return loaded;
    } catch (const std::bad_alloc&) {
        held.PutBack();
        throw;
    }
}

// The track just built made the one being edited: its background and gravity shown, the
// platforms running, the camera at the start and block 0's front face chosen.
void ShowLoadedTrack() {
    ShowBackground(gBackgroundFile);
    ShowGravity();
    gEditorReady = true;
    gPlatformsPaused = false;
    frmMain.cmd_pause.Caption = "Pause Platforms";  // the button says what a click does: the platforms run
    if (frmMain.VScroll1.Set(frmMain.VScroll1.Max)) frmMain.VScroll1_Change();
    gSelectedType = KIND_BLOCK;
    gSelectedIndex = 0;
    gSelectedFace = 1;
}

bool Refuse(const std::string& path, const std::string& reason) {
    platform::MessageBox("The file " + path + " cannot be opened as a track: " + reason, App::Title);
    return false;
}

// Every value of the file at path that the track could not keep: the editor keeps no log, so
// the whole list goes to its error output, a line each with the file's name, and the box
// shows what fits.
void TellRepairs(const std::string& path, const std::vector<std::string>& repairs) {
    if (repairs.empty()) return;
    for (const std::string& line : repairs) std::cerr << path << ": " << line << '\n';
    std::cerr.flush();
    platform::MessageBox(LoadRepairs::Message(repairs), App::Title);
}

}  // namespace

// The boxes come once the file is closed: none holds it open while it waits for the builder.
bool LoadTrack(const std::string& path) {
    Loaded loaded;
    try {
        loaded = ReadFile(path);
    } catch (const std::bad_alloc&) {
        loaded = Refused("the editor has not enough memory for it");
    }
    if (!loaded.refusal.empty()) return Refuse(path, loaded.refusal);
    ShowLoadedTrack();
    if (loaded.version < TrackCodec::kTrackVersion)
        platform::MessageBox("This track is an old version: When you save it will be converted", App::Title);
    TellRepairs(path, loaded.repairs);
    return true;
}

// The snapshot is the editor's own save of the track: it fit in memory, nothing in it needs
// telling, and holding the track aside would only double what play mode's restarts take.
bool LoadSnapshot() {
    if (gSnapshot.empty()) return false;
    TrackCodec::ByteReader in(gSnapshot);
    TrackCodec::TrackFile read;
    const Loaded loaded = Build(in, read, nullptr);
    if (!loaded.refusal.empty()) return Refuse(SnapshotFile(), loaded.refusal);
    ShowLoadedTrack();
    return true;
}

void DropSnapshot() { std::vector<uint8_t>().swap(gSnapshot); }

}  // namespace FileIO
