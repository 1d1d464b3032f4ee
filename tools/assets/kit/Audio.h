// Sound written as 16-bit PCM WAV or as Ogg Vorbis.
#pragma once
#include <string>
#include <vector>

namespace assetkit {

// Interleaved samples in -1..1; values beyond are clipped when written.
struct Pcm {
    int sampleRate = 44100;
    int channels = 1;
    std::vector<float> samples;

    size_t Frames() const { return samples.size() / static_cast<size_t>(channels); }
};

// Writers create missing parent folders; they throw std::runtime_error on failure.
void WriteWav(const Pcm& pcm, const std::string& path);
// quality -0.1..1 as libvorbisenc takes it. The same samples always give the same file.
void WriteOgg(const Pcm& pcm, const std::string& path, float quality = 0.4f);

}  // namespace assetkit
