// The player's shadow: the ground search below each corner and the four corner quads laid
// over blocks, platforms and ramps.
#include <gtest/gtest.h>

#include <cmath>

#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "tests/support/play/DrawingTestBed.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

extern std::vector<LevelRecord> gLevelRecords;

namespace {

using d3d::LitVertex;
using d3d::Vector3;

constexpr float kTolerance = 1e-4f;

class Shadow : public ::testing::Test {
protected:
    void SetUp() override {
        bed.CopyAsset("misc/shadowimage.bmp");
        savedRecords_ = gLevelRecords;
        savedLevel_ = gCurrentLevel;
        savedTextures_ = gTexturePath;
        gTexturePath = bed.folder.File("textures/");
        gCurrentLevel = 1;
        gLevelRecords.assign(2, LevelRecord{});
        PlacePlayer(0, 0, 0, 0);
        gPlayer.HorizontalVelocity(0);
    }
    void TearDown() override {
        gLevelRecords = savedRecords_;
        gCurrentLevel = savedLevel_;
        gTexturePath = savedTextures_;
    }

    void AddBlock(float x, float y, float z, float sx, float sy, float sz) {
        BlockRecord b;
        b.X = x, b.Y = y, b.Z = z, b.ScaleX = sx, b.ScaleY = sy, b.ScaleZ = sz;
        level_.Blocks.push_back(b);
        level_.BlockCount = static_cast<int32_t>(level_.Blocks.size()) - 1;
    }
    void AddPlatform(float x, float y, float z, float sx, float sy, float sz) {
        MovingPlatformRecord p;
        p.X = x, p.Y = y, p.Z = z, p.ScaleX = sx, p.ScaleY = sy, p.ScaleZ = sz;
        level_.Platforms.push_back(p);
        level_.PlatformCount = static_cast<int32_t>(level_.Platforms.size()) - 1;
    }
    void AddRamp(uint8_t rotation, float sx, float sy, float sz) {
        RampRecord r;
        r.ScaleX = sx, r.ScaleY = sy, r.ScaleZ = sz, r.Rotation = rotation;
        level_.Ramps.push_back(r);
        level_.RampCount = static_cast<int32_t>(level_.Ramps.size()) - 1;
    }
    // Makes the level current and builds it; platforms take their places as on a first step.
    void Build() {
        gLevelRecords[1] = level_;
        LevelStructure::BuildLevel(level_, false);
        for (int32_t i = 0; i <= level_.PlatformCount; ++i) gMovingPlatforms[i].move();
    }
    static void PlacePlayer(float x, float y, float z, float forward) {
        gPlayer.Posx(x);
        gPlayer.PosY(y);
        gPlayer.Posz(z);
        gPlayer.ForwardVelocity(forward);
    }
    // Draws the shadow and returns quad k (1..4) as drawn: its six vertices and where it went.
    struct DrawnQuad {
        std::array<LitVertex, 6> v;
        Vector3 at;
    };
    std::array<DrawnQuad, 4> DrawShadow() {
        bed.device.ClearRecording();
        shadow.draw();
        EXPECT_EQ(bed.device.DrawCalls().size(), 4u);
        std::array<DrawnQuad, 4> quads{};
        for (size_t k = 0; k < 4 && k < bed.device.DrawCalls().size(); ++k) {
            const d3d::DrawCall& draw = bed.device.DrawCalls()[k];
            const auto read = draw.VerticesAs<LitVertex>();  // the six the draw read
            std::copy_n(read.begin(), std::min<size_t>(read.size(), 6), quads[k].v.begin());
            quads[k].at = {draw.State.World.m41, draw.State.World.m42, draw.State.World.m43};
        }
        return quads;
    }

