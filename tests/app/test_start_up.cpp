// Before the start window: the command line, and a teacher's sentence file
// that cannot be used. Such a file opens one message window, before the start
// window and its timer and cue; the lesson then runs on the built-in sentences.

#include "app/avvio.h"
#include "app/iniziale.h"
#include "classification/modulo1.h"
#include "corpus/corpus.h"
#include "corpus/corpus_incorporato.h"
#include "exercise/formb.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

namespace {

enum class Caso { File, Mancante, Cartella, Illeggibile, TroppoGrande, NeiDatiUtente };

}  // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("uscita");
        QTest::addColumn<QString>("stampato");  // on stdout for 0, on stderr otherwise

        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("uso: analisi-articoli [--frasi FILE]");
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << 0 << QStringLiteral("analisi-articoli/frasi.tsv nella cartella dei dati dell'utente");
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0 << QStringLiteral("analisi-articoli 1.0.0\n");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--colore"), QStringLiteral("rosso")} << 2
                                        << QStringLiteral("analisi-articoli: opzione sconosciuta: --colore\nPer l'aiuto: analisi-articoli --help\n");
        QTest::newRow("--frasi without a file") << QStringList{QStringLiteral("--frasi")} << 2
                                                << QStringLiteral("l'opzione --frasi vuole il nome di un file");
        QTest::newRow("a file without --frasi") << QStringList{QStringLiteral("frasi.tsv")} << 2
                                                << QStringLiteral("argomento inatteso: frasi.tsv");
    }

    void commandLine()
    {
        QFETCH(QStringList, argomenti);
        QFETCH(int, uscita);
        QFETCH(QString, stampato);
        QProcess programma;
        programma.start(QStringLiteral(PROGRAMMA), argomenti);
        // A window would keep the program running.
        QVERIFY(programma.waitForFinished(10000));
        QCOMPARE(programma.exitStatus(), QProcess::NormalExit);
        QCOMPARE(programma.exitCode(), uscita);
        const QString out = QString::fromUtf8(programma.readAllStandardOutput());
        const QString err = QString::fromUtf8(programma.readAllStandardError());
        QVERIFY2((uscita == 0 ? out : err).contains(stampato), qPrintable(out + err));
        QVERIFY2(!err.contains(QStringLiteral("Unknown")) && !err.contains(QStringLiteral("Missing")), qPrintable(err));
    }

    void aFileThatCannotBeUsed_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("motivo");

        QTest::newRow("missing") << int(Caso::Mancante) << QByteArray() << QStringLiteral("non esiste");
        QTest::newRow("a folder") << int(Caso::Cartella) << QByteArray() << QStringLiteral("è una cartella");
        QTest::newRow("unreadable") << int(Caso::Illeggibile) << QByteArray("0\t1\t\"Il\"\t1\t1\t1\t1\n")
                                    << QStringLiteral("mancano i permessi di lettura");
        QTest::newRow("empty") << int(Caso::File) << QByteArray() << QStringLiteral("regola 1, una frase ha da 1 a 22 parole: il file non contiene frasi");
        QTest::newRow("no valid sentence") << int(Caso::File) << QByteArray("# frasi\n0 1 \"Il\" 1 1 1 1\n")
                                           << QStringLiteral("file (linea 2): regola 0, formato della linea: la linea non ha nessun TAB");
        QTest::newRow("a broken rule") << int(Caso::File)
                                       << QByteArray("0\t1\t\"Il \"\t1\t1\t1\t1\n0\t2\t\"cane\"\t2\n1\t1\t\"Uni \"\t1\t2\t1\t2\n1\t2\t\"cani\"\t2\n")
                                       << QStringLiteral("frase 1, posizione 1 (linea 3): regola 5, l'articolo indeterminativo è sempre singolare");
        QTest::newRow("above 1 MiB") << int(Caso::TroppoGrande) << QByteArray() << QStringLiteral("troppo grande (1048577 byte)");
        QTest::newRow("binary") << int(Caso::File) << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0", 10) << QStringLiteral("byte nulli");
        QTest::newRow("UTF-16, in the user's data folder") << int(Caso::NeiDatiUtente) << QByteArray("\xFF\xFE" "0\0\t\0", 6)
                                                           << QStringLiteral("UTF-16");
    }

    void aFileThatCannotBeUsed()
    {
        QFETCH(int, caso);
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, motivo);
        if (caso == int(Caso::Illeggibile) && geteuid() == 0)
            QSKIP("root reads any file");

        QTemporaryDir dir;
        const QString dati = dir.filePath(QStringLiteral("dati"));
        qputenv("XDG_DATA_HOME", dati.toUtf8());
        qputenv("XDG_DATA_DIRS", dir.filePath(QStringLiteral("sistema")).toUtf8());
        QString percorso = dir.filePath(QStringLiteral("frasi.tsv"));
        QString opzione = percorso;
        if (caso == int(Caso::NeiDatiUtente)) {
            QVERIFY(QDir().mkpath(dati + QStringLiteral("/analisi-articoli")));
            percorso = dati + QStringLiteral("/analisi-articoli/frasi.tsv");
            opzione.clear();
        }
        if (caso == int(Caso::Cartella)) {
            QVERIFY(QDir().mkpath(percorso));
        } else if (caso != int(Caso::Mancante)) {
            if (caso == int(Caso::TroppoGrande))
                contenuto = QByteArray(corpus::maxByteFile + 1, '#');
            QFile file(percorso);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(contenuto), contenuto.size());
            file.close();
            if (caso == int(Caso::Illeggibile))
                QVERIFY(file.setPermissions({}));
        }

        test::Lesson lesson;
        QString testo;
        bool dopoLaFinestraIniziale = true;
        int messaggi = 0;
        test::Lesson::onNextModal([&](QWidget *finestra) {
            auto *box = qobject_cast<QMessageBox *>(finestra);
            QVERIFY(box);
            ++messaggi;
            testo = box->text();
            dopoLaFinestraIniziale = Iniziale::esistente() != nullptr || !lesson.player.cues.isEmpty();
            test::Lesson::click(box->button(QMessageBox::Ok));
        });
        avvia(opzione);

        QCOMPARE(messaggi, 1);
        QVERIFY2(testo.contains(percorso) && testo.contains(motivo), qPrintable(testo));
        QVERIFY(testo.contains(QStringLiteral("frasi incorporate")));
        QVERIFY(!dopoLaFinestraIniziale);
        Iniziale *iniziale = Iniziale::esistente();
        QVERIFY(iniziale && iniziale->isVisible() && iniziale->Timer1->isActive());
        QCOMPARE(lesson.player.cues, QStringList{QStringLiteral("conga")});
        QCOMPARE(&corpus::corpusInUso(), &corpus::corpusIncorporato());
        test::Lesson::click(iniziale->Command2);
        QTRY_VERIFY(FormB::esiste() && FormB::istanza()->isVisible());
        QCOMPARE(Modulo1.numfrasi, static_cast<int>(corpus::corpusIncorporato().frasi.size()));
    }
};

ANALISI_TEST_MAIN(TestStartUp)
#include "test_start_up.moc"
