// The built-in sentences: every figure they are written to, so that an edit
// that breaks one fails with the row, figure or rule it broke.

#include "corpus/corpus.h"
#include "corpus/corpus_incorporato.h"
#include "corpus/statistiche_corpus.h"

#include <QTest>

namespace {

const corpus::Corpus &sentences()
{
    return corpus::corpusIncorporato();
}

const corpus::Parola &word(int row, int position)
{
    return sentences().frasi.at(static_cast<std::size_t>(row)).parole.at(static_cast<std::size_t>(position - 1));
}

struct Expected {
    const char *text;
    int code, kind, gender, number;
};

void compareRow(int row, std::initializer_list<Expected> words)
{
    const corpus::Frase &frase = sentences().frasi.at(static_cast<std::size_t>(row));
    QCOMPARE(frase.numeroParole(), static_cast<int>(words.size()));
    int position = 1;
    for (const Expected &e : words) {
        const corpus::Parola &w = frase.parole[static_cast<std::size_t>(position - 1)];
        const QString where = QStringLiteral("row %1, position %2").arg(row).arg(position);
        QVERIFY2(w.testo == QString::fromUtf8(e.text), qPrintable(where + QStringLiteral(": \"%1\"").arg(w.testo)));
        QVERIFY2(w.codice == e.code && w.tipo == e.kind && w.genere == e.gender && w.numero == e.number,
                 qPrintable(where));
        ++position;
    }
}

}  // namespace

class TestCorpusContent : public QObject
{
    Q_OBJECT

private slots:
    void everyRuleHolds()
    {
        const corpus::Risultato letto = corpus::leggi(corpus::testoIncorporato());
        QVERIFY2(letto.valido(), letto.errore ? qPrintable(letto.errore->messaggio()) : "");
    }

    void wordCountsByRow()
    {
        const int counts[33] = {10, 21, 16, 21, 22, 20, 17, 22, 22, 22, 21, 22, 18, 12, 22, 22, 20,
                                19, 18, 19, 20, 14, 18, 21, 22, 13, 12, 22, 14, 15, 9,  16, 22};
        QCOMPARE(static_cast<int>(sentences().frasi.size()), 33);
        for (int row = 0; row < 33; ++row)
            QVERIFY2(sentences().frasi[static_cast<std::size_t>(row)].numeroParole() == counts[row],
                     qPrintable(QStringLiteral("row %1 has %2 words, not %3")
                                    .arg(row)
                                    .arg(sentences().frasi[static_cast<std::size_t>(row)].numeroParole())
                                    .arg(counts[row])));
        const corpus::Statistiche s = corpus::calcola(sentences());
        QCOMPARE(s.frasi, 33);
        QCOMPARE(s.parole, 604);
    }

    void partsOfSpeech()
    {
        const corpus::Statistiche s = corpus::calcola(sentences());
        const int expected[10] = {0, 130, 175, 56, 30, 89, 18, 70, 36, 0};
        for (int code = 1; code <= 9; ++code)
            QVERIFY2(s.perCodice[static_cast<std::size_t>(code)] == expected[code],
                     qPrintable(QStringLiteral("code %1: %2 words, not %3")
                                    .arg(code)
                                    .arg(s.perCodice[static_cast<std::size_t>(code)])
                                    .arg(expected[code])));
    }

    void articlesByKindGenderNumber()
    {
        const corpus::Statistiche s = corpus::calcola(sentences());
        QCOMPARE(s.articoliDiTipo(1), 79);
        QCOMPARE(s.articoliDiTipo(2), 30);
        QCOMPARE(s.articoliDiTipo(3), 21);
        const auto &a = s.articoli;
        QCOMPARE(a[1][1][1], 32);
        QCOMPARE(a[1][1][2], 16);
        QCOMPARE(a[1][2][1], 21);
        QCOMPARE(a[1][2][2], 10);
        QCOMPARE(a[2][1][1], 18);
        QCOMPARE(a[2][2][1], 12);
        QCOMPARE(a[2][1][2] + a[2][2][2], 0);
        QCOMPARE(a[3][1][1], 3);
        QCOMPARE(a[3][1][2], 10);
        QCOMPARE(a[3][2][1], 2);
        QCOMPARE(a[3][2][2], 6);
    }

    void articleFormsAndTheirAnnotation()
    {
        struct Form {
            const char *form;
            int count, kind, gender, number;
        };
        const Form forms[] = {
            {"il", 27, 1, 1, 1},    {"lo", 1, 1, 1, 1},      {"lo (l')", 4, 1, 1, 1}, {"la", 16, 1, 2, 1},
            {"la (l')", 5, 1, 2, 1}, {"i", 7, 1, 1, 2},      {"gli", 9, 1, 1, 2},     {"le", 10, 1, 2, 2},
            {"un", 18, 2, 1, 1},    {"una", 10, 2, 2, 1},    {"una (un')", 2, 2, 2, 1}, {"del", 3, 3, 1, 1},
            {"della", 2, 3, 2, 1},  {"dei", 7, 3, 1, 2},     {"degli", 3, 3, 1, 2},   {"delle", 6, 3, 2, 2},
        };
        const corpus::Statistiche s = corpus::calcola(sentences());
        int total = 0;
        for (const Form &f : forms) {
            const QString name = QString::fromUtf8(f.form);
            const auto found = s.formeArticolo.find(name);
            const int count = found == s.formeArticolo.end() ? 0 : found->second;
            QVERIFY2(count == f.count, qPrintable(QStringLiteral("\"%1\": %2, not %3").arg(name).arg(count).arg(f.count)));
            total += count;
        }
        QCOMPARE(total, 130);  // no other form occurs

        // Every occurrence of a form carries that form's annotation.
        for (std::size_t row = 0; row < sentences().frasi.size(); ++row) {
            int position = 0;
            for (const corpus::Parola &w : sentences().frasi[row].parole) {
                ++position;
                if (w.codice != corpus::Articolo)
                    continue;
                const QString name = corpus::formaNormalizzata(w.testo);
                for (const Form &f : forms)
                    if (name == QString::fromUtf8(f.form))
                        QVERIFY2(w.tipo == f.kind && w.genere == f.gender && w.numero == f.number,
                                 qPrintable(QStringLiteral("row %1, position %2: \"%3\"").arg(row).arg(position).arg(w.testo)));
            }
        }
    }

