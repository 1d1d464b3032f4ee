// A small synthesiser for effects and chiptune music: simple waves with pitch sweeps and
// envelopes, mixed onto a timeline.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/assets/kit/Audio.h"

namespace assetkit {

// Frequency of a MIDI note number (69 is A 440 Hz).
float NoteHz(int note);

enum class Wave { Sine, Square, Triangle, Saw, Noise };

struct Tone {
    Wave wave = Wave::Square;
    float seconds = 0.2f;
    float startHz = 440.0f;
    float endHz = 0.0f;        // the pitch glides exponentially to this; 0 keeps startHz
    float duty = 0.5f;         // share of the period a square wave is high
    float attack = 0.005f;     // seconds to full level
    float decayPerSecond = 0;  // exponential fall of the level after the attack
    float release = 0.02f;     // seconds of fade at the end
    float vibratoHz = 0;
    float vibratoDepth = 0;    // fraction of the pitch
    uint32_t seed = 1;         // noise only
};

// One tone, mono, at the given rate.
std::vector<float> Render(const Tone& tone, int sampleRate);
// One-pole low-pass in place.
void LowPass(std::vector<float>& samples, float cutoffHz, int sampleRate);
// Removes what a one-pole low-pass keeps: a gentle high-pass.
void HighPass(std::vector<float>& samples, float cutoffHz, int sampleRate);

// A stereo (or mono) timeline of a fixed length onto which sounds are added.
class Mixer {
public:
    Mixer(float seconds, int channels, int sampleRate = 44100);
    // pan -1 left .. 1 right; ignored in mono.
    void Add(const std::vector<float>& mono, float atSeconds, float gain, float pan = 0.0f);
    // Scaled so the loudest sample reaches peak. Whatever rings past the end is cut off, or
    // with loop folded onto the start so the sound repeats without a seam.
    Pcm Finish(float peak, bool loop = false);
    int SampleRate() const { return sampleRate_; }

private:
    int sampleRate_, channels_;
    size_t frames_;
    std::vector<float> samples_;  // interleaved, with room for sounds that ring past the end
};

}  // namespace assetkit
