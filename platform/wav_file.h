#pragma once

// Reads a wave file strictly before any of it goes near the audio output: a
// plain RIFF/WAVE file of PCM samples (format 1), mono or stereo, 8 or 16 bit,
// at a sensible rate, whose chunks all lie inside the file and whose data
// chunk holds at least one whole frame. Anything else is turned away with the
// reason, and nothing half-read is ever handed on.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace platform {

// Decoded sound, ready for an audio output.
struct WavAudio {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples;  // the data chunk: interleaved little-endian PCM frames

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qsizetype frames() const;
    double seconds() const;
    // Sample `frame` of `channel`, scaled to -1..1 whatever the bit depth.
    double sampleAt(qsizetype frame, int channel = 0) const;
};

enum class WavProblem {
    None,
    Unreadable,        // no such file, a folder, or it cannot be opened
    TooLarge,          // beyond any sound this program plays
    NotRiffWave,       // no "RIFF....WAVE" header
    RiffSizeMismatch,  // the header promises more bytes than the file holds
    BrokenChunk,       // a chunk runs past the end of the RIFF data
    NoFormat,          // no "fmt " chunk before the data
    NotPcm,            // compressed or extensible format
    BadChannels,       // not mono or stereo
    BadBitDepth,       // not 8 or 16 bit
    BadSampleRate,     // outside 8000..96000 Hz
    InconsistentFormat,  // block align or byte rate disagree with the rest
    NoData,            // no "data" chunk
    EmptyData,         // a data chunk without a single whole frame
};

struct WavCheck {
    WavProblem problem = WavProblem::None;
    std::optional<WavAudio> audio;  // set exactly when problem is None

    bool ok() const { return problem == WavProblem::None; }
};

inline constexpr int minimumSampleRate = 8000;
inline constexpr int maximumSampleRate = 96000;
// Our longest cue is a few hundred kilobytes; anything far beyond is not ours.
inline constexpr qsizetype maximumWavBytes = qsizetype{32} * 1024 * 1024;

WavCheck checkWav(QByteArrayView bytes);
WavCheck readWavFile(const QString &path);

// A short English description, for test messages.
QString describe(WavProblem problem);

}  // namespace platform
