// Loading: a track file of any version read whole, checked, and only then made into the
// track's objects, so that a damaged file leaves the track as it was.
#include <iostream>

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

void Refuse(const std::string& reason) {
    platform::MessageBox("This file cannot be opened as a track: " + reason, App::Title);
}

// The file's bytes made into the track, or refused with the track as it was.
bool Load(const std::vector<uint8_t>& bytes) {
    TrackCodec::ByteReader in(bytes);
    TrackCodec::TrackFile file;
    std::string error;
    if (!TrackCodec::ReadVersionedTrackFile(in, file, error)) {
        Refuse(error);
        return false;
    }
    if (file.Version < TrackCodec::kTrackVersion)
        platform::MessageBox("This track is an old version: When you save it will be converted", App::Title);

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
    ShowBackground(r.BackgroundFile);
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

// Every value of the file at path that the track could not keep: the editor keeps no log, so
// the whole list goes to its error output, a line each with the file's name, and the box
// shows what fits.
void TellRepairs(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::vector<std::string> repairs = LoadRepairs::Listed(bytes, TrackAsSaved());
    if (repairs.empty()) return;
    for (const std::string& line : repairs) std::cerr << path << ": " << line << '\n';
    std::cerr.flush();
    platform::MessageBox(LoadRepairs::Message(repairs), App::Title);
}

}  // namespace

bool LoadTrack(const std::string& path) {
    const auto bytes = BinaryFile::ReadAll(path);
    if (!bytes) {
        Refuse("the file cannot be read");
        return false;
    }
    if (!Load(*bytes)) return false;
    TellRepairs(path, *bytes);
    return true;
}

// The snapshot is the editor's own save of the track: nothing in it needs telling.
bool LoadSnapshot() { return !gSnapshot.empty() && Load(gSnapshot); }

void DropSnapshot() { std::vector<uint8_t>().swap(gSnapshot); }

}  // namespace FileIO
