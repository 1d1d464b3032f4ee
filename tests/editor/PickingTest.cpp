// A click in the viewport: the nearest face under the mouse becomes the selection, a miss
// deselects, and the right button paints the picked object by the modifier keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/EditorGlobals.h"
#include "editor/Picking.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/D3DXMath.h"
#include "shared/DeviceAndCamera.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/CollisionDetection.h"
#include "world/TrackObjects.h"

using d3d::Vector3;

namespace {

constexpr int16_t kLeft = 1, kRight = 2;
constexpr int16_t kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4;
constexpr int16_t kFaceLeft = 1, kFaceRight = 2, kFaceTop = 3, kFaceFront = 4, kFaceBottom = 5;

std::vector<std::string> Four(const std::string& name) { return std::vector<std::string>(4, name); }

// The four names with one face's letter (index 0..3 for A..D) changed.
std::vector<std::string> WithFace(std::vector<std::string> names, size_t letter, const std::string& name) {
    names[letter] = name;
    return names;
}

// The middle of a face of an object, from its corners.
template <class TrackObject>
Vector3 FaceCentre(const TrackObject& object, int16_t face) {
    const auto c = object.GetPlaneCorners(face);
    const size_t count = c[3].X == c[0].X && c[3].Y == c[0].Y && c[3].Z == c[0].Z ? 3 : 4;
    Vector3 sum{};
    for (size_t i = 0; i < count; ++i) sum = d3dx::Vec3Add(sum, c[i]);
    return d3dx::Vec3Scale(sum, 1.0f / static_cast<float>(count));
}

}  // namespace

class Picking : public ::testing::Test {
protected:
    void SetUp() override {
        bed.Start();
        frmMain.viewport = {.ScaleWidth = 600, .ScaleHeight = 400};
        // An empty track: the tests insert what they pick.
        selection::UnselectCurrent();
        gHasSelection = false;
        gBlockCount = -1;
        ChooseInList("wood.bmp");
    }
    void ChooseInList(const std::string& name) {
        const auto& items = frmMain.File1.Items;
        const auto found = std::find(items.begin(), items.end(), name);
        ASSERT_NE(found, items.end()) << name;
        frmMain.File1.ListIndex = static_cast<int16_t>(found - items.begin());
    }
    // A button pressed on the viewport pixel at which the camera sees the point.
    void Click(int16_t button, int16_t shift, const Vector3& at) {
        const d3d::Matrix viewProjection = d3dx::MatrixMultiply(gD3DDevice->GetTransform(d3d::TS_VIEW),
                                                                gD3DDevice->GetTransform(d3d::TS_PROJECTION));
        const Vector3 seen = d3dx::Vec3TransformCoord(at, viewProjection);
        const float halfW = frmMain.viewport.ScaleWidth / 2.0f, halfH = frmMain.viewport.ScaleHeight / 2.0f;
        frmMain.viewport_MouseDown(button, shift, halfW * (1 + seen.X), halfH * (1 - seen.Y));
    }
    // A plain block inserted and moved; returns its index (a later insert may move the array).
    int32_t NewBlock(float x, float y = 0) {
        frmMain.mnu_block_Click();
        Block(gBlockCount).Xpos(x);
        Block(gBlockCount).Ypos(y);
        return gBlockCount;
    }
    static clsblock& Block(int32_t index) { return gBlocks[static_cast<size_t>(index)]; }
    void ExpectSelected(int32_t kind, int32_t index, int32_t face) {
        EXPECT_TRUE(gHasSelection);
        EXPECT_EQ(gSelectedType, kind);
        EXPECT_EQ(gSelectedIndex, index);
        EXPECT_EQ(gSelectedFace, face);
    }
    EditorTestBed bed;
};

// --- The nearest face along a segment

TEST_F(Picking, TheNearerOfTwoFacesWinsWhicheverIsTestedFirst) {
    // Two blocks on the line of a segment along +x, their left faces at the two distances.
    struct Pair {
        float first, second;
    };
    for (const Pair pair : {Pair{5.2f, 12.7f}, Pair{9.6f, 9.8f}, Pair{10.4f, 10.2f}}) {
        for (const bool swapped : {false, true}) {
            const float a = swapped ? pair.second : pair.first, b = swapped ? pair.first : pair.second;
            SCOPED_TRACE(testing::Message() << a << " then " << b);
            gBlockCount = -1;
            NewBlock(a);
            NewBlock(b);
            const auto pick = picking::NearestFace({0, 0.5f, 0.45f}, {100, 0.5f, 0.45f});
            ASSERT_TRUE(pick.has_value());
            EXPECT_EQ(pick->Index, a < b ? 0 : 1);
            EXPECT_EQ(pick->Face, kFaceLeft);
            EXPECT_FLOAT_EQ(pick->Distance, std::min(a, b));
        }
    }
}

