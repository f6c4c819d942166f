#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;
// The fade that every finished sound gets at both ends, whatever its notes.
constexpr double edgeFadeSeconds = 0.004;

std::size_t toIndex(double seconds)
{
    return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * sampleRate));
}

// 0 at x = 0 rising smoothly to 1 at x = 1.
double raisedCosine(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

double envelopeAt(double t, double duration, const Envelope &e)
{
    double gain = 1.0;
    if (e.attack > 0.0 && t < e.attack)
        gain *= raisedCosine(t / e.attack);
    const double untilEnd = duration - t;
    if (e.release > 0.0 && untilEnd < e.release)
        gain *= raisedCosine(untilEnd / e.release);
    return gain;
}

// A fixed-seed xorshift: the same noise on every machine and every build.
class Noise
{
public:
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;  // -1 .. 1
    }

private:
    std::uint32_t state_ = 0x2545F491u;
};

void appendLittleEndian(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

}  // namespace

double frequency(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

Mix::Mix(double seconds)
    : samples_(toIndex(seconds), 0.0)
{
}

void Mix::note(double start, double duration, double hz, double level, const Timbre &timbre,
               const Envelope &envelope)
{
    const std::size_t first = toIndex(start);
    const std::size_t count = toIndex(duration);
    for (std::size_t i = 0; i < count && first + i < samples_.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double value = 0.0;
        for (const Partial &p : timbre) {
            if (hz * p.ratio >= sampleRate / 2.0)
                continue;  // above what the file can hold
            double gain = p.level;
            if (envelope.decay > 0.0)
                gain *= std::exp(-t * p.decayFactor / envelope.decay);
            value += gain * std::sin(twoPi * hz * p.ratio * t);
        }
        samples_[first + i] += level * envelopeAt(t, duration, envelope) * value;
    }
}

void Mix::whoosh(double start, double duration, double fromHz, double peakHz, double level)
{
    // A state-variable band-pass filter; its centre follows the swell.
    Noise noise;
    double low = 0.0;
    double band = 0.0;
    constexpr double damping = 0.9;  // a broad band: air, not a whistle
    const std::size_t first = toIndex(start);
    const std::size_t count = toIndex(duration);
    for (std::size_t i = 0; i < count && first + i < samples_.size(); ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(count);  // 0 .. 1
        const double swell = std::sin(std::numbers::pi * x);  // up and down once
        const double centre = fromHz * std::pow(peakHz / fromHz, swell);
        const double f = 2.0 * std::sin(std::numbers::pi * centre / sampleRate);
        low += f * band;
        const double high = noise.next() - low - damping * band;
        band += f * high;
        samples_[first + i] += level * swell * swell * band;
    }
}

std::vector<std::int16_t> finish(const Mix &mix, double peakDbfs, double silenceSeconds)
{
    const std::vector<double> &in = mix.samples();
    double loudest = 0.0;
    for (double v : in)
        loudest = std::max(loudest, std::abs(v));
    const double scale = loudest > 0.0 ? std::pow(10.0, peakDbfs / 20.0) / loudest : 0.0;

    const std::size_t fade = toIndex(edgeFadeSeconds);
    std::vector<std::int16_t> out;
    out.reserve(in.size() + toIndex(silenceSeconds));
    for (std::size_t i = 0; i < in.size(); ++i) {
        double gain = scale;
        if (i < fade)
            gain *= raisedCosine(static_cast<double>(i) / static_cast<double>(fade));
        if (in.size() - 1 - i < fade)
            gain *= raisedCosine(static_cast<double>(in.size() - 1 - i) / static_cast<double>(fade));
        const double value = std::clamp(in[i] * gain * 32767.0, -32767.0, 32767.0);
        out.push_back(static_cast<std::int16_t>(std::lround(value)));
    }
    out.resize(out.size() + toIndex(silenceSeconds), 0);
    return out;
}

std::string waveFile(const std::vector<std::int16_t> &samples)
{
    constexpr std::uint32_t channels = 1;
    constexpr std::uint32_t bytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * bytesPerSample);

    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    appendLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVE";
    out += "fmt ";
    appendLittleEndian(out, 16, 4);
    appendLittleEndian(out, 1, 2);  // PCM
    appendLittleEndian(out, channels, 2);
    appendLittleEndian(out, sampleRate, 4);
    appendLittleEndian(out, sampleRate * channels * bytesPerSample, 4);
    appendLittleEndian(out, channels * bytesPerSample, 2);
    appendLittleEndian(out, 8 * bytesPerSample, 2);
    out += "data";
    appendLittleEndian(out, dataBytes, 4);
    for (std::int16_t s : samples)
        appendLittleEndian(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

}  // namespace synth
