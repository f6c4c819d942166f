// Reading the sentence file: what a valid file gives, and that every broken
// rule is refused whole, with the row, position and rule in the message.

#include "classification/modulo1.h"
#include "classification/riempimento.h"
#include "corpus/corpus.h"
#include "corpus/corpus_incorporato.h"

#include <QTest>

using corpus::Regola;

namespace {

// Row 30 of the built-in sentences, with its trailing blanks.
const QByteArray riga30 =
    "30\t1\t\"Il   \"\t1\t1\t1\t1\n"
    "30\t2\t\"cielo  \"\t2\t\t\t\n"
    "30\t3\t\"terso   \"\t3\t\t\t\n"
    "30\t4\t\"e  \"\t8\t\t\t\n"
    "30\t5\t\"azzurrino  \"\t3\t\t\t\n"
    "30\t6\t\"prometteva  \"\t5\t\t\t\n"
    "30\t7\t\"una   \"\t1\t2\t2\t1\n"
    "30\t8\t\"splendida    \"\t3\t\t\t\n"
    "30\t9\t\"giornata.   \"\t2\t\t\t\n";

const QByteArray fraseBreve =
    "0\t1\t\"La \"\t1\t1\t2\t1\n"
    "0\t2\t\"città\"\t2\n"
    "0\t3\t\"dorme.\"\t5\t\t\t\n";

}  // namespace

class TestCorpusFormat : public QObject
{
    Q_OBJECT

private slots:
    void validFileKeepsTextsAndCodes()
    {
        const corpus::Risultato letto = corpus::leggi("# comment\n\n" + riga30);
        QVERIFY(letto.valido());
        const corpus::Corpus &c = *letto.corpus;
        QCOMPARE(static_cast<int>(c.frasi.size()), 31);  // rows 0..29 left empty
        QCOMPARE(c.frasiPiene(), 1);
        QVERIFY(c.frasi[0].vuota());
        const corpus::Frase &f = c.frasi[30];
        QCOMPARE(f.numeroParole(), 9);
        QCOMPARE(f.parole[0].testo, QStringLiteral("Il   "));
        QCOMPARE(f.parole[8].testo, QStringLiteral("giornata.   "));
        QCOMPARE(f.parole[6].codice, 1);
        QCOMPARE(f.parole[6].tipo, 2);
        QCOMPARE(f.parole[6].genere, 2);
        QCOMPARE(f.parole[6].numero, 1);
        QCOMPARE(f.parole[1].tipo, 0);
    }

    void acceptsShortLinesAccentsAndWindowsLineEnds()
    {
        QByteArray crlf = fraseBreve;
        crlf.replace("\n", "\r\n");
        const corpus::Risultato letto = corpus::leggi(crlf);
        QVERIFY2(letto.valido(), letto.errore ? qPrintable(letto.errore->messaggio()) : "");
        QCOMPARE(letto.corpus->frasi[0].parole[1].testo, QStringLiteral("città"));
        QCOMPARE(letto.corpus->frasi[0].parole[2].testo, QStringLiteral("dorme."));
    }

    void innerBlanksAndParenthesesStay()
    {
        const corpus::Risultato letto = corpus::leggi(
            "6\t1\t\"sulla ( sull')\"\t7\t\t\t\n6\t2\t\"lo (l')\"\t1\t1\t1\t1\n6\t3\t\"albero\"\t2\t\t\t\n");
        QVERIFY(letto.valido());
        QCOMPARE(letto.corpus->frasi[6].parole[0].testo, QStringLiteral("sulla ( sull')"));
        QCOMPARE(letto.corpus->frasi[6].parole[1].testo, QStringLiteral("lo (l')"));
    }

