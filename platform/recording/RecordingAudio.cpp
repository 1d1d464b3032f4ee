#include "platform/recording/RecordingAudio.h"

#include <utility>

namespace platform {

void RecordingAudio::Record(const std::string& what, int id, const std::string& action) {
    calls.push_back(what + " " + std::to_string(id) + " " + action);
}

std::vector<std::string> RecordingAudio::TakeCalls() { return std::exchange(calls, {}); }

void RecordingAudio::FinishEffect(int id) {
    auto it = effects.find(id);
    if (it == effects.end()) return;
    it->second.sounding = false;
    it->second.atStart = true;
}

bool RecordingAudio::LoadEffect(int id, const std::string& path) {
    Record("effect", id, "load " + path);
    if (unreadable.contains(path)) return false;
    effects[id] = Effect{path};
    return true;
}

void RecordingAudio::StopEffect(int id) {
    Record("effect", id, "stop");
    if (auto it = effects.find(id); it != effects.end()) it->second.sounding = false;
}

void RecordingAudio::RewindEffect(int id) {
    Record("effect", id, "rewind");
    if (auto it = effects.find(id); it != effects.end()) it->second.atStart = true;
}

void RecordingAudio::PlayEffect(int id) {
    Record("effect", id, "play");
    if (auto it = effects.find(id); it != effects.end()) {
        if (!it->second.sounding) it->second.atStart = false;
        it->second.sounding = true;
    }
}

void RecordingAudio::SetEffectGain(int id, float gain) {
    Record("effect", id, "gain " + std::to_string(gain));
    if (auto it = effects.find(id); it != effects.end()) it->second.gain = gain;
}

bool RecordingAudio::OpenStream(int id, const std::string& path, bool loop) {
    Record("stream", id, std::string(loop ? "open looping " : "open ") + path);
    if (unreadable.contains(path)) return false;
    streams[id] = Stream{path, loop};
    return true;
}

void RecordingAudio::PlayStream(int id) {
    Record("stream", id, "play");
    if (auto it = streams.find(id); it != streams.end()) {
        it->second.state = StreamState::Playing;
        it->second.atStart = false;
    }
}

void RecordingAudio::PauseStream(int id) {
    Record("stream", id, "pause");
    auto it = streams.find(id);
    if (it != streams.end() && it->second.state == StreamState::Playing) it->second.state = StreamState::Paused;
}

void RecordingAudio::StopStream(int id) {
    Record("stream", id, "stop");
    if (auto it = streams.find(id); it != streams.end()) it->second.state = StreamState::Stopped;
}

void RecordingAudio::RewindStream(int id) {
    Record("stream", id, "rewind");
    if (auto it = streams.find(id); it != streams.end()) it->second.atStart = true;
}

StreamState RecordingAudio::GetStreamState(int id) {
    auto it = streams.find(id);
    return it == streams.end() ? StreamState::Stopped : it->second.state;
}

void RecordingAudio::SetMusicVolume(float volume) {
    calls.push_back("music volume " + std::to_string(volume));
    musicVolume = volume;
}

}  // namespace platform
