// Writes the game's sound effects (sfx/*.wav) and its two pieces of music (music/*.ogg).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/assets/kit/Audio.h"
#include "tools/assets/kit/Synth.h"

using namespace assetkit;

namespace {

constexpr int kRate = 44100;

// ---- Effects ----------------------------------------------------------------------------

Pcm Jump() {
    Mixer m(0.25f, 1);
    m.Add(Render({.wave = Wave::Square, .seconds = 0.22f, .startHz = 280, .endHz = 900, .duty = 0.3f,
                  .decayPerSecond = 6, .release = 0.05f},
                 kRate),
          0, 1.0f);
    return m.Finish(0.7f);
}

Pcm Fall() {
    Mixer m(1.0f, 1);
    m.Add(Render({.wave = Wave::Triangle, .seconds = 1.0f, .startHz = 900, .endHz = 110, .attack = 0.01f,
                  .decayPerSecond = 1.5f, .release = 0.2f, .vibratoHz = 9, .vibratoDepth = 0.04f},
                 kRate),
          0, 1.0f);
    m.Add(Render({.wave = Wave::Square, .seconds = 1.0f, .startHz = 450, .endHz = 55, .duty = 0.5f,
                  .decayPerSecond = 2.5f, .release = 0.2f},
                 kRate),
          0, 0.25f);
    return m.Finish(0.7f);
}

Pcm GetStar() {
    Mixer m(0.5f, 1);
    const int notes[] = {83, 88, 95};  // B5, E6, B6: a bright rising chime
    for (int i = 0; i < 3; ++i) {
        m.Add(Render({.wave = Wave::Sine, .seconds = 0.4f, .startHz = NoteHz(notes[i]), .attack = 0.002f,
                      .decayPerSecond = 9, .release = 0.05f},
                     kRate),
              i * 0.05f, 1.0f);
        m.Add(Render({.wave = Wave::Square, .seconds = 0.2f, .startHz = NoteHz(notes[i] + 12), .duty = 0.125f,
                      .decayPerSecond = 18, .release = 0.05f},
                     kRate),
              i * 0.05f, 0.15f);
    }
    return m.Finish(0.7f);
}

Pcm Blowup() {
    Mixer m(1.3f, 1);
    std::vector<float> crash = Render(
        {.wave = Wave::Noise, .seconds = 1.3f, .attack = 0.002f, .decayPerSecond = 3.2f, .release = 0.2f, .seed = 5},
        kRate);
    LowPass(crash, 1200, kRate);
    m.Add(crash, 0, 1.0f);
    m.Add(Render({.wave = Wave::Sine, .seconds = 0.9f, .startHz = 120, .endHz = 30, .attack = 0.002f,
                  .decayPerSecond = 4, .release = 0.2f},
                 kRate),
          0, 0.8f);
    std::vector<float> debris = Render(
        {.wave = Wave::Noise, .seconds = 0.6f, .attack = 0.05f, .decayPerSecond = 5, .release = 0.2f, .seed = 9},
        kRate);
    LowPass(debris, 400, kRate);
    m.Add(debris, 0.35f, 1.2f);
    return m.Finish(0.8f);
}

Pcm BouncePad() {
    Mixer m(0.5f, 1);
    m.Add(Render({.wave = Wave::Sine, .seconds = 0.45f, .startHz = 150, .endHz = 700, .attack = 0.003f,
                  .decayPerSecond = 5, .release = 0.08f, .vibratoHz = 22, .vibratoDepth = 0.12f},
                 kRate),
          0, 1.0f);
    m.Add(Render({.wave = Wave::Square, .seconds = 0.3f, .startHz = 300, .endHz = 1400, .duty = 0.5f,
                  .decayPerSecond = 10, .release = 0.05f},
                 kRate),
          0, 0.15f);
    return m.Finish(0.7f);
}

Pcm TurboPlatform() {
    Mixer m(0.6f, 1);
    m.Add(Render({.wave = Wave::Saw, .seconds = 0.55f, .startHz = 110, .endHz = 660, .attack = 0.02f,
                  .decayPerSecond = 2, .release = 0.12f},
                 kRate),
          0, 0.6f);
    std::vector<float> whoosh = Render(
        {.wave = Wave::Noise, .seconds = 0.55f, .attack = 0.15f, .decayPerSecond = 2, .release = 0.2f, .seed = 3}, kRate);
    HighPass(whoosh, 1500, kRate);
    m.Add(whoosh, 0, 0.8f);
    return m.Finish(0.7f);
}

Pcm Rollover() {
    Mixer m(0.06f, 1);
    m.Add(Render({.wave = Wave::Square, .seconds = 0.05f, .startHz = 1320, .duty = 0.25f, .attack = 0.001f,
                  .decayPerSecond = 40, .release = 0.01f},
                 kRate),
          0, 1.0f);
    return m.Finish(0.5f);
}

Pcm Transit() {
    Mixer m(0.3f, 1);
    m.Add(Render({.wave = Wave::Triangle, .seconds = 0.12f, .startHz = NoteHz(76), .decayPerSecond = 8,
                  .release = 0.02f},
                 kRate),
          0, 1.0f);
    m.Add(Render({.wave = Wave::Triangle, .seconds = 0.18f, .startHz = NoteHz(83), .decayPerSecond = 8,
                  .release = 0.05f},
                 kRate),
          0.09f, 1.0f);
    return m.Finish(0.6f);
}

// ---- Music ------------------------------------------------------------------------------

struct Note {
    int pitch;  // MIDI note; kRest for silence
    int eighths;
};
constexpr int kRest = -1;

// Chord of each bar of the four-bar progression: A minor, F, C, G.
constexpr int kRoots[4] = {45, 41, 48, 43};
constexpr int kChords[4][3] = {{57, 60, 64}, {53, 57, 60}, {60, 64, 67}, {55, 59, 62}};

const std::vector<Note> kPhraseA = {
    {69, 2}, {72, 2}, {76, 2}, {74, 1}, {72, 1},   // Am
    {77, 3}, {76, 1}, {72, 2}, {69, 2},            // F
    {67, 2}, {72, 2}, {76, 2}, {79, 2},            // C
    {74, 3}, {71, 1}, {67, 2}, {kRest, 2},         // G
};
const std::vector<Note> kPhraseB = {
    {76, 1}, {76, 1}, {81, 2}, {79, 1}, {76, 1}, {72, 2},  // Am
    {77, 2}, {81, 2}, {84, 3}, {81, 1},                    // F
    {79, 2}, {76, 2}, {72, 1}, {74, 1}, {76, 2},           // C
    {74, 2}, {71, 2}, {74, 2}, {79, 2},                    // G
};
const std::vector<Note> kPhraseEnd = {
    {69, 2}, {72, 2}, {76, 2}, {74, 1}, {72, 1},  // Am
    {77, 3}, {76, 1}, {72, 2}, {69, 2},           // F
    {67, 2}, {72, 2}, {76, 2}, {74, 2},           // C
    {71, 4}, {kRest, 4},                          // G, then back to the start
};

class Song {
public:
    Song(float bpm, int bars) : eighth_(30.0f / bpm), bar_(8 * eighth_), mixer_(bars * bar_, 2) {}