    void everyBrokenRuleIsRefused_data()
    {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<int>("regola");
        QTest::addColumn<int>("frase");
        QTest::addColumn<int>("posizione");

        QByteArray ventitre;
        for (int p = 1; p <= 23; ++p)
            ventitre += QByteArray("4\t") + QByteArray::number(p) + (p == 1 ? "\t\"Il\"\t1\t1\t1\t1\n" : "\t\"gatto\"\t2\t\t\t\n");
        QTest::newRow("1: more than 22 words") << ventitre << 1 << 4 << 23;
        QTest::newRow("1: no sentence at all") << QByteArray("# nothing\n") << 1 << -1 << -1;
        QTest::newRow("2: empty text") << QByteArray("2\t1\t\"Il\"\t1\t1\t1\t1\n2\t2\t\"\"\t2\t\t\t\n") << 2 << 2 << 2;
        QTest::newRow("2: code 0") << QByteArray("2\t1\t\"Il\"\t1\t1\t1\t1\n2\t2\t\"cane\"\t0\t\t\t\n") << 2 << 2 << 2;
        QTest::newRow("2: code 10") << QByteArray("2\t1\t\"Il\"\t1\t1\t1\t1\n2\t2\t\"cane\"\t10\t\t\t\n") << 2 << 2 << 2;
        QTest::newRow("3: a gap in the positions")
            << QByteArray("3\t1\t\"Il\"\t1\t1\t1\t1\n3\t2\t\"cane\"\t2\t\t\t\n3\t4\t\"abbaia.\"\t5\t\t\t\n") << 3 << 3 << 4;
        QTest::newRow("4: article without number") << QByteArray("5\t1\t\"Il\"\t1\t1\t1\t\n5\t2\t\"cane\"\t2\t\t\t\n") << 4 << 5 << 1;
        QTest::newRow("4: noun with a gender") << QByteArray("5\t1\t\"Il\"\t1\t1\t1\t1\n5\t2\t\"cane\"\t2\t\t1\t\n") << 4 << 5 << 2;
        QTest::newRow("4: kind 4") << QByteArray("5\t1\t\"Il\"\t1\t4\t1\t1\n5\t2\t\"cane\"\t2\t\t\t\n") << 4 << 5 << 1;
        QTest::newRow("5: plural indefinite") << QByteArray("7\t1\t\"Uni\"\t1\t2\t1\t2\n7\t2\t\"cani\"\t2\t\t\t\n") << 5 << 7 << 1;
        QTest::newRow("6: no article") << QByteArray("8\t1\t\"Piove.\"\t5\t\t\t\n") << 6 << 8 << -1;
        QTest::newRow("7: ends with an article")
            << QByteArray("9\t1\t\"Vedo\"\t5\t\t\t\n9\t2\t\"il\"\t1\t1\t1\t1\n") << 7 << 9 << 2;
        QTest::newRow("0: a quote opened, never closed") << QByteArray("1\t1\t\"Il\t1\t1\t1\t1\n") << 0 << 1 << 1;
        QTest::newRow("0: quote inside the text") << QByteArray("1\t1\t\"I\"l\"\t1\t1\t1\t1\n") << 0 << 1 << 1;
        QTest::newRow("0: row 101") << QByteArray("101\t1\t\"Il\"\t1\t1\t1\t1\n") << 0 << -1 << -1;
        QTest::newRow("0: position 0") << QByteArray("1\t0\t\"Il\"\t1\t1\t1\t1\n") << 0 << 1 << -1;
        QTest::newRow("0: three fields") << QByteArray("1\t1\t\"Il\"\n") << 0 << -1 << -1;
        QTest::newRow("4: five fields, an article without gender and number")
            << QByteArray("1\t1\t\"Il\"\t1\t1\n1\t2\t\"cane\"\t2\n") << 4 << 1 << 1;
        QTest::newRow("0: code not a number") << QByteArray("1\t1\t\"Il\"\tx\t\t\t\n") << 0 << 1 << 1;
        QTest::newRow("0: invalid UTF-8") << QByteArray("1\t1\t\"\xC3\x28\"\t1\t1\t1\t1\n") << 0 << 1 << 1;
        QTest::newRow("0: repeated position")
            << QByteArray("1\t1\t\"Il\"\t1\t1\t1\t1\n1\t1\t\"cane\"\t2\t\t\t\n") << 0 << 1 << 1;
        QTest::newRow("0: rows out of order") << QByteArray(riga30 + fraseBreve) << 0 << 0 << 1;
        QTest::newRow("0: a row split in two")
            << QByteArray(fraseBreve + riga30 + "0\t4\t\"ancora\"\t6\t\t\t\n") << 0 << 0 << 4;
    }

