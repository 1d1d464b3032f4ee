// The sound output on SDL_mixer. Each effect owns one mixer channel, which keeps its place
// while paused; that is how a stopped effect holds its position. SDL_mixer has a single music
// slot, so only one stream sounds at a time: starting a stream takes the slot from the other,
// which is left paused where it stood, and each stream remembers its own position.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/Audio.h"
#include "platform/Diagnostics.h"
#include "platform/formats/FileStream.h"

namespace platform {
namespace {

constexpr int kNoStream = -1;

bool Refused(const std::string& path, const std::string& why) {
    Diagnose("Sound " + path + " refused: " + why);
    return false;
}

int MixerVolume(float gain) {
    return static_cast<int>(std::lround(std::clamp(gain, 0.0f, 1.0f) * MIX_MAX_VOLUME));
}

class SdlAudio : public AudioBackend {
public:
    ~SdlAudio() override {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        for (auto& [id, effect] : effects_) Mix_FreeChunk(effect.chunk);
        for (auto& [id, stream] : streams_) Mix_FreeMusic(stream.music);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool LoadEffect(int id, const std::string& path) override {
        std::string why;
        SDL_RWops* file = OpenFileStream(path, why);
        if (!file) return Refused(path, why);
        Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
        if (!chunk) return Refused(path, Mix_GetError());
        if (auto old = effects_.find(id); old != effects_.end()) {
            Mix_HaltChannel(old->second.channel);
            Mix_FreeChunk(old->second.chunk);
            old->second.chunk = chunk;
            return true;
        }
        int channel = static_cast<int>(effects_.size());
        if (channel >= Mix_AllocateChannels(-1)) Mix_AllocateChannels(channel + 1);
        effects_[id] = Effect{chunk, channel};
        return true;
    }

    void StopEffect(int id) override {
        if (Effect* e = FindEffect(id); e && Mix_Playing(e->channel)) Mix_Pause(e->channel);
    }

    void RewindEffect(int id) override {
        Effect* e = FindEffect(id);
        if (!e || !Mix_Playing(e->channel)) return;  // an idle channel stands at the start already
        if (Mix_Paused(e->channel)) {
            Mix_HaltChannel(e->channel);
        } else {
            Mix_PlayChannel(e->channel, e->chunk, 0);
        }
    }

    void PlayEffect(int id) override {
        Effect* e = FindEffect(id);
        if (!e) return;
        if (Mix_Paused(e->channel)) {
            Mix_Resume(e->channel);
        } else if (!Mix_Playing(e->channel)) {
            Mix_PlayChannel(e->channel, e->chunk, 0);
        }
    }

    void SetEffectGain(int id, float gain) override {
        if (Effect* e = FindEffect(id)) Mix_Volume(e->channel, MixerVolume(gain));
    }

    bool OpenStream(int id, const std::string& path, bool loop) override {
        std::string why;
        SDL_RWops* file = OpenFileStream(path, why);
        if (!file) return Refused(path, why);
        Mix_Music* music = Mix_LoadMUS_RW(file, 1);  // read as it plays; closed with the music
        if (!music) return Refused(path, Mix_GetError());
        if (auto old = streams_.find(id); old != streams_.end()) {
            StopStream(id);
            Mix_FreeMusic(old->second.music);
        }
        streams_[id] = Stream{music, loop};
        return true;
    }

    void PlayStream(int id) override {
        Stream* s = FindStream(id);
        if (!s || s->state == StreamState::Playing) return;
        if (owner_ == id && s->state == StreamState::Paused) {
            Mix_ResumeMusic();
        } else {
            ReleaseSlot();
            Mix_PlayMusic(s->music, s->loop ? -1 : 1);
            if (s->position > 0.0) Mix_SetMusicPosition(s->position);
            owner_ = id;
        }
        s->state = StreamState::Playing;
    }

    void PauseStream(int id) override {
        Stream* s = FindStream(id);
        if (!s || s->state != StreamState::Playing) return;
        s->position = Mix_GetMusicPosition(s->music);
        Mix_PauseMusic();
        s->state = StreamState::Paused;
    }

    void StopStream(int id) override {
        Stream* s = FindStream(id);
        if (!s) return;
        if (owner_ == id) {
            if (s->state == StreamState::Playing) s->position = Mix_GetMusicPosition(s->music);
            Mix_HaltMusic();
            owner_ = kNoStream;
        }
        s->state = StreamState::Stopped;
    }

    void RewindStream(int id) override {
        Stream* s = FindStream(id);
        if (!s) return;
        s->position = 0.0;
        if (owner_ != id) return;
        if (s->state == StreamState::Playing) {
            Mix_RewindMusic();
        } else {
            // A paused stream restarts from its position when played again.
            Mix_HaltMusic();
            owner_ = kNoStream;
        }
    }

    StreamState GetStreamState(int id) override {
        Stream* s = FindStream(id);
        return s ? s->state : StreamState::Stopped;
    }

    void SetMusicVolume(float volume) override { Mix_VolumeMusic(MixerVolume(volume)); }

private:
    struct Effect {
        Mix_Chunk* chunk = nullptr;
        int channel = 0;
    };
    struct Stream {
        Mix_Music* music = nullptr;
        bool loop = false;
        StreamState state = StreamState::Stopped;
        double position = 0.0;  // seconds; where the stream goes on when it next takes the slot
    };

    Effect* FindEffect(int id) {
        auto it = effects_.find(id);
        return it == effects_.end() ? nullptr : &it->second;
    }

    // The stream with that id, its state brought up to date: a stream played through to its
    // end stands stopped at its start.
    Stream* FindStream(int id) {
        auto it = streams_.find(id);
        if (it == streams_.end()) return nullptr;
        Stream& s = it->second;
        if (owner_ == id && s.state == StreamState::Playing && !Mix_PlayingMusic()) {
            s.state = StreamState::Stopped;
            s.position = 0.0;
            owner_ = kNoStream;
        }
        return &s;
    }

    // Frees the music slot; a stream that was sounding in it is left paused where it stood.
    void ReleaseSlot() {
        if (owner_ == kNoStream) return;
        PauseStream(owner_);
        Mix_HaltMusic();
        owner_ = kNoStream;
    }

    std::map<int, Effect> effects_;
    std::map<int, Stream> streams_;
    int owner_ = kNoStream;  // the stream whose music is in the mixer's slot
};

}  // namespace

std::unique_ptr<AudioBackend> OpenSdlAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    return std::make_unique<SdlAudio>();
}

}  // namespace platform