TEST_F(Picking, AThinBlocksFaceTowardsTheCameraBeatsTheOneBehindIt) {
    Block(NewBlock(4.6f)).scaleX(0.2f);  // the far face at 4.8
    const auto pick = picking::NearestFace({0, 0.5f, 0.45f}, {100, 0.5f, 0.45f});
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(pick->Face, kFaceLeft);
}

TEST_F(Picking, OnlyAStrictlyNearerFaceOfALaterKindReplacesTheCandidate) {
    NewBlock(10.2f);
    frmMain.mnu_MovingPlatform_Click();
    gMovingPlatforms[0].Xpos(10.0f);
    auto pick = picking::NearestFace({0, 0.5f, 0.45f}, {100, 0.5f, 0.45f});
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(pick->Kind, KIND_PLATFORM);

    gMovingPlatforms[0].Xpos(10.2f);  // as near as the block, which was tested first
    pick = picking::NearestFace({0, 0.5f, 0.45f}, {100, 0.5f, 0.45f});
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(pick->Kind, KIND_BLOCK);
}

TEST_F(Picking, AStarIsMetOnItsPlanesWithinItsCorners) {
    frmMain.mnu_Star_Click();
    clsStar& star = gStars[0];
    star.Xpos(5);
    star.Ypos(2);
    star.Zpos(6);
    // Along +x at z 6.3: the left plane x = 5 within z 5.6 to 6.4.
    auto pick = picking::NearestFace({0, 2.5f, 6.3f}, {100, 2.5f, 6.3f});
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(pick->Kind, KIND_STAR);
    EXPECT_EQ(pick->Face, kFaceLeft);
    EXPECT_FLOAT_EQ(pick->Distance, 5.0f);
    EXPECT_FALSE(picking::NearestFace({0, 2.5f, 6.45f}, {100, 2.5f, 6.45f}).has_value());
    // Along +z at x 5.3: the front plane z = 6.
    pick = picking::NearestFace({5.3f, 2.5f, 0}, {5.3f, 2.5f, 100});
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(pick->Face, kFaceFront);
    EXPECT_FLOAT_EQ(pick->Distance, 6.0f);
    // Down onto the top, which reaches half a unit out.
    pick = picking::NearestFace({5.45f, 50, 6.45f}, {5.45f, -50, 6.45f});
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(pick->Face, kFaceTop);
    EXPECT_FLOAT_EQ(pick->Distance, 47.0f);
}

// --- Clicks

TEST_F(Picking, ALeftClickSelectsTheObjectUnderTheMouseAndShowsIt) {
    clsblock& block = Block(NewBlock(3));
    block.scaleX(2);
    selection::UnselectCurrent();
    Click(kLeft, kShift, FaceCentre(block, kFaceTop));
    ExpectSelected(KIND_BLOCK, 0, kFaceTop);
    EXPECT_TRUE(Highlighted(block));
    EXPECT_EQ(frmMain.UpDown2.Value, 2);
    EXPECT_EQ(frmMain.txt_X.Text, "3");
    EXPECT_FALSE(frmMain.cmd_ramp.Enabled);
    EXPECT_EQ(FaceTextures(block), Four("_default.bmp"));  // the left button paints nothing

    frmMain.mnu_Ramp_Click();
    clsRamp& ramp = gRamps[0];
    ramp.Xpos(-4);
    Click(kLeft, kNone, FaceCentre(ramp, kFaceTop));
    ExpectSelected(KIND_RAMP, 0, kFaceTop);
    EXPECT_TRUE(frmMain.cmd_ramp.Enabled);
    EXPECT_TRUE(Highlighted(ramp));
    EXPECT_FALSE(Highlighted(block));  // the old selection lost its highlight

    frmMain.mnu_Star_Click();
    gStars[0].Xpos(-8);
    Click(kLeft, kNone, {-8, 1.5f, 1});
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gSelectedType, KIND_STAR);
    EXPECT_EQ(SkinDrawn(gStars[0], bed.Device()), "StarSkin_selected.bmp");
    EXPECT_FALSE(frmMain.cmd_ramp.Enabled);
}

