// A sound output that plays nothing: it records every call and keeps enough state to answer
// like a device would.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Audio.h"

namespace platform {

// Calls are remembered one per line ("effect 3 rewind", "stream 1 play", "music volume 0.5").
// Effects sound until the test ends them with FinishEffect.
class RecordingAudio : public AudioBackend {
public:
    struct Effect {
        std::string path;
        bool sounding = false;
        bool atStart = true;
        float gain = 1.0f;
    };
    struct Stream {
        std::string path;
        bool loop = false;
        StreamState state = StreamState::Stopped;
        bool atStart = true;
    };

    std::vector<std::string> calls;
    std::set<std::string> unreadable;  // paths that fail to load or open
    std::map<int, Effect> effects;
    std::map<int, Stream> streams;
    float musicVolume = 1.0f;

    // The effect plays out to its end.
    void FinishEffect(int id);
    // Calls recorded since the last TakeCalls, then forgets them.
    std::vector<std::string> TakeCalls();

    bool LoadEffect(int id, const std::string& path) override;
    void StopEffect(int id) override;
    void RewindEffect(int id) override;
    void PlayEffect(int id) override;
    void SetEffectGain(int id, float gain) override;
    bool OpenStream(int id, const std::string& path, bool loop) override;
    void PlayStream(int id) override;
    void PauseStream(int id) override;
    void StopStream(int id) override;
    void RewindStream(int id) override;
    StreamState GetStreamState(int id) override;
    void SetMusicVolume(float volume) override;

private:
    void Record(const std::string& what, int id, const std::string& action);
};

}  // namespace platform