    void everyBrokenRuleIsRefused()
    {
        QFETCH(QByteArray, contenuto);
        QFETCH(int, regola);
        QFETCH(int, frase);
        QFETCH(int, posizione);

        // A valid sentence before the broken one must not come through.
        const corpus::Risultato letto = corpus::leggi(contenuto);
        QVERIFY(!letto.valido());
        QVERIFY(!letto.corpus.has_value());
        QCOMPARE(static_cast<int>(letto.errore->regola), regola);
        QCOMPARE(letto.errore->frase, frase);
        QCOMPARE(letto.errore->posizione, posizione);

        const QString messaggio = letto.errore->messaggio();
        QVERIFY2(messaggio.contains(QStringLiteral("regola %1").arg(regola)), qPrintable(messaggio));
        if (frase >= 0)
            QVERIFY2(messaggio.contains(QStringLiteral("frase %1").arg(frase)), qPrintable(messaggio));
        if (posizione >= 0)
            QVERIFY2(messaggio.contains(QStringLiteral("posizione %1").arg(posizione)), qPrintable(messaggio));
    }

    void whatSpreadsheetsAndEditorsWriteReadsTheSame_data()
    {
        QTest::addColumn<QByteArray>("contenuto");
        // The same sentence as fraseBreve, the way other tools write it.
        const QByteArray bom = "\xEF\xBB\xBF";
        QTest::newRow("a BOM before a comment") << QByteArray(bom + "# 0\n" + fraseBreve);
        QTest::newRow("a BOM before the first word") << QByteArray(bom + fraseBreve);
        QTest::newRow("spreadsheet: header, bare texts, CRLF, empty rows")
            << QByteArray("frase\tposizione\ttesto\tcodice\ttipo\tgenere\tnumero\r\n"
                          "0\t1\tLa \t1\t1\t2\t1\r\n\t\t\t\t\t\t\r\n0\t2\tcittà\t2\t\t\t\r\n0\t3\tdorme.\t5\t\t\t\r\n");
        QTest::newRow("spreadsheet: quoted header and numbers, doubled quotes")
            << QByteArray("\"Frase\"\t\"posizione\"\n\"# 0\"\n\"0\"\t\"1\"\t\"\"\"La \"\"\"\t\"1\"\t\"1\"\t\"2\"\t\"1\"\n"
                          "0\t2\t\"\"\"città\"\"\"\t2\n0\t3\t\"dorme.\"\t5\n");
        QTest::newRow("4 to 7 fields for a word that is not an article")
            << QByteArray("0\t1\t\"La \"\t1\t1\t2\t1\n0\t2\t\"città\"\t2\t\n0\t3\t\"dorme.\"\t5\t\t\n");
    }

    void whatSpreadsheetsAndEditorsWriteReadsTheSame()
    {
        QFETCH(QByteArray, contenuto);
        const corpus::Risultato letto = corpus::leggi(contenuto);
        QVERIFY2(letto.valido(), letto.errore ? qPrintable(letto.errore->messaggio()) : "");
        const corpus::Risultato riferimento = corpus::leggi(fraseBreve);
        const corpus::Frase &atteso = riferimento.corpus->frasi[0];
        const corpus::Frase &frase = letto.corpus->frasi[0];
        QCOMPARE(frase.numeroParole(), atteso.numeroParole());
        for (int p = 0; p < atteso.numeroParole(); ++p) {
            const auto &a = atteso.parole[static_cast<std::size_t>(p)];
            const auto &b = frase.parole[static_cast<std::size_t>(p)];
            QCOMPARE(b.testo, a.testo);
            QCOMPARE((QList<int>{b.codice, b.tipo, b.genere, b.numero}), (QList<int>{a.codice, a.tipo, a.genere, a.numero}));
        }
    }

