// Sound effects and music. Effects are asked for by number (1 jump, 3 fall, 4 star collected,
// 5 explosion, 6 jump pad, 7 turbo pad, 8 button rollover, 9 menu choice); music by track
// (1 the game music, looping; 7 the level-won music, once). Sound is optional: when it cannot
// start, every call here stays silent and the game runs on.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace platform {
class AudioBackend;
}

extern bool gSoundOK;          // sound started; gates almost every operation
extern int32_t gSfxVolume;     // effects volume in hundredths of a decibel, -2000 (off) .. 0 (full)
extern int32_t gMusicVolume;   // music volume 0 (off) .. 100
extern bool gSfxOff;           // effects silenced: the effects volume is at its minimum
extern bool gMusicOff;         // music silenced: no track starts while the music volume is 0
extern int16_t gCurrentTrack;  // the track last started; 0 before any

namespace DXmusicSFX {

constexpr int32_t kSfxVolumeMin = -2000;
constexpr int32_t kSfxVolumeMax = 0;
constexpr int32_t kSfxVolumeStep = 200;  // one click of the options screen
constexpr int32_t kMusicVolumeMin = 0;
constexpr int32_t kMusicVolumeMax = 100;
constexpr int32_t kMusicVolumeStep = 10;

// Opens the default sound device, loads the effects and music, applies the saved volumes.
// Returns whether sound is on, which depends on the device alone: an effect or music file
// that is missing or damaged only leaves itself silent, with its name in the debug log.
bool InitSound();
// The same on the given output (tests pass a fake); nullptr means no device.
bool InitSound(std::unique_ptr<platform::AudioBackend> output);
// Closes the sound output; every sound call is silent afterwards.
void ShutdownSound();

// Both setters clamp the volume into its range, set the off flag from the clamped value and
// save it to options.dat.
void SetSFXVolume(int32_t vol);
void SetMusicVolume(int32_t vol);
// The options screen's labels: "92.5%", "100%".
std::string SfxVolumeLabel();
std::string MusicVolumeLabel();

void PlaySound(int16_t n);
// Stops the fall sound (3); the argument is not used.
void StopFallSound(int16_t n);
void PlayMusic(int16_t track);
void StopMusic();
void PauseMusic();
// Goes on with the current track only when it is paused.
void ResumeMusic();
// Called by the level reset; playback is not affected.
void ClearSoundFlag();

}  // namespace DXmusicSFX
