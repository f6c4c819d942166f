// The error review: the errors of the run per category, as a snapshot taken
// by "mostra errori", and the chart it opens.

#include "tests/screens/results_view.h"
#include "tests/support/captions.h"
#include "tests/support/test_main.h"

#include "classification/modulo1.h"
#include "classification/pulsanti.h"
#include "exercise/formb.h"
#include "platform/design.h"
#include "screens/frm_errori.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace {

FRM_ERRORI *pressMostraErrori(test::Lesson &lesson)
{
    test::Lesson::click(lesson.form->Command8);
    return FRM_ERRORI::esistente();
}

QStringList counts(const FRM_ERRORI *review)
{
    QStringList shown;
    for (const QLabel *count : review->RR)
        shown.append(count->text());
    return shown;
}

// Eleven counts, all empty but those given (row, text).
QStringList countsWith(std::initializer_list<std::pair<int, QString>> rows)
{
    QStringList expected(11);
    for (const auto &[row, text] : rows)
        expected[row - 1] = text;
    return expected;
}

int reviewWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<FRM_ERRORI *>(w) != nullptr;
    return n;
}

void destroyClosed()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Answers in "analisi completa" mode until `nouns` wrong parts of speech on
// nouns and `variabile` wrong "PARTE VARIABILE" presses on invariable words
// have been made; every other answer is right.
void makeErrors(test::Lesson &lesson, int nouns, int variabile, int &nextRow)
{
    FormB *form = lesson.form;
    for (int presses = 0; nouns > 0 || variabile > 0; ++presses) {
        if (presses > 2000)
            qFatal("the sentences ran out of nouns or invariable words");
        if (test::shown(form->VIA)) {
            lesson.start(nextRow++);
            continue;
        }
        const int code = Modulo1.partediscorso(Modulo1.numfrase, Modulo1.posparola);
        if (test::usable(form->Com10) && code >= 6 && variabile > 0) {
            test::Lesson::click(form->Com10);
            --variabile;
        } else if (test::usable(form->Com(code)) && code == 2 && nouns > 0) {
            lesson.answerWrong();
            --nouns;
        } else {
            lesson.answerRight();
        }
    }
}

}  // namespace

class TestErrorReview : public QObject
{
    Q_OBJECT

private slots:
    void namesAndNoCountsBeforeAnyError();
    void countsByCategory();
    void countsAreASnapshot();
    void countsGrowOverSeriesAndReopenings();
    void longCountsStayClearOfTheNames_data();
    void longCountsStayClearOfTheNames();
    void chiudiFinestraDestroysIt();
    void reviewAloneLeavesTheExerciseWindowUnmade();
    void mostraClassificaShowsTheChartAlone();
};

void TestErrorReview::namesAndNoCountsBeforeAnyError()
{
    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);
    FRM_ERRORI *review = pressMostraErrori(lesson);

    QVERIFY(review);
    QVERIFY(review->isVisible());
    QVERIFY(review->parentWidget() == nullptr);
    QVERIFY(!review->isModal());
    QCOMPARE(counts(review), QStringList(11));
    for (int i = 1; i <= 9; ++i)
        QCOMPARE(review->Lberrori(i)->text(), form->Com(i)->text());
    QCOMPARE(review->Lberrori(6)->text(), QStringLiteral("Avverbio  e locuzione avv."));
    QCOMPARE(review->Lberrori(10)->text(), form->Com10->text());
    QCOMPARE(review->Lberrori(11)->text(), QStringLiteral("PARTE  INVARIABILE"));
}

void TestErrorReview::countsByCategory()
{
    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    Modulo1.lunghezzaserie = 1000;  // no results window in between
    int row = 0;
    makeErrors(lesson, 2, 1, row);

    FRM_ERRORI *review = pressMostraErrori(lesson);
    QCOMPARE(counts(review), countsWith({{2, "2"}, {10, "1"}}));
}

void TestErrorReview::countsAreASnapshot()
{
    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    Modulo1.lunghezzaserie = 1000;
    int row = 0;
    makeErrors(lesson, 1, 0, row);
    FRM_ERRORI *review = pressMostraErrori(lesson);
    QCOMPARE(counts(review), countsWith({{2, "1"}}));

    // The pupil goes on with the review open: it shows what it showed.
    makeErrors(lesson, 1, 1, row);
    QCOMPARE(counts(review), countsWith({{2, "1"}}));

    QCOMPARE(pressMostraErrori(lesson), review);
    QCOMPARE(reviewWindows(), 1);
    QCOMPARE(counts(review), countsWith({{2, "2"}, {10, "1"}}));
}