    void messagesATeacherUnderstands_data()
    {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("dettaglio");
        QTest::newRow("TABs turned into spaces") << QByteArray("0 1 \"Il\" 1 1 1 1\n")
                                                 << QStringLiteral("nessun TAB: i campi vanno separati da caratteri TAB, non da spazi");
        QTest::newRow("two fields") << QByteArray("0\t1 \"Il\" 1 1 1 1\n") << QStringLiteral("solo 2 campi: ne servono da 4 a 7");
        QTest::newRow("eight fields") << QByteArray("0\t1\t\"Il\"\t1\t1\t1\t1\t\n") << QStringLiteral("più di 7 campi");
        QTest::newRow("UTF-16 with a BOM") << QByteArray("\xFF\xFE" "0\0\t\0", 6) << QStringLiteral("UTF-16");
        QTest::newRow("UTF-16 without a BOM") << QByteArray("0\0\t\0" "1\0", 6) << QStringLiteral("UTF-16");
        QTest::newRow("Latin-1") << QByteArray("0\t1\t\"La\"\t1\t1\t2\t1\n0\t2\t\"citt\xE0\"\t2\t\t\t\n") << QStringLiteral("Latin-1");
        QTest::newRow("binary") << QByteArray("#\n\x7F" "ELF\x02\x01\0\0\0", 10) << QStringLiteral("byte nulli");
    }

