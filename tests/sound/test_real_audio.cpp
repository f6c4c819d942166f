// Cues heard for real: a private PulseAudio server with a null sink, whose
// monitor is recorded with parec while the program's player plays. The whole
// of each cue must come out, at its level, and a new cue must cut off the one
// playing. Skipped only where the server cannot be started at all.

#include "platform/qt_sound_player.h"
#include "platform/wav_file.h"
#include "tests/sound/player_state.h"
#include "tests/sound/wav_builder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/prctl.h>

#include <cmath>
#include <csignal>
#include <memory>
#include <vector>

using platform::QtSoundPlayer;

namespace {

constexpr int rate = 44100;
constexpr int bytesPerSecond = rate * 2;  // s16le mono, as the sink and the recording
const QString sinkName = QStringLiteral("analisi_prova");
// Quieter than this counts as silence: about -50 dBFS.
constexpr double silenceLevel = 0.003;

// Condition-bound waits on the server and the recorder, never longer than
// `timeoutMs`; the event loop runs meanwhile.
template <typename Condition>
bool waitUntil(Condition done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

double decibels(double level)
{
    return 20.0 * std::log10(std::max(level, 1e-9));
}

// The part of a signal between its first and its last sample above the
// silence level, with its peak and RMS level.
struct Sounding {
    qsizetype first = -1;
    qsizetype last = -1;
    double peak = 0.0;
    double rms = 0.0;

    bool heard() const { return first >= 0; }
    double seconds() const { return heard() ? double(last - first + 1) / rate : 0.0; }
    double startSeconds() const { return double(first) / rate; }
};

Sounding sounding(const std::vector<double> &samples)
{
    Sounding s;
    for (qsizetype i = 0; i < qsizetype(samples.size()); ++i) {
        if (std::abs(samples[size_t(i)]) > silenceLevel) {
            if (s.first < 0)
                s.first = i;
            s.last = i;
        }
    }
    if (!s.heard())
        return s;
    double energy = 0.0;
    for (qsizetype i = s.first; i <= s.last; ++i) {
        s.peak = std::max(s.peak, std::abs(samples[size_t(i)]));
        energy += samples[size_t(i)] * samples[size_t(i)];
    }
    s.rms = std::sqrt(energy / double(s.last - s.first + 1));
    return s;
}

std::vector<double> fromS16(const QByteArray &bytes)
{
    std::vector<double> samples(size_t(bytes.size() / 2));
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto low = quint8(bytes[qsizetype(i) * 2]);
        const auto high = quint8(bytes[qsizetype(i) * 2 + 1]);
        samples[i] = qint16(quint16(low | high << 8)) / 32768.0;
    }
    return samples;
}

std::vector<double> cueSamples(const QString &file)
{
    const platform::WavCheck check = platform::readWavFile(file);
    std::vector<double> samples;
    if (!check.ok())
        return samples;
    for (qsizetype i = 0; i < check.audio->frames(); ++i)
        samples.push_back(check.audio->sampleAt(i));
    return samples;
}

// Children die with the test, whatever happens to it.
void startBound(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process.start(program, arguments);
}

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

}  // namespace

class TestRealAudio : public QObject
{
    Q_OBJECT

    QTemporaryDir home_;
    QProcess server_;
    QProcess keepAwake_;
    QProcess recorder_;
    QByteArray recorded_;
    std::unique_ptr<QtSoundPlayer> player_;
    // A tone with no silence after it, to hear the very end of a sound.
    QTemporaryDir ownSounds_;
    std::unique_ptr<QtSoundPlayer> ownPlayer_;

    QString socket() const { return home_.filePath(QStringLiteral("native")); }
    QString address() const { return QStringLiteral("unix:") + socket(); }

    QProcessEnvironment clientEnvironment() const
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.insert(QStringLiteral("PULSE_SERVER"), address());
        return environment;
    }

    qsizetype recordedSeconds(double seconds) const { return qsizetype(seconds * bytesPerSecond) & ~qsizetype(1); }

    // Records from now until `seconds` of sound have come in.
    std::vector<double> recordFor(qsizetype from, double seconds)
    {
        const qsizetype wanted = from + recordedSeconds(seconds);
        if (!waitUntil([&] { return recorded_.size() >= wanted; }, int(seconds * 1000) + 10000))
            return {};
        return fromS16(recorded_.mid(from, wanted - from));
    }

