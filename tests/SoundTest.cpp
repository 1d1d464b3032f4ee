#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "game/DebugLog.h"
#include "game/OptionsFile.h"
#include "platform/recording/RecordingAudio.h"
#include "tests/support/files/ScratchFolder.h"
#include "ui/DXmusicSFX.h"

using platform::RecordingAudio;
using platform::StreamState;
using Calls = std::vector<std::string>;

namespace {

// Sound started on a recording output, in a scratch program folder that catches options.dat.
class Sound : public ::testing::Test {
protected:
    void SetUp() override { Start(0, 100); }
    void TearDown() override { DXmusicSFX::ShutdownSound(); }

    void Start(int32_t sfxVolume, int32_t musicVolume, std::set<std::string> unreadable = {}) {
        DXmusicSFX::ShutdownSound();
        gOptions.SfxVolume = sfxVolume;
        gOptions.MusicVolume = musicVolume;
        auto output = std::make_unique<RecordingAudio>();
        output->unreadable = std::move(unreadable);
        audio = output.get();
        started = DXmusicSFX::InitSound(std::move(output));
        if (started) audio->TakeCalls();
    }

    int32_t SavedLong(size_t index) const {
        auto bytes = folder.Read("options.dat");
        uint32_t v = 0;
        for (int k = 3; k >= 0; --k) v = (v << 8) | bytes.at(index * 4 + static_cast<size_t>(k));
        return static_cast<int32_t>(v);
    }

    ScratchFolder folder;
    RecordingAudio* audio = nullptr;  // owned by the sound module
    bool started = false;
};

}  // namespace

TEST_F(Sound, StartUpLoadsEveryEffectAndBothTracks) {
    ASSERT_TRUE(started);
    EXPECT_TRUE(gSoundOK);
    for (int n : {1, 3, 4, 5, 6, 7, 8, 9}) EXPECT_TRUE(audio->effects.contains(n)) << n;
    EXPECT_FALSE(audio->effects.contains(2));
    EXPECT_EQ(audio->effects[1].path, folder.File("sfx/Jump.wav"));
    EXPECT_EQ(audio->effects[7].path, folder.File("sfx/turboplatform.wav"));
    EXPECT_EQ(audio->streams[1].path, folder.File("music/track01.ogg"));
    EXPECT_TRUE(audio->streams[1].loop);
    EXPECT_EQ(audio->streams[7].path, folder.File("music/winlevel.ogg"));
    EXPECT_FALSE(audio->streams[7].loop);
}

TEST_F(Sound, EachEffectStartsByItsOwnRule) {
    const Calls restart = {"stop", "rewind", "play"};
    const std::map<int16_t, Calls> expected = {
        {1, restart}, {3, {"rewind", "play"}}, {4, restart}, {5, {"play"}},
        {6, restart}, {7, restart},            {8, restart}, {9, restart},
    };
    for (const auto& [n, actions] : expected) {
        DXmusicSFX::PlaySound(n);
        Calls want;
        for (const auto& a : actions) want.push_back("effect " + std::to_string(n) + " " + a);
        EXPECT_EQ(audio->TakeCalls(), want) << "sound " << n;
    }
    for (int16_t n : {0, 2, 10, -1}) {
        DXmusicSFX::PlaySound(n);
        EXPECT_TRUE(audio->TakeCalls().empty()) << "sound " << n;
    }
}

TEST_F(Sound, ExplosionStillSoundingIsNotRestartedButFallStartsOver) {
    DXmusicSFX::PlaySound(5);
    DXmusicSFX::PlaySound(5);
    EXPECT_TRUE(audio->effects[5].sounding);
    EXPECT_FALSE(audio->effects[5].atStart);
    EXPECT_EQ(audio->TakeCalls(), (Calls{"effect 5 play", "effect 5 play"}));

    DXmusicSFX::PlaySound(3);
    DXmusicSFX::PlaySound(3);
    EXPECT_EQ(audio->TakeCalls(), (Calls{"effect 3 rewind", "effect 3 play", "effect 3 rewind", "effect 3 play"}));
    EXPECT_TRUE(audio->effects[3].sounding);
}

TEST_F(Sound, EffectsVolumeIsAnAttenuationThatSparesTheRolloverSound) {
    DXmusicSFX::SetSFXVolume(-1000);
    const float minus10dB = static_cast<float>(std::pow(10.0, -0.5));
    for (int n : {1, 3, 4, 5, 6, 7, 9}) EXPECT_NEAR(audio->effects[n].gain, minus10dB, 1e-6) << n;
    EXPECT_EQ(audio->effects[8].gain, 1.0f);
    EXPECT_EQ(gSfxVolume, -1000);
    EXPECT_FALSE(gSfxOff);
    EXPECT_EQ(SavedLong(1), -1000);

    DXmusicSFX::SetSFXVolume(-2000);
    EXPECT_NEAR(audio->effects[1].gain, 0.1f, 1e-6);
    EXPECT_EQ(audio->effects[8].gain, 1.0f);
    EXPECT_TRUE(gSfxOff);
    audio->TakeCalls();
    DXmusicSFX::PlaySound(1);
    DXmusicSFX::PlaySound(8);
    EXPECT_TRUE(audio->TakeCalls().empty());
    DXmusicSFX::StopFallSound(3);  // still stops the fall sound while effects are off
    EXPECT_EQ(audio->TakeCalls(), (Calls{"effect 3 stop"}));
}

