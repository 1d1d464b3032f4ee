// The Insert menu: each command adds one object of its kind in front of the camera, gives it
// the look and behaviour of its kind and makes it the selection. Nothing is inserted outside
// edit mode.
#include "editor/EditorGlobals.h"
#include "editor/NewObjects.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/Paths.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Rounding.h"
#include "world/TrackObjects.h"

namespace editor {
namespace {

constexpr const char* kFaces[4] = {"A", "B", "C", "D"};

// A kind of block as the Insert menu makes it. A repeat or size of 0 is left as create makes
// it: repeats 0, and 1 x 1 x 0.9 (create keeps the depth 0.1 short).
struct BlockKind {
    float X;
    uint8_t TopRepeat, SideRepeat;
    float Width, Height, Depth;
    const char* Textures[4];  // faces A front, B left, C right, D top
    uint8_t ActionCode;
};

constexpr const char* kDefault = "_default.bmp";
constexpr const char* kJumpPad = "Blue With Yellow Dot.bmp";
constexpr const char* kWin = "_WIN.bmp";
constexpr const char* kFalling = "red.bmp";
constexpr const char* kIce = "Ice2.bmp";
constexpr const char* kKill = "Red Cross on Grey.bmp";
constexpr const char* kBuildingSide = "building Side.bmp";
constexpr const char* kBuildingTop = "buildingTop.bmp";

constexpr BlockKind kPlainBlock{0, 0, 0, 0, 0, 0, {kDefault, kDefault, kDefault, kDefault}, 0};
constexpr BlockKind kJumpPadBlock{-1, 1, 0, 2, 0, 2, {kJumpPad, kJumpPad, kJumpPad, kJumpPad}, 2};
constexpr BlockKind kBuilding{-1, 1, 1, 3, 4, 4, {"buildingFront.bmp", kBuildingSide, kBuildingSide, kBuildingTop}, 10};
constexpr BlockKind kWinBlock{-1, 1, 0, 2, 0, 2, {kWin, kWin, kWin, kWin}, 1};
constexpr BlockKind kFallingBlock{-1, 0, 0, 2, 0, 2, {kFalling, kFalling, kFalling, kFalling}, 4};
constexpr BlockKind kIceBlock{-1, 0, 0, 2, 0, 2, {kIce, kIce, kIce, kIce}, 3};
constexpr BlockKind kKillBlock{-1, 0, 0, 2, 0, 2, {kKill, kKill, kKill, kKill}, 6};
constexpr BlockKind kTurboPad{-1, 1, 0, 2, 0, 3, {kBuildingTop, kBuildingTop, kBuildingTop, "AnimationTest_0.bmp"}, 5};

void InsertBlock(const BlockKind& kind) {
    if (gEditorMode != MODE_EDIT) return;
    clsblock& block = AppendFresh(gBlocks, gBlockCount);
    block.create(kind.X, 0, InsertDepth(), 1, 1, 1);
    // The repeats first: a size write lays the textures out by them.
    block.ScaleTextureTop(kind.TopRepeat);
    block.ScaleTextureSide(kind.SideRepeat);
    block.scaleX(kind.Width);
    block.scalez(kind.Depth);
    block.scaleY(kind.Height);
    for (int face = 0; face < 4; ++face) block.Texture(kind.Textures[face], kFaces[face], gTexturePath);
    block.changeactioncode(kind.ActionCode);
    SelectNew(KIND_BLOCK, gBlockCount);
    block.SelectBlock();
    selection::ShowSelection();
}

}  // namespace

void MainForm::mnu_block_Click() { InsertBlock(kPlainBlock); }
void MainForm::mnu_BouncePad_Click() { InsertBlock(kJumpPadBlock); }
void MainForm::mnu_building_Click() { InsertBlock(kBuilding); }
void MainForm::mnu_Endlevel_Click() { InsertBlock(kWinBlock); }
void MainForm::mnu_fallingBlock_Click() { InsertBlock(kFallingBlock); }
void MainForm::mnu_ice_Click() { InsertBlock(kIceBlock); }
void MainForm::mnu_instantkill_Click() { InsertBlock(kKillBlock); }
void MainForm::mnu_turbo_Click() { InsertBlock(kTurboPad); }

void MainForm::mnu_MovingPlatform_Click() {
    if (gEditorMode != MODE_EDIT) return;
    const float z = InsertDepth();
    clsMovingPlatform& platform = AppendFresh(gMovingPlatforms, gPlatformCount);
    platform.create(0, 0, z);
    platform.scaleX(2);
    platform.scalez(2);
    for (const char* face : kFaces) platform.Texture("concrete.bmp", face, gTexturePath);
    platform.Mdir(clsMovingPlatform::kTowardsPlusX);  // also the direction it keeps as its own
    platform.MloopBack(true);
    platform.Mdist(5);
    platform.Mspeed(5);
    platform.Zpos(z);  // where it starts and turns about, too
    SelectNew(KIND_PLATFORM, gPlatformCount);
    platform.SelectBlock();
    // A new platform is edited at once, which needs the platforms to stand.
    if (cmd_pause.Caption == "Pause Platforms") cmd_pause_Click();
    host_->FocusMainWindow();
    selection::ShowSelection();
}

void MainForm::mnu_Ramp_Click() {
    if (gEditorMode != MODE_EDIT) return;
    clsRamp& ramp = AppendFresh(gRamps, gRampCount);
    ramp.create(0, 1, InsertDepth());
    ramp.Texture(kDefault, "A", gTexturePath);
    ramp.Texture(kDefault, "B", gTexturePath);
    ramp.scalez(2);
    SelectNew(KIND_RAMP, gRampCount);
    ramp.SelectRamp();
    selection::ShowSelection();
}

void MainForm::mnu_Star_Click() {
    if (gEditorMode != MODE_EDIT) return;
    clsStar& star = AppendFresh(gStars, gStarCount);
    star.load(platform::ProgramPath("models/orb.x"));
    star.Ypos(1);
    // A star stands a unit further on, in whole units; a place behind the track's start is refused.
    star.Zpos(RoundHalfEven<int32_t>(gCameraEye.Z + 19.0f));
    SelectNew(KIND_STAR, gStarCount);
    star.selectstar();
    selection::ShowSelection();
}

}  // namespace editor
