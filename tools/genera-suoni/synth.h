#pragma once

// A very small synthesiser: notes with harmonic or bell-like partials under
// soft envelopes, band-passed noise, and the last step that turns a mix into
// a 16-bit wave file. Everything is computed in double precision from fixed
// numbers (no clock, no random seed from outside), so the same program
// always writes the same bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

inline constexpr int sampleRate = 44100;

// One partial of a timbre: frequency as a multiple of the note's, its level,
// and how much faster than the note it dies away (1 = with the note).
struct Partial {
    double ratio = 1.0;
    double level = 1.0;
    double decayFactor = 1.0;
};
using Timbre = std::vector<Partial>;

// Times in seconds. The attack and release are raised-cosine ramps, so a
// note starts and ends at zero without a click; `decay` is the time constant
// of an exponential fade while the note sounds (0: held at full level).
struct Envelope {
    double attack = 0.01;
    double release = 0.05;
    double decay = 0.0;
};

// The frequency of MIDI note `key` (69 is A4, 440 Hz).
double frequency(int key);

class Mix
{
public:
    explicit Mix(double seconds);

    // Adds a note that starts at `start` and lasts `duration` seconds,
    // release included.
    void note(double start, double duration, double hz, double level, const Timbre &timbre,
              const Envelope &envelope);
    // Adds noise through a band-pass whose centre glides from `fromHz` to
    // `peakHz` and back, under a swell that rises and falls once.
    void whoosh(double start, double duration, double fromHz, double peakHz, double level);

    const std::vector<double> &samples() const { return samples_; }

private:
    std::vector<double> samples_;
};

// Scales `mix` so that its loudest sample sits at `peakDbfs`, fades its first
// and last milliseconds to zero, appends `silenceSeconds` of silence and
// rounds to 16-bit samples.
std::vector<std::int16_t> finish(const Mix &mix, double peakDbfs, double silenceSeconds);

// A complete mono 16-bit PCM wave file.
std::string waveFile(const std::vector<std::int16_t> &samples);

}  // namespace synth