    void messagesATeacherUnderstands()
    {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, dettaglio);
        const corpus::Risultato letto = corpus::leggi(contenuto, corpus::Modo::TuttiGliErrori);
        QCOMPARE(letto.errori.size(), std::size_t{1});  // one clear message, not a cascade
        const QString messaggio = letto.errore->messaggio();
        QVERIFY2(messaggio.contains(dettaglio), qPrintable(messaggio));
        QVERIFY2(!messaggio.contains(QStringLiteral(" 1 campi")) && !messaggio.contains(QStringLiteral("riga")),
                 qPrintable(messaggio));
    }

    void everyFaultIsReportedOnRequest_data()
    {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("errori");  // frase/posizione/linea/regola of each, in order

        QTest::newRow("faults in words, sentences and order")
            << QByteArray("0\t1\t\"Il \"\t1\t1\t1\t1\n"
                          "0\t2\t\"gatto \"\t12\t\t\t\n"
                          "0\t3\t\"dorme.\"\t5\t1\t\t\n"
                          "1\t1\t\"Piove.\"\t5\t\t\t\n"
                          "2\t1\t\"Uni \"\t1\t2\t1\t2\n"
                          "2\t3\t\"cani.\"\t2\t\t\t\n"
                          "1\t1\t\"x\"\t2\t\t\t\n")
            << QStringLiteral("0/2/2/2 0/3/3/4 1/-1/4/6 2/1/5/5 2/3/6/3 1/1/7/0");
        QTest::newRow("every line with spaces for TABs, and no 'no sentence' after them")
            << QByteArray("0 1 \"Il\" 1 1 1 1\n# c\n0 2 \"cane\" 2\n0 3 \"abbaia.\" 5\n")
            << QStringLiteral("-1/-1/1/0 -1/-1/3/0 -1/-1/4/0");
        QTest::newRow("a bad text, then more words and a sentence ending with an article")
            << QByteArray("3\t1\t\"Il \"\t1\t1\t1\t1\n3\t2\t\"citt\xE0\"\t2\n3\t3\t\"\xC3\xA8 \"\t5\n3\t4\t\"la\"\t1\t1\t2\t1\n")
            << QStringLiteral("3/2/2/0 3/4/4/7");
        QTest::newRow("more than 22 words, reported once") << QByteArray([] {
            QByteArray t;
            for (int p = 1; p <= 25; ++p)
                t += "4\t" + QByteArray::number(p) + (p == 1 ? "\t\"Il\"\t1\t1\t1\t1\n" : "\t\"gatto\"\t2\n");
            return t;
        }()) << QStringLiteral("4/23/23/1");
        QTest::newRow("nothing but comments") << QByteArray("# niente\n") << QStringLiteral("-1/-1/0/1");
        QTest::newRow("valid") << fraseBreve << QString();
    }

    void everyFaultIsReportedOnRequest()
    {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, errori);
        const corpus::Risultato tutti = corpus::leggi(contenuto, corpus::Modo::TuttiGliErrori);
        QStringList trovati;
        for (const corpus::Errore &e : tutti.errori) {
            trovati << QStringLiteral("%1/%2/%3/%4").arg(e.frase).arg(e.posizione).arg(e.linea).arg(static_cast<int>(e.regola));
            // The same words as the first fault's message.
            QVERIFY(e.messaggio().contains(QStringLiteral("regola %1, %2").arg(static_cast<int>(e.regola)).arg(corpus::descrizione(e.regola))));
        }
        QCOMPARE(trovati.join(QLatin1Char(' ')), errori);
        // Never half-loaded, and the usual reading stops at the first of them.
        QCOMPARE(tutti.valido(), errori.isEmpty());
        const corpus::Risultato primo = corpus::leggi(contenuto);
        QCOMPARE(primo.valido(), tutti.valido());
        QCOMPARE(primo.errori.size(), errori.isEmpty() ? std::size_t{0} : std::size_t{1});
        if (primo.errore)
            QCOMPARE(primo.errore->messaggio(), tutti.errore->messaggio());
    }

    void nothingIsHalfLoaded()
    {
        // The first rows are fine, the last one breaks rule 7.
        const corpus::Risultato letto =
            corpus::leggi(fraseBreve + riga30 + "31\t1\t\"Vedo\"\t5\t\t\t\n31\t2\t\"il\"\t1\t1\t1\t1\n");
        QVERIFY(!letto.valido());
        QVERIFY(!letto.corpus);
        QVERIFY(letto.errore->messaggio().contains(QStringLiteral("frase 31, posizione 2")));
    }

    void fillingTheTablesBlanksPastTheEnd()
    {
        StatoEsercizio stato;
        stato.testoparola.imposta(30, 12, QStringLiteral("stale"));
        stato.partediscorso.imposta(30, 12, 4);
        riempiTabelle(*corpus::leggi(riga30).corpus, stato);
        QCOMPARE(stato.numfrasi, 31);
        QCOMPARE(stato.partediscorso(30, 0), 9);
        QCOMPARE(stato.partediscorso(30, 9), 2);
        QCOMPARE(stato.testoparola(30, 12), QString());
        QCOMPARE(stato.partediscorso(30, 12), 0);
        QCOMPARE(stato.tipoarticolo(30, 7), 2);
        QCOMPARE(stato.tipoarticolo(30, 2), 0);  // empty reads as 0
        QCOMPARE(stato.partediscorso(0, 0), 0);  // a row the file leaves out
        // Out of the table: the empty value, never a crash.
        QCOMPARE(stato.partediscorso(30, 23), 0);
        QCOMPARE(stato.partediscorso(101, 1), 0);
        QCOMPARE(stato.testoparola(-1, 1), QString());
    }

    void builtInSentencesAreValid()
    {
        const corpus::Risultato letto = corpus::leggi(corpus::testoIncorporato());
        QVERIFY2(letto.valido(), letto.errore ? qPrintable(letto.errore->messaggio()) : "");
        QCOMPARE(&corpus::corpusIncorporato(), &corpus::corpusIncorporato());  // parsed once
        QCOMPARE(corpus::corpusIncorporato().frasiPiene(), letto.corpus->frasiPiene());
    }
};

QTEST_GUILESS_MAIN(TestCorpusFormat)
#include "test_corpus_format.moc"
