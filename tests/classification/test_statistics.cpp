// Answers, errors and the percentage on the exercise window; the end of a
// series in the middle of the handler that made its twentieth answer; the
// error log that outlives the series.

#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QLabel>
#include <QPushButton>

namespace {

// One sentence of 22 words, an article every third word: long enough for a
// whole series.
QByteArray longSentence()
{
    QByteArray tsv;
    for (int p = 1; p <= 22; ++p) {
        const QByteArray position = QByteArray::number(p);
        if (p % 3 == 1 && p < 22)
            tsv += "0\t" + position + "\t\"il\"\t1\t1\t1\t1\n";
        else if (p % 3 == 2 || p == 22)
            tsv += "0\t" + position + "\t\"gatto\"\t2\t\t\t\n";
        else
            tsv += "0\t" + position + "\t\"dorme\"\t5\t\t\t\n";
    }
    return tsv;
}

}  // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    FormB *form = nullptr;

    QStringList shownFigures() const
    {
        return {form->Lrisposte->text(), form->Lpercentuale->text(), form->Lerrori->text()};
    }

private slots:
    void init()
    {
        lesson = std::make_unique<test::Lesson>();
        form = lesson->open(0);
        lesson->useCorpus(longSentence());
        lesson->start(0);
    }
    void cleanup() { lesson.reset(); }

    void firstAnswerRight()
    {
        QVERIFY(lesson->answerRight());
        QCOMPARE(shownFigures(), (QStringList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0")}));
    }

    void firstAnswerWrong()
    {
        QVERIFY(lesson->answerWrong());
        QCOMPARE(shownFigures(), (QStringList{QStringLiteral("1"), QStringLiteral("100"), QStringLiteral("1")}));
    }

    void percentageIsTruncated()
    {
        // 3 errors in 7 answers: 42.857... shows 42.
        for (int i = 0; i < 3; ++i)
            QVERIFY(lesson->answerWrong());
        for (int i = 0; i < 4; ++i)
            QVERIFY(lesson->answerRight());
        QCOMPARE(shownFigures(), (QStringList{QStringLiteral("7"), QStringLiteral("42"), QStringLiteral("3")}));
        QVERIFY(lesson->answerWrong());
        QVERIFY(lesson->answerWrong());
        QCOMPARE(form->Lpercentuale->text(), QStringLiteral("55"));  // 5 of 9
    }

    void twentiethAnswerOpensTheResultsInsideItsHandler()
    {
        QVERIFY(lesson->answerWrong());
        for (int i = 0; i < 18; ++i)
            QVERIFY(lesson->answerRight());
        // The twentieth press is "PARTE VARIABILE" on a word: its trail box is
        // written only after the results window has closed.
        QVERIFY(test::usable(form->Com10));
        bool trailWhileOpen = true;
        int answersWhileOpen = -1;
        QString levelMessage;
        test::Lesson::onNextModal([&](QWidget *results) {
            trailWhileOpen = test::shown(form->display(1));
            answersWhileOpen = Modulo1.domande;
            levelMessage = results->findChild<QLabel *>(QStringLiteral("RISULTATO"))->text();
            for (QPushButton *b : results->findChildren<QPushButton *>())
                if (b->text() == QLatin1String("PROSEGUI"))
                    b->click();
        });
        test::Lesson::click(form->Com10);
        QVERIFY(!trailWhileOpen);
        QCOMPARE(answersWhileOpen, 20);
        QCOMPARE(levelMessage, QStringLiteral("distinto!! "));
        QCOMPARE(Modulo1.livello, 4);
        // After PROSEGUI the handler went on and the series starts again.
        QVERIFY(test::shown(form->display(1)));
        QCOMPARE(Modulo1.domande, 0);
        QCOMPARE(Modulo1.errori, 0);
        QVERIFY(lesson->answerRight());
        QCOMPARE(form->Lrisposte->text(), QStringLiteral("1"));
    }

    void aWrongTwentiethAnswerEndsTheSeriesToo()
    {
        for (int i = 0; i < 15; ++i)
            QVERIFY(lesson->answerRight());
        for (int i = 0; i < 5; ++i)
            QVERIFY(lesson->answerWrong());
        QCOMPARE(lesson->resultsShown, 1);
        QCOMPARE(Modulo1.livello, 1);  // 5 errors
        QCOMPARE(Modulo1.contaoccorre, 1);
        QCOMPARE(Modulo1.domande, 0);
    }

    void levelsFollowTheErrorsOfTheSeries_data()
    {
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("level");
        QTest::newRow("0") << 0 << 5;
        QTest::newRow("1") << 1 << 4;
        QTest::newRow("2") << 2 << 3;
        QTest::newRow("3") << 3 << 2;
        QTest::newRow("4") << 4 << 1;
        QTest::newRow("7") << 7 << 1;
    }

    void levelsFollowTheErrorsOfTheSeries()
    {
        QFETCH(int, errors);
        QFETCH(int, level);
        for (int i = 0; i < errors; ++i)
            QVERIFY(lesson->answerWrong());
        while (lesson->resultsShown == 0)
            QVERIFY(lesson->answerRight());
        QCOMPARE(Modulo1.livello, level);
    }

    void errorLogOutlivesTheSeries()
    {
        QVERIFY(lesson->answerWrong());  // "il": PARTE  INVARIABILE, category 11
        for (int i = 0; i < 19; ++i)
            QVERIFY(lesson->answerRight());
        QCOMPARE(lesson->resultsShown, 1);
        QCOMPARE(Modulo1.errori, 0);
        QCOMPARE(Modulo1.erroripercategoria[11], 1);
        QVERIFY(lesson->answerWrong());
        int logged = 0;
        for (int count : Modulo1.erroripercategoria)
            logged += count;
        QCOMPARE(logged, 2);
        QCOMPARE(Modulo1.errori, 1);
    }
};

ANALISI_TEST_MAIN(TestStatistics)
#include "test_statistics.moc"
