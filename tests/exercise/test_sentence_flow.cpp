// The exercise window between sentences: loading, "VIA", the draw, the words
// on their labels, the first word to classify, the end of all sentences and "FINE".

#include "classification/modulo1.h"
#include "corpus/corpus_incorporato.h"
#include "exercise/formb.h"
#include "platform/design.h"
#include "platform/program_end.h"
#include "screens/formaiuto.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QPushButton>

namespace {

const QColor rosso(255, 0, 0);
const QColor verdeScuro(0, 64, 0);

// Two sentences: row 0 with articles at 3 and 5 of 7 words; row 1 of 9 words
// starting with one.
const QByteArray dueFrasi =
    "0\t1\t\"Ieri\"\t6\t\t\t\n"
    "0\t2\t\"ho comperato \"\t5\t\t\t\n"
    "0\t3\t\"un\"\t1\t2\t1\t1\n"
    "0\t4\t\"quaderno\"\t2\t\t\t\n"
    "0\t5\t\"e\"\t8\t\t\t\n"
    "0\t6\t\"una  \"\t1\t2\t2\t1\n"
    "0\t7\t\"penna.\"\t2\t\t\t\n"
    "1\t1\t\"Il   \"\t1\t1\t1\t1\n"
    "1\t2\t\"cielo  \"\t2\t\t\t\n"
    "1\t3\t\"terso   \"\t3\t\t\t\n"
    "1\t4\t\"e  \"\t8\t\t\t\n"
    "1\t5\t\"azzurrino  \"\t3\t\t\t\n"
    "1\t6\t\"prometteva  \"\t5\t\t\t\n"
    "1\t7\t\"una   \"\t1\t2\t2\t1\n"
    "1\t8\t\"splendida    \"\t3\t\t\t\n"
    "1\t9\t\"giornata.   \"\t2\t\t\t\n";

}  // namespace

class TestSentenceFlow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    FormB *form = nullptr;

    void openWith(int mode)
    {
        form = lesson->open(mode);
        lesson->useCorpus(dueFrasi);
    }

    int redWords() const
    {
        int red = 0;
        for (QLabel *label : form->Lbmostra)
            red += platform::foreColor(label) == rosso ? 1 : 0;
        return red;
    }

