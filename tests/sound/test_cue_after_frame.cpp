// A cue asked for while a window is on its way to the screen goes out only
// once that window has drawn its first frame, so that no window waits for the
// sound system to open; a window that never gets exposed holds the cue back
// for a moment only, and a minimised one not at all.

#include "platform/qt_sound_player.h"
#include "tests/sound/player_state.h"
#include "tests/sound/wav_builder.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using platform::QtSoundPlayer;

namespace {

// No audio output whatever the machine has: a good file ends as NoOutput.
const char noServer[] = "unix:/nonexistent/analisi-articoli-test/native";
const QString cue = QStringLiteral("premivia");

// Swallows the window's exposures before anyone else sees them.
class NoExposure final : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Expose; }
};

}  // namespace

class TestCueAfterFrame : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

    QString stateOf(const QtSoundPlayer &player) { return test::stateName(player.state()); }

private slots:
    void initTestCase()
    {
        qputenv("PULSE_SERVER", noServer);
        QVERIFY(folder_.isValid());
        test::writeFile(folder_.filePath(cue + QStringLiteral(".wav")), test::WavBuilder().bytes());
    }

    void cueWaitsForTheWindowBeingShown()
    {
        QtSoundPlayer player(folder_.path());
        QWindow window;
        window.resize(200, 100);
        window.show();
        if (window.isExposed())
            QSKIP("this platform exposes a window as it is shown");
        player.play(cue);
        // The turn of the loop that would open the output: the window comes first.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(stateOf(player), QStringLiteral("Queued"));

        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(stateOf(player), QStringLiteral("NoOutput"), 2000);
    }

    void laterCuesCollapseIntoTheLastWhileWaiting()
    {
        QtSoundPlayer player(folder_.path());
        QWindow window;
        window.resize(200, 100);
        window.show();
        if (window.isExposed())
            QSKIP("this platform exposes a window as it is shown");
        player.play(QStringLiteral("missing"));
        QCoreApplication::sendPostedEvents();
        player.play(cue);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(stateOf(player), QStringLiteral("NoOutput"), 2000);
        QCOMPARE(player.lastCue(), cue);
    }

    void aWindowNeverExposedHoldsTheCueOnlyBriefly()
    {
        QtSoundPlayer player(folder_.path());
        QWindow window;
        window.resize(200, 100);
        NoExposure swallow;
        player.play(cue);
        window.show();
        if (window.isExposed())
            QSKIP("this platform exposes a window as it is shown");
        QCoreApplication::sendPostedEvents();  // the player starts watching the window
        window.installEventFilter(&swallow);   // and is never told of its exposure
        QCOMPARE(stateOf(player), QStringLiteral("Queued"));
        QTRY_COMPARE_WITH_TIMEOUT(stateOf(player), QStringLiteral("NoOutput"), 2000);
    }

    void aMinimisedWindowNeverHoldsTheCue()
    {
        QtSoundPlayer player(folder_.path());
        QWindow window;
        window.resize(200, 100);
        window.showMinimized();
        if (window.isExposed())
            QSKIP("this platform exposes a window as it is shown");
        player.play(cue);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(stateOf(player), QStringLiteral("NoOutput"));
    }

    void withoutWindowsTheCueGoesOutOnTheNextTurn()
    {
        QtSoundPlayer player(folder_.path());
        player.play(cue);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(stateOf(player), QStringLiteral("NoOutput"));
    }
};

QTEST_MAIN(TestCueAfterFrame)
#include "test_cue_after_frame.moc"