    DrawingTestBed bed;
    clsShadow shadow;
    LevelRecord level_;

private:
    std::vector<LevelRecord> savedRecords_;
    int32_t savedLevel_ = 0;
    std::string savedTextures_;
};

void ExpectPoint(const Vector3& p, float x, float y, float z) {
    EXPECT_NEAR(p.X, x, kTolerance);
    EXPECT_NEAR(p.Y, y, kTolerance);
    EXPECT_NEAR(p.Z, z, kTolerance);
}

// The quad's width, depth and picture range, from its front-left (0) and back-right (2) vertices.
void ExpectQuad(const std::array<LitVertex, 6>& q, float width, float depth, float u0, float u1, float v0,
                float v1) {
    EXPECT_NEAR(q[2].X - q[0].X, width, kTolerance);
    EXPECT_NEAR(q[0].Z - q[2].Z, depth, kTolerance);
    EXPECT_NEAR(q[0].Tu, u0, kTolerance);
    EXPECT_NEAR(q[2].Tu, u1, kTolerance);
    EXPECT_NEAR(q[0].Tv, v0, kTolerance);
    EXPECT_NEAR(q[2].Tv, v1, kTolerance);
}

TEST_F(Shadow, FindsTheTopOfABlockBelow) {
    AddBlock(0, 0, 0, 4, 1, 10);
    Build();
    PlacePlayer(2, 1, 5, 0);
    ShadowCorner corner;
    const Vector3 ground = shadow.FindGroundPoint({2.5f, 2, 5}, corner, 3);
    ExpectPoint(ground, 2.5f, 1, 5);
    EXPECT_EQ(corner.Kind, GROUND_BLOCK);
    EXPECT_EQ(corner.Index, 0);
    EXPECT_EQ(corner.Sample, 3);
    EXPECT_NEAR(corner.Distance, 1.0f, kTolerance);
}

TEST_F(Shadow, TheNearerSurfaceWinsAndATieStaysWithTheBlock) {
    AddBlock(0, 0, 0, 4, 1, 10);      // top at 1
    AddPlatform(0, 0, 0, 4, 1, 10);   // top at 1, as far as the block
    AddPlatform(0, 2, 4, 4, 0.5f, 2);  // top at 2.5, only under z 4..6
    Build();
    PlacePlayer(2, 3, 5, 0);
    ShadowCorner corner;
    ExpectPoint(shadow.FindGroundPoint({2, 4, 2}, corner, 1), 2, 1, 2);
    EXPECT_EQ(corner.Kind, GROUND_BLOCK);
    ExpectPoint(shadow.FindGroundPoint({2, 4, 5}, corner, 1), 2, 2.5f, 5);
    EXPECT_EQ(corner.Kind, GROUND_PLATFORM);
    EXPECT_EQ(corner.Index, 1);
}

TEST_F(Shadow, FindsNothingOutOfReachAndLeavesTheCornerAlone) {
    AddBlock(0, 0, 0, 4, 1, 10);  // no platforms, no ramps
    Build();
    PlacePlayer(2, 60, 5, 0);
    ShadowCorner corner;
    corner.Index = 7;
    ExpectPoint(shadow.FindGroundPoint({2, 100, 5}, corner, 1), 0, 0, 0);  // the probe does not point down
    ExpectPoint(shadow.FindGroundPoint({2, 60, 5}, corner, 1), 0, 0, 0);   // reaches down to 20 only
    ExpectPoint(shadow.FindGroundPoint({9, 2, 5}, corner, 1), 0, 0, 0);    // beside the block
    EXPECT_EQ(corner.Kind, GROUND_NONE);
    EXPECT_EQ(corner.Index, 7);
    EXPECT_EQ(corner.Sample, 0);
}

TEST_F(Shadow, BlocksAwayFromThePlayerAreNotSearched) {
    AddBlock(0, 0, 0, 4, 1, 10);
    Build();
    PlacePlayer(2, 1, 20, 0);  // the sample is over the block, the player is not
    ShadowCorner corner;
    ExpectPoint(shadow.FindGroundPoint({2, 2, 5}, corner, 1), 0, 0, 0);
    PlacePlayer(2, 1, 10.5f, -0.5f);  // next position z 10 is within a unit of the block
    EXPECT_EQ(shadow.FindGroundPoint({2, 2, 5}, corner, 1).Y, 1.0f);
}

TEST_F(Shadow, ARampIsMeasuredUnderThePlayerAndKeptWithinItsHeight) {
    AddRamp(0, 4, 2, 8);  // rises toward +z, 0.25 per unit
    Build();
    ShadowCorner corner;
    const Vector3 sample{1.6f, 3.4f, 4};
    PlacePlayer(2, 3, 4, 0.2f);
    ExpectPoint(shadow.FindGroundPoint(sample, corner, 1), 1.6f, 1.05f, 4);
    EXPECT_EQ(corner.Kind, GROUND_RAMP);
    EXPECT_NEAR(shadow.FindGroundPoint({2.4f, 3.4f, 3.2f}, corner, 4).Y, 1.05f, kTolerance);  // any corner
    PlacePlayer(2, 3, 12, 0);
    EXPECT_NEAR(shadow.FindGroundPoint(sample, corner, 1).Y, 2.0f, kTolerance);  // never above the top
    PlacePlayer(2, 3, -2, 0);
    EXPECT_NEAR(shadow.FindGroundPoint(sample, corner, 1).Y, 0.0f, kTolerance);  // nor below the base
}

TEST_F(Shadow, RampHeightsInEachRotation) {
    struct Case {
        uint8_t rotation;
        float expected;
    };
    // A 4 x 2 x 8 ramp; the player at x 1, z 4, moving 0.4 forward.
    for (const Case c : {Case{2, 0.25f * (8 - (4 - 0.4f))}, Case{1, 0.5f * (1 + 0.4f)}, Case{3, 0.5f * (4 - (1 - 0.4f))}}) {
        level_ = LevelRecord{};
        AddRamp(c.rotation, 4, 2, 8);
        Build();
        PlacePlayer(1, 3, 4, 0.4f);
        ShadowCorner corner;
        EXPECT_NEAR(shadow.FindGroundPoint({2, 3.4f, 4}, corner, 1).Y, c.expected, kTolerance) << int(c.rotation);
        EXPECT_EQ(corner.Kind, GROUND_RAMP);
    }
}

TEST_F(Shadow, OverTheMiddleOfABlockOneCornerCarriesTheWholePicture) {
    shadow.create();
    AddBlock(0, 0, 0, 10, 1, 20);
    Build();
    PlacePlayer(5, 1, 10, 0.3f);
    const auto quads = DrawShadow();
    ExpectQuad(quads[0].v, 0, 0, 0, 0, 0, 0);
    ExpectQuad(quads[1].v, 0.8f, 0, 0, 1, 0, 0);
    ExpectQuad(quads[2].v, 0.8f, 0.8f, 0, 1, 0, 1);
    ExpectQuad(quads[3].v, 0, 0.8f, 1, 1, 0, 1);
    // Corner 3's quad runs from z + F back by 0.8 and from x - 0.4 to x + 0.4, 0.1 above the top.
    ExpectPoint(quads[2].at, 5, 1.1f, 10.3f);
    EXPECT_NEAR(quads[2].v[0].X, -0.4f, kTolerance);
    EXPECT_EQ(quads[2].v[0].Y, 0.0f);
    EXPECT_EQ(quads[2].v[2].Y, 0.0f);
    EXPECT_EQ(static_cast<uint32_t>(quads[2].v[0].Diffuse), 0x00FFFFFFu);
}

TEST_F(Shadow, DrawsFourQuadsAndLeavesTheBlendFactorsForTheSparks) {
    shadow.create();
    AddBlock(0, 0, 0, 10, 1, 20);
    Build();
    PlacePlayer(5, 1, 10, 0);
    DrawShadow();
    for (uint32_t k = 0; k < 4; ++k) {
        const d3d::DrawCall& draw = bed.device.DrawCalls()[k];
        EXPECT_EQ(draw.Type, d3d::PT_TRIANGLELIST);
        EXPECT_EQ(draw.PrimitiveCount, 2u);
        EXPECT_EQ(draw.StartVertex, 6 * k);
        EXPECT_EQ(draw.Stride, 28u);
        EXPECT_EQ(draw.Fvf, d3d::FVF_LITVERTEX);
        EXPECT_EQ(draw.TexturePath(), bed.folder.File("misc/shadowimage.bmp"));
    }
    const auto& picture = dynamic_cast<const d3d::FakeTexture&>(*bed.device.DrawCalls()[0].Texture);
    EXPECT_EQ(picture.Options.ColorKey, 0xFFFF00FFu);
    EXPECT_EQ(bed.device.GetRenderState(d3d::RS_ALPHABLENDENABLE), 1u);
    EXPECT_EQ(bed.device.GetRenderState(d3d::RS_SRCBLEND), d3d::BLEND_SRCALPHA);
    EXPECT_EQ(bed.device.GetRenderState(d3d::RS_DESTBLEND), d3d::BLEND_INVSRCALPHA);
    EXPECT_NE(bed.LogText().find("\"Created Player Shadow = True\""), std::string::npos);
}

TEST_F(Shadow, OverThePlatformItLiesOnThePlatform) {
    shadow.create();
    AddPlatform(0, 2, 0, 10, 0.5f, 20);
    Build();
    PlacePlayer(5, 3, 10, 0);
    const auto quads = DrawShadow();
    ExpectQuad(quads[2].v, 0.8f, 0.8f, 0, 1, 0, 1);
    ExpectPoint(quads[2].at, 5, 2.6f, 10);
}

TEST_F(Shadow, HangingOverTheFarEdgeTheQuadStopsAtTheEdge) {
    shadow.create();
    AddBlock(0, 0, 0, 10, 1, 10);
    Build();
    PlacePlayer(5, 1, 10.2f, 0);  // front corners past the end of the block
    const auto quads = DrawShadow();
    ExpectQuad(quads[0].v, 0, 0, 0, 0, 0, 0);
    ExpectQuad(quads[1].v, 0, 0, 1, 1, 0, 0);
    ExpectQuad(quads[2].v, 0.8f, 0.6f, 0, 1, 0.25f, 1);  // the nearer three quarters of the picture
    ExpectPoint(quads[2].at, 5, 1.1f, 10);               // its front edge on the block's end
}

TEST_F(Shadow, OverNothingEveryQuadCollapsesToAPoint) {
    shadow.create();
    Build();
    PlacePlayer(5, 1, 10, 0);
    for (const DrawnQuad& q : DrawShadow()) {
        ExpectPoint(q.at, 0, 0.1f, 0);
        for (const LitVertex& v : q.v) ExpectPoint({v.X, v.Y, v.Z}, 0, 0, 0);
    }
}

TEST_F(Shadow, OnARampTheQuadsFollowTheSlope) {
    struct Case {
        uint8_t rotation;
        float frontLeft, frontRight, backRight, backLeft;  // heights of corner 2's quad
    };
    // A 20 x 5 x 20 ramp climbs 0.25 per unit: 0.2 across the quad.
    for (const Case c : {Case{0, 0, 0, -0.2f, -0.2f}, Case{2, 0, 0, 0.2f, 0.2f}, Case{1, -0.2f, 0, 0, -0.2f},
                         Case{3, 0, -0.2f, -0.2f, 0}}) {
        SCOPED_TRACE(int(c.rotation));
        shadow.create();
        level_ = LevelRecord{};
        AddRamp(c.rotation, 20, 5, 20);
        Build();
        PlacePlayer(10, 6, 10, 0);
        const auto quads = DrawShadow();
        ExpectQuad(quads[1].v, 0.8f, 0.8f, 0, 1, 0, 1);  // on a ramp corner 2 carries the picture
        const auto& q = quads[1].v;
        EXPECT_NEAR(q[0].Y, c.frontLeft, kTolerance);
        EXPECT_NEAR(q[1].Y, c.frontRight, kTolerance);
        EXPECT_NEAR(q[2].Y, c.backRight, kTolerance);
        EXPECT_NEAR(q[5].Y, c.backLeft, kTolerance);
    }
}

TEST_F(Shadow, AZeroLengthRampNeitherCrashesNorTilts) {
    shadow.create();
    AddRamp(0, 20, 5, 0);
    Build();
    PlacePlayer(10, 6, 10, 0);
    for (const DrawnQuad& q : DrawShadow())
        for (const LitVertex& v : q.v) EXPECT_TRUE(std::isfinite(v.Y));
}

TEST(ShadowWithoutPicture, IsLoggedAndDrawsNothing) {
    DrawingTestBed bed;  // no misc folder
    clsShadow shadow;
    shadow.create();
    EXPECT_NE(bed.LogText().find("\"Created Player Shadow = Failed\""), std::string::npos);
    bed.device.ClearRecording();
    shadow.draw();
    EXPECT_TRUE(bed.device.DrawCalls().empty());
    EXPECT_EQ(bed.device.GetRenderState(d3d::RS_SRCBLEND), d3d::BLEND_SRCALPHA);
}

}  // namespace
