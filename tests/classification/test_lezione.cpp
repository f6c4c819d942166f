// The lesson's rules without a window: the questions each kind of word walks
// through in both modes, the category of every wrong press, the level of a
// series, the rounding of a record and the draw of the next sentence. Built
// with Qt Core and Qt Test only.

#include "classification/lezione.h"
#include "classification/riempimento.h"
#include "corpus/corpus.h"
#include "platform/random.h"

#include <QTest>

#include <deque>

using lezione::Gruppo;

namespace {

// Articles in these sentences are "una": indeterminativo, femminile,
// singolare, so that no right answer is the first button by chance.
constexpr int kind = 2;
constexpr int gender = 2;
constexpr int number = 1;

// One sentence in row 0 with the given part-of-speech codes.
QByteArray sentence(const QList<int> &codes)
{
    QByteArray tsv;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        tsv += "0\t" + QByteArray::number(i + 1) + "\t\"w\"\t" + QByteArray::number(codes[i]);
        if (codes[i] == 1)
            tsv += "\t" + QByteArray::number(kind) + "\t" + QByteArray::number(gender) + "\t" + QByteArray::number(number);
        else
            tsv += "\t\t\t";
        tsv += "\n";
    }
    return tsv;
}

// Draws the queued values, then the last one again and again.
class Queued final : public platform::Random
{
public:
    explicit Queued(QList<float> values) : values_(values.begin(), values.end()) {}
    void seed(float) override {}
    float next() override
    {
        if (values_.size() > 1) {
            const float v = values_.front();
            values_.pop_front();
            return v;
        }
        return values_.empty() ? 0.0f : values_.front();
    }

private:
    std::deque<float> values_;
};

void startLesson(const QList<int> &codes, int mode)
{
    Modulo1 = StatoEsercizio{};
    Modulo1.modoanalisi = mode;
    const corpus::Risultato letto = corpus::leggi(sentence(codes));
    QVERIFY2(letto.valido(), qPrintable(letto.errore ? letto.errore->messaggio() : QString()));
    riempiTabelle(*letto.corpus, Modulo1);
    lezione::preparaLezione();
    Queued first({0.0f});
    lezione::avvia(100.0f);
    QCOMPARE(lezione::nuovaFrase(first), Passo::Variabilita);
}

char letter(Passo step)
{
    switch (step) {
    case Passo::Variabilita: return 'V';
    case Passo::ParteVariabile: return 'v';
    case Passo::ParteInvariabile: return 'i';
    case Passo::Tipo: return 'T';
    case Passo::Genere: return 'G';
    case Passo::Numero: return 'N';
    case Passo::FraseCompletata: return 'C';
    default: return '?';
    }
}

// The right button of `step` for a word of `code`, from the sentence above.
int rightFor(Passo step, int code)
{
    switch (step) {
    case Passo::Variabilita: return code < 6 ? 10 : 11;
    case Passo::Tipo: return kind;
    case Passo::Genere: return gender;
    case Passo::Numero: return number;
    default: return code;
    }
}

// A wrong button of `step` for a word of `code`.
int wrongFor(Passo step, int code)
{
    switch (step) {
    case Passo::Variabilita: return code < 6 ? 11 : 10;
    case Passo::Tipo: return kind + 1;
    case Passo::Genere:
    case Passo::Numero: return 3 - rightFor(step, code);
    default: return code == 2 ? 3 : 2;
    }
}

// Answers right until `stop` (or the end of the sentence); the steps met,
// as "1V 1v 1T ...", each a position and a letter.
QString walk(std::optional<Passo> stop = std::nullopt)
{
    QStringList met;
    for (int guard = 0; guard < 200 && Modulo1.passo != Passo::FraseCompletata && Modulo1.passo != stop; ++guard) {
        const Passo step = Modulo1.passo;
        const int code = Modulo1.partediscorso(0, Modulo1.posparola);
        met << QString::number(Modulo1.posparola) + QLatin1Char(letter(step));
        const Gruppo group = *lezione::gruppoDelPasso(step);
        if (lezione::rispostaGiusta() != rightFor(step, code))
            return met.join(QLatin1Char(' ')) + QStringLiteral(" (right answer %1)").arg(lezione::rispostaGiusta());
        // A wrong press first: judged wrong, and the question stays.
        if (lezione::giudica(group, wrongFor(step, code)) || Modulo1.passo != step)
            return met.join(QLatin1Char(' ')) + QStringLiteral(" (wrong press taken)");
        if (!lezione::giudica(group, rightFor(step, code)))
            return met.join(QLatin1Char(' ')) + QStringLiteral(" (right press refused)");
        lezione::avanza(group, rightFor(step, code));
    }
    if (Modulo1.passo == Passo::FraseCompletata)
        met << QStringLiteral("C");
    return met.join(QLatin1Char(' '));
}

}  // namespace

