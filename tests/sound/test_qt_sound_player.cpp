// The real player on a machine without any audio output: when it reads the
// file, which files it turns away, and that the program still ends promptly
// whatever it was given. Hearing a cue through a sound server is the
// business of test_real_audio.

#include "platform/qt_sound_player.h"
#include "tests/sound/player_state.h"
#include "tests/sound/wav_builder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstddef>
#include <new>

using platform::QtSoundPlayer;
using State = platform::QtSoundPlayer::State;

namespace {

// Points the sound system at a server that is not there, so that no audio
// output exists whatever the machine running the tests has.
const char noServer[] = "unix:/nonexistent/analisi-articoli-test/native";

// Runs the event loop's pending work once, as the first turn of the loop
// after a click would.
void letTheEventLoopRun()
{
    QCoreApplication::sendPostedEvents();
}

const QString goodCue = QStringLiteral("premivia");

}  // namespace

class TestQtSoundPlayer : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

    QString writeCue(const QString &cue, const QByteArray &bytes)
    {
        QString path = folder_.filePath(cue + QStringLiteral(".wav"));
        test::writeFile(path, bytes);
        return path;
    }

private slots:
    void initTestCase()
    {
        qputenv("PULSE_SERVER", noServer);
        QVERIFY(folder_.isValid());
        writeCue(goodCue, test::WavBuilder().bytes());
    }

    // ---- waiting for the last cue before the program ends ---------------------

    void whenQuietAnswersSoonWithNothingToHear()
    {
        QtSoundPlayer player(folder_.path());
        bool called = false;
        player.whenQuiet([&] { called = true; });
        QTRY_VERIFY_WITH_TIMEOUT(called, 1000);
    }

    void whenQuietWaitsForTheQueuedCueToBeDealtWith()
    {
        QtSoundPlayer player(folder_.path());
        player.play(goodCue);
        QtSoundPlayer::State stateWhenCalled = QtSoundPlayer::State::Idle;
        player.whenQuiet([&] { stateWhenCalled = player.state(); });
        QCOMPARE(player.state(), QtSoundPlayer::State::Queued);
        QTRY_VERIFY_WITH_TIMEOUT(stateWhenCalled != QtSoundPlayer::State::Idle, 4000);
        // No output here: the cue was dealt with, not left queued.
        QCOMPARE(stateWhenCalled, QtSoundPlayer::State::NoOutput);
    }

    // ---- the good path -------------------------------------------------------

    void playReturnsBeforeTouchingTheFile()
    {
        QtSoundPlayer player(folder_.path());
        player.play(goodCue);
        QCOMPARE(test::stateName(player.state()), QStringLiteral("Queued"));
        // Proof that nothing was read yet: the file can still be swapped.
        const QString other = QStringLiteral("later");
        player.play(other);
        writeCue(other, test::WavBuilder().bytes());
        letTheEventLoopRun();
        QCOMPARE(player.lastCue(), other);
        QCOMPARE(test::stateName(player.state()), QStringLiteral("NoOutput"));
    }

    void goodFileIsLoadedAndSilentWithoutOutput()
    {
        QtSoundPlayer player(folder_.path());
        QCOMPARE(player.fileFor(goodCue), folder_.filePath(QStringLiteral("premivia.wav")));
        player.play(goodCue);
        letTheEventLoopRun();
        // The file passed the check; there is just nothing to play it on.
        QCOMPARE(test::stateName(player.state()), QStringLiteral("NoOutput"));
    }

    void cuesBeforeTheEventLoopCollapseIntoTheLast()
    {
        QtSoundPlayer player(folder_.path());
        player.play(QStringLiteral("missing"));
        player.play(goodCue);
        letTheEventLoopRun();
        QCOMPARE(test::stateName(player.state()), QStringLiteral("NoOutput"));

        player.play(goodCue);
        player.play(QStringLiteral("missing"));
        letTheEventLoopRun();
        QCOMPARE(player.lastCue(), QStringLiteral("missing"));
        QCOMPARE(test::stateName(player.state()), QStringLiteral("Missing"));
    }

    void soundsAreBesideTheProgramNotInTheWorkingFolder()
    {
        QTemporaryDir elsewhere;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        const QString expected = QCoreApplication::applicationDirPath() + QStringLiteral("/suoni/conga.wav");
        auto *real = dynamic_cast<QtSoundPlayer *>(&platform::soundPlayer());
        QVERIFY(QDir::setCurrent(before));
        QVERIFY(real);
        QCOMPARE(QFileInfo(real->fileFor(QStringLiteral("conga"))).absoluteFilePath(), expected);
    }

    // ---- what stays silent ------------------------------------------------------

    void missingFileOrFolderIsSilent()
    {
        QtSoundPlayer inFolder(folder_.path());
        inFolder.play(QStringLiteral("nosuchcue"));
        letTheEventLoopRun();
        QCOMPARE(test::stateName(inFolder.state()), QStringLiteral("Missing"));

        QtSoundPlayer noFolder(folder_.filePath(QStringLiteral("suoni-missing")));
        noFolder.play(goodCue);
        letTheEventLoopRun();
        QCOMPARE(test::stateName(noFolder.state()), QStringLiteral("Missing"));
    }

    void brokenFilesAreNeverPlayed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = test::WavBuilder().bytes();
        test::WavBuilder deep;
        deep.bitsPerSample = 24;
        test::WavBuilder floating;
        floating.formatTag = 3;
        floating.bitsPerSample = 32;
        test::WavBuilder promising;
        promising.riffSizeChange = 4000;
        QTest::newRow("zero length") << QByteArray();
        QTest::newRow("truncated") << good.left(good.size() - 10);
        QTest::newRow("header promises more") << promising.bytes();
        QTest::newRow("not a wave file") << QByteArray("ID3\x03 an mp3 by another name");
        QTest::newRow("24-bit") << deep.bytes();
        QTest::newRow("float") << floating.bytes();
    }

    void brokenFilesAreNeverPlayed()
    {
        QFETCH(QByteArray, bytes);
        const QString cue = QStringLiteral("broken");
        writeCue(cue, bytes);
        QtSoundPlayer player(folder_.path());
        player.play(cue);
        letTheEventLoopRun();
        QCOMPARE(test::stateName(player.state()), QStringLiteral("Rejected"));
        // The player is none the worse for it.
        player.play(goodCue);
        letTheEventLoopRun();
        QCOMPARE(test::stateName(player.state()), QStringLiteral("NoOutput"));
    }

    void destroyedWithACueQueued()
    {
        // A second player takes the place of the first in memory: a cue the
        // first left queued would run on it and change its state.
        alignas(QtSoundPlayer) std::byte place[sizeof(QtSoundPlayer)];
        auto *first = new (place) QtSoundPlayer(folder_.path());
        first->play(goodCue);
        first->~QtSoundPlayer();
        auto *second = new (place) QtSoundPlayer(folder_.path());
        letTheEventLoopRun();
        QCOMPARE(test::stateName(second->state()), QStringLiteral("Idle"));
        second->~QtSoundPlayer();
    }

    // ---- the program ends promptly --------------------------------------------

    void programEndsPromptly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lastState");
        QTest::addColumn<QByteArray>("fileForBroken");

        const QByteArray good = test::WavBuilder().bytes();
        QTest::newRow("program's own player, generated cue") << QStringList{"conga"} << "NoOutput" << QByteArray();
        QTest::newRow("truncated file") << QStringList{"--folder", "FOLDER", "broken"} << "Rejected"
                                        << good.left(good.size() / 2);
        QTest::newRow("zero-length file") << QStringList{"--folder", "FOLDER", "broken"} << "Rejected" << QByteArray();
        QTest::newRow("no sound folder") << QStringList{"--folder", "FOLDER/absent", "conga"} << "Missing" << QByteArray();
        QTest::newRow("only congafine.wav missing") << QStringList{"--folder", "OTHERS", "congafine"} << "Missing"
                                                    << QByteArray();
        QTest::newRow("quit with a cue queued") << QStringList{"--quit-at-once", "conga"} << "Queued" << QByteArray();
    }

    void programEndsPromptly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lastState);
        QFETCH(QByteArray, fileForBroken);
        QTemporaryDir sounds;
        test::writeFile(sounds.filePath(QStringLiteral("broken.wav")), fileForBroken);
        arguments.replaceInStrings(QStringLiteral("FOLDER"), sounds.path());
        if (arguments.contains(QStringLiteral("OTHERS"))) {
            // Every sound the program has but the closing one.
            const QDir own(QCoreApplication::applicationDirPath() + QStringLiteral("/suoni"));
            const QDir others(sounds.filePath(QStringLiteral("others")));
            QVERIFY(others.mkpath(QStringLiteral(".")));
            for (const QString &file : own.entryList({QStringLiteral("*.wav")}))
                if (file != QLatin1String("congafine.wav"))
                    QVERIFY(QFile::copy(own.filePath(file), others.filePath(file)));
            arguments.replaceInStrings(QStringLiteral("OTHERS"), others.path());
        }

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PULSE_SERVER"), QString::fromLatin1(noServer));
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/play-cue"), arguments);
        QVERIFY2(program.waitForStarted(5000), qPrintable(program.errorString()));
        if (!program.waitForFinished(15000)) {
            program.kill();
            program.waitForFinished(2000);
            QFAIL("play-cue did not end within 15 seconds");
        }
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed(), lastState);
        // None of these cues can be heard: nothing is worth waiting for.
        const QRegularExpressionMatch quiet = QRegularExpression(QStringLiteral("quiet after (\\d+) ms"))
                                                  .match(QString::fromLocal8Bit(program.readAllStandardError()));
        if (lastState != QLatin1String("Queued"))
            QVERIFY2(quiet.hasMatch() && quiet.captured(1).toInt() < 1000, qPrintable(quiet.captured()));
    }
};

QTEST_GUILESS_MAIN(TestQtSoundPlayer)
#include "test_qt_sound_player.moc"