    float Bar() const { return bar_; }
    float Eighth() const { return eighth_; }
    Mixer& Mix() { return mixer_; }

    void Melody(const std::vector<Note>& notes, float start) {
        float t = start;
        for (const Note& n : notes) {
            const float length = n.eighths * eighth_;
            if (n.pitch != kRest)
                mixer_.Add(Render({.wave = Wave::Square, .seconds = length * 0.95f, .startHz = NoteHz(n.pitch),
                                   .duty = 0.5f, .attack = 0.01f, .decayPerSecond = 1.2f, .release = 0.04f,
                                   .vibratoHz = 5.5f, .vibratoDepth = 0.006f},
                                  kRate),
                           t, 0.22f, 0.0f);
            t += length;
        }
    }

    // Bass, arpeggio and drums of one bar of chord c.
    void Backing(int c, float start, bool snare) {
        for (int e = 0; e < 8; ++e) {
            const int pitch = kRoots[c] + (e % 4 == 2 ? 12 : 0);
            mixer_.Add(Render({.wave = Wave::Triangle, .seconds = eighth_ * 0.9f, .startHz = NoteHz(pitch),
                               .decayPerSecond = 3, .release = 0.03f},
                              kRate),
                       start + e * eighth_, 0.5f, -0.1f);
        }
        for (int s = 0; s < 16; ++s) {
            const int pitch = kChords[c][s % 3] + 12;
            mixer_.Add(Render({.wave = Wave::Square, .seconds = eighth_ * 0.45f, .startHz = NoteHz(pitch),
                               .duty = 0.25f, .decayPerSecond = 12, .release = 0.02f},
                              kRate),
                       start + s * eighth_ / 2, 0.06f, -0.5f);
        }
        for (int beat = 0; beat < 4; ++beat) {
            const float t = start + beat * 2 * eighth_;
            if (beat % 2 == 0) mixer_.Add(Kick(), t, 0.6f);
            if (snare && beat % 2 == 1) mixer_.Add(Snare(), t, 0.35f, 0.1f);
        }
        for (int e = 0; e < 8; ++e) mixer_.Add(HiHat(e), start + e * eighth_, e % 2 ? 0.08f : 0.12f, 0.4f);
    }

private:
    static std::vector<float> Kick() {
        return Render({.wave = Wave::Sine, .seconds = 0.18f, .startHz = 160, .endHz = 45, .attack = 0.001f,
                       .decayPerSecond = 14, .release = 0.03f},
                      kRate);
    }
    static std::vector<float> Snare() {
        std::vector<float> s = Render(
            {.wave = Wave::Noise, .seconds = 0.16f, .attack = 0.001f, .decayPerSecond = 22, .release = 0.03f, .seed = 11},
            kRate);
        LowPass(s, 5000, kRate);
        std::vector<float> body =
            Render({.wave = Wave::Triangle, .seconds = 0.1f, .startHz = 190, .endHz = 140, .decayPerSecond = 30}, kRate);
        for (size_t i = 0; i < body.size(); ++i) s[i] += 0.6f * body[i];
        return s;
    }
    static std::vector<float> HiHat(int n) {
        std::vector<float> h = Render({.wave = Wave::Noise, .seconds = 0.05f, .attack = 0.001f, .decayPerSecond = 60,
                                       .release = 0.01f, .seed = static_cast<uint32_t>(21 + n)},
                                      kRate);
        HighPass(h, 6000, kRate);
        return h;
    }

