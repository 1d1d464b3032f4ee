#include "ui/DXmusicSFX.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "game/DebugLog.h"
#include "game/OptionsFile.h"
#include "platform/Audio.h"
#include "platform/Paths.h"

bool gSoundOK = false;
int32_t gSfxVolume = 0;
int32_t gMusicVolume = 0;
bool gSfxOff = false;
bool gMusicOff = false;
int16_t gCurrentTrack = 0;

namespace DXmusicSFX {
namespace {

enum class Start {
    Restart,        // stop, rewind, play: a sound still playing begins again
    RewindAndPlay,  // rewind and play without stopping first
    PlayOnly,       // a sound still playing simply goes on
};

struct Effect {
    int16_t number;
    const char* file;
    Start start;
    bool takesVolume;  // the rollover sound always plays at full volume
};

// In the order they are loaded.
constexpr std::array<Effect, 8> kEffects{{
    {1, "sfx/Jump.wav", Start::Restart, true},
    {3, "sfx/fall.wav", Start::RewindAndPlay, true},
    {4, "sfx/getstar.wav", Start::Restart, true},
    {5, "sfx/blowup.wav", Start::PlayOnly, true},
    {6, "sfx/bouncepad.wav", Start::Restart, true},
    {7, "sfx/turboplatform.wav", Start::Restart, true},
    {8, "sfx/rollover.wav", Start::Restart, false},
    {9, "sfx/transit.wav", Start::Restart, true},
}};

constexpr int16_t kGameMusic = 1;
constexpr int16_t kWinMusic = 7;

struct Track {
    int16_t number;
    const char* file;
    bool loops;
};

constexpr std::array<Track, 2> kTracks{{
    {kGameMusic, "music/track01.ogg", true},
    {kWinMusic, "music/winlevel.ogg", false},
}};

constexpr int16_t kFallSound = 3;

std::unique_ptr<platform::AudioBackend> gOutput;

const Effect* FindEffect(int16_t number) {
    auto it = std::find_if(kEffects.begin(), kEffects.end(), [&](const Effect& e) { return e.number == number; });
    return it == kEffects.end() ? nullptr : &*it;
}

bool IsTrack(int16_t track) { return track == kGameMusic || track == kWinMusic; }

// Each file on its own: a missing or damaged one leaves only its effect or track silent.
void LoadEffects(platform::AudioBackend& output) {
    for (const Effect& e : kEffects) {
        const std::string path = platform::ProgramPath(e.file);
        if (!output.LoadEffect(e.number, path))
            VeloRuneDebug::WriteDebugLine("Sound effect missing or damaged, it stays silent: " + path);
    }
}

void OpenMusic(platform::AudioBackend& output) {
    for (const Track& t : kTracks) {
        const std::string path = platform::ProgramPath(t.file);
        if (!output.OpenStream(t.number, path, t.loops))
            VeloRuneDebug::WriteDebugLine("Music missing or damaged, its track stays silent: " + path);
    }
}

}  // namespace

bool InitSound() { return InitSound(platform::OpenSdlAudio()); }

bool InitSound(std::unique_ptr<platform::AudioBackend> output) {
    gOutput = std::move(output);
    gSoundOK = gOutput != nullptr;  // only a device that cannot start silences everything
    if (gSoundOK) {
        gSfxOff = false;
        LoadEffects(*gOutput);
        OpenMusic(*gOutput);
    }
    // Applied even when silent, so the options screen shows the saved volumes and a click
    // steps from them rather than from zero.
    SetSFXVolume(gOptions.SfxVolume);
    SetMusicVolume(gOptions.MusicVolume);
    return gSoundOK;
}

void ShutdownSound() {
    gOutput.reset();
    gSoundOK = false;
    gCurrentTrack = 0;
}

void SetSFXVolume(int32_t vol) {
    vol = std::clamp(vol, kSfxVolumeMin, kSfxVolumeMax);
    if (gSoundOK) {
        // Hundredths of a decibel of attenuation: -2000 is -20 dB.
        float gain = static_cast<float>(std::pow(10.0, vol / 2000.0));
        for (const Effect& e : kEffects)
            if (e.takesVolume) gOutput->SetEffectGain(e.number, gain);
    }
    gSfxVolume = vol;
    gSfxOff = vol <= kSfxVolumeMin;
    gOptions.SfxVolume = vol;
    optionsDat::SaveOptions();
}

void SetMusicVolume(int32_t vol) {
    vol = std::clamp(vol, kMusicVolumeMin, kMusicVolumeMax);
    if (gSoundOK) gOutput->SetMusicVolume(static_cast<float>(vol) / kMusicVolumeMax);
    gMusicVolume = vol;
    gMusicOff = vol == kMusicVolumeMin;
    gOptions.MusicVolume = vol;
    optionsDat::SaveOptions();
}

std::string SfxVolumeLabel() {
    double percent = gSfxVolume / 20.0 + 100.0;
    char text[32];
    auto end = std::to_chars(text, text + sizeof text, percent).ptr;  // shortest form: 92.5, 100
    return std::string(text, end) + "%";
}

std::string MusicVolumeLabel() { return std::to_string(gMusicVolume) + "%"; }

void PlaySound(int16_t n) {
    if (!gSoundOK || gSfxOff) return;
    const Effect* e = FindEffect(n);
    if (!e) return;
    switch (e->start) {
    case Start::Restart:
        gOutput->StopEffect(n);
        gOutput->RewindEffect(n);
        break;
    case Start::RewindAndPlay:
        gOutput->RewindEffect(n);
        break;
    case Start::PlayOnly:
        break;
    }
    gOutput->PlayEffect(n);
}

void StopFallSound(int16_t) {
    if (gSoundOK) gOutput->StopEffect(kFallSound);
}

void PlayMusic(int16_t track) {
    if (!gSoundOK || gMusicOff) return;
    StopMusic();
    if (IsTrack(track)) gOutput->PlayStream(track);
    gCurrentTrack = track;
}

void StopMusic() {
    if (!gSoundOK) return;
    for (int16_t track : {kGameMusic, kWinMusic}) gOutput->StopStream(track);
    for (int16_t track : {kGameMusic, kWinMusic}) gOutput->RewindStream(track);
}

void PauseMusic() {
    if (gOutput && IsTrack(gCurrentTrack)) gOutput->PauseStream(gCurrentTrack);
}

void ResumeMusic() {
    if (gOutput && IsTrack(gCurrentTrack) && gOutput->GetStreamState(gCurrentTrack) == platform::StreamState::Paused)
        gOutput->PlayStream(gCurrentTrack);
}

void ClearSoundFlag() {}

}  // namespace DXmusicSFX
