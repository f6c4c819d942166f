// The question sequence for the word in red, driven by clicks: which press is
// right, where a wrong one is counted, the trail, the advance to the next word
// or article and the end of a sentence in both modes.

#include "classification/modulo1.h"
#include "classification/pulsanti.h"
#include "corpus/corpus_incorporato.h"
#include "exercise/formb.h"
#include "platform/design.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QLabel>
#include <QPushButton>

#include <numeric>

namespace {

const QColor rosso(255, 0, 0);
const QColor rosa(255, 192, 192);
const QColor verdeChiaro(192, 255, 192);

// Row 0: ten words, articles at 1 and 6. Row 1: an adverb first, then an
// article. Row 2: a partitive plural feminine article, none of its codes 1.
const QByteArray frasi =
    "0\t1\t\"Il\"\t1\t1\t1\t1\n"
    "0\t2\t\"cane\"\t2\t\t\t\n"
    "0\t3\t\"di\"\t7\t\t\t\n"
    "0\t4\t\"Marco\"\t2\t\t\t\n"
    "0\t5\t\"mangia\"\t5\t\t\t\n"
    "0\t6\t\"una\"\t1\t2\t2\t1\n"
    "0\t7\t\"mela\"\t2\t\t\t\n"
    "0\t8\t\"molto\"\t6\t\t\t\n"
    "0\t9\t\"rossa\"\t3\t\t\t\n"
    "0\t10\t\"oggi.\"\t6\t\t\t\n"
    "1\t1\t\"Oggi\"\t6\t\t\t\n"
    "1\t2\t\"la\"\t1\t1\t2\t1\n"
    "1\t3\t\"nonna\"\t2\t\t\t\n"
    "1\t4\t\"cucina.\"\t5\t\t\t\n"
    "2\t1\t\"Delle\"\t1\t3\t2\t2\n"
    "2\t2\t\"mele\"\t2\t\t\t\n"
    "2\t3\t\"cadono.\"\t5\t\t\t\n";

}  // namespace

class TestClassificationSteps : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    FormB *form = nullptr;

    void begin(int mode, int row)
    {
        form = lesson->open(mode);
        lesson->useCorpus(frasi);
        lesson->start(row);
    }

    void press(QPushButton *button) { test::Lesson::click(button); }

    bool onlyShown(std::initializer_list<QPushButton *> expected)
    {
        QList<QPushButton *> answers{form->Com10, form->Com11};
        for (int i = 1; i <= 9; ++i)
            answers << form->Com(i);
        for (int i = 1; i <= 3; ++i)
            answers << form->art(i);
        for (int i = 1; i <= 2; ++i)
            answers << form->Masfem(i) << form->Singplu(i);
        for (QPushButton *b : answers)
            if (test::shown(b) != (std::find(expected.begin(), expected.end(), b) != expected.end()))
                return false;
        return true;
    }

    // Messages and window colour seen during the feedback second.
    QStringList messages;
    QList<QColor> backgrounds;
    void watchFeedback()
    {
        lesson->clock.duringWait = [this] {
            messages << form->gratifica->text();
            backgrounds << platform::backColor(form);
        };
    }