TEST_F(Picking, AMissDeselectsAndKeepsTheLastPicksKindIndexAndFace) {
    NewBlock(-5);
    frmMain.mnu_MovingPlatform_Click();
    clsMovingPlatform& platform = gMovingPlatforms[0];
    platform.Xpos(3);
    Click(kLeft, kNone, FaceCentre(platform, kFaceFront));
    ExpectSelected(KIND_PLATFORM, 0, kFaceFront);

    Click(kRight, kShift, {40, 60, 5});  // the sky
    EXPECT_FALSE(gHasSelection);
    EXPECT_EQ(gSelectedType, KIND_PLATFORM);
    EXPECT_EQ(gSelectedIndex, 0);
    EXPECT_EQ(gSelectedFace, kFaceFront);
    EXPECT_FALSE(Highlighted(platform));
    EXPECT_EQ(frmMain.txt_X.Text, "0");  // the panel shows nothing selected
    EXPECT_EQ(FaceTextures(platform), Four("concrete.bmp"));
}

TEST_F(Picking, AViewportUnderTwoPixelsPicksNothing) {
    const Vector3 top = FaceCentre(Block(NewBlock(0)), kFaceTop);
    frmMain.viewport.ScaleWidth = 1;
    frmMain.viewport_MouseDown(kLeft, kNone, 0, 0);
    EXPECT_FALSE(gHasSelection);
    frmMain.viewport = {.ScaleWidth = 600, .ScaleHeight = 400};
    Click(kLeft, kNone, top);
    EXPECT_TRUE(gHasSelection);
    frmMain.viewport.ScaleHeight = 1;
    frmMain.viewport_MouseDown(kLeft, kNone, 300, 0);
    EXPECT_FALSE(gHasSelection);
}

TEST_F(Picking, ClicksPickInPlayModeToo) {
    const Vector3 top = FaceCentre(Block(NewBlock(0)), kFaceTop);
    gEditorMode = MODE_PLAY;
    Click(kLeft, kNone, top);
    ExpectSelected(KIND_BLOCK, 0, kFaceTop);
}

// --- The right button

TEST_F(Picking, RightWithoutAModifierOnABlockTellsItsCodeAndPaintsNothing) {
    const int32_t plain = NewBlock(-3);
    frmMain.mnu_instantkill_Click();
    gBlocks[1].Xpos(3);
    Click(kRight, kNone, FaceCentre(Block(plain), kFaceTop));
    Click(kRight, kNone, FaceCentre(gBlocks[1], kFaceTop));
    EXPECT_EQ(bed.messages, (std::vector<std::string>{"0", "6"}));
    EXPECT_EQ(bed.messageTitles[0], "Velorune Level Editor");
    EXPECT_EQ(FaceTextures(Block(plain)), Four("_default.bmp"));
    EXPECT_EQ(FaceTextures(gBlocks[1]), Four("Red Cross on Grey.bmp"));
    ExpectSelected(KIND_BLOCK, 1, kFaceTop);
}

TEST_F(Picking, RightWithAModifierPaintsTheClickedFaceOfAPlainBlockOnly) {
    const int32_t right = NewBlock(6), left = NewBlock(-7), above = NewBlock(0, 30);
    frmMain.mnu_BouncePad_Click();
    const int32_t pad = gBlockCount;
    struct Case {
        int32_t block;
        int16_t shift, face;
        int letter;  // 0..3 for A..D; -1 when nothing may change
    };
    for (const Case c : {Case{right, kShift, kFaceTop, 3}, Case{right, kCtrl, kFaceLeft, 1},
                         Case{left, kAlt, kFaceRight, 2}, Case{left, kShift | kCtrl, kFaceFront, 0},
                         Case{above, kShift, kFaceBottom, -1}, Case{pad, kShift, kFaceTop, -1}}) {
        SCOPED_TRACE(testing::Message() << "block " << c.block << " face " << c.face);
        const std::vector<std::string> before = FaceTextures(Block(c.block));
        Click(kRight, c.shift, FaceCentre(Block(c.block), c.face));
        ExpectSelected(KIND_BLOCK, c.block, c.face);
        const auto letter = static_cast<size_t>(c.letter);
        EXPECT_EQ(FaceTextures(Block(c.block)), c.letter < 0 ? before : WithFace(before, letter, "wood.bmp"));
        EXPECT_TRUE(Highlighted(Block(c.block)));  // a face paint keeps the highlight
    }
    EXPECT_EQ(FaceTextures(Block(pad)), Four("Blue With Yellow Dot.bmp"));
    EXPECT_TRUE(bed.messages.empty());  // a special block stays silent
}