TEST_F(Sound, VolumesAreClampedIntoTheirRangesBeforeTheyAreKeptOrSaved) {
    struct Case {
        int32_t asked, kept;
        bool off;
    };
    for (Case c : {Case{200, 0, false}, Case{-2200, -2000, true}, Case{-2000, -2000, true}, Case{-1800, -1800, false}}) {
        DXmusicSFX::SetSFXVolume(c.asked);
        EXPECT_EQ(gSfxVolume, c.kept) << c.asked;
        EXPECT_EQ(gSfxOff, c.off) << c.asked;
        EXPECT_EQ(gOptions.SfxVolume, c.kept) << c.asked;
        EXPECT_EQ(SavedLong(1), c.kept) << c.asked;
    }
    for (Case c : {Case{110, 100, false}, Case{-10, 0, true}, Case{0, 0, true}, Case{10, 10, false}}) {
        DXmusicSFX::SetMusicVolume(c.asked);
        EXPECT_EQ(gMusicVolume, c.kept) << c.asked;
        EXPECT_EQ(gMusicOff, c.off) << c.asked;
        EXPECT_EQ(SavedLong(0), c.kept) << c.asked;
        EXPECT_FLOAT_EQ(audio->musicVolume, c.kept / 100.0f) << c.asked;
    }
}

TEST_F(Sound, SavedVolumesOutOfRangeAreClampedAtStartUp) {
    Start(350, -40);
    EXPECT_EQ(gSfxVolume, 0);
    EXPECT_EQ(gMusicVolume, 0);
    EXPECT_TRUE(gMusicOff);
    EXPECT_EQ(audio->musicVolume, 0.0f);
    EXPECT_EQ(SavedLong(0), 0);
    EXPECT_EQ(SavedLong(1), 0);
}

TEST_F(Sound, LabelsShowThePercentages) {
    struct Case {
        int32_t volume;
        const char* label;
    };
    for (Case c : {Case{-150, "92.5%"}, Case{-2000, "0%"}, Case{0, "100%"}, Case{-200, "90%"}, Case{-1, "99.95%"}}) {
        DXmusicSFX::SetSFXVolume(c.volume);
        EXPECT_EQ(DXmusicSFX::SfxVolumeLabel(), c.label);
    }
    DXmusicSFX::SetMusicVolume(0);
    EXPECT_EQ(DXmusicSFX::MusicVolumeLabel(), "0%");
    DXmusicSFX::SetMusicVolume(DXmusicSFX::kMusicVolumeMax - DXmusicSFX::kMusicVolumeStep);
    EXPECT_EQ(DXmusicSFX::MusicVolumeLabel(), "90%");
}

TEST_F(Sound, StartingATrackStopsAndRewindsBothFirst) {
    DXmusicSFX::PlayMusic(1);
    EXPECT_EQ(audio->TakeCalls(), (Calls{"stream 1 stop", "stream 7 stop", "stream 1 rewind", "stream 7 rewind",
                                         "stream 1 play"}));
    DXmusicSFX::PlayMusic(7);
    EXPECT_EQ(audio->streams[1].state, StreamState::Stopped);
    EXPECT_TRUE(audio->streams[1].atStart);
    EXPECT_EQ(audio->streams[7].state, StreamState::Playing);
    EXPECT_EQ(gCurrentTrack, 7);
    DXmusicSFX::PauseMusic();
    EXPECT_EQ(audio->streams[7].state, StreamState::Paused);
}

TEST_F(Sound, AnUnknownTrackSilencesBothAndLeavesNothingToPauseOrResume) {
    DXmusicSFX::PlayMusic(1);
    DXmusicSFX::PlayMusic(3);
    EXPECT_EQ(gCurrentTrack, 3);
    EXPECT_EQ(audio->streams[1].state, StreamState::Stopped);
    EXPECT_EQ(audio->streams[7].state, StreamState::Stopped);
    audio->TakeCalls();
    DXmusicSFX::PauseMusic();
    DXmusicSFX::ResumeMusic();
    EXPECT_TRUE(audio->TakeCalls().empty());
}

