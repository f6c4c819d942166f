// The strict wave check that every sound file passes before it is played.

#include "platform/wav_file.h"
#include "tests/sound/wav_builder.h"

#include <QTemporaryDir>
#include <QTest>

using platform::WavProblem;
using test::WavBuilder;

Q_DECLARE_METATYPE(WavProblem)

namespace {

WavBuilder with(void (*change)(WavBuilder &))
{
    WavBuilder builder;
    change(builder);
    return builder;
}

}  // namespace

class TestWavFile : public QObject
{
    Q_OBJECT

private slots:
    // ---- files that are played ---------------------------------------------

    void accepted_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("frames");

        QTest::newRow("16-bit mono") << WavBuilder().bytes() << 1 << 22050 << 16 << 441;
        QTest::newRow("8-bit stereo") << with([](WavBuilder &w) {
            w.channels = 2, w.bitsPerSample = 8, w.sampleRate = 44100;
        }).bytes() << 2 << 44100 << 8 << 441;
        QTest::newRow("8-bit mono, odd data size and its pad byte") << with([](WavBuilder &w) {
            w.bitsPerSample = 8, w.frames = 101;
        }).bytes() << 1 << 22050 << 8 << 101;
        QTest::newRow("lowest rate") << with([](WavBuilder &w) { w.sampleRate = 8000; }).bytes() << 1 << 8000 << 16
                                     << 441;
        QTest::newRow("highest rate") << with([](WavBuilder &w) { w.sampleRate = 96000; }).bytes() << 1 << 96000
                                      << 16 << 441;
        QTest::newRow("odd-sized chunk before the format") << with([](WavBuilder &w) {
            w.chunkBeforeFormat = WavBuilder::chunk("LIST", "INFOabc");
        }).bytes() << 1 << 22050 << 16 << 441;
        QTest::newRow("bytes after the RIFF data") << WavBuilder().bytes() + "trailing" << 1 << 22050 << 16 << 441;
    }

    void accepted()
    {
        QFETCH(QByteArray, bytes);
        const platform::WavCheck check = platform::checkWav(bytes);
        QVERIFY2(check.ok(), qPrintable(platform::describe(check.problem)));
        QVERIFY(check.audio);
        const platform::WavAudio &audio = *check.audio;
        QTEST(audio.channels, "channels");
        QTEST(audio.sampleRate, "rate");
        QTEST(audio.bitsPerSample, "bits");
        QTEST(int(audio.frames()), "frames");
        QCOMPARE(audio.samples.size(), audio.frames() * audio.bytesPerFrame());
        // The samples are the tone that went in: the first crest of 440 Hz
        // on every channel, at a quarter of full scale.
        const auto crest = qsizetype(std::lround(audio.sampleRate / (4.0 * 440.0)));
        for (int c = 0; c < audio.channels; ++c)
            QVERIFY2(std::abs(audio.sampleAt(crest, c) - 0.25) < 0.02, qPrintable(QString::number(audio.sampleAt(crest, c))));
        QVERIFY(std::abs(audio.sampleAt(0)) < 0.01);
    }

    // ---- files that are never played ----------------------------------------

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<WavProblem>("problem");

        const QByteArray good = WavBuilder().bytes();
        QTest::newRow("zero length") << QByteArray() << WavProblem::NotRiffWave;
        QTest::newRow("text") << QByteArray("this is not a sound at all, just some words") << WavProblem::NotRiffWave;
        QTest::newRow("RIFF but not WAVE") << QByteArray(good).replace(8, 4, "AVI ") << WavProblem::NotRiffWave;
        QTest::newRow("truncated file") << good.left(good.size() / 2) << WavProblem::RiffSizeMismatch;
        QTest::newRow("RIFF size promises more") << with([](WavBuilder &w) { w.riffSizeChange = 2; }).bytes()
                                                 << WavProblem::RiffSizeMismatch;
        QTest::newRow("RIFF size below the header") << QByteArray(good).replace(4, 4, WavBuilder::le32(2))
                                                    << WavProblem::RiffSizeMismatch;
        QTest::newRow("data size promises more") << with([](WavBuilder &w) { w.dataSizeChange = 100; }).bytes()
                                                 << WavProblem::BrokenChunk;
        QTest::newRow("data size not whole frames") << with([](WavBuilder &w) { w.dataSizeChange = -1; }).bytes()
                                                    << WavProblem::BrokenChunk;
        QTest::newRow("format chunk too short") << with([](WavBuilder &w) {
            w.withFormat = false;
            w.chunkBeforeFormat = WavBuilder::chunk("fmt ", QByteArray(12, '\1'));
        }).bytes() << WavProblem::BrokenChunk;
        QTest::newRow("float samples") << with([](WavBuilder &w) { w.formatTag = 3, w.bitsPerSample = 32; }).bytes()
                                       << WavProblem::NotPcm;
        QTest::newRow("extensible format") << with([](WavBuilder &w) { w.formatTag = 0xFFFE; }).bytes()
                                           << WavProblem::NotPcm;
        QTest::newRow("compressed (ADPCM)") << with([](WavBuilder &w) { w.formatTag = 2; }).bytes()
                                            << WavProblem::NotPcm;
        QTest::newRow("24-bit") << with([](WavBuilder &w) { w.bitsPerSample = 24; }).bytes()
                                << WavProblem::BadBitDepth;
        QTest::newRow("no channels") << with([](WavBuilder &w) { w.channels = 0; }).bytes()
                                     << WavProblem::BadChannels;
        QTest::newRow("six channels") << with([](WavBuilder &w) { w.channels = 6; }).bytes()
                                      << WavProblem::BadChannels;
        QTest::newRow("rate too low") << with([](WavBuilder &w) { w.sampleRate = 1000; }).bytes()
                                      << WavProblem::BadSampleRate;
        QTest::newRow("rate too high") << with([](WavBuilder &w) { w.sampleRate = 192000; }).bytes()
                                       << WavProblem::BadSampleRate;
        QTest::newRow("block align disagrees") << with([](WavBuilder &w) { w.blockAlignChange = 2; }).bytes()
                                               << WavProblem::InconsistentFormat;
        QTest::newRow("format chunk missing") << with([](WavBuilder &w) { w.withFormat = false; }).bytes()
                                              << WavProblem::NoFormat;
        QTest::newRow("data before the format") << with([](WavBuilder &w) { w.dataBeforeFormat = true; }).bytes()
                                                << WavProblem::NoFormat;
        QTest::newRow("header alone") << QByteArray("RIFF\x04\0\0\0WAVE", 12) << WavProblem::NoFormat;
        QTest::newRow("data chunk missing") << with([](WavBuilder &w) { w.withData = false; }).bytes()
                                            << WavProblem::NoData;
        QTest::newRow("empty data chunk") << with([](WavBuilder &w) { w.frames = 0; }).bytes()
                                          << WavProblem::EmptyData;
        QTest::newRow("data shorter than a frame") << with([](WavBuilder &w) {
            w.channels = 2, w.frames = 1, w.dataSizeChange = -2;
        }).bytes() << WavProblem::EmptyData;
    }

    void rejected()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(WavProblem, problem);
        const platform::WavCheck check = platform::checkWav(bytes);
        QCOMPARE(platform::describe(check.problem), platform::describe(problem));
        QVERIFY(!check.audio);
    }

    void everyTruncationIsRejected()
    {
        // A file cut off anywhere, as by an interrupted copy, never passes:
        // this is what would leave a decoder waiting for the rest.
        for (const WavBuilder &builder : {WavBuilder(), with([](WavBuilder &w) {
                                               w.chunkBeforeFormat = WavBuilder::chunk("LIST", "INFOabc");
                                               w.bitsPerSample = 8, w.frames = 33;
                                           })}) {
            const QByteArray whole = builder.bytes();
            QVERIFY(platform::checkWav(whole).ok());
            for (qsizetype length = 0; length < whole.size(); ++length)
                QVERIFY2(!platform::checkWav(whole.left(length)).ok(), qPrintable(QString::number(length)));
        }
    }

    // ---- reading from disk -------------------------------------------------

    void files()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QByteArray good = WavBuilder().bytes();
        test::writeFile(folder.filePath("good.wav"), good);
        test::writeFile(folder.filePath("empty.wav"), QByteArray());
        test::writeFile(folder.filePath("cut.wav"), good.left(100));
        QDir(folder.path()).mkdir("folder.wav");

        const platform::WavCheck read = platform::readWavFile(folder.filePath("good.wav"));
        QVERIFY(read.ok());
        QCOMPARE(read.audio->samples, platform::checkWav(good).audio->samples);

        const auto problem = [&](const char *name) {
            return platform::describe(platform::readWavFile(folder.filePath(name)).problem);
        };
        QCOMPARE(problem("missing.wav"), platform::describe(WavProblem::Unreadable));
        QCOMPARE(problem("folder.wav"), platform::describe(WavProblem::Unreadable));
        QCOMPARE(problem("empty.wav"), platform::describe(WavProblem::NotRiffWave));
        QCOMPARE(problem("cut.wav"), platform::describe(WavProblem::RiffSizeMismatch));
    }

    void hugeFileIsNotRead()
    {
        QTemporaryDir folder;
        QFile huge(folder.filePath("huge.wav"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.write(WavBuilder().bytes()) > 0);
        QVERIFY(huge.resize(platform::maximumWavBytes + 1));  // sparse: no time, no disk
        huge.close();
        QCOMPARE(platform::describe(platform::readWavFile(huge.fileName()).problem),
                 platform::describe(WavProblem::TooLarge));
    }
};

QTEST_GUILESS_MAIN(TestWavFile)
#include "test_wav_file.moc"
