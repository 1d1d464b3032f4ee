#include "tools/assets/kit/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assets/kit/Image.h"

namespace assetkit {
namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kTailSeconds = 4.0f;  // room past the end for ringing notes

float WaveAt(Wave wave, float phase, float duty, Noise& noise) {
    switch (wave) {
    case Wave::Sine:
        return std::sin(kTwoPi * phase);
    case Wave::Square:
        return phase < duty ? 1.0f : -1.0f;
    case Wave::Triangle:
        return phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
    case Wave::Saw:
        return 2.0f * phase - 1.0f;
    case Wave::Noise:
        return noise.Unit() * 2.0f - 1.0f;
    }
    return 0.0f;
}

}  // namespace

float NoteHz(int note) { return 440.0f * std::pow(2.0f, (note - 69) / 12.0f); }

std::vector<float> Render(const Tone& tone, int sampleRate) {
    const size_t count = static_cast<size_t>(tone.seconds * sampleRate);
    std::vector<float> out(count);
    Noise noise(tone.seed);
    const float endHz = tone.endHz > 0 ? tone.endHz : tone.startHz;
    float phase = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / sampleRate;
        const float progress = t / tone.seconds;
        float hz = tone.startHz * std::pow(endHz / tone.startHz, progress);
        if (tone.vibratoDepth > 0) hz *= 1.0f + tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoHz * t);
        float level = std::exp(-tone.decayPerSecond * t);
        if (tone.attack > 0) level *= std::min(1.0f, t / tone.attack);
        if (tone.release > 0) level *= std::min(1.0f, (tone.seconds - t) / tone.release);
        out[i] = level * WaveAt(tone.wave, phase, tone.duty, noise);
        phase += hz / sampleRate;
        phase -= std::floor(phase);
    }
    return out;
}

void LowPass(std::vector<float>& samples, float cutoffHz, int sampleRate) {
    const float a = 1.0f - std::exp(-kTwoPi * cutoffHz / sampleRate);
    float y = 0.0f;
    for (float& s : samples) s = y += a * (s - y);
}

void HighPass(std::vector<float>& samples, float cutoffHz, int sampleRate) {
    std::vector<float> low = samples;
    LowPass(low, cutoffHz, sampleRate);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] -= low[i];
}

Mixer::Mixer(float seconds, int channels, int sampleRate)
    : sampleRate_(sampleRate),
      channels_(channels),
      frames_(static_cast<size_t>(seconds * sampleRate)),
      samples_((frames_ + static_cast<size_t>(kTailSeconds * sampleRate)) * channels) {}

void Mixer::Add(const std::vector<float>& mono, float atSeconds, float gain, float pan) {
    const size_t start = static_cast<size_t>(std::lround(atSeconds * sampleRate_));
    const size_t capacity = samples_.size() / channels_;
    // Equal-power panning.
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * std::numbers::pi_v<float> / 4.0f;
    const float left = channels_ == 2 ? std::cos(angle) * std::numbers::sqrt2_v<float> : 1.0f;
    const float right = std::sin(angle) * std::numbers::sqrt2_v<float>;
    for (size_t i = 0; i < mono.size() && start + i < capacity; ++i) {
        const size_t f = (start + i) * channels_;
        samples_[f] += mono[i] * gain * left;
        if (channels_ == 2) samples_[f + 1] += mono[i] * gain * right;
    }
}

Pcm Mixer::Finish(float peak, bool loop) {
    Pcm pcm{sampleRate_, channels_, std::vector<float>(samples_.begin(), samples_.begin() + frames_ * channels_)};
    const size_t length = frames_ * channels_;
    if (loop)
        for (size_t i = length; i < samples_.size(); ++i) pcm.samples[(i - length) % length] += samples_[i];
    float loudest = 0.0f;
    for (float s : pcm.samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0.0f)
        for (float& s : pcm.samples) s *= peak / loudest;
    return pcm;
}

}  // namespace assetkit