TEST_F(Sound, ResumeGoesOnFromThePauseAndOnlyAfterAPause) {
    DXmusicSFX::PlayMusic(1);
    audio->TakeCalls();
    DXmusicSFX::ResumeMusic();  // playing already
    EXPECT_TRUE(audio->TakeCalls().empty());
    DXmusicSFX::PauseMusic();
    DXmusicSFX::SetMusicVolume(0);  // a paused track resumes silently at volume 0
    DXmusicSFX::ResumeMusic();
    EXPECT_EQ(audio->TakeCalls(), (Calls{"stream 1 pause", "music volume 0.000000", "stream 1 play"}));
    EXPECT_FALSE(audio->streams[1].atStart);
    EXPECT_EQ(audio->streams[1].state, StreamState::Playing);

    DXmusicSFX::PlayMusic(7);  // blocked by the music being off: track 1 plays on
    EXPECT_EQ(gCurrentTrack, 1);
    EXPECT_EQ(audio->streams[1].state, StreamState::Playing);
}

TEST_F(Sound, MusicOffOnlyKeepsATrackFromStarting) {
    DXmusicSFX::PlayMusic(1);
    DXmusicSFX::SetMusicVolume(0);
    EXPECT_EQ(audio->streams[1].state, StreamState::Playing);
    audio->TakeCalls();
    DXmusicSFX::SetMusicVolume(30);  // heard again without a new start
    EXPECT_EQ(audio->TakeCalls(), (Calls{"music volume 0.300000"}));
    EXPECT_EQ(audio->streams[1].state, StreamState::Playing);
}

TEST_F(Sound, MusicVolumeZeroAtStartUpStartsNoTrackUntilRaised) {
    Start(0, 0);
    EXPECT_TRUE(gMusicOff);
    DXmusicSFX::PlayMusic(1);
    DXmusicSFX::PlayMusic(7);
    EXPECT_TRUE(audio->TakeCalls().empty());
    EXPECT_EQ(gCurrentTrack, 0);
    DXmusicSFX::SetMusicVolume(10);
    EXPECT_EQ(audio->streams[1].state, StreamState::Stopped);
    DXmusicSFX::PlayMusic(1);
    EXPECT_EQ(audio->streams[1].state, StreamState::Playing);
}

TEST_F(Sound, WithoutADeviceEverythingIsSilentButVolumesAreKept) {
    DXmusicSFX::ShutdownSound();
    gOptions.SfxVolume = -400;
    gOptions.MusicVolume = 60;
    EXPECT_FALSE(DXmusicSFX::InitSound(nullptr));
    EXPECT_FALSE(gSoundOK);
    EXPECT_EQ(gSfxVolume, -400);
    EXPECT_EQ(gMusicVolume, 60);
    DXmusicSFX::PlaySound(1);
    DXmusicSFX::PlayMusic(1);
    DXmusicSFX::PauseMusic();
    DXmusicSFX::ResumeMusic();
    DXmusicSFX::StopFallSound(3);
    DXmusicSFX::SetMusicVolume(70);
    EXPECT_EQ(gCurrentTrack, 0);
    EXPECT_EQ(SavedLong(0), 70);
}

TEST_F(Sound, ADamagedEffectSilencesOnlyItselfAndIsLoggedByName) {
    VeloRuneDebug::OpenDebugLog();
    Start(0, 100, {folder.File("sfx/getstar.wav")});
    VeloRuneDebug::CloseDebugLog();
    ASSERT_TRUE(started);  // the device works, so sound is on
    EXPECT_NE(folder.ReadText("Debug.txt").find("sfx/getstar.wav"), std::string::npos);
    for (int n : {1, 3, 4, 5, 6, 7, 8, 9}) DXmusicSFX::PlaySound(static_cast<int16_t>(n));
    for (int n : {1, 3, 5, 6, 7, 8, 9}) EXPECT_TRUE(audio->effects[n].sounding) << n;
    EXPECT_FALSE(audio->effects.contains(4));
    DXmusicSFX::PlayMusic(1);
    EXPECT_EQ(audio->streams[1].state, StreamState::Playing);
    DXmusicSFX::PlayMusic(7);
    EXPECT_EQ(audio->streams[7].state, StreamState::Playing);
}

TEST_F(Sound, AMissingMusicFileOnlyLeavesItsTrackSilentAndIsLoggedByName) {
    VeloRuneDebug::OpenDebugLog();
    Start(0, 100, {folder.File("music/winlevel.ogg")});
    VeloRuneDebug::CloseDebugLog();
    ASSERT_TRUE(started);
    EXPECT_NE(folder.ReadText("Debug.txt").find("music/winlevel.ogg"), std::string::npos);
    EXPECT_FALSE(audio->streams.contains(7));
    DXmusicSFX::PlayMusic(7);
    EXPECT_EQ(gCurrentTrack, 7);
    DXmusicSFX::PlayMusic(1);
    EXPECT_EQ(audio->streams[1].state, StreamState::Playing);
    DXmusicSFX::PlaySound(4);
    EXPECT_TRUE(audio->effects[4].sounding);
}