class TestLezione : public QObject
{
    Q_OBJECT

private slots:
    void stepsOfEveryKindOfWord_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("steps");
        const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 2};
        QTest::newRow("every part of speech, analisi completa")
            << all << 0 << "1V 1v 1T 1G 1N 2V 2v 3V 3v 4V 4v 5V 5v 6V 6i 7V 7i 8V 8i 9V 9i 10V 10v C";
        QTest::newRow("every part of speech, solo articoli") << all << 1 << "1V 1v 1T 1G 1N C";
        QTest::newRow("article and noun") << QList<int>{1, 2} << 0 << "1V 1v 1T 1G 1N 2V 2v C";
        QTest::newRow("articles at 2 and 5, analisi completa") << QList<int>{6, 1, 2, 5, 1, 2} << 0
                                                               << "1V 1i 2V 2v 2T 2G 2N 3V 3v 4V 4v 5V 5v 5T 5G 5N 6V 6v C";
        QTest::newRow("articles at 2 and 5, solo articoli") << QList<int>{6, 1, 2, 5, 1, 2} << 1
                                                            << "2V 2v 2T 2G 2N 5V 5v 5T 5G 5N C";
        QTest::newRow("articles one after the other, solo articoli") << QList<int>{1, 1, 2} << 1
                                                                     << "1V 1v 1T 1G 1N 2V 2v 2T 2G 2N C";
        QTest::newRow("invariable last, analisi completa") << QList<int>{1, 2, 9} << 0
                                                           << "1V 1v 1T 1G 1N 2V 2v 3V 3i C";
    }
    void stepsOfEveryKindOfWord()
    {
        QFETCH(QList<int>, codes);
        QFETCH(int, mode);
        QFETCH(QString, steps);
        startLesson(codes, mode);
        QCOMPARE(walk(), steps);
    }

    // Every wrong button a word's questions show, and where it is counted.
    void categoryOfEveryWrongPress_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<Passo>("step");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("category");
        for (int code = 1; code <= 9; ++code) {
            const bool variable = code < 6;
            auto row = [code](Passo step, int pressed, int category) {
                QTest::addRow("code %d, %c, button %d", code, letter(step), pressed) << code << step << pressed << category;
            };
            row(Passo::Variabilita, variable ? 11 : 10, variable ? 11 : 10);
            const Passo part = variable ? Passo::ParteVariabile : Passo::ParteInvariabile;
            for (int i = variable ? 1 : 6; i <= (variable ? 5 : 9); ++i)
                if (i != code)
                    row(part, i, code);
            if (code == 1) {
                for (int i = 1; i <= 3; ++i)
                    if (i != kind)
                        row(Passo::Tipo, i, 1);
                row(Passo::Genere, 3 - gender, 1);
                row(Passo::Numero, 3 - number, 1);
            }
        }
    }
    void categoryOfEveryWrongPress()
    {
        QFETCH(int, code);
        QFETCH(Passo, step);
        QFETCH(int, pressed);
        QFETCH(int, category);
        // The sentence tables ask for an article in every sentence, not last.
        startLesson({code, 1, 2}, 0);
        walk(step);
        QCOMPARE(Modulo1.passo, step);
        const Gruppo group = *lezione::gruppoDelPasso(step);
        QVERIFY(!lezione::giudica(group, pressed));
        QCOMPARE(Modulo1.risposta, pressed);
        lezione::contaErrore(lezione::categoriaDiErrore(group, pressed));
        QCOMPARE(Modulo1.erroripercategoria[static_cast<std::size_t>(category)], 1);
        QCOMPARE(Modulo1.errori, 1);
        QCOMPARE(Modulo1.passo, step);
    }

    void levelByErrors_data()
    {
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("level");
        for (const auto &[errors, level] : {std::pair{0, 5}, {1, 4}, {2, 3}, {3, 2}, {4, 1}, {20, 1}, {-1, 5}})
            QTest::addRow("%d errors", errors) << errors << level;
    }
    void levelByErrors()
    {
        QFETCH(int, errors);
        QFETCH(int, level);
        QCOMPARE(lezione::livelloPerErrori(errors), level);
    }

    // Cut to tenths, then the nearest second, a half going to the even one.
    void recordRounding_data()
    {
        QTest::addColumn<float>("seconds");
        QTest::addColumn<int>("kept");
        QTest::newRow("45.67: 45.6, up") << 45.67f << 46;
        QTest::newRow("45.5: half, to even 46") << 45.5f << 46;
        QTest::newRow("44.5: half, to even 44") << 44.5f << 44;
        QTest::newRow("56.56: 56.5, to even 56") << 56.56f << 56;
        QTest::newRow("47.55: 47.5, to even 48") << 47.55f << 48;
        QTest::newRow("45.45: 45.4, down") << 45.45f << 45;
        QTest::newRow("45.99: 45.9, up") << 45.99f << 46;
        QTest::newRow("0.04: 0.0") << 0.04f << 0;
    }
    void recordRounding()
    {
        QFETCH(float, seconds);
        QFETCH(int, kept);
        QCOMPARE(static_cast<int>(lezione::secondiRecord(seconds)), kept);
    }

    void closingASeries_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("countBefore");
        QTest::addColumn<int>("bestBefore");
        QTest::addColumn<float>("seconds");
        QTest::addColumn<int>("countAfter");
        QTest::addColumn<int>("bestAfter");
        QTest::addColumn<bool>("record");
        QTest::newRow("first error-free series") << 5 << 0 << 200 << 45.67f << 1 << 46 << true;
        QTest::newRow("faster within the same second") << 5 << 1 << 46 << 45.9f << 2 << 46 << true;
        QTest::newRow("as fast as the best") << 5 << 1 << 46 << 46.0f << 2 << 46 << false;
        QTest::newRow("errors never set a record") << 4 << 3 << 200 << 10.0f << 4 << 200 << false;
        QTest::newRow("a row stops at ten") << 1 << 10 << 200 << 5.0f << 10 << 200 << false;
        QTest::newRow("chart only") << 6 << 0 << 200 << 5.0f << 0 << 200 << false;
    }
    void closingASeries()
    {
        QFETCH(int, level);
        QFETCH(int, countBefore);
        QFETCH(int, bestBefore);
        QFETCH(float, seconds);
        QFETCH(int, countAfter);
        QFETCH(int, bestAfter);
        QFETCH(bool, record);
        Modulo1 = StatoEsercizio{};
        Modulo1.livello = level;
        Modulo1.tempomigliore = static_cast<std::int16_t>(bestBefore);
        int *count = lezione::contatoreLivello(level == 6 ? 5 : level);
        *count = countBefore;
        const lezione::Chiusura closed = lezione::chiudiSerie(seconds);
        QCOMPARE(*count, countAfter);
        QCOMPARE(closed.valutata, level != 6);
        QCOMPARE(static_cast<int>(Modulo1.tempomigliore), bestAfter);
        QCOMPARE(closed.nuovoRecord, record);

        // "PROSEGUI" starts the next series, whatever the level.
        Modulo1.domande = 20;
        Modulo1.errori = 3;
        lezione::nuovaSerie(500.0f);
        QCOMPARE(Modulo1.domande, 0);
        QCOMPARE(Modulo1.errori, 0);
        QCOMPARE(Modulo1.inizioserie, 500.0f);
    }

    void draw_data()
    {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<QList<int>>("empty");
        QTest::addColumn<QList<float>>("values");
        QTest::addColumn<int>("row");  // -1: none left
        // Three rows: 0.1 draws row 0, 0.5 row 1, 0.9 row 2.
        QTest::newRow("a free row") << QList<int>{} << QList<int>{} << QList<float>{0.5f} << 1;
        QTest::newRow("a used row is drawn again") << QList<int>{1} << QList<int>{} << QList<float>{0.5f, 0.9f} << 2;
        QTest::newRow("an empty row is drawn again") << QList<int>{} << QList<int>{0} << QList<float>{0.1f, 0.5f} << 1;
        QTest::newRow("used and empty rows") << QList<int>{0} << QList<int>{2} << QList<float>{0.1f, 0.9f, 0.5f} << 1;
        QTest::newRow("every row used") << QList<int>{0, 1, 2} << QList<int>{} << QList<float>{0.1f, 0.5f, 0.9f} << -1;
        QTest::newRow("only an empty row left") << QList<int>{0, 2} << QList<int>{1} << QList<float>{0.5f} << -1;
    }
    void draw()
    {
        QFETCH(QList<int>, used);
        QFETCH(QList<int>, empty);
        QFETCH(QList<float>, values);
        QFETCH(int, row);
        Modulo1 = StatoEsercizio{};
        Modulo1.numfrasi = 3;
        for (int r = 0; r < 3; ++r)
            Modulo1.partediscorso.imposta(r, 0, empty.contains(r) ? 0 : 4);
        for (int r : used)
            Modulo1.frasiusate[static_cast<std::size_t>(r)] = 1;
        Queued random(values);
        const std::optional<int> drawn = lezione::estraiFrase(Modulo1, random);
        QCOMPARE(drawn.value_or(-1), row);

        Queued again(values);
        const Passo step = lezione::nuovaFrase(again);
        QCOMPARE(step, row < 0 ? Passo::FrasiFinite : Passo::Variabilita);
        if (row >= 0) {
            QCOMPARE(Modulo1.numfrase, row);
            QCOMPARE(Modulo1.frasiusate[static_cast<std::size_t>(row)], 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestLezione)
#include "test_lezione.moc"
