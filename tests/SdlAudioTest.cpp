// The SDL_mixer output writing to a file through SDL's "disk" audio driver, fed with the
// generated sounds.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/Audio.h"
#include "platform/Diagnostics.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/WaitUntil.h"

namespace {

constexpr int kAudible = 1000;

class DiskAudio : public ::testing::Test {
protected:
    void SetUp() override {
        const char* assets = std::getenv("VELORUNE_ASSETS");
        if (!assets) GTEST_SKIP() << "VELORUNE_ASSETS names no generated assets";
        assets_ = assets;
        if (const char* driver = std::getenv("SDL_AUDIODRIVER")) previousDriver_ = driver;
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", folder_.File("out.raw").c_str(), 1);
        output_ = platform::OpenSdlAudio();
        ASSERT_TRUE(output_) << SDL_GetError();
    }

    void TearDown() override {
        output_.reset();
        if (previousDriver_.empty()) {
            unsetenv("SDL_AUDIODRIVER");
        } else {
            setenv("SDL_AUDIODRIVER", previousDriver_.c_str(), 1);
        }
    }

    std::string Asset(const std::string& name) const { return assets_ + "/" + name; }

    // Bytes the device has written so far.
    size_t Written() const { return std::filesystem::file_size(folder_.File("out.raw")); }

    // The loudest 16-bit sample written from byte offset on.
    int Loudest(size_t from) const {
        std::ifstream in(folder_.File("out.raw"), std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from));
        int loudest = 0;
        int16_t s;
        while (in.read(reinterpret_cast<char*>(&s), sizeof s)) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        return loudest;
    }

    // Whether the device has written 'bytes' and about ms of sound after them, within 10 s.
    bool WaitPast(size_t bytes, int ms) const {
        const size_t target = bytes + static_cast<size_t>(44100 * 4 * ms / 1000);  // 16-bit stereo
        return WaitUntil([&] { return Written() >= target; });
    }

    // Whether a sample louder than kAudible is written after byte offset from, within 10 s.
    bool BecomesAudible(size_t from) const {
        return WaitUntil([&] { return Loudest(from) > kAudible; });
    }

    ScratchFolder folder_;
    std::string assets_, previousDriver_;
    std::unique_ptr<platform::AudioBackend> output_;
};

}  // namespace

TEST_F(DiskAudio, APlayedEffectReachesTheOutput) {
    ASSERT_TRUE(output_->LoadEffect(1, Asset("sfx/getstar.wav")));
    ASSERT_TRUE(WaitPast(0, 100)) << "the device writes nothing";
    EXPECT_LT(Loudest(0), kAudible);
    const size_t before = Written();
    output_->PlayEffect(1);
    EXPECT_TRUE(BecomesAudible(before));
}

TEST_F(DiskAudio, AStreamPlaysPausesAndGoesOn) {
    ASSERT_TRUE(output_->OpenStream(1, Asset("music/track01.ogg"), true));
    output_->PlayStream(1);
    EXPECT_TRUE(BecomesAudible(0));

    output_->PauseStream(1);
    EXPECT_EQ(output_->GetStreamState(1), platform::StreamState::Paused);
    ASSERT_TRUE(WaitPast(Written(), 100));  // what was mixed before the pause drains
    const size_t paused = Written();
    ASSERT_TRUE(WaitPast(paused, 300)) << "the device stopped writing";
    EXPECT_EQ(Loudest(paused), 0);

    const size_t resumed = Written();
    output_->PlayStream(1);
    EXPECT_TRUE(BecomesAudible(resumed));
}

TEST_F(DiskAudio, MissingFilesAreRefused) {
    EXPECT_FALSE(output_->LoadEffect(1, Asset("sfx/none.wav")));
    EXPECT_FALSE(output_->OpenStream(1, Asset("music/none.ogg"), false));
    output_->PlayStream(1);  // nothing to play, nothing happens
    EXPECT_EQ(output_->GetStreamState(1), platform::StreamState::Stopped);
}

TEST_F(DiskAudio, GeneratedSoundsAreSixteenBitWavesAndTwoOggTracks) {
    for (const char* name : {"Jump", "fall", "getstar", "blowup", "bouncepad", "turboplatform", "rollover", "transit"}) {
        SDL_AudioSpec spec;
        Uint8* data = nullptr;
        Uint32 bytes = 0;
        const std::string path = Asset(std::string("sfx/") + name + ".wav");
        ASSERT_TRUE(SDL_LoadWAV(path.c_str(), &spec, &data, &bytes)) << path;
        EXPECT_EQ(spec.format, AUDIO_S16LSB) << path;
        EXPECT_GT(bytes, 1000u) << path;
        SDL_FreeWAV(data);
    }
    Mix_Music* game = Mix_LoadMUS(Asset("music/track01.ogg").c_str());
    Mix_Music* win = Mix_LoadMUS(Asset("music/winlevel.ogg").c_str());
    ASSERT_TRUE(game && win);
    EXPECT_GE(Mix_MusicDuration(game), 30.0);
    EXPECT_LT(Mix_MusicDuration(win), 10.0);
    Mix_FreeMusic(game);
    Mix_FreeMusic(win);
}

TEST_F(DiskAudio, DamagedSoundFilesAreRefusedWithTheirReasonAndOthersStillLoad) {
    std::vector<std::string> told;
    platform::SetDiagnosticSink([&](const std::string& line) { told.push_back(line); });
    std::vector<uint8_t> garbage(300);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37);
    folder_.Write("garbage.wav", garbage);
    folder_.Write("garbage.ogg", {'O', 'g', 'g', 'S', 0, 2, 0, 0});
    EXPECT_FALSE(output_->LoadEffect(4, folder_.File("garbage.wav")));
    EXPECT_FALSE(output_->OpenStream(7, folder_.File("garbage.ogg"), false));
    EXPECT_TRUE(output_->LoadEffect(1, Asset("sfx/Jump.wav")));
    platform::SetDiagnosticSink(nullptr);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find("garbage.wav refused: "), std::string::npos) << told[0];
    EXPECT_NE(told[1].find("garbage.ogg refused: "), std::string::npos) << told[1];
}
