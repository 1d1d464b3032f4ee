#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "platform/DeviceState.h"
#include "tests/support/play/DrawingTestBed.h"
#include "world/RandomNumbers.h"
#include "world/clsParticles.h"

namespace {

class Particles : public ::testing::Test {
protected:
    void SetUp() override {
        bed.CopyAsset("misc/starParticle.bmp");
        bed.clock.ticks = 1000;
        UseNumbers({0.5f});
    }
    void TearDown() override { RandomNumbers::SetSource({}); }

    // Each spark draws six numbers: lifetime, x speed, y speed, red, green, blue.
    static void UseNumbers(std::vector<float> numbers) {
        RandomNumbers::SetSource([numbers, i = size_t{0}]() mutable { return numbers[i++ % numbers.size()]; });
    }

    void DrawAfter(uint32_t ms) {
        bed.clock.ticks += ms;
        particles.draw();
    }

    DrawingTestBed bed;
    clsParticles particles;
};

TEST_F(Particles, OneBurstMakesThirtySparksAboveTheStar) {
    particles.AddStarExplosion(1, 2, 3);
    ASSERT_EQ(particles.ParticleCount(), 30);
    for (const Particle& p : particles.Particles()) {
        EXPECT_FLOAT_EQ(p.Position.X, 1.2f);
        EXPECT_FLOAT_EQ(p.Position.Y, 2.5f);
        EXPECT_FLOAT_EQ(p.Position.Z, 2.8f);
        EXPECT_EQ(p.LifeTime, 10000);
        EXPECT_EQ(p.BirthTick, 1000);
        EXPECT_FLOAT_EQ(p.Velocity.X, 0.0f);
        EXPECT_FLOAT_EQ(p.Velocity.Y, 0.6f);
        EXPECT_EQ(p.Dead, 0);
        EXPECT_EQ(p.StartColour.R, 5.0f);  // strength 5.1 rounded
        EXPECT_EQ(p.StartColour.A, 1.0f);
    }
    EXPECT_EQ(particles.Vertices().size(), 30u);
    EXPECT_FLOAT_EQ(particles.Vertices()[29].Y, 2.5f);
}

TEST_F(Particles, RandomNumbersSpanLifetimesSpeedsAndColours) {
    UseNumbers({0.0f});
    particles.AddStarExplosion(0, 0, 0);
    const Particle low = particles.Particles()[0];
    EXPECT_EQ(low.LifeTime, 7500);
    EXPECT_FLOAT_EQ(low.Velocity.X, -0.3f);
    EXPECT_FLOAT_EQ(low.Velocity.Y, -0.6f);
    EXPECT_EQ(low.StartColour.G, 0.0f);  // strength 0.1 rounds to nothing
    EXPECT_FLOAT_EQ(clsParticles::RandomColour(), 0.1f);

    UseNumbers({0.99999f});
    particles.AddStarExplosion(0, 0, 0);
    const Particle high = particles.Particles()[30];
    EXPECT_EQ(high.LifeTime, 12500);
    EXPECT_NEAR(high.Velocity.X, 0.3f, 1e-4);
    EXPECT_NEAR(high.Velocity.Y, 1.8f, 1e-4);
    EXPECT_EQ(high.StartColour.B, 10.0f);
}

TEST_F(Particles, AFallingSparkTurnsUpwardsAfterItsFirstStep) {
    UseNumbers({0.5f, 0.5f, 1.0f / 24, 0.5f, 0.5f, 0.5f});  // y speed 2 x 1.2 / 24 - 0.6 = -0.5
    particles.AddStarExplosion(0, 0, 0);
    ASSERT_NEAR(particles.Particles()[0].Velocity.Y, -0.5f, 1e-6);
    DrawAfter(40);
    EXPECT_NEAR(particles.Particles()[0].Position.Y, 0.4f, 1e-6);
    EXPECT_NEAR(particles.Particles()[0].Velocity.Y, 0.5001f, 1e-6);
    EXPECT_NEAR(particles.Vertices()[0].Y, 0.4f, 1e-6);
    DrawAfter(40);
    EXPECT_NEAR(particles.Particles()[0].Position.Y, 0.4f + 0.5001f / 5, 1e-6);
}

TEST_F(Particles, ColoursFadeAndStayWithinTheirChannels) {
    UseNumbers({0.5f, 0.5f, 0.5f, 0.99f, 0.0f, 0.25f});  // start colour (10, 0, 3), alpha 1
    particles.AddStarExplosion(0, 0, 0);
    EXPECT_EQ(static_cast<uint32_t>(particles.Vertices()[0].Diffuse), 0xFFFF00FFu);  // 2550 and 765 held at 255

    DrawAfter(5000);  // half its life
    EXPECT_FLOAT_EQ(particles.Particles()[0].Colour.R, 5.0f);
    EXPECT_EQ(static_cast<uint32_t>(particles.Vertices()[0].Diffuse), 0x80FF00FFu);  // alpha 127.5 to even 128

    DrawAfter(4800);  // 98 % of its life
    EXPECT_EQ(static_cast<uint32_t>(particles.Vertices()[0].Diffuse), 0x0533000Fu);  // 5.1, 51, 0, 15.3

    DrawAfter(300);  // past its life: the fade overshoots below zero, which stays at 0
    EXPECT_EQ(particles.Particles()[0].Dead, 1);
    EXPECT_LT(particles.Particles()[0].Colour.R, 0.0f);
    EXPECT_EQ(particles.Vertices()[0].Diffuse, 0);
}

TEST_F(Particles, SparksRetireAndTheSetGoesOnceAllAreRetired) {
    particles.AddStarExplosion(0, 0, 0);  // lives 10000 ms
    DrawAfter(1000);
    particles.AddStarExplosion(5, 0, 0);  // a second burst while the first lives
    ASSERT_EQ(particles.ParticleCount(), 60);

    DrawAfter(9000);  // the first burst reaches its lifetime: retired, still counted
    EXPECT_EQ(particles.Particles()[0].Dead, 1);
    EXPECT_EQ(particles.Particles()[30].Dead, 0);
    DrawAfter(40);
    EXPECT_EQ(particles.ParticleCount(), 60);
    EXPECT_EQ(particles.Particles()[0].Position.Z, -1000.0f);
    EXPECT_EQ(particles.Vertices()[0].Diffuse, 0);

    DrawAfter(1000);  // the second burst retires
    EXPECT_EQ(particles.ParticleCount(), 60);
    bed.device.ClearRecording();
    DrawAfter(40);  // no spark alive: the set is dropped and nothing is drawn
    EXPECT_EQ(particles.ParticleCount(), 0);
    EXPECT_TRUE(particles.Vertices().empty());
    EXPECT_TRUE(bed.device.DrawCalls().empty());
}

TEST_F(Particles, ASparkBelowTheTrackRetires) {
    UseNumbers({0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.5f});  // y speed -0.6
    particles.AddStarExplosion(0, -1.4f, 0);            // starts at -0.9
    DrawAfter(40);
    EXPECT_EQ(particles.Particles()[0].Dead, 1);
}

TEST_F(Particles, ResetRemovesEverySparkAtOnce) {
    particles.AddStarExplosion(0, 0, 0);
    DrawAfter(40);
    particles.resetParticles();
    EXPECT_EQ(particles.ParticleCount(), 0);
    bed.device.ClearRecording();
    DrawAfter(40);
    EXPECT_TRUE(bed.device.DrawCalls().empty());
}

TEST_F(Particles, SparksOfOneBurstGetDifferentColours) {
    auto distinctColours = [this] {
        particles.resetParticles();
        particles.AddStarExplosion(0, 0, 0);
        std::set<std::tuple<float, float, float>> colours;
        for (const Particle& p : particles.Particles())
            colours.emplace(p.StartColour.R, p.StartColour.G, p.StartColour.B);
        return colours.size();
    };
    std::mt19937 seeded(7);
    RandomNumbers::SetSource([&] { return std::uniform_real_distribution<float>(0.0f, 0.999f)(seeded); });
    EXPECT_GT(distinctColours(), 20u);
    RandomNumbers::SetSource({});  // the program's own generator
    EXPECT_GT(distinctColours(), 20u);
}

TEST_F(Particles, DrawsPointSpritesAndLeavesBlendingOnWithTheBlendFactorsItFound) {
    particles.create();
    bed.device.SetRenderState(d3d::RS_SRCBLEND, d3d::BLEND_SRCALPHA);  // as the shadow leaves them
    bed.device.SetRenderState(d3d::RS_DESTBLEND, d3d::BLEND_INVSRCALPHA);
    particles.AddStarExplosion(0, 0, 0);
    bed.device.ClearRecording();
    DrawAfter(40);

    ASSERT_EQ(bed.device.DrawCalls().size(), 1u);
    const d3d::DrawCall& draw = bed.device.DrawCalls()[0];
    EXPECT_EQ(draw.Type, d3d::PT_POINTLIST);
    EXPECT_EQ(draw.PrimitiveCount, 30u);
    EXPECT_TRUE(draw.FromMemory);
    EXPECT_EQ(draw.Stride, 24u);
    EXPECT_EQ(draw.Fvf, d3d::FVF_POINTVERTEX);
    EXPECT_EQ(draw.RenderState(d3d::RS_ZWRITEENABLE), 0u);
    EXPECT_EQ(draw.RenderState(d3d::RS_ALPHABLENDENABLE), 1u);
    EXPECT_EQ(d3d::BitsFloat(draw.RenderState(d3d::RS_POINTSIZE)), 0.03f);
    EXPECT_EQ(draw.State.World.m41, 0.0f);
    EXPECT_EQ(draw.State.World.m11, 1.0f);
    ASSERT_TRUE(draw.Texture);
    const auto& picture = dynamic_cast<const d3d::FakeTexture&>(*draw.Texture);
    EXPECT_EQ(picture.Path, bed.folder.File("misc/starParticle.bmp"));
    EXPECT_EQ(picture.Options.ColorKey, 0xFFFF00FFu);
    EXPECT_EQ(picture.Options.Format, d3d::TextureFormat::A1R5G5B5);

    EXPECT_EQ(bed.device.GetRenderState(d3d::RS_ZWRITEENABLE), 1u);
    EXPECT_EQ(bed.device.GetRenderState(d3d::RS_ALPHABLENDENABLE), 1u);
    for (const auto& [state, value] : bed.device.RenderStateWrites())
        EXPECT_TRUE(state != d3d::RS_SRCBLEND && state != d3d::RS_DESTBLEND) << state;
    EXPECT_NE(bed.LogText().find("\"CREATED PARTICLE ENGINE = True\""), std::string::npos);
}

TEST(ParticlesWithoutPicture, LogFailureAndDrawUntextured) {
    DrawingTestBed bed;  // no misc folder at all
    clsParticles particles;
    particles.create();
    EXPECT_NE(bed.LogText().find("\"CREATED PARTICLE ENGINE = Failed\""), std::string::npos);
    particles.AddStarExplosion(0, 0, 0);
    particles.draw();
    ASSERT_EQ(bed.device.DrawCalls().size(), 1u);
    EXPECT_FALSE(bed.device.DrawCalls()[0].Texture);
}

}  // namespace