TEST_F(Picking, RightOnAPlatformPaintsItAllOrWithAModifierTheClickedFace) {
    frmMain.mnu_MovingPlatform_Click();
    clsMovingPlatform& platform = gMovingPlatforms[0];
    platform.Xpos(4);
    Click(kRight, kNone, FaceCentre(platform, kFaceFront));
    EXPECT_EQ(FaceTextures(platform), Four("wood.bmp"));
    EXPECT_FALSE(Highlighted(platform));  // painting the whole object takes the highlight off
    ExpectSelected(KIND_PLATFORM, 0, kFaceFront);

    ChooseInList("brick.bmp");
    std::vector<std::string> looks = Four("wood.bmp");
    Click(kRight, kShift, FaceCentre(platform, kFaceTop));
    EXPECT_EQ(FaceTextures(platform), looks = WithFace(looks, 3, "brick.bmp"));
    EXPECT_TRUE(Highlighted(platform));
    Click(kRight, kAlt, FaceCentre(platform, kFaceLeft));
    EXPECT_EQ(FaceTextures(platform), looks = WithFace(looks, 1, "brick.bmp"));
    Click(kRight, kCtrl, FaceCentre(platform, kFaceFront));
    EXPECT_EQ(FaceTextures(platform), looks = WithFace(looks, 0, "brick.bmp"));

    platform.Xpos(-6);
    Click(kRight, kShift, FaceCentre(platform, kFaceRight));
    EXPECT_EQ(FaceTextures(platform), Four("brick.bmp"));
    platform.Ypos(30);
    Click(kRight, kShift, FaceCentre(platform, kFaceBottom));
    ExpectSelected(KIND_PLATFORM, 0, kFaceBottom);
    EXPECT_EQ(FaceTextures(platform), Four("brick.bmp"));
}

TEST_F(Picking, RightOnARampPaintsBothTexturesOrTheClickedFacesOwn) {
    frmMain.mnu_Ramp_Click();
    clsRamp& ramp = gRamps[0];
    ramp.Xpos(2);
    Click(kRight, kNone, FaceCentre(ramp, kFaceTop));
    EXPECT_EQ(ramp.GetTextureA(), "wood.bmp");
    EXPECT_EQ(ramp.GetTextureB(), "wood.bmp");
    EXPECT_FALSE(Highlighted(ramp));

    ChooseInList("brick.bmp");
    Click(kRight, kCtrl, FaceCentre(ramp, kFaceTop));  // the slope: both
    ExpectSelected(KIND_RAMP, 0, kFaceTop);
    EXPECT_EQ(ramp.GetTextureA(), "brick.bmp");
    EXPECT_EQ(ramp.GetTextureB(), "brick.bmp");
    EXPECT_TRUE(Highlighted(ramp));

    ChooseInList("metal.bmp");
    Click(kRight, kShift, FaceCentre(ramp, kFaceLeft));  // another face: the sides' texture
    ExpectSelected(KIND_RAMP, 0, kFaceLeft);
    EXPECT_EQ(ramp.GetTextureA(), "brick.bmp");
    EXPECT_EQ(ramp.GetTextureB(), "metal.bmp");
}

TEST_F(Picking, RightOnAStarSelectsItAndPaintsNothing) {
    frmMain.mnu_Star_Click();
    gStars[0].Xpos(2);
    for (const int16_t shift : {kNone, kShift}) {
        Click(kRight, shift, {2, 1.5f, 1});
        EXPECT_TRUE(gHasSelection);
        EXPECT_EQ(gSelectedType, KIND_STAR);
        EXPECT_EQ(SkinDrawn(gStars[0], bed.Device()), "StarSkin_selected.bmp");
    }
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(Picking, WithNoEntryOfTheListChosenNothingIsPainted) {
    clsblock& block = Block(NewBlock(2));
    frmMain.File1.ListIndex = -1;
    Click(kRight, kShift, FaceCentre(block, kFaceTop));
    ExpectSelected(KIND_BLOCK, 0, kFaceTop);
    EXPECT_EQ(FaceTextures(block), Four("_default.bmp"));
    EXPECT_TRUE(Highlighted(block));
}

// --- Ramps whose slope's corners run the other way round as the pick sees them

TEST_F(Picking, ASteepRampTurnedOnceAndAnEvenRampTurnedTwiceArePickedOnTheirSlopes) {
    frmMain.mnu_Ramp_Click();
    clsRamp& ramp = gRamps[0];
    struct Case {
        int turns;
        int16_t x, y, z;
    };
    for (const Case c : {Case{1, 1, 3, 1}, Case{2, 1, 2, 2}}) {
        SCOPED_TRACE(c.turns);
        ramp.create(2, 0, 0);
        ramp.scaleX(c.x);
        ramp.scaleY(c.y);
        ramp.scalez(c.z);
        while (ramp.rotateVal() != c.turns) ramp.rotate();
        const Vector3 slope = FaceCentre(ramp, kFaceTop);
        const auto corners = ramp.GetPlaneCorners(kFaceTop);
        ASSERT_TRUE(CollisionDetection::EdgeSidesOf(corners[0], corners[1], corners[2], corners[3], slope).AllBelow());
        Click(kLeft, kNone, slope);
        ExpectSelected(KIND_RAMP, 0, kFaceTop);
    }
}