    void rowsGivenWordForWord()
    {
        compareRow(0, {{"Le  ", 1, 1, 2, 2}, {"nubi ", 2, 0, 0, 0}, {"sul ", 7, 0, 0, 0}, {"mare", 2, 0, 0, 0},
                       {"sembrano  ", 5, 0, 0, 0}, {"delle", 1, 3, 2, 2}, {"isolette", 2, 0, 0, 0},
                       {"divise", 5, 0, 0, 0}, {"dalla  ", 7, 0, 0, 0}, {"luce.", 2, 0, 0, 0}});
        compareRow(30, {{"Il   ", 1, 1, 1, 1}, {"cielo  ", 2, 0, 0, 0}, {"terso   ", 3, 0, 0, 0}, {"e  ", 8, 0, 0, 0},
                        {"azzurrino  ", 3, 0, 0, 0}, {"prometteva  ", 5, 0, 0, 0}, {"una   ", 1, 2, 2, 1},
                        {"splendida    ", 3, 0, 0, 0}, {"giornata.   ", 2, 0, 0, 0}});
        compareRow(19, {{"Per  ", 7, 0, 0, 0}, {"la", 1, 1, 2, 1}, {"torta,   ", 2, 0, 0, 0}, {"che  ", 4, 0, 0, 0},
                        {"mangeremo  ", 5, 0, 0, 0}, {"questa ", 3, 0, 0, 0}, {"sera  ", 2, 0, 0, 0},
                        {"con   ", 7, 0, 0, 0}, {"gli   ", 1, 1, 1, 2}, {"amici,   ", 2, 0, 0, 0},
                        {"mi    ", 4, 0, 0, 0}, {"servirebbero  ", 5, 0, 0, 0}, {"del  ", 1, 3, 1, 1},
                        {"burro,", 2, 0, 0, 0}, {"delle    ", 1, 3, 2, 2}, {"uova      ", 2, 0, 0, 0},
                        {"e", 8, 0, 0, 0}, {"della    ", 1, 3, 2, 1}, {"farina.  ", 2, 0, 0, 0}});
    }

    void particularWords()
    {
        QCOMPARE(word(6, 16).testo, QStringLiteral("sulla ( sull')"));
        QCOMPARE(word(6, 16).codice, 7);
        QCOMPARE(word(8, 20).testo, QStringLiteral("della   "));
        QCOMPARE(word(8, 20).codice, 7);

        // The same forms as prepositions, the elided prepositions and the
        // compound verbs in one position.
        const corpus::Statistiche s = corpus::calcola(sentences());
        for (const char *form : {"del", "della", "dello", "degli"})
            QVERIFY2(s.formeComePreposizione.count(QString::fromLatin1(form)), form);
        QStringList texts;
        for (const corpus::Frase &f : sentences().frasi)
            for (const corpus::Parola &w : f.parole)
                texts << w.testo.trimmed();
        for (const char *text : {"alla (all')", "della (dell')", "nella (nell')", "nello (nell')", "lo (l')", "La (L')",
                                 "Una (Un')", "la (l')", "si era asciugata", "ho comperato", "avrebbe dovuto fare",
                                 "luce.", "torta,", "campanello:", "denti?", "Al", "sul", "dalla", "Nel", "Sugli"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
    }

    void textsAreTidy()
    {
        QSet<QString> seen;
        for (std::size_t row = 0; row < sentences().frasi.size(); ++row) {
            QString sentence;
            for (const corpus::Parola &w : sentences().frasi[row].parole) {
                const int trailing = static_cast<int>(w.testo.size() - QStringView(w.testo).trimmed().size());
                QVERIFY2(trailing <= 6 && !w.testo.startsWith(QLatin1Char(' ')),
                         qPrintable(QStringLiteral("row %1: \"%2\"").arg(row).arg(w.testo)));
                sentence += w.testo.simplified() + QLatin1Char(' ');
            }
            QVERIFY2(QStringLiteral(".!?").contains(sentence.trimmed().back()), qPrintable(sentence));
            QVERIFY2(!seen.contains(sentence), qPrintable(QStringLiteral("row %1 repeats a sentence").arg(row)));
            seen.insert(sentence);
        }
    }
};

QTEST_GUILESS_MAIN(TestCorpusContent)
#include "test_corpus_content.moc"
