// The sound output: short effects loaded whole from WAV files, each on a channel of its own,
// and music streamed from Ogg Vorbis files. Two back-ends: SDL_mixer (OpenSdlAudio) and a
// recording fake for tests (platform/recording/RecordingAudio.h).
#pragma once
#include <memory>
#include <string>

namespace platform {

enum class StreamState { Stopped, Playing, Paused };

class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Effects are named by a small id chosen by the caller. An effect holds one instance of its
    // sound and a play position, so it never overlaps itself.
    // Loads the whole file; false when it is missing or unreadable.
    virtual bool LoadEffect(int id, const std::string& path) = 0;
    // Halts the effect where it stands; the position is kept.
    virtual void StopEffect(int id) = 0;
    // Moves the position back to the start; a sounding effect goes on sounding from there.
    virtual void RewindEffect(int id) = 0;
    // Plays once from the current position; an effect that is sounding already just goes on.
    // An effect that has played to its end stands at its start again.
    virtual void PlayEffect(int id) = 0;
    // Linear gain 0..1 of that effect alone.
    virtual void SetEffectGain(int id, float gain) = 0;

    // Music streams, named like effects. Calls on a stream that could not be opened do nothing.
    // Opens the file; false when it is missing or unreadable.
    virtual bool OpenStream(int id, const std::string& path, bool loop) = 0;
    // Plays from the current position (a paused stream resumes where it was).
    virtual void PlayStream(int id) = 0;
    virtual void PauseStream(int id) = 0;
    // Halts the stream; the position is kept.
    virtual void StopStream(int id) = 0;
    virtual void RewindStream(int id) = 0;
    virtual StreamState GetStreamState(int id) = 0;
    // The music's output volume 0..1, for every stream.
    virtual void SetMusicVolume(float volume) = 0;
};

// Opens the default output device with SDL_mixer; nullptr when there is no usable device.
std::unique_ptr<AudioBackend> OpenSdlAudio();

}  // namespace platform
