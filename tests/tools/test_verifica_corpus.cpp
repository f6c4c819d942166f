// verifica-corpus as a teacher runs it: exit codes, where the message puts
// the fault, the figures of the built-in sentences, and the embedding step
// the build relies on.

#include "corpus/corpus_incorporato.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Esito {
    int codice = -1;
    QString out;
    QString err;
};

Esito esegui(const QStringList &argomenti, const QProcessEnvironment &ambiente = QProcessEnvironment::systemEnvironment())
{
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    processo.start(QStringLiteral(VERIFICA_CORPUS), argomenti);
    if (!processo.waitForFinished(30000) || processo.exitStatus() != QProcess::NormalExit)
        return {};
    return {processo.exitCode(), QString::fromUtf8(processo.readAllStandardOutput()),
            QString::fromUtf8(processo.readAllStandardError())};
}

QString scrivi(const QTemporaryDir &dir, const QString &nome, const QByteArray &contenuto)
{
    QString percorso = dir.filePath(nome);
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size())
        qFatal("cannot write %s", qPrintable(percorso));
    return percorso;
}

QByteArray leggiFile(const QString &percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The numbers of one line of the report that starts with `etichetta`.
QList<int> cifre(const QString &rapporto, const QString &etichetta)
{
    const QRegularExpression linea(QStringLiteral("^\\s*") + QRegularExpression::escape(etichetta) + QStringLiteral("(.*)$"),
                                   QRegularExpression::MultilineOption);
    const QRegularExpressionMatch trovata = linea.match(rapporto);
    QList<int> numeri;
    if (!trovata.hasMatch())
        return numeri;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("\\d+")).globalMatch(trovata.captured(1));
    while (it.hasNext())
        numeri << it.next().captured().toInt();
    return numeri;
}

// Decodes the byte array that --genera-cpp writes back into the bytes.
QByteArray decodificaCpp(const QByteArray &cpp)
{
    const qsizetype inizio = cpp.indexOf("= {");
    const qsizetype fine = cpp.indexOf("};", inizio);
    QByteArray byte;
    if (inizio < 0 || fine < 0)
        return byte;
    const QList<QByteArray> valori = cpp.mid(inizio + 3, fine - inizio - 3).split(',');
    for (const QByteArray &v : valori)
        byte.append(static_cast<char>(v.trimmed().toInt()));
    byte.chop(1);  // the terminating 0
    return byte;
}

const QByteArray frase =
    "0\t1\t\"Il \"\t1\t1\t1\t1\n"
    "0\t2\t\"cane \"\t2\t\t\t\n"
    "0\t3\t\"abbaia.\"\t5\t\t\t\n";

}  // namespace

class TestVerificaCorpus : public QObject
{
    Q_OBJECT

private slots:
    void builtInSentencesAndTheirFigures()
    {
        const Esito e = esegui({QStringLiteral(FRASI_PREDEFINITE)});
        QCOMPARE(e.codice, 0);
        QCOMPARE(e.err, QString());
        QVERIFY(e.out.startsWith(QStringLiteral("Il file rispetta tutte le regole.")));
        QCOMPARE(cifre(e.out, QStringLiteral("Frasi:")), (QList<int>{33, 0, 32}));
        QVERIFY(e.out.contains(QStringLiteral("nessuno saltato")));
        QCOMPARE(cifre(e.out, QStringLiteral("Parole:")), (QList<int>{604, 9, 22}));
        QCOMPARE(cifre(e.out, QStringLiteral("frase  30:")), QList<int>{9});
        QCOMPARE(cifre(e.out, QStringLiteral("frase   4:")), QList<int>{22});
        QCOMPARE(e.out.count(QRegularExpression(QStringLiteral("^  frase +\\d+: +\\d+$"),
                                                QRegularExpression::MultilineOption)),
                 33);

        const int perCodice[] = {130, 175, 56, 30, 89, 18, 70, 36, 0};
        const char *nomi[] = {"Articolo", "Nome", "Aggettivo", "Pronome", "Verbo",
                              "Avverbio", "Preposizione", "Congiunzione", "Esclamazione"};
        for (int c = 0; c < 9; ++c)
            QCOMPARE(cifre(e.out, QStringLiteral("%1 %2").arg(c + 1).arg(QLatin1String(nomi[c]))),
                     (QList<int>{perCodice[c]}));

        // Columns: maschile singolare, maschile plurale, femminile singolare,
        // femminile plurale, total.
        QCOMPARE(cifre(e.out, QStringLiteral("determinativo")), (QList<int>{32, 16, 21, 10, 79}));
        QCOMPARE(cifre(e.out, QStringLiteral("indeterminativo")), (QList<int>{18, 0, 12, 0, 30}));
        QCOMPARE(cifre(e.out, QStringLiteral("partitivo")), (QList<int>{3, 10, 2, 6, 21}));
        QCOMPARE(cifre(e.out, QStringLiteral("totale ")), (QList<int>{53, 26, 35, 16, 130}));

        QCOMPARE(cifre(e.out, QStringLiteral("il:")), QList<int>{27});
        QCOMPARE(cifre(e.out, QStringLiteral("una (un'):")), QList<int>{2});
        QVERIFY(e.out.contains(QStringLiteral("come preposizioni articolate")));
    }

