#pragma once

// Builds wave files byte by byte for the tests, good ones and every kind of
// broken one, and writes them into folders.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cmath>
#include <numbers>

namespace test {

class WavBuilder
{
public:
    quint16 formatTag = 1;
    quint16 channels = 1;
    quint32 sampleRate = 22050;
    quint16 bitsPerSample = 16;
    qsizetype frames = 441;  // 20 ms at 22050 Hz
    bool withFormat = true;
    bool withData = true;
    bool dataBeforeFormat = false;
    QByteArray chunkBeforeFormat;  // a whole chunk, e.g. list("INFO")
    qint64 riffSizeChange = 0;     // added to the true RIFF size
    qint64 dataSizeChange = 0;     // added to the true data size (the bytes stay)
    qint64 blockAlignChange = 0;

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }

    // A quiet 440 Hz tone, the same on every channel.
    QByteArray samples() const
    {
        QByteArray out;
        for (qsizetype i = 0; i < frames; ++i) {
            const double value = 0.25 * std::sin(2.0 * std::numbers::pi * 440.0 * double(i) / sampleRate);
            for (int c = 0; c < channels; ++c) {
                if (bitsPerSample == 8) {
                    out.append(char(quint8(128 + std::lround(value * 127))));
                } else {
                    const long full = (1L << (bitsPerSample - 1)) - 1;
                    const long scaled = std::lround(value * double(full));
                    for (int b = 0; b < bitsPerSample / 8; ++b)
                        out.append(char((scaled >> (8 * b)) & 0xFF));
                }
            }
        }
        return out;
    }

    QByteArray bytes() const
    {
        QByteArray fmt;
        fmt += le16(formatTag);
        fmt += le16(channels);
        fmt += le32(sampleRate);
        fmt += le32(quint32(sampleRate * quint32(bytesPerFrame())));
        fmt += le16(quint16(bytesPerFrame() + blockAlignChange));
        fmt += le16(bitsPerSample);
        const QByteArray data = samples();

        QByteArray body = "WAVE";
        body += chunkBeforeFormat;
        const QByteArray formatChunk = chunk("fmt ", fmt);
        const QByteArray dataChunk = "data" + le32(quint32(data.size() + dataSizeChange)) + data
                                     + (data.size() % 2 ? QByteArray(1, '\0') : QByteArray());
        if (withFormat && !dataBeforeFormat)
            body += formatChunk;
        if (withData)
            body += dataChunk;
        if (withFormat && dataBeforeFormat)
            body += formatChunk;
        return "RIFF" + le32(quint32(body.size() + riffSizeChange)) + body;
    }

    static QByteArray le16(quint32 v)
    {
        const char pair[2] = {char(v & 0xFF), char((v >> 8) & 0xFF)};
        return QByteArray(pair, 2);
    }
    static QByteArray le32(quint32 v) { return le16(v & 0xFFFF) + le16(v >> 16); }
    static QByteArray chunk(const char *id, const QByteArray &body)
    {
        return QByteArray(id, 4) + le32(quint32(body.size())) + body
               + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
    }
};

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qUtf8Printable(path));
}

}  // namespace test