private slots:
    void initTestCase()
    {
        const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
        const QString pacat = QStandardPaths::findExecutable(QStringLiteral("pacat"));
        if (pulseaudio.isEmpty() || parec.isEmpty() || pacat.isEmpty())
            QSKIP("no sound server to listen through: install pulseaudio and pulseaudio-utils");
        QVERIFY(home_.isValid());

        // A server of our own, reachable only through its socket in our folder.
        QDir(home_.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(home_.filePath(QStringLiteral("run")), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                       | QFileDevice::ExeOwner);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.filePath(QStringLiteral("run")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), home_.filePath(QStringLiteral("run/pulse")));
        environment.insert(QStringLiteral("PULSE_STATE_PATH"), home_.filePath(QStringLiteral("state")));
        server_.setProcessEnvironment(environment);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        startBound(server_, pulseaudio,
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=false"),
                    QStringLiteral("--realtime=false"), QStringLiteral("--high-priority=false"),
                    QStringLiteral("--log-target=stderr"),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket(),
                    QStringLiteral("--load=module-null-sink sink_name=%1 format=s16le rate=%2 channels=1")
                        .arg(sinkName)
                        .arg(rate)});
        const bool up = waitUntil(
            [&] { return server_.state() == QProcess::NotRunning || QFileInfo::exists(socket()); }, 10000);
        if (!up || server_.state() == QProcess::NotRunning) {
            const QString why = server_.state() == QProcess::NotRunning
                                    ? QStringLiteral("it stopped: ") + QString::fromLocal8Bit(server_.readAll()).trimmed()
                                    : QStringLiteral("no socket after 10 s");
            stopProcess(server_);
            QSKIP(qPrintable(QStringLiteral("the sound server could not be started (%1)").arg(why)));
        }

        // A stream of silence keeps the sink running with a short latency,
        // so that the recording comes in steadily instead of in two-second
        // lumps.
        keepAwake_.setProcessEnvironment(clientEnvironment());
        keepAwake_.setStandardInputFile(QStringLiteral("/dev/zero"));
        startBound(keepAwake_, pacat,
                   {QStringLiteral("--raw"), QStringLiteral("--device=") + sinkName, QStringLiteral("--format=s16le"),
                    QStringLiteral("--rate=%1").arg(rate), QStringLiteral("--channels=1"),
                    QStringLiteral("--latency-msec=20")});
        recorder_.setProcessEnvironment(clientEnvironment());
        connect(&recorder_, &QProcess::readyReadStandardOutput, this,
                [this] { recorded_ += recorder_.readAllStandardOutput(); });
        startBound(recorder_, parec,
                   {QStringLiteral("--raw"), QStringLiteral("--device=") + sinkName + QStringLiteral(".monitor"),
                    QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(rate),
                    QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
        QVERIFY2(waitUntil([&] { return recorded_.size() >= recordedSeconds(0.3); }, 10000),
                 qPrintable(QStringLiteral("nothing recorded from the sink: ")
                            + QString::fromLocal8Bit(recorder_.readAllStandardError())));

        // The program's own player, on the generated sounds beside the test,
        // talking to our server only.
        qputenv("PULSE_SERVER", address().toLocal8Bit());
        player_ = std::make_unique<QtSoundPlayer>(QtSoundPlayer::defaultFolder());
        test::WavBuilder tone;
        tone.sampleRate = rate;
        tone.frames = rate * 6 / 10;
        test::writeFile(ownSounds_.filePath(QStringLiteral("tono.wav")), tone.bytes());
        ownPlayer_ = std::make_unique<QtSoundPlayer>(ownSounds_.path());
    }

    void cleanupTestCase()
    {
        player_.reset();
        ownPlayer_.reset();
        stopProcess(recorder_);
        stopProcess(keepAwake_);
        stopProcess(server_);
    }

    void wholeCueIsHeard_data()
    {
        QTest::addColumn<bool>("generated");
        QTest::addColumn<QString>("cue");
        QTest::newRow("conga") << true << "conga";
        QTest::newRow("premivia") << true << "premivia";
        QTest::newRow("tone ending without silence") << false << "tono";
    }

    void wholeCueIsHeard()
    {
        QFETCH(bool, generated);
        QFETCH(QString, cue);
        QtSoundPlayer &player = generated ? *player_ : *ownPlayer_;
        const Sounding expected = sounding(cueSamples(player.fileFor(cue)));
        QVERIFY2(expected.heard(), "the cue's file is missing or silent");

        const qsizetype from = recorded_.size();
        player.play(cue);
        const std::vector<double> recording = recordFor(from, expected.seconds() + 1.0);
        QVERIFY2(!recording.empty(), "the recording stalled");
        QCOMPARE(test::stateName(player.state()), QStringLiteral("Playing"));
        const Sounding heard = sounding(recording);
        QVERIFY2(heard.heard(), "nothing was heard");

        qInfo("%s: heard %.3f s of %.3f s, peak %.2f dBFS (file %.2f), RMS %.2f dBFS (file %.2f), after %.0f ms",
              qPrintable(cue), heard.seconds(), expected.seconds(), decibels(heard.peak), decibels(expected.peak),
              decibels(heard.rms), decibels(expected.rms), 1000.0 * heard.startSeconds());
        // All of it: a back end that drops the end of a sound loses a tenth
        // of a second or more.
        QVERIFY2(std::abs(heard.seconds() - expected.seconds()) < 0.03, "length differs");
        QVERIFY2(std::abs(decibels(heard.peak) - decibels(expected.peak)) < 1.0, "peak level differs");
        QVERIFY2(std::abs(decibels(heard.rms) - decibels(expected.rms)) < 1.0, "level differs");
        QVERIFY2(heard.startSeconds() < 1.0, "the cue came late");
    }

    void newCueCutsThePlayingOne()
    {
        const Sounding longCue = sounding(cueSamples(player_->fileFor(QStringLiteral("congafine"))));
        const Sounding shortCue = sounding(cueSamples(player_->fileFor(QStringLiteral("esatto"))));

        const qsizetype from = recorded_.size();
        player_->play(QStringLiteral("congafine"));
        // Cut in once the first cue has been heard for a moment.
        QVERIFY(waitUntil([&] { return sounding(fromS16(recorded_.mid(from))).heard(); }, 5000));
        const qsizetype cutAt = recorded_.size() + recordedSeconds(0.3);
        QVERIFY(waitUntil([&] { return recorded_.size() >= cutAt; }, 5000));
        player_->play(QStringLiteral("esatto"));
        const std::vector<double> recording = recordFor(from, double(cutAt - from) / bytesPerSecond
                                                                  + shortCue.seconds() + 1.0);
        QVERIFY2(!recording.empty(), "the recording stalled");

        const Sounding heard = sounding(recording);
        qInfo("congafine (%.3f s) cut by esatto (%.3f s): heard %.3f s in all", longCue.seconds(),
              shortCue.seconds(), heard.seconds());
        // The first cue stopped: all sound was over long before its end...
        QVERIFY2(heard.seconds() < longCue.seconds() - 0.4, "the first cue played on");
        // ...and the second one was heard after the cut.
        const double cutSeconds = double(cutAt - from) / bytesPerSecond;
        QVERIFY2(double(heard.last) / rate > cutSeconds + shortCue.seconds() * 0.8, "the second cue was not heard");
    }

    void programEndsWhileACueIsPlaying()
    {
        // The program quits with a sound still coming out of the server: the
        // audio objects must go quietly, before the application does.
        QProcess program;
        QProcessEnvironment environment = clientEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        startBound(program, QCoreApplication::applicationDirPath() + QStringLiteral("/play-cue"),
                   {QStringLiteral("congafine")});
        QVERIFY2(program.waitForStarted(5000), qPrintable(program.errorString()));
        if (!program.waitForFinished(15000)) {
            stopProcess(program);
            QFAIL("play-cue did not end within 15 seconds");
        }
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed(), QStringLiteral("Playing"));
    }

    void losingTheDisplayIsNotACrash()
    {
        // The X server goes (a logout, a thin client dropping) while the
        // program has an audio output open: the window system ends the
        // process, which must not die of a signal on its way out.
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("no X server to lose: install xvfb");
        QProcess display;
        startBound(display, xvfb,
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                    QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24")});
        QByteArray number;
        waitUntil([&] {
            number += display.readAllStandardOutput();
            return number.contains('\n') || display.state() == QProcess::NotRunning;
        }, 10000);
        if (!number.contains('\n')) {
            stopProcess(display);
            QSKIP("Xvfb could not be started");
        }

        QProcess program;
        QProcessEnvironment environment = clientEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(number.trimmed()));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const qsizetype from = recorded_.size() & ~qsizetype(1);
        startBound(program, QCoreApplication::applicationDirPath() + QStringLiteral("/analisi-articoli"), {});
        // The start window's cue coming out of the server: the output is open.
        const bool heard = waitUntil(
            [&] { return program.state() == QProcess::NotRunning || sounding(fromS16(recorded_.mid(from))).heard(); },
            10000);
        const bool running = program.state() == QProcess::Running;
        display.kill();
        display.waitForFinished(3000);
        if (program.state() != QProcess::NotRunning && !program.waitForFinished(10000)) {
            stopProcess(program);
            QFAIL("the program lived on without its display");
        }
        QVERIFY2(heard && running, "the program played no cue on its display");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    }
};

QTEST_GUILESS_MAIN(TestRealAudio)
#include "test_real_audio.moc"
