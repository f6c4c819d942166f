// The ten cues that genera-suoni writes into the "suoni" folder at build time:
// valid for the player, of a sensible length and level, soft at both ends,
// five different praise sounds, and the same bytes at every build.

#include "platform/qt_sound_player.h"
#include "platform/wav_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <vector>

namespace {

const QStringList allCues = {"conga",   "rumorevia", "premivia", "esatto",     "esatto2",
                             "esatto3", "esatto4",   "esatto5",  "sbagliato1", "congafine"};

QString builtFile(const QString &cue)
{
    return platform::QtSoundPlayer::defaultFolder() + "/" + cue + ".wav";
}

std::vector<double> samplesOf(const platform::WavAudio &audio)
{
    std::vector<double> samples;
    for (qsizetype i = 0; i < audio.frames(); ++i)
        samples.push_back(audio.sampleAt(i));
    return samples;
}

double peakOf(const std::vector<double> &samples, size_t from, size_t to)
{
    double peak = 0.0;
    for (size_t i = from; i < std::min(to, samples.size()); ++i)
        peak = std::max(peak, std::abs(samples[i]));
    return peak;
}

double dbfs(double level)
{
    return 20.0 * std::log10(level);
}

// How alike two sounds are, from -1 to 1, lined up at their starts.
double likeness(const std::vector<double> &a, const std::vector<double> &b)
{
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const double x = i < a.size() ? a[i] : 0.0;
        const double y = i < b.size() ? b[i] : 0.0;
        ab += x * y;
        aa += x * x;
        bb += y * y;
    }
    return ab / std::sqrt(aa * bb);
}

}  // namespace

class TestGeneratedSounds : public QObject
{
    Q_OBJECT

private slots:
    void everyCue_data()
    {
        QTest::addColumn<QString>("cue");
        for (const QString &cue : allCues)
            QTest::newRow(qPrintable(cue)) << cue;
    }

    void everyCue()
    {
        QFETCH(QString, cue);
        const platform::WavCheck check = platform::readWavFile(builtFile(cue));
        QVERIFY2(check.ok(), qPrintable(builtFile(cue) + ": " + platform::describe(check.problem)));
        const platform::WavAudio &audio = *check.audio;
        QCOMPARE(audio.channels, 1);
        QCOMPARE(audio.bitsPerSample, 16);
        QVERIFY(audio.sampleRate == 44100 || audio.sampleRate == 22050);
        QVERIFY2(audio.seconds() >= 0.2 && audio.seconds() <= 2.5, qPrintable(QString::number(audio.seconds())));

        const std::vector<double> samples = samplesOf(audio);
        const auto at = [&](double seconds) { return size_t(std::lround(seconds * audio.sampleRate)); };
        const double peak = peakOf(samples, 0, samples.size());
        QVERIFY2(dbfs(peak) <= -1.0, qPrintable(QStringLiteral("clips: %1 dBFS").arg(dbfs(peak))));
        QVERIFY2(dbfs(peak) >= -20.0, qPrintable(QStringLiteral("too quiet: %1 dBFS").arg(dbfs(peak))));

        // Soft at both ends: it starts from silence, and the sound fades out
        // into at least 150 ms of silence, all that any back end may drop.
        QVERIFY2(peakOf(samples, 0, at(0.001)) < 0.05, "abrupt start");
        size_t last = samples.size();
        while (last > 0 && samples[last - 1] == 0.0)
            --last;
        QVERIFY2(samples.size() - last >= at(0.15), "no silence at the end");
        QVERIFY2(peakOf(samples, last - at(0.001), last) < 0.01, "abrupt end");
    }

    void praiseSoundsAreDifferent()
    {
        std::vector<std::vector<double>> praise;
        for (const QString &cue : allCues.mid(3, 5)) {
            const platform::WavCheck check = platform::readWavFile(builtFile(cue));
            QVERIFY(check.ok());
            praise.push_back(samplesOf(*check.audio));
        }
        for (size_t i = 0; i < praise.size(); ++i)
            for (size_t j = i + 1; j < praise.size(); ++j)
                QVERIFY2(std::abs(likeness(praise[i], praise[j])) < 0.5,
                         qPrintable(QStringLiteral("praise %1 and %2 sound alike").arg(i + 1).arg(j + 1)));
    }

    void sameBytesAtEveryBuild()
    {
        QTemporaryDir again;
        QProcess generator;
        generator.start(QCoreApplication::applicationDirPath() + "/genera-suoni", {again.path()});
        QVERIFY2(generator.waitForFinished(30000), "genera-suoni did not finish");
        QCOMPARE(generator.exitCode(), 0);
        for (const QString &cue : allCues) {
            QFile built(builtFile(cue));
            QFile remade(again.filePath(cue + ".wav"));
            QVERIFY(built.open(QIODevice::ReadOnly) && remade.open(QIODevice::ReadOnly));
            QVERIFY2(built.readAll() == remade.readAll(), qPrintable(cue));
        }
        QCOMPARE(QDir(again.path()).entryList(QDir::Files).size(), allCues.size());
    }
};

QTEST_GUILESS_MAIN(TestGeneratedSounds)
#include "test_generated_sounds.moc"