void TestErrorReview::countsGrowOverSeriesAndReopenings()
{
    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    int row = 0;
    test::ResultsView end;
    test::expectResults(end);
    test::play(lesson, 20, 3, row);
    test::Lesson::click(pressMostraErrori(lesson)->Command1);
    destroyClosed();

    test::expectResults(end);
    test::play(lesson, 20, 2, row);
    int total = 0;
    for (const QString &count : counts(pressMostraErrori(lesson)))
        total += count.toInt();
    QCOMPARE(total, 5);
}

void TestErrorReview::longCountsStayClearOfTheNames_data()
{
    QTest::addColumn<int>("errors");
    QTest::newRow("1") << 1;
    QTest::newRow("224") << 224;
    QTest::newRow("9999") << 9999;
}

// However many errors, every count can be read beside its name, and the
// names stay where they are.
void TestErrorReview::longCountsStayClearOfTheNames()
{
    QFETCH(int, errors);
    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    for (int i = 1; i <= 11; ++i)
        Modulo1.erroripercategoria[static_cast<std::size_t>(i)] = errors;
    FRM_ERRORI *review = pressMostraErrori(lesson);
    for (int i = 1; i <= 11; ++i) {
        const QLabel *count = review->RR(i);
        const QLabel *name = review->Lberrori(i);
        QCOMPARE(count->text(), QString::number(errors));
        QCOMPARE(name->x(), platform::twips(1560));
        const QRect drawn = count->fontMetrics()
                                .boundingRect(count->contentsRect(), static_cast<int>(count->alignment()), count->text())
                                .translated(count->pos());
        QVERIFY2(drawn.left() >= 0 && drawn.right() < name->x() && count->geometry().contains(drawn),
                 qPrintable(QStringLiteral("row %1: count at %2..%3, name at %4")
                                .arg(i)
                                .arg(drawn.left())
                                .arg(drawn.right())
                                .arg(name->x())));
    }
    const QStringList cut = test::captionsOutside(review);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void TestErrorReview::chiudiFinestraDestroysIt()
{
    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    FRM_ERRORI *review = pressMostraErrori(lesson);
    test::Lesson::click(review->Command1);
    destroyClosed();
    QVERIFY(FRM_ERRORI::esistente() == nullptr);
    QCOMPARE(reviewWindows(), 0);

    // The next "mostra errori" builds it again, names and all.
    review = pressMostraErrori(lesson);
    QVERIFY(review && review->isVisible());
    QCOMPARE(review->Lberrori(1)->text(), QStringLiteral("Articolo"));
}

// The names come from the caption table, not from the exercise window, which
// the review never creates.
void TestErrorReview::reviewAloneLeavesTheExerciseWindowUnmade()
{
    test::Lesson lesson;
    FRM_ERRORI *review = FRM_ERRORI::istanza();
    review->mostraConteggi();
    QVERIFY(!FormB::esiste());
    QCOMPARE(review->Lberrori(6)->text(), QString::fromLatin1(pulsanti::partiDelDiscorso[5].caption));
    QCOMPARE(review->Lberrori(11)->text(), QStringLiteral("PARTE  INVARIABILE"));
    QCOMPARE(counts(review), QStringList(11));
}

void TestErrorReview::mostraClassificaShowsTheChartAlone()
{
    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    int row = 0;
    test::ResultsView end;
    test::expectResults(end);
    test::play(lesson, 20, 1, row);  // one series at DISTINTO
    test::play(lesson, 3, 1, row);   // the next one under way
    lesson.clock.advance(5000);

    FRM_ERRORI *review = pressMostraErrori(lesson);
    test::ResultsView v;
    test::expectResults(v);
    test::Lesson::click(review->Command2);

    QVERIFY(v.opened);
    QCOMPARE(v.owner, review);
    QCOMPARE(Modulo1.livello, 6);
    QCOMPARE(v.risultato, QStringLiteral("RISULTATO"));
    QCOMPARE(v.risultatoBack, QColor(255, 255, 128));
    QCOMPARE(v.rows, (std::array<int, 5>{0, 1, 0, 0, 0}));
    QCOMPARE(v.nuovoRecord, QString());
    QCOMPARE(v.trecord, QStringLiteral("200"));
    // The level counters stand; the unfinished series starts over.
    QCOMPARE(Modulo1.contadistinto, 1);
    QCOMPARE(Modulo1.contaottimo + Modulo1.contabuono + Modulo1.contasufficiente + Modulo1.contaoccorre, 0);
    QCOMPARE(Modulo1.domande, 0);
    QCOMPARE(Modulo1.errori, 0);
    QCOMPARE(Modulo1.inizioserie, lesson.clock.seconds);
    QVERIFY(review->isVisible());
}

ANALISI_TEST_MAIN(TestErrorReview)
#include "test_error_review.moc"
