// Where the player looks for the sound cues: beside the executable when a
// "suoni" folder is there, otherwise in the data folder of an installed
// program. Checked on made-up layouts, on the tree `cmake --install` left in
// the build folder, and with a program started from an installed layout.

#include "platform/qt_sound_player.h"
#include "platform/wav_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using platform::QtSoundPlayer;

namespace {

const QStringList cues = {
    QStringLiteral("conga"),   QStringLiteral("rumorevia"), QStringLiteral("premivia"),
    QStringLiteral("esatto"),  QStringLiteral("esatto2"),   QStringLiteral("esatto3"),
    QStringLiteral("esatto4"), QStringLiteral("esatto5"),   QStringLiteral("sbagliato1"),
    QStringLiteral("congafine")};

const QString installed = QStringLiteral("share/analisi-articoli/suoni");

bool copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString &name : QDir(from).entryList(QDir::Files))
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            return false;
    return true;
}

}  // namespace

class TestSoundFolder : public QObject
{
    Q_OBJECT

private slots:
    void lookupOrder_data()
    {
        QTest::addColumn<QStringList>("folders");   // made under a fresh prefix
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");      // relative to the prefix

        QTest::newRow("portable folder") << QStringList{"bin/suoni"} << QStringList{} << "bin/suoni";
        QTest::newRow("installed") << QStringList{"bin", installed} << QStringList{} << installed;
        QTest::newRow("both: the one beside wins")
            << QStringList{"bin/suoni", installed} << QStringList{"bin/suoni/conga.wav", installed + "/conga.wav"}
            << "bin/suoni";
        QTest::newRow("an empty folder beside still wins")
            << QStringList{"bin/suoni", installed} << QStringList{} << "bin/suoni";
        QTest::newRow("a file named suoni is not a folder")
            << QStringList{"bin", installed} << QStringList{"bin/suoni"} << installed;
        // With neither, the installed place is named; its cues are then silent.
        QTest::newRow("neither") << QStringList{"bin"} << QStringList{} << installed;
    }

    void lookupOrder()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        for (const QString &folder : folders)
            QVERIFY(root.mkpath(folder));
        for (const QString &file : files) {
            QFile f(root.filePath(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(QtSoundPlayer::folderFor(root.filePath(QStringLiteral("bin"))), root.filePath(expected));
        // A trailing slash on the program's folder changes nothing.
        QCOMPARE(QtSoundPlayer::folderFor(root.filePath(QStringLiteral("bin")) + QLatin1Char('/')),
                 root.filePath(expected));
    }

    void theInstalledTreeHoldsTheCuesWhereTheProgramLooks()
    {
        const QDir root(QStringLiteral(INSTALLED_PREFIX));
        const QString bin = root.filePath(QStringLiteral(INSTALLED_BINDIR));
        QVERIFY2(QFileInfo(QDir(bin).filePath(QStringLiteral("analisi-articoli"))).isExecutable(), qPrintable(bin));
        const QString folder = QtSoundPlayer::folderFor(bin);
        QCOMPARE(folder, root.filePath(QStringLiteral(INSTALLED_DATADIR) + QStringLiteral("/analisi-articoli/suoni")));
        QtSoundPlayer player(folder);
        for (const QString &cue : cues) {
            const platform::WavCheck check = platform::readWavFile(player.fileFor(cue));
            QVERIFY2(check.ok(), qPrintable(player.fileFor(cue)));
        }
    }

    void aProgramStartedFromAnInstalledLayoutFindsItsCues()
    {
        // play-cue reads its folder the way the program does; placed in bin/
        // of an installed layout, it must reach the cues in share/.
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        QVERIFY(root.mkpath(QStringLiteral("bin")));
        const QString program = root.filePath(QStringLiteral("bin/play-cue"));
        QVERIFY(QFile::copy(QStringLiteral(PLAY_CUE), program));
        QVERIFY(copyFolder(QDir(QStringLiteral(INSTALLED_PREFIX)).filePath(installed), root.filePath(installed)));

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No sound server: a cue that was found and passed the wave check
        // ends as "NoOutput", a cue that was not found as "Missing".
        environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/analisi-articoli-test/native"));
        process.setProcessEnvironment(environment);
        for (const char *cue : {"conga", "sbagliato1"}) {
            process.start(program, {QString::fromLatin1(cue)});
            QVERIFY2(process.waitForFinished(15000), cue);
            QCOMPARE(process.exitCode(), 0);
            QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed(), QStringLiteral("NoOutput"));
        }
        process.start(program, {QStringLiteral("nessuno")});
        QVERIFY(process.waitForFinished(15000));
        QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed(), QStringLiteral("Missing"));

        // A "suoni" folder put beside it takes over, even an empty one.
        QVERIFY(root.mkpath(QStringLiteral("bin/suoni")));
        process.start(program, {QStringLiteral("conga")});
        QVERIFY(process.waitForFinished(15000));
        QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed(), QStringLiteral("Missing"));
    }
};

QTEST_GUILESS_MAIN(TestSoundFolder)
#include "test_sound_folder.moc"
