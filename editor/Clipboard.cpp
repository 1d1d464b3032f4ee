// Copy and paste through the editor's clipboard.
#include "editor/Clipboard.h"

#include "editor/EditorGlobals.h"
#include "editor/NewObjects.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/Rounding.h"
#include "world/TrackObjects.h"

bool gClipboardFull = false;
uint8_t gClipboardType = 0;
std::array<std::string, 4> gClipboardTexture;
std::array<int32_t, 3> gClipboardScale{};
int16_t gClipboardTopRepeat = 0;
int16_t gClipboardSideRepeat = 0;
uint8_t gClipboardActionCode = 0;
uint8_t gClipboardRotation = 0;
int32_t gClipboardSpeed = 0;
int32_t gClipboardDirection = 0;
int32_t gClipboardDistance = 0;
bool gClipboardLoopBack = false;

namespace selection {
namespace {

using editor::AppendFresh;
using editor::InsertDepth;
using editor::SelectNew;

constexpr const char* kFaces[4] = {"A", "B", "C", "D"};

// A box's four textures, its sizes in whole units and its texture repeats.
void CopyBox(const TrackBox& box, uint8_t topRepeat) {
    gClipboardTexture = {box.GetTextureA(), box.GetTextureB(), box.GetTextureC(), box.GetTextureD()};
    gClipboardScale = {RoundHalfEven<int32_t>(box.scaleX()), RoundHalfEven<int32_t>(box.scaleY()),
                       RoundHalfEven<int32_t>(box.scalez())};
    gClipboardTopRepeat = topRepeat;
    gClipboardSideRepeat = box.TextAlignSide();
}

void CopyBlock(const clsblock& block) {
    gClipboardType = KIND_BLOCK;
    CopyBox(block, block.TextureScaleAlignTop());
    gClipboardActionCode = block.changeactioncode();
}

void CopyRamp(const clsRamp& ramp) {
    gClipboardType = KIND_RAMP;
    gClipboardTexture[0] = ramp.GetTextureA();
    gClipboardTexture[1] = ramp.GetTextureB();
    gClipboardScale = {ramp.scaleX(), ramp.scaleY(), ramp.scalez()};
    gClipboardRotation = ramp.GetRotation();
}

void CopyPlatform(const clsMovingPlatform& platform) {
    gClipboardType = KIND_PLATFORM;
    CopyBox(platform, platform.TextAlignTop());
    gClipboardLoopBack = platform.MloopBack();
    gClipboardSpeed = platform.Mspeed();
    gClipboardDirection = platform.GetinitalMDir();  // the one it was given, not the one it runs in now
    gClipboardDistance = platform.Mdist();
}

template <class Box>
void PasteTextures(Box& box) {
    for (int face = 0; face < 4; ++face) box.Texture(gClipboardTexture[face], kFaces[face], gTexturePath);
}

// Sizes rounded to 0 are not taken: that axis keeps the size the object was created with.
void PasteSizes(TrackBox& box) {
    box.scaleX(static_cast<float>(gClipboardScale[0]));
    box.scaleY(static_cast<float>(gClipboardScale[1]));
    box.scalez(static_cast<float>(gClipboardScale[2]));
}

void PasteRepeats(TrackBox& box) {
    box.AlignTexureCoords(0, gClipboardTopRepeat);
    box.AlignTexureCoords(1, gClipboardSideRepeat);
}

void PasteBlock(float z) {
    clsblock& block = AppendFresh(gBlocks, gBlockCount);
    block.create(0, 0, z, 1, 1, 1);
    PasteTextures(block);
    PasteSizes(block);
    PasteRepeats(block);
    block.changeactioncode(gClipboardActionCode);
    SelectNew(KIND_BLOCK, gBlockCount);
    block.SelectBlock();
}

void PasteRamp(float z) {
    clsRamp& ramp = AppendFresh(gRamps, gRampCount);
    ramp.create(0, 1, z);
    ramp.Texture(gClipboardTexture[0], "A", gTexturePath);
    ramp.Texture(gClipboardTexture[1], "B", gTexturePath);
    ramp.scaleX(static_cast<int16_t>(gClipboardScale[0]));
    ramp.scaleY(static_cast<int16_t>(gClipboardScale[1]));
    ramp.scalez(static_cast<int16_t>(gClipboardScale[2]));
    for (int turn = 1; turn <= gClipboardRotation; ++turn) ramp.rotate();
    SelectNew(KIND_RAMP, gRampCount);
    frmMain.cmd_ramp.Enabled = true;
    ramp.SelectRamp();
}

void PastePlatform(float z) {
    clsMovingPlatform& platform = AppendFresh(gMovingPlatforms, gPlatformCount);
    platform.create(0, 0, z);
    // The position writes also make this where it starts and turns about.
    platform.Xpos(0);
    platform.Ypos(0);
    platform.Zpos(z);
    PasteSizes(platform);
    PasteTextures(platform);
    PasteRepeats(platform);
    platform.Mdir(static_cast<uint8_t>(gClipboardDirection));
    platform.MloopBack(gClipboardLoopBack);
    platform.Mdist(static_cast<uint8_t>(gClipboardDistance));
    platform.Mspeed(static_cast<uint8_t>(gClipboardSpeed));
    SelectNew(KIND_PLATFORM, gPlatformCount);
    platform.SelectBlock();
    frmMain.SetFocus();
}

}  // namespace

void CopySelection(bool cut) {
    if (!gHasSelection) return;
    if (const clsblock* block = SelectedBlock())
        CopyBlock(*block);
    else if (const clsRamp* ramp = SelectedRamp())
        CopyRamp(*ramp);
    else if (const clsMovingPlatform* platform = SelectedPlatform())
        CopyPlatform(*platform);
    else {
        // A star is not copied; a cut deletes it all the same, the clipboard keeping what it held.
        if (cut && SelectedStar()) DeleteSelected();
        return;
    }
    gClipboardFull = true;
    if (cut) DeleteSelected();
}

void PasteClipboard() {
    if (!gClipboardFull) return;
    const float z = InsertDepth();
    switch (gClipboardType) {
        case KIND_BLOCK: PasteBlock(z); break;
        case KIND_RAMP: PasteRamp(z); break;
        case KIND_PLATFORM: PastePlatform(z); break;
    }
    ShowSelection();
}

}  // namespace selection