    void teacherFileWithARowLeftOut()
    {
        const Esito e = esegui({QStringLiteral(FILE_MAESTRA)});
        QCOMPARE(e.codice, 0);
        QCOMPARE(cifre(e.out, QStringLiteral("Frasi:")), (QList<int>{3, 0, 3, 2}));
        QVERIFY(e.out.contains(QStringLiteral("mai estratti")));
        QCOMPARE(cifre(e.out, QStringLiteral("Parole:")), (QList<int>{16, 5, 6}));
        QCOMPARE(cifre(e.out, QStringLiteral("partitivo")), (QList<int>{0, 0, 0, 1, 1}));
        QVERIFY(!e.out.contains(QStringLiteral("frase   2:")));
        // Accented words are read and counted like any other.
        QCOMPARE(cifre(e.out, QStringLiteral("frase   3:")), QList<int>{6});
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("dove");
        QTest::addColumn<int>("regola");

        QTest::newRow("teacher's file: plural indefinite")
            << leggiFile(QStringLiteral(FILE_MAESTRA_SBAGLIATO))
            << QStringLiteral("frase 1, posizione 2 (linea 12)") << 5;
        QTest::newRow("ends with an article")
            << QByteArray(frase + "1\t1\t\"Vedo \"\t5\t\t\t\n1\t2\t\"il\"\t1\t1\t1\t1\n")
            << QStringLiteral("frase 1, posizione 2") << 7;
        QTest::newRow("no article") << QByteArray(frase + "1\t1\t\"Piove.\"\t5\t\t\t\n")
                                    << QStringLiteral("frase 1 (linea 4):") << 6;
        QTest::newRow("a missing position")
            << QByteArray(frase + "0\t5\t\"forte.\"\t6\t\t\t\n") << QStringLiteral("frase 0, posizione 5 (linea 4)") << 3;
        QTest::newRow("spaces instead of tabs")
            << QByteArray("0 1 \"Il\" 1 1 1 1\n") << QStringLiteral("file (linea 1)") << 0;
    }

    void brokenFiles()
    {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, dove);
        QFETCH(int, regola);

