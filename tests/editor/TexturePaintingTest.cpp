// Taking the highlight off, and painting a texture from the list onto the selection with the
// special blocks' rules.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"

namespace {

const char* const kSpecialBlock = "This is a special block and it's texture cannot be changed.";

std::vector<std::string> Four(const std::string& name) { return std::vector<std::string>(4, name); }

}  // namespace

class TexturePainting : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    // Highlights the list entry of a texture file, as a click on it does.
    void ChooseInList(const std::string& name) {
        const auto& items = frmMain.File1.Items;
        const auto found = std::find(items.begin(), items.end(), name);
        ASSERT_NE(found, items.end()) << name;
        frmMain.File1.ListIndex = static_cast<int16_t>(found - items.begin());
    }
    EditorTestBed bed;
};

TEST_F(TexturePainting, APlainBlockAPlatformAndARampTakeTheTextureOnEveryFace) {
    selection::TextureSelected("wood.bmp");
    EXPECT_EQ(FaceTextures(gBlocks[0]), Four("wood.bmp"));

    frmMain.mnu_MovingPlatform_Click();
    selection::TextureSelected("brick.bmp");
    EXPECT_EQ(FaceTextures(gMovingPlatforms[0]), Four("brick.bmp"));

    frmMain.mnu_Ramp_Click();
    selection::TextureSelected("metal.bmp");
    EXPECT_EQ(gRamps[0].GetTextureA(), "metal.bmp");
    EXPECT_EQ(gRamps[0].GetTextureB(), "metal.bmp");
    // Painting ends the highlight but not the selection, and leaves the panel as it was.
    EXPECT_FALSE(Highlighted(gRamps[0]));
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gSelectedType, KIND_RAMP);
    EXPECT_TRUE(frmMain.cmd_ramp.Enabled);
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(TexturePainting, ASpecialBlockSaysSoAndKeepsItsLookButLosesTheHighlight) {
    frmMain.mnu_instantkill_Click();
    selection::TextureSelected("wood.bmp");
    ASSERT_EQ(bed.messages.size(), 1u);
    EXPECT_EQ(bed.messages[0], kSpecialBlock);
    EXPECT_EQ(bed.messageTitles[0], "Velorune Level Editor");
    EXPECT_EQ(FaceTextures(gBlocks[1]), Four("Red Cross on Grey.bmp"));
    EXPECT_FALSE(Highlighted(gBlocks[1]));
    EXPECT_TRUE(gHasSelection);
}

TEST_F(TexturePainting, ATurboPadKeepsItsAnimatedTop) {
    frmMain.mnu_turbo_Click();
    selection::TextureSelected("wood.bmp");
    const std::vector<std::string> painted = {"wood.bmp", "wood.bmp", "wood.bmp", "AnimationTest_0.bmp"};
    EXPECT_EQ(FaceTextures(gBlocks[1]), painted);
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(TexturePainting, AStarOnlyLosesItsSelectedSkin) {
    frmMain.mnu_Star_Click();
    selection::TextureSelected("wood.bmp");
    EXPECT_EQ(SkinDrawn(gStars[0], bed.Device()), "StarSkin.bmp");
    EXPECT_TRUE(gHasSelection);
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(TexturePainting, NothingSelectedOrNoNameChangesNothing) {
    gHasSelection = false;
    selection::TextureSelected("wood.bmp");
    EXPECT_EQ(FaceTextures(gBlocks[0]), Four("_default.bmp"));
    EXPECT_TRUE(Highlighted(gBlocks[0]));  // not even the highlight goes

    gHasSelection = true;
    selection::TextureSelected("");  // no entry of the list chosen
    EXPECT_EQ(FaceTextures(gBlocks[0]), Four("_default.bmp"));
    EXPECT_TRUE(Highlighted(gBlocks[0]));
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(TexturePainting, ASelectionWhoseObjectIsGoneIsNotPainted) {
    gSelectedIndex = 3;  // beyond the one block
    selection::TextureSelected("wood.bmp");
    selection::UnselectCurrent();
    gSelectedType = 7;
    selection::TextureSelected("wood.bmp");
    EXPECT_EQ(FaceTextures(gBlocks[0]), Four("_default.bmp"));
    EXPECT_TRUE(Highlighted(gBlocks[0]));
}

TEST_F(TexturePainting, UnselectingTwiceWritesThePlainColoursAgain) {
    selection::UnselectCurrent();
    selection::UnselectCurrent();
    EXPECT_FALSE(Highlighted(gBlocks[0]));
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gSelectedIndex, 0);
}

TEST_F(TexturePainting, ADoubleClickOnTheListPaintsInEditModeOnly) {
    ChooseInList("grass.bmp");
    gEditorMode = MODE_PLAY;
    frmMain.File1_DblClick();
    EXPECT_EQ(FaceTextures(gBlocks[0]), Four("_default.bmp"));
    EXPECT_TRUE(Highlighted(gBlocks[0]));

    gEditorMode = MODE_EDIT;
    gHasSelection = false;
    frmMain.File1_DblClick();
    EXPECT_EQ(FaceTextures(gBlocks[0]), Four("_default.bmp"));

    gHasSelection = true;
    frmMain.File1_DblClick();
    EXPECT_EQ(FaceTextures(gBlocks[0]), Four("grass.bmp"));
    EXPECT_FALSE(Highlighted(gBlocks[0]));
}