private slots:
    void init() { lesson = std::make_unique<test::Lesson>(); }
    void cleanup() { lesson.reset(); }

    void loadSetsTheStartingState()
    {
        form = lesson->open(0);
        QCOMPARE(lesson->player.cues, QStringList{QStringLiteral("premivia")});
        QCOMPARE(form->AVVISO->text(), QStringLiteral("Clicca sul tasto VIA per partire"));
        QCOMPARE(Modulo1.tempomigliore, 200);
        QCOMPARE(Modulo1.lunghezzaserie, 20);
        QCOMPARE(Modulo1.numfrasi, static_cast<int>(corpus::corpusIncorporato().frasi.size()));
        QVERIFY(!Modulo1.avviato);
        QVERIFY(test::usable(form->VIA));
        for (QPushButton *b : form->Com)
            QVERIFY(!b->isEnabled());
        QVERIFY(!form->Com10->isEnabled() && !form->Com11->isEnabled());
        QVERIFY(test::shown(form->Com10) && test::shown(form->Com11));
        for (QPushButton *b : form->art)
            QVERIFY(!test::shown(b));
        for (QLabel *d : form->display)
            QVERIFY(!test::shown(d));
        // The corpus tables are filled from the built-in sentences.
        const corpus::Frase &prima = corpus::corpusIncorporato().frasi[0];
        QCOMPARE(Modulo1.partediscorso(0, 0), prima.numeroParole());
        QCOMPARE(Modulo1.testoparola(0, 1), prima.parole[0].testo);
    }

    void firstVIAStartsTheClocksLaterOnesDoNot()
    {
        openWith(0);
        lesson->clock.seconds = 500.25f;
        lesson->start(1);
        QVERIFY(Modulo1.avviato);
        QCOMPARE(Modulo1.inizioesercizio, 500.25f);
        QCOMPARE(Modulo1.inizioserie, 500.25f);
        QVERIFY(!test::shown(form->VIA));
        QCOMPARE(form->AVVISO->text(), QStringLiteral("Classifica la parte in rosso prima VARIABILE o INVARIABILE poi..."));
        QVERIFY(test::usable(form->Com10) && test::usable(form->Com11));
        for (QPushButton *b : form->Com)
            QVERIFY(!test::shown(b));
        QVERIFY(lesson->player.cues.endsWith(QStringLiteral("rumorevia")));

        lesson->finishSentence();
        QVERIFY(test::usable(form->VIA));
        const float series = Modulo1.inizioserie;
        lesson->clock.seconds = 900.0f;
        lesson->start(0);
        QCOMPARE(Modulo1.inizioesercizio, 500.25f);
        QCOMPARE(Modulo1.inizioserie, series);
    }

    void sentenceShownOneWordPerLabel()
    {
        openWith(0);
        lesson->start(1);
        QCOMPARE(Modulo1.numfrase, 1);
        QCOMPARE(form->Label1->text(), QStringLiteral("domanda n° 1"));
        QCOMPARE(form->Lbmostra(1)->text(), QStringLiteral("Il   "));
        QCOMPARE(form->Lbmostra(9)->text(), QStringLiteral("giornata.   "));
        for (int j = 10; j <= 22; ++j)
            QCOMPARE(form->Lbmostra(j)->text(), QString());
        // A staircase: each word further right and lower than the one before.
        for (int j = 2; j <= 22; ++j) {
            QVERIFY(form->Lbmostra(j)->x() > form->Lbmostra(j - 1)->x());
            QVERIFY(form->Lbmostra(j)->y() > form->Lbmostra(j - 1)->y());
        }
        QCOMPARE(platform::foreColor(form->Lbmostra(2)), verdeScuro);
    }

    // Each word label is as wide as its word in its font, at the design's
    // size and on screens of other shapes, and keeps its step of the staircase.
    void wordLabelsSizedToTheirText_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("as opened") << QSize();
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("2560x1440") << QSize(2560, 1440);
    }

    void wordLabelsSizedToTheirText()
    {
        QFETCH(QSize, window);
        openWith(0);
        lesson->start(1);
        if (window.isValid()) {
            form->setWindowState(Qt::WindowNoState);
            form->resize(window);
            QTRY_COMPARE(form->size(), window);
        }
        const QPoint first = form->Lbmostra(1)->pos();
        for (int j = 1; j <= 9; ++j) {
            const QLabel *word = form->Lbmostra(j);
            const int text = word->fontMetrics().horizontalAdvance(word->text());
            QVERIFY2(word->width() >= text - 1 && word->width() <= text + 4,
                     qPrintable(QStringLiteral("%1: %2 px for %3 px of text").arg(word->text()).arg(word->width()).arg(text)));
            QVERIFY(word->height() >= word->fontMetrics().height());
            QCOMPARE(word->x() - first.x() > 0, j > 1);
        }
    }

    void firstRedWordInEachMode()
    {
        openWith(0);
        lesson->start(0);
        QCOMPARE(Modulo1.posparola, 1);
        QCOMPARE(Modulo1.rispostaesatta, 6);
        QCOMPARE(platform::foreColor(form->Lbmostra(1)), rosso);
        QCOMPARE(redWords(), 1);
        lesson.reset();

        lesson = std::make_unique<test::Lesson>();
        openWith(1);
        lesson->start(0);
        QCOMPARE(Modulo1.posparola, 3);
        QCOMPARE(Modulo1.rispostaesatta, 1);
        QCOMPARE(platform::foreColor(form->Lbmostra(3)), rosso);
        QCOMPARE(redWords(), 1);
    }

    void nextSentenceRecoloursEveryWord()
    {
        openWith(0);
        lesson->start(0);
        lesson->finishSentence();
        lesson->start(1);
        QCOMPARE(redWords(), 1);
        QCOMPARE(platform::foreColor(form->Lbmostra(1)), rosso);
        QCOMPARE(platform::foreColor(form->Lbmostra(7)), verdeScuro);
        QCOMPARE(form->gratifica->text(), QString());
    }

    void drawNeverRepeatsASentence()
    {
        openWith(0);
        lesson->start(1);
        lesson->finishSentence();
        // The draw lands on the used row first, then on the free one.
        lesson->random.queueIndex(1, Modulo1.numfrasi);
        lesson->random.queueIndex(1, Modulo1.numfrasi);
        const std::size_t seeds = lesson->random.seeds.size();
        lesson->start(0);
        QCOMPARE(Modulo1.numfrase, 0);
        QCOMPARE(Modulo1.frasiusate[0], 1);
        QCOMPARE(Modulo1.frasiusate[1], 1);
        QCOMPARE(lesson->random.seeds.size(), seeds + 1);  // seeded once per press
        QVERIFY(lesson->random.values.empty());
    }

    void pressAfterTheLastSentenceEndsTheRun()
    {
        openWith(0);
        lesson->start(0);
        lesson->finishSentence();
        lesson->start(1);
        lesson->finishSentence();
        const QString lastWord = form->Lbmostra(1)->text();
        lesson->player.cues.clear();
        test::Lesson::click(form->VIA);

        QCOMPARE(form->AVVISO->text(), QStringLiteral("TUTTE LE FRASI SONO COMPLETATE"));
        QCOMPARE(lesson->player.cues, (QStringList{QStringLiteral("rumorevia"), QStringLiteral("conga")}));
        QVERIFY(!test::shown(form->VIA));
        // Nothing is left to answer: no answer button can be pressed.
        for (QPushButton *b : form->findChildren<QPushButton *>())
            if (b != form->FINE && b != form->Command8 && b != form->comaiuto)
                QVERIFY2(!test::usable(b), qPrintable(b->text()));
        QVERIFY(test::usable(form->FINE));
        QCOMPARE(Modulo1.numfrase, 1);
        QCOMPARE(form->Lbmostra(1)->text(), lastWord);
        QVERIFY(Modulo1.numfrase < Modulo1.numfrasi);
    }

    void everyBuiltInSentenceOnceThenTheEnd()
    {
        form = lesson->open(1);
        const int sentences = corpus::corpusIncorporato().frasiPiene();
        QSet<int> seen;
        for (int press = 1; press <= sentences; ++press) {
            test::Lesson::click(form->VIA);
            QVERIFY2(form->AVVISO->text() != QStringLiteral("TUTTE LE FRASI SONO COMPLETATE"),
                     qPrintable(QString::number(press)));
            QVERIFY(Modulo1.partediscorso(Modulo1.numfrase, 0) > 0);
            seen.insert(Modulo1.numfrase);
            lesson->finishSentence();
        }
        QCOMPARE(seen.size(), sentences);
        test::Lesson::click(form->VIA);
        QCOMPARE(form->AVVISO->text(), QStringLiteral("TUTTE LE FRASI SONO COMPLETATE"));
        QCOMPARE(Modulo1.errori, 0);
    }

    // After VIA and after every answer the keyboard focus rests on the
    // question now open (or on VIA), never where a stray space bar would open
    // the help. -1 right answers: the sentence is done; -2: every sentence.
    void focusFollowsTheQuestion_data()
    {
        QTest::addColumn<int>("rightAnswers");
        QTest::addColumn<bool>("wrongAnswer");
        QTest::addColumn<QString>("focus");  // object name of the focused button, "" for none
        QTest::newRow("after VIA") << 0 << false << "Com10";
        QTest::newRow("after a wrong answer") << 0 << true << "Com10";
        QTest::newRow("part of speech") << 1 << false << "Com1";
        QTest::newRow("kind") << 2 << false << "art1";
        QTest::newRow("wrong kind") << 2 << true << "art1";
        QTest::newRow("gender") << 3 << false << "Masfem1";
        QTest::newRow("number") << 4 << false << "Singplu1";
        QTest::newRow("next word") << 5 << false << "Com10";
        QTest::newRow("invariable parts") << 10 << false << "Com6";  // "e"
        QTest::newRow("sentence done") << -1 << false << "VIA";
        QTest::newRow("every sentence done") << -2 << false << "";
    }

    void focusFollowsTheQuestion()
    {
        QFETCH(int, rightAnswers);
        QFETCH(bool, wrongAnswer);
        QFETCH(QString, focus);
        openWith(0);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        lesson->start(1);  // "Il   cielo  terso   e  azzurrino  ..."
        if (rightAnswers == -2) {
            lesson->finishSentence();
            lesson->start(0);
        }
        if (rightAnswers < 0)
            lesson->finishSentence();
        if (rightAnswers == -2)
            test::Lesson::click(form->VIA);
        for (int i = 0; i < rightAnswers; ++i)
            QVERIFY(lesson->answerRight());
        if (wrongAnswer)
            QVERIFY(lesson->answerWrong());

        QWidget *focused = form->focusWidget();
        QCOMPARE(focused ? focused->objectName() : QString(), focus);
        QCOMPARE(form->FINE->focusPolicy(), Qt::NoFocus);
        QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        QVERIFY(Formaiuto::esistente() == nullptr);
    }

    void fineEndsTheProgram()
    {
        openWith(0);
        test::Lesson::click(form->FINE);
        QCOMPARE(lesson->player.cues.last(), QStringLiteral("congafine"));
        QCOMPARE(lesson->programEnds, 1);
    }

    // The real ending: every window goes at once and the event loop returns
    // once the closing cue has been let play.
    void fineHidesEveryWindowAndLeavesTheEventLoop()
    {
        openWith(0);
        test::Lesson::click(form->comaiuto);
        platform::setProgramEnd({});
        QTimer::singleShot(0, form->FINE, [this] { test::Lesson::click(form->FINE); });
        QElapsedTimer elapsed;
        elapsed.start();
        const int code = QCoreApplication::exec();
        platform::setProgramEnd([this] { ++lesson->programEnds; });
        QCOMPARE(code, 0);
        QVERIFY(elapsed.elapsed() < 4000);
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    void closingTheExerciseWindowEndsTheProgram()
    {
        openWith(0);
        form->close();
        QCOMPARE(lesson->programEnds, 1);
        QVERIFY(!lesson->player.cues.contains(QStringLiteral("congafine")));
    }
};

ANALISI_TEST_MAIN(TestSentenceFlow)
#include "test_sentence_flow.moc"