        QTemporaryDir dir;
        const QString tsv = scrivi(dir, QStringLiteral("frasi.tsv"), contenuto);
        const QString cpp = dir.filePath(QStringLiteral("frasi.cpp"));
        for (const QStringList &argomenti :
             {QStringList{tsv}, QStringList{QStringLiteral("--silenzioso"), QStringLiteral("--genera-cpp"), cpp, tsv}}) {
            const Esito e = esegui(argomenti);
            QCOMPARE(e.codice, 1);
            QCOMPARE(e.out, QString());  // no figures for a file that is refused
            QVERIFY2(e.err.startsWith(tsv + QStringLiteral(": ") + dove), qPrintable(e.err));
            QVERIFY2(e.err.contains(QStringLiteral("regola %1, ").arg(regola)), qPrintable(e.err));
            QCOMPARE(e.err.count(QLatin1Char('\n')), 1);  // the first fault only
        }
        QVERIFY(!QFile::exists(cpp));  // nothing embedded
    }

    void usageAndFileErrors_data()
    {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("messaggio");

        QTest::newRow("no file") << QStringList{} << QStringLiteral("manca il file");
        QTest::newRow("two files") << QStringList{QStringLiteral(FILE_MAESTRA), QStringLiteral(FILE_MAESTRA)}
                                   << QStringLiteral("un solo file");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--tutto"), QStringLiteral(FILE_MAESTRA)}
                                        << QStringLiteral("opzione sconosciuta --tutto");
        QTest::newRow("--genera-cpp without a file") << QStringList{QStringLiteral(FILE_MAESTRA), QStringLiteral("--genera-cpp")}
                                                     << QStringLiteral("--genera-cpp");
        QTest::newRow("--installa without a file") << QStringList{QStringLiteral("--installa")} << QStringLiteral("--installa vuole");
        QTest::newRow("--in-uso with a file") << QStringList{QStringLiteral("--in-uso"), QStringLiteral(FILE_MAESTRA)}
                                              << QStringLiteral("non vogliono un file");
        QTest::newRow("two actions") << QStringList{QStringLiteral("--in-uso"), QStringLiteral("--rimuovi")}
                                     << QStringLiteral("vanno date da sole");
        QTest::newRow("file that does not exist") << QStringList{QStringLiteral("/nessuna/cartella/frasi.tsv")}
                                                  << QStringLiteral("impossibile leggere");
        QTest::newRow("cpp that cannot be written")
            << QStringList{QStringLiteral("--genera-cpp"), QStringLiteral("/nessuna/cartella/frasi.cpp"), QStringLiteral(FILE_MAESTRA)}
            << QStringLiteral("impossibile scrivere");
    }

    void usageAndFileErrors()
    {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, messaggio);
        const Esito e = esegui(argomenti);
        QCOMPARE(e.codice, 2);
        QVERIFY2(e.err.contains(messaggio), qPrintable(e.err));
    }

    void helpInItalian()
    {
        for (const QString &opzione : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const Esito e = esegui({opzione});
            QCOMPARE(e.codice, 0);
            QCOMPARE(e.err, QString());
            QVERIFY(e.out.startsWith(QStringLiteral("uso: verifica-corpus")));
            // Every rule, by the number the error messages give it.
            for (int regola = 0; regola <= 7; ++regola)
                QVERIFY2(e.out.contains(QRegularExpression(QStringLiteral("^  %1  \\S").arg(regola),
                                                           QRegularExpression::MultilineOption)),
                         qPrintable(QString::number(regola)));
            QVERIFY(e.out.contains(QStringLiteral("l'articolo indeterminativo è sempre singolare")));
            QVERIFY(e.out.contains(QStringLiteral("Codici di uscita")));
        }
    }

    void lookupOrderAsTheProgramSeesIt_data()
    {
        QTest::addColumn<QStringList>("presenti");  // of utente, sistema1, sistema2; "cartella:" a folder there
        QTest::addColumn<QString>("usato");

        QTest::newRow("none") << QStringList{} << QStringLiteral("frasi incorporate");
        QTest::newRow("the user's first") << QStringList{QStringLiteral("utente"), QStringLiteral("sistema1"), QStringLiteral("sistema2")}
                                          << QStringLiteral("utente");
        QTest::newRow("then the system folders in order") << QStringList{QStringLiteral("sistema1"), QStringLiteral("sistema2")}
                                                           << QStringLiteral("sistema1");
        QTest::newRow("the last system folder") << QStringList{QStringLiteral("sistema2")} << QStringLiteral("sistema2");
        QTest::newRow("a folder of that name is passed over")
            << QStringList{QStringLiteral("cartella:utente"), QStringLiteral("sistema2")} << QStringLiteral("sistema2");
    }

    void lookupOrderAsTheProgramSeesIt()
    {
        QFETCH(QStringList, presenti);
        QFETCH(QString, usato);
        QTemporaryDir dir;
        for (const QString &presente : presenti) {
            const QString dove = dir.filePath(QString(presente).remove(QStringLiteral("cartella:")) + QStringLiteral("/analisi-articoli"));
            QVERIFY(QDir().mkpath(dove));
            if (presente.startsWith(QStringLiteral("cartella:")))
                QVERIFY(QDir().mkpath(dove + QStringLiteral("/frasi.tsv")));
            else
                scrivi(dir, presente + QStringLiteral("/analisi-articoli/frasi.tsv"), frase);
        }
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("utente")));
        ambiente.insert(QStringLiteral("XDG_DATA_DIRS"), dir.filePath(QStringLiteral("sistema1")) + QLatin1Char(':') + dir.filePath(QStringLiteral("sistema2")));
        const Esito e = esegui({QStringLiteral("--in-uso")}, ambiente);
        QCOMPARE(e.codice, 0);
        QCOMPARE(e.out, (usato.startsWith(QLatin1String("frasi")) ? usato : dir.filePath(usato + QStringLiteral("/analisi-articoli/frasi.tsv"))) + QLatin1Char('\n'));
    }

    void installInUseRemove()
    {
        QTemporaryDir dir;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("utente")));
        ambiente.insert(QStringLiteral("XDG_DATA_DIRS"), dir.filePath(QStringLiteral("sistema")));
        const QString buono = scrivi(dir, QStringLiteral("buono.tsv"), "\xEF\xBB\xBF# con BOM\r\n" + frase);
        const QString rotto = scrivi(dir, QStringLiteral("rotto.tsv"), frase + "1\t1\t\"Piove.\"\t5\n");
        const QString cartella = dir.filePath(QStringLiteral("utente/analisi-articoli"));
        const QString installato = cartella + QStringLiteral("/frasi.tsv");

        // A bad file first: nothing is left behind, not even the folder.
        Esito e = esegui({QStringLiteral("--installa"), rotto}, ambiente);
        QCOMPARE(e.codice, 1);
        QVERIFY2(e.err.startsWith(rotto + QStringLiteral(": frase 1 (linea 4): regola 6")), qPrintable(e.err));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("utente"))));

        // Byte for byte, twice over with the same outcome, and no temporary file left.
        for (int volta = 0; volta < 2; ++volta) {
            e = esegui({QStringLiteral("--installa"), buono}, ambiente);
            QCOMPARE(e.codice, 0);
            QCOMPARE(e.out, QStringLiteral("Frasi installate in %1\nIl programma le userà dal suo prossimo avvio.\n").arg(installato));
            QCOMPARE(leggiFile(installato), leggiFile(buono));
            QCOMPARE(QDir(cartella).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("frasi.tsv")});
        }
        // A bad file does not replace a good one.
        QCOMPARE(esegui({QStringLiteral("--installa"), rotto}, ambiente).codice, 1);
        QCOMPARE(leggiFile(installato), leggiFile(buono));
        QCOMPARE(esegui({QStringLiteral("--installa"), dir.filePath(QStringLiteral("nessuno.tsv"))}, ambiente).codice, 2);

        e = esegui({QStringLiteral("--in-uso")}, ambiente);
        QCOMPARE(e.codice, 0);
        QCOMPARE(e.out, installato + QLatin1Char('\n'));

        // Removed, the lookup goes on to a system file, which here is broken.
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("sistema/analisi-articoli"))));
        scrivi(dir, QStringLiteral("sistema/analisi-articoli/frasi.tsv"), leggiFile(rotto));
        e = esegui({QStringLiteral("--rimuovi")}, ambiente);
        QCOMPARE(e.codice, 0);
        QVERIFY(!QFileInfo::exists(installato));
        QCOMPARE(esegui({QStringLiteral("--rimuovi")}, ambiente).codice, 0);
        e = esegui({QStringLiteral("--in-uso")}, ambiente);
        QCOMPARE(e.codice, 1);
        QCOMPARE(e.out, dir.filePath(QStringLiteral("sistema/analisi-articoli/frasi.tsv"))
                            + QStringLiteral("\nfrase 1 (linea 4): regola 6, ogni frase contiene almeno un articolo: nessun articolo\n"
                                             "Il programma userebbe invece le frasi incorporate.\n"));
    }

    void theTemplateIsValid()
    {
        const Esito e = esegui({QStringLiteral(MODELLO)});
        QCOMPARE(e.codice, 0);
        QCOMPARE(cifre(e.out, QStringLiteral("Frasi:")).first(), 2);
    }

    void embeddingKeepsEveryByte()
    {
        // Accents, blanks, CR and a byte above 0x7f in every position of a
        // signed char all have to come back as they were.
        QByteArray contenuto = "# è ò ù à ì «»\r\n" + frase;
        contenuto.replace("abbaia.", "abbaiò.");
        QTemporaryDir dir;
        const QString tsv = scrivi(dir, QStringLiteral("frasi.tsv"), contenuto);
        const QString cpp = dir.filePath(QStringLiteral("frasi.cpp"));
        const Esito e = esegui({QStringLiteral("--genera-cpp"), cpp, tsv});
        QCOMPARE(e.codice, 0);
        QVERIFY(e.out.startsWith(QStringLiteral("Il file rispetta")));  // figures printed too
        const QByteArray generato = leggiFile(cpp);
        QCOMPARE(decodificaCpp(generato), contenuto);
        QVERIFY(generato.contains("analisi_corpus_lunghezza = " + QByteArray::number(contenuto.size()) + ";"));

        QVERIFY(esegui({QStringLiteral("--silenzioso"), QStringLiteral("--genera-cpp"), cpp, tsv}).out.isEmpty());
    }

    void theProgramHoldsTheFileItWasBuiltWith()
    {
        // CORPUS_FILE, whichever file the build was given.
        QCOMPARE(corpus::testoIncorporato().toByteArray(), leggiFile(QStringLiteral(FILE_INCORPORATO)));
    }
};

QTEST_GUILESS_MAIN(TestVerificaCorpus)
#include "test_verifica_corpus.moc"
