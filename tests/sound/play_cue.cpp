// play-cue [--folder DIR] [--quit-at-once] CUE...
//
// Plays the cues one after the other with the real sound player, then quits
// through the event loop the way the program does and prints what became of
// the last cue. Without --folder the player is the program's own, reading
// the "suoni" folder beside this executable; with it, a player of the same
// kind on DIR, kept until static destruction like the program's. With
// --quit-at-once the program quits while the cue is still queued; otherwise
// as soon as the player has dealt with it, so a sound that plays is cut off
// by the end of the program. The tests run it to see the program end.

#include "platform/qt_sound_player.h"
#include "tests/sound/player_state.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

using platform::QtSoundPlayer;

namespace {

QtSoundPlayer &playerOn(const QString &folder)
{
    static QtSoundPlayer player(folder);
    return player;
}

}  // namespace

namespace {

QElapsedTimer waitingFor()
{
    QElapsedTimer started;
    started.start();
    return started;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QStringList cues = QCoreApplication::arguments().mid(1);
    QString folder;
    bool quitAtOnce = false;
    if (cues.size() >= 2 && cues.first() == QLatin1String("--folder")) {
        folder = cues.at(1);
        cues = cues.mid(2);
    }
    if (!cues.isEmpty() && cues.first() == QLatin1String("--quit-at-once")) {
        quitAtOnce = true;
        cues.removeFirst();
    }
    if (cues.isEmpty()) {
        std::fprintf(stderr, "usage: play-cue [--folder DIR] [--quit-at-once] CUE...\n");
        return 2;
    }

    QtSoundPlayer &player = folder.isEmpty() ? dynamic_cast<QtSoundPlayer &>(platform::soundPlayer())
                                             : playerOn(folder);
    QTimer::singleShot(0, [&] {
        for (const QString &cue : cues)
            player.play(cue);
        if (quitAtOnce)
            QCoreApplication::exit(0);
        else
            player.whenQuiet([waiting = waitingFor()] {
                std::fprintf(stderr, "quiet after %lld ms\n", static_cast<long long>(waiting.elapsed()));
                QCoreApplication::exit(0);
            });
    });
    const int status = QCoreApplication::exec();
    std::printf("%s\n", qPrintable(test::stateName(player.state())));
    std::fflush(stdout);
    return status;
}
