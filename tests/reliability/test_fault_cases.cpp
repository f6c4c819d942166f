// What happens when the world misbehaves: a clock that is set back while the
// lesson runs, and sentences at the edges of what the tables hold (22 words,
// and a single word, which the sentence file refuses but the tables must
// still survive).

#include "classification/modulo1.h"
#include "classification/riempimento.h"
#include "corpus/corpus.h"
#include "exercise/formb.h"
#include "platform/clock.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

// A sentence of 22 words with articles at 1, 10 and 21 (never at the end).
QByteArray sentenceOf22Words()
{
    QByteArray tsv;
    for (int p = 1; p <= 22; ++p) {
        tsv += "0\t" + QByteArray::number(p);
        if (p == 1)
            tsv += "\t\"Il \"\t1\t1\t1\t1\n";
        else if (p == 10)
            tsv += "\t\"una\"\t1\t2\t2\t1\n";
        else if (p == 21)
            tsv += "\t\"degli\"\t1\t3\t1\t2\n";
        else
            tsv += "\t\"parola" + QByteArray::number(p) + "\"\t" + QByteArray::number(p % 2 ? 6 : 2) + "\t\t\t\n";
    }
    return tsv;
}

int wholeSeconds(const QLabel *label)
{
    bool ok = false;
    const int value = label->text().toInt(&ok);
    return ok ? value : -1;
}

}  // namespace

class TestFaultCases : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    FormB *form = nullptr;

    void expectClockBounded()
    {
        form->Timer1_Timer();
        const int shown = wholeSeconds(form->Lbclock);
        QVERIFY2(shown >= 0 && shown < 86400, qPrintable(form->Lbclock->text()));
        if (!form->MOSTRATEMPO->text().isEmpty()) {
            const int time = wholeSeconds(form->MOSTRATEMPO);
            QVERIFY2(time >= 0 && time < 86400, qPrintable(form->MOSTRATEMPO->text()));
        }
    }

    // Plays the sentence on screen to its end with right answers; returns the presses.
    int playThrough()
    {
        int presses = 0;
        while (!test::shown(form->VIA) && presses < 200 && lesson->answerRight())
            ++presses;
        return presses;
    }