    float eighth_, bar_;
    Mixer mixer_;
};

// Sixteen bars at 120 beats a minute, 32 seconds, that loop seamlessly: an opening of
// backing alone, then the tune, an answer to it, and the tune again leading back to the start.
Pcm GameMusic() {
    Song song(120, 16);
    for (int bar = 0; bar < 16; ++bar) song.Backing(bar % 4, bar * song.Bar(), bar >= 4);
    song.Melody(kPhraseA, 4 * song.Bar());
    song.Melody(kPhraseB, 8 * song.Bar());
    song.Melody(kPhraseEnd, 12 * song.Bar());
    return song.Mix().Finish(0.8f, true);
}

// A short fanfare: a rising run, a held high note over a C major chord.
Pcm WinMusic() {
    Song song(150, 3);
    const float e = song.Eighth();
    song.Melody({{67, 1}, {72, 1}, {76, 1}, {79, 1}, {84, 3}, {81, 1}, {84, 1}, {86, 1}, {88, 6}}, 0);
    const float chordAt = 10 * e;
    for (int pitch : {60, 64, 67, 72})
        song.Mix().Add(Render({.wave = Wave::Square, .seconds = 6 * e + 0.6f, .startHz = NoteHz(pitch), .duty = 0.25f,
                               .attack = 0.02f, .decayPerSecond = 0.8f, .release = 0.5f},
                              kRate),
                       chordAt, 0.07f, pitch % 2 ? -0.4f : 0.4f);
    song.Mix().Add(Render({.wave = Wave::Triangle, .seconds = 6 * e + 0.6f, .startHz = NoteHz(36),
                           .decayPerSecond = 0.8f, .release = 0.5f},
                          kRate),
                   chordAt, 0.5f);
    std::vector<float> cymbal = Render(
        {.wave = Wave::Noise, .seconds = 1.5f, .attack = 0.002f, .decayPerSecond = 3, .release = 0.3f, .seed = 17}, kRate);
    HighPass(cymbal, 4000, kRate);
    song.Mix().Add(cymbal, chordAt, 0.3f);
    return song.Mix().Finish(0.8f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    try {
        WriteWav(Jump(), out + "/sfx/Jump.wav");
        WriteWav(Fall(), out + "/sfx/fall.wav");
        WriteWav(GetStar(), out + "/sfx/getstar.wav");
        WriteWav(Blowup(), out + "/sfx/blowup.wav");
        WriteWav(BouncePad(), out + "/sfx/bouncepad.wav");
        WriteWav(TurboPlatform(), out + "/sfx/turboplatform.wav");
        WriteWav(Rollover(), out + "/sfx/rollover.wav");
        WriteWav(Transit(), out + "/sfx/transit.wav");
        WriteOgg(GameMusic(), out + "/music/track01.ogg");
        WriteOgg(WinMusic(), out + "/music/winlevel.ogg");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_sounds: %s\n", e.what());
        return 1;
    }
    return 0;
}
