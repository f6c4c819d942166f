#include "platform/wav_file.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

constexpr qsizetype riffHeaderBytes = 12;  // "RIFF", size, "WAVE"
constexpr qsizetype chunkHeaderBytes = 8;  // id, size
constexpr qsizetype pcmFormatBytes = 16;
constexpr quint16 pcmFormatTag = 1;

quint16 le16(QByteArrayView bytes, qsizetype at)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) | static_cast<quint8>(bytes[at + 1]) << 8);
}

quint32 le32(QByteArrayView bytes, qsizetype at)
{
    return static_cast<quint32>(le16(bytes, at)) | static_cast<quint32>(le16(bytes, at + 2)) << 16;
}

bool hasId(QByteArrayView bytes, qsizetype at, const char (&id)[5])
{
    return bytes.sliced(at, 4) == QByteArrayView(id, 4);
}

WavCheck rejected(WavProblem problem)
{
    return WavCheck{problem, std::nullopt};
}

struct Format {
    quint16 tag = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
};

WavProblem checkFormat(const Format &f)
{
    if (f.tag != pcmFormatTag)
        return WavProblem::NotPcm;
    if (f.channels < 1 || f.channels > 2)
        return WavProblem::BadChannels;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16)
        return WavProblem::BadBitDepth;
    if (f.sampleRate < minimumSampleRate || f.sampleRate > maximumSampleRate)
        return WavProblem::BadSampleRate;
    const quint32 frameBytes = f.channels * f.bitsPerSample / 8u;
    if (f.blockAlign != frameBytes || f.byteRate != f.sampleRate * frameBytes)
        return WavProblem::InconsistentFormat;
    return WavProblem::None;
}

}  // namespace

qsizetype WavAudio::frames() const
{
    const int frameBytes = bytesPerFrame();
    return frameBytes > 0 ? samples.size() / frameBytes : 0;
}

double WavAudio::seconds() const
{
    return sampleRate > 0 ? static_cast<double>(frames()) / sampleRate : 0.0;
}

double WavAudio::sampleAt(qsizetype frame, int channel) const
{
    const qsizetype at = frame * bytesPerFrame() + qsizetype{channel} * (bitsPerSample / 8);
    if (bitsPerSample == 8)
        return (static_cast<quint8>(samples[at]) - 128) / 128.0;
    return static_cast<qint16>(le16(samples, at)) / 32768.0;
}

WavCheck checkWav(QByteArrayView bytes)
{
    if (bytes.size() < riffHeaderBytes || !hasId(bytes, 0, "RIFF") || !hasId(bytes, 8, "WAVE"))
        return rejected(WavProblem::NotRiffWave);
    // A header that promises more than the file holds is what leaves some
    // decoders waiting forever for the rest: turn it away at once.
    const qsizetype riffEnd = qsizetype{8} + le32(bytes, 4);
    if (riffEnd < riffHeaderBytes || riffEnd > bytes.size())
        return rejected(WavProblem::RiffSizeMismatch);

    std::optional<Format> format;
    qsizetype at = riffHeaderBytes;
    while (at < riffEnd) {
        if (at + chunkHeaderBytes > riffEnd)
            return rejected(WavProblem::BrokenChunk);
        const qsizetype bodySize = le32(bytes, at + 4);
        const qsizetype body = at + chunkHeaderBytes;
        if (body + bodySize > riffEnd)
            return rejected(WavProblem::BrokenChunk);

        if (hasId(bytes, at, "fmt ")) {
            if (bodySize < pcmFormatBytes)
                return rejected(WavProblem::BrokenChunk);
            Format f;
            f.tag = le16(bytes, body);
            f.channels = le16(bytes, body + 2);
            f.sampleRate = le32(bytes, body + 4);
            f.byteRate = le32(bytes, body + 8);
            f.blockAlign = le16(bytes, body + 12);
            f.bitsPerSample = le16(bytes, body + 14);
            if (const WavProblem problem = checkFormat(f); problem != WavProblem::None)
                return rejected(problem);
            format = f;
        } else if (hasId(bytes, at, "data")) {
            if (!format)
                return rejected(WavProblem::NoFormat);
            if (bodySize < format->blockAlign)
                return rejected(WavProblem::EmptyData);
            if (bodySize % format->blockAlign != 0)
                return rejected(WavProblem::BrokenChunk);
            WavAudio audio;
            audio.channels = format->channels;
            audio.sampleRate = static_cast<int>(format->sampleRate);
            audio.bitsPerSample = format->bitsPerSample;
            audio.samples = bytes.sliced(body, bodySize).toByteArray();
            return WavCheck{WavProblem::None, std::move(audio)};
        }
        // Chunks are word aligned: an odd size is followed by a pad byte.
        at = body + bodySize + (bodySize & 1);
    }
    return rejected(format ? WavProblem::NoData : WavProblem::NoFormat);
}

WavCheck readWavFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return rejected(WavProblem::Unreadable);
    if (info.size() > maximumWavBytes)
        return rejected(WavProblem::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return rejected(WavProblem::Unreadable);
    const QByteArray bytes = file.read(maximumWavBytes + 1);
    if (bytes.size() > maximumWavBytes)
        return rejected(WavProblem::TooLarge);
    return checkWav(bytes);
}

QString describe(WavProblem problem)
{
    switch (problem) {
    case WavProblem::None: return QStringLiteral("valid");
    case WavProblem::Unreadable: return QStringLiteral("unreadable");
    case WavProblem::TooLarge: return QStringLiteral("too large");
    case WavProblem::NotRiffWave: return QStringLiteral("not a RIFF/WAVE file");
    case WavProblem::RiffSizeMismatch: return QStringLiteral("RIFF size beyond the file");
    case WavProblem::BrokenChunk: return QStringLiteral("broken chunk");
    case WavProblem::NoFormat: return QStringLiteral("no format chunk before the data");
    case WavProblem::NotPcm: return QStringLiteral("not PCM");
    case WavProblem::BadChannels: return QStringLiteral("unsupported channel count");
    case WavProblem::BadBitDepth: return QStringLiteral("unsupported bit depth");
    case WavProblem::BadSampleRate: return QStringLiteral("unsupported sample rate");
    case WavProblem::InconsistentFormat: return QStringLiteral("inconsistent format");
    case WavProblem::NoData: return QStringLiteral("no data chunk");
    case WavProblem::EmptyData: return QStringLiteral("empty data");
    }
    return QStringLiteral("unknown");
}

}  // namespace platform