private slots:
    void init()
    {
        lesson = std::make_unique<test::Lesson>();
        messages.clear();
        backgrounds.clear();
    }
    void cleanup() { lesson.reset(); }

    void variableAndInvariableAreToldApart()
    {
        begin(0, 0);
        // "mangia" (verb, 5) is variable.
        Modulo1.posparola = 5;
        Modulo1.rispostaesatta = 5;
        press(form->Com11);
        QCOMPARE(Modulo1.erroripercategoria[11], 1);
        QCOMPARE(Modulo1.risposta, 11);
        QVERIFY(onlyShown({form->Com10, form->Com11}));
        press(form->Com10);
        QCOMPARE(Modulo1.errori, 1);
        QVERIFY(onlyShown({form->Com(1), form->Com(2), form->Com(3), form->Com(4), form->Com(5)}));
        lesson.reset();

        // "Oggi" (adverb, 6) is invariable.
        lesson = std::make_unique<test::Lesson>();
        begin(0, 1);
        press(form->Com10);
        QCOMPARE(Modulo1.erroripercategoria[10], 1);
        QCOMPARE(Modulo1.erroripercategoria[11], 0);
        press(form->Com11);
        QCOMPARE(Modulo1.risposta, 11);
        QVERIFY(onlyShown({form->Com(6), form->Com(7), form->Com(8), form->Com(9)}));
        QCOMPARE(form->display(1)->text(), QStringLiteral("Parte invariabile"));
        QCOMPARE(platform::backColor(form->display(1)), QColor(255, 128, 128));
    }

    void rightAnswerPraisesAndMovesOn()
    {
        begin(0, 0);
        watchFeedback();
        press(form->Com10);
        QCOMPARE(messages, QStringList{QStringLiteral("Bravo !")});
        QVERIFY(lesson->player.cues.last().startsWith(QStringLiteral("esatto")));
        QCOMPARE(form->gratifica->text(), QString());
        QCOMPARE(form->display(1)->text(), QStringLiteral("Parte variabile"));
        QCOMPARE(platform::backColor(form->display(1)), QColor(255, 255, 0));
        QVERIFY(test::shown(form->display(1)));
        QVERIFY(!form->Com10->isEnabled());
        QCOMPARE(form->Lrisposte->text(), QStringLiteral("1"));
        QCOMPARE(form->Lpercentuale->text(), QStringLiteral("0"));
        QCOMPARE(form->Lerrori->text(), QStringLiteral("0"));

        press(form->Com(1));
        QCOMPARE(messages.last(), QStringLiteral("bravo!"));
        QVERIFY(onlyShown({form->art(1), form->art(2), form->art(3)}));
        QCOMPARE(Modulo1.categoriaerrore, 1);
        QCOMPARE(form->display(2)->text(), QStringLiteral("Articolo"));
        QCOMPARE(Modulo1.rispostaesatta, 1);  // kind of "Il"
        press(form->art(1));
        QVERIFY(onlyShown({form->Masfem(1), form->Masfem(2)}));
        QCOMPARE(form->display(3)->text(), QStringLiteral("determinativo"));
        QCOMPARE(platform::backColor(form->display(3)), QColor(192, 255, 192));
        press(form->Masfem(1));
        QVERIFY(onlyShown({form->Singplu(1), form->Singplu(2)}));
        QCOMPARE(form->display(4)->text(), QStringLiteral("Maschile"));
        press(form->Singplu(1));
        QCOMPARE(form->display(5)->text(), QStringLiteral("Singolare"));
        QCOMPARE(platform::backColor(form->display(5)), QColor(255, 255, 255));
        QCOMPARE(Modulo1.errori, 0);
        QCOMPARE(Modulo1.domande, 5);

        // The next word is in red; the trail stays until the next variability press.
        QCOMPARE(Modulo1.posparola, 2);
        QCOMPARE(platform::foreColor(form->Lbmostra(2)), rosso);
        QCOMPARE(platform::foreColor(form->Lbmostra(1)), platform::designColor(platform::coloreTestoPulsante));
        QVERIFY(onlyShown({form->Com10, form->Com11}));
        QVERIFY(test::usable(form->Com10) && test::usable(form->Com11));
        QVERIFY(test::shown(form->display(5)));
        press(form->Com10);
        QVERIFY(!test::shown(form->display(5)));
        QVERIFY(test::shown(form->display(1)));
    }

    void wrongAnswerFlashesCountsAndKeepsTheQuestion()
    {
        begin(0, 0);
        press(form->Com10);
        press(form->Com(1));
        watchFeedback();
        lesson->player.cues.clear();
        press(form->art(3));
        QCOMPARE(messages, QStringList{QStringLiteral("No riprova")});
        QCOMPARE(backgrounds, QList<QColor>{rosa});
        QCOMPARE(platform::backColor(form), verdeChiaro);
        QCOMPARE(lesson->player.cues, QStringList{QStringLiteral("sbagliato1")});
        QCOMPARE(Modulo1.erroripercategoria[1], 1);
        QCOMPARE(Modulo1.errori, 1);
        QCOMPARE(Modulo1.domande, 3);
        QCOMPARE(form->Lerrori->text(), QStringLiteral("1"));
        QCOMPARE(form->Lpercentuale->text(), QStringLiteral("33"));
        QVERIFY(onlyShown({form->art(1), form->art(2), form->art(3)}));
        QVERIFY(!test::shown(form->display(3)));

        // A wrong gender also counts under "Articolo".
        press(form->art(1));
        press(form->Masfem(2));
        QCOMPARE(Modulo1.erroripercategoria[1], 2);
        QVERIFY(onlyShown({form->Masfem(1), form->Masfem(2)}));
        press(form->Masfem(1));
        press(form->Singplu(2));
        QCOMPARE(Modulo1.erroripercategoria[1], 3);
        QCOMPARE(Modulo1.errori, 3);
    }

    // Kind, gender and number of an article: a wrong press counts under
    // "Articolo" whatever the expected answer is, and the question stays.
    void wrongArticleDetailCountsUnderArticolo_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rightBefore");  // right presses after "Articolo"
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("wrong");
        QTest::newRow("Il, kind") << 0 << 0 << "art" << 3;
        QTest::newRow("Il, gender") << 0 << 1 << "Masfem" << 2;
        QTest::newRow("Il, number") << 0 << 2 << "Singplu" << 2;
        QTest::newRow("Delle, kind") << 2 << 0 << "art" << 2;
        QTest::newRow("Delle, gender") << 2 << 1 << "Masfem" << 1;
        QTest::newRow("Delle, number") << 2 << 2 << "Singplu" << 1;
    }

    void wrongArticleDetailCountsUnderArticolo()
    {
        QFETCH(int, row);
        QFETCH(int, rightBefore);
        QFETCH(QString, group);
        QFETCH(int, wrong);
        begin(0, row);
        for (int i = 0; i < 2 + rightBefore; ++i)
            QVERIFY(lesson->answerRight());
        QPushButton *button = group == QLatin1String("art")      ? form->art(wrong)
                              : group == QLatin1String("Masfem") ? form->Masfem(wrong)
                                                                 : form->Singplu(wrong);
        const int expected = Modulo1.rispostaesatta;
        press(button);
        QCOMPARE(Modulo1.erroripercategoria[1], 1);
        QCOMPARE(std::accumulate(Modulo1.erroripercategoria.begin(), Modulo1.erroripercategoria.end(), 0), 1);
        QCOMPARE(Modulo1.rispostaesatta, expected);
        QVERIFY(test::usable(button));
    }

    void articoloOnANounCountsAsANounError()
    {
        begin(0, 0);
        lesson->finishSentence();  // nothing wrong so far
        lesson.reset();
        lesson = std::make_unique<test::Lesson>();
        begin(0, 0);
        for (int i = 0; i < 5; ++i)
            QVERIFY(lesson->answerRight());  // "Il"
        press(form->Com10);                   // "cane" is variable
        press(form->Com(1));
        QCOMPARE(Modulo1.erroripercategoria[2], 1);
        QCOMPARE(Modulo1.erroripercategoria[1], 0);
        QCOMPARE(Modulo1.domande, 7);
        QCOMPARE(Modulo1.errori, 1);
        QVERIFY(onlyShown({form->Com(1), form->Com(2), form->Com(3), form->Com(4), form->Com(5)}));
        QVERIFY(test::usable(form->Com(2)));
    }

    void sentenceCompleteInAnalisiCompleta()
    {
        begin(0, 1);
        lesson->player.cues.clear();
        const int presses = lesson->finishSentence();
        QCOMPARE(presses, 2 + 5 + 2 + 2);
        QCOMPARE(form->gratifica->text(), QStringLiteral("COMPLETATA"));
        QCOMPARE(form->AVVISO->text(), QStringLiteral("Bene, hai completato questa frase; ora premi il VIA per proseguire."));
        QCOMPARE(lesson->player.cues.last(), QStringLiteral("premivia"));
        QVERIFY(test::usable(form->VIA));
        QVERIFY(onlyShown({}));
        QCOMPARE(Modulo1.posparola, 5);
        // The last word keeps its red until VIA recolours the sentence.
        QCOMPARE(platform::foreColor(form->Lbmostra(4)), rosso);
        QCOMPARE(form->display(2)->text(), QStringLiteral("Verbo"));
        QCOMPARE(platform::backColor(form->display(2)), QColor(128, 255, 128));
    }

    void soloArticoliSkipsToTheNextArticleAndEnds()
    {
        begin(1, 0);
        QCOMPARE(Modulo1.posparola, 1);
        for (int i = 0; i < 5; ++i)
            QVERIFY(lesson->answerRight());
        // Words 2..5 are skipped: the article at 6 is next, alone in red.
        QCOMPARE(Modulo1.posparola, 6);
        QCOMPARE(Modulo1.rispostaesatta, 1);
        QCOMPARE(platform::foreColor(form->Lbmostra(6)), rosso);
        for (int j = 1; j <= 22; ++j)
            if (j != 6)
                QVERIFY(platform::foreColor(form->Lbmostra(j)) != rosso);
        QVERIFY(onlyShown({form->Com10, form->Com11}));
        QVERIFY(!test::shown(form->VIA));
        // After the last article the sentence is complete at once.
        for (int i = 0; i < 5; ++i)
            QVERIFY(lesson->answerRight());
        QCOMPARE(form->gratifica->text(), QStringLiteral("COMPLETATA"));
        QCOMPARE(lesson->player.cues.last(), QStringLiteral("premivia"));
        QVERIFY(test::usable(form->VIA));
        QCOMPARE(Modulo1.domande, 10);
        QVERIFY(Modulo1.posparola <= 10);
    }

    void soloArticoliStartsOnTheFirstArticle()
    {
        begin(1, 1);
        QCOMPARE(Modulo1.posparola, 2);
        QCOMPARE(lesson->finishSentence(), 5);
        QCOMPARE(form->gratifica->text(), QStringLiteral("COMPLETATA"));
    }

    void aWholeBuiltInSentenceInEachMode()
    {
        if (!ANALISI_FRASI_NOSTRE)
            QSKIP("the program was built with another sentence file");
        for (int mode = 0; mode <= 1; ++mode) {
            lesson = std::make_unique<test::Lesson>();
            form = lesson->open(mode);
            // The longest sentences: 22 words, no blank label.
            lesson->start(32);
            QCOMPARE(Modulo1.partediscorso(32, 0), 22);
            const int presses = lesson->finishSentence();
            QVERIFY(presses > 0);
            QCOMPARE(form->gratifica->text(), QStringLiteral("COMPLETATA"));
            QCOMPARE(Modulo1.errori, 0);
            int wrong = 0;
            for (int c : Modulo1.erroripercategoria)
                wrong += c;
            QCOMPARE(wrong, 0);
            QVERIFY(Modulo1.posparola <= 23);
        }
    }

    void answerButtonsCarryTheirCaptionsAndColours()
    {
        form = lesson->open(0);
        for (const pulsanti::Voce &v : pulsanti::partiDelDiscorso) {
            QCOMPARE(form->Com(v.indice)->text(), QString::fromLatin1(v.caption));
            QCOMPARE(platform::backColor(form->Com(v.indice)), platform::designColor(v.colore));
        }
        QCOMPARE(form->Com(6)->text(), QStringLiteral("Avverbio  e locuzione avv."));
        QCOMPARE(form->Com11->text(), QStringLiteral("PARTE  INVARIABILE"));
        QCOMPARE(platform::backColor(form->Com10), QColor(255, 255, 0));
        QCOMPARE(platform::backColor(form->art(3)), QColor(174, 140, 98));
        QCOMPARE(platform::backColor(form->Masfem(2)), QColor(228, 170, 169));
        QCOMPARE(platform::backColor(form->Singplu(2)), QColor(255, 192, 255));
    }
};

ANALISI_TEST_MAIN(TestClassificationSteps)
#include "test_classification_steps.moc"