private slots:
    void init() { lesson = std::make_unique<test::Lesson>(); }
    void cleanup() { lesson.reset(); }

    // ---- the clock set back ---------------------------------------------------

    void runningClockStaysBoundedWhenSetBack_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<float>("later");
        QTest::newRow("ten seconds back") << 1000.0f << 990.0f;
        QTest::newRow("back to midnight") << 1000.0f << 0.0f;
        QTest::newRow("back from just after midnight") << 2.0f << 86399.9f;
        QTest::newRow("an hour back") << 50000.0f << 46400.0f;
    }

    void runningClockStaysBoundedWhenSetBack()
    {
        QFETCH(float, start);
        QFETCH(float, later);
        form = lesson->open(0);
        lesson->clock.seconds = start;
        test::Lesson::click(form->VIA);
        lesson->clock.seconds = later;
        expectClockBounded();
        // The time shown after an answer is read from the same clock.
        QVERIFY(lesson->answerRight());
        expectClockBounded();
        lesson->clock.advance(1500);
        expectClockBounded();
    }

    void feedbackLastsOneSecondWhenTheClockIsSetBack()
    {
        form = lesson->open(0);
        test::Lesson::click(form->VIA);
        const int waitsBefore = lesson->clock.waits;
        lesson->clock.duringWait = [this] { lesson->clock.seconds -= 3600.0f; };
        QVERIFY(lesson->answerRight());
        QCOMPARE(lesson->clock.waits, waitsBefore + 1);
        QCOMPARE(form->gratifica->text(), QString());
        for (QPushButton *b : form->Com)
            QVERIFY(b->isEnabled());
        expectClockBounded();
    }

    void seriesTimeStaysBoundedWhenTheClockIsSetBack_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<float>("step");
        QTest::addColumn<float>("jump");
        // An error-free series whose clock goes back midway: its elapsed time
        // must not come out negative, nor pass for a record.
        QTest::newRow("set back an hour") << 40000.0f << 1.0f << -3600.0f;
        QTest::newRow("set back a minute") << 40000.0f << 0.5f << -60.0f;
        QTest::newRow("across midnight") << 86390.0f << 1.0f << 0.0f;
    }

    void seriesTimeStaysBoundedWhenTheClockIsSetBack()
    {
        QFETCH(float, start);
        QFETCH(float, step);
        QFETCH(float, jump);
        form = lesson->open(0);  // results windows are continued at once
        lesson->clock.seconds = start;
        int answers = 0;
        while (answers < 20) {
            if (test::shown(form->VIA))
                test::Lesson::click(form->VIA);
            lesson->clock.advance(static_cast<int>(step * 1000.0f));
            if (answers == 10) {
                float moved = lesson->clock.seconds + jump;
                if (moved < 0.0f)
                    moved += platform::secondsPerDay;
                lesson->clock.seconds = moved;
            }
            QVERIFY(lesson->answerRight());
            ++answers;
            expectClockBounded();
        }
        QCOMPARE(Modulo1.domande, 0);  // the series was rated and a new one began
        QVERIFY(Modulo1.tempomigliore >= 0);
        QVERIFY(Modulo1.tempomigliore <= 200);
        if (jump < 0.0f)
            QCOMPARE(Modulo1.tempomigliore, std::int16_t{200});
    }

    // ---- the keyboard ---------------------------------------------------------------

    // A right answer hides the buttons just used; the keyboard focus then moves
    // on along the window's controls. It must never come to rest on FINE, or
    // the next stray space bar would end the lesson and lose its counts.
    void strayKeysAfterAnswersNeverEndTheLesson()
    {
        form = lesson->open(1);
        form->activateWindow();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), form);
        test::Lesson::click(form->VIA);
        for (int answer = 0; answer < 12; ++answer) {
            if (test::shown(form->VIA))
                test::Lesson::click(form->VIA);
            QVERIFY(lesson->answerRight());
            QVERIFY(QApplication::focusWidget() != form->FINE);
        }
        QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        QCOMPARE(lesson->programEnds, 0);
        // FINE itself still ends it with a click.
        test::Lesson::click(form->FINE);
        QCOMPARE(lesson->programEnds, 1);
    }

    // ---- sentence lengths --------------------------------------------------------

    void sentenceOf22WordsPlaysThrough_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("presses");
        // 19 other words ask 2 questions each; 3 articles ask 5.
        QTest::newRow("analisi completa") << 0 << 19 * 2 + 3 * 5;
        QTest::newRow("solo articoli") << 1 << 3 * 5;
    }

    void sentenceOf22WordsPlaysThrough()
    {
        QFETCH(int, mode);
        QFETCH(int, presses);
        form = lesson->open(mode);
        lesson->useCorpus(sentenceOf22Words());
        lesson->start(0);
        for (int p = 1; p <= 22; ++p)
            QVERIFY2(test::shown(form->Lbmostra(p)) && !form->Lbmostra(p)->text().isEmpty(), qPrintable(QString::number(p)));
        QCOMPARE(Modulo1.posparola, 1);
        QCOMPARE(playThrough(), presses);
        QVERIFY(test::shown(form->VIA));
        QCOMPARE(form->gratifica->text(), QStringLiteral("COMPLETATA"));
        QVERIFY(Modulo1.posparola >= 21 && Modulo1.posparola <= 23);
        QCOMPARE(Modulo1.errori, 0);
    }

    void oneWordSentenceIsRefusedByTheFile()
    {
        // A lone word is either no article (rule 6) or an article at the end (rule 7).
        const corpus::Risultato article = corpus::leggi("0\t1\t\"Il\"\t1\t1\t1\t1\n");
        QVERIFY(!article.valido());
        QCOMPARE(article.errore->regola, corpus::Regola::NonFinisceConArticolo);
        const corpus::Risultato word = corpus::leggi("0\t1\t\"Piove.\"\t5\t\t\t\n");
        QVERIFY(!word.valido());
        QCOMPARE(word.errore->regola, corpus::Regola::AlmenoUnArticolo);
    }

    void oneWordSentenceInTheTablesPlaysThrough_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("presses");
        QTest::newRow("article, analisi completa") << 0 << 1 << 5;
        QTest::newRow("article, solo articoli") << 1 << 1 << 5;
        QTest::newRow("verb, analisi completa") << 0 << 5 << 2;
        QTest::newRow("verb, solo articoli") << 1 << 5 << 2;
    }

    // Tables filled past the file's rules (as by a hand-made corpus) must
    // still keep every index in range and reach the end of the sentence.
    void oneWordSentenceInTheTablesPlaysThrough()
    {
        QFETCH(int, mode);
        QFETCH(int, code);
        QFETCH(int, presses);
        form = lesson->open(mode);
        corpus::Corpus oneWord;
        corpus::Parola word;
        word.testo = QStringLiteral("Parola");
        word.codice = code;
        if (code == corpus::Articolo) {
            word.tipo = 1;
            word.genere = 1;
            word.numero = 1;
        }
        oneWord.frasi.push_back(corpus::Frase{{word}});
        Modulo1.testoparola = {};
        Modulo1.partediscorso = {};
        Modulo1.tipoarticolo = {};
        Modulo1.genere = {};
        Modulo1.numero = {};
        riempiTabelle(oneWord, Modulo1);
        QCOMPARE(Modulo1.numfrasi, 1);

        lesson->start(0);
        QCOMPARE(Modulo1.posparola, 1);
        QCOMPARE(form->Lbmostra(1)->text(), QStringLiteral("Parola"));
        for (int p = 2; p <= 22; ++p)
            QVERIFY(form->Lbmostra(p)->text().isEmpty());
        QCOMPARE(playThrough(), presses);
        QVERIFY(test::shown(form->VIA));
        QVERIFY(Modulo1.posparola >= 1 && Modulo1.posparola <= 2);

        // The one sentence is used up: the next VIA ends the run of sentences.
        test::Lesson::click(form->VIA);
        QCOMPARE(form->AVVISO->text(), QStringLiteral("TUTTE LE FRASI SONO COMPLETATE"));
    }
};

ANALISI_TEST_MAIN(TestFaultCases)
#include "test_fault_cases.moc"
