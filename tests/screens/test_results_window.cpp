// The results window at the end of a series: level, chart, best time, and
// how leaving it starts the next series.

#include "tests/screens/results_view.h"
#include "tests/support/test_main.h"

#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/design.h"

#include <QApplication>
#include <QTest>

Q_DECLARE_METATYPE(test::Leave)

using test::Leave;
using test::ResultsView;

namespace {

const QColor giallo(255, 255, 0);
const QColor verde(0, 192, 0);
const QColor verdeChiaro(128, 255, 128);
const QColor azzurro(192, 255, 255);
const QColor rosso(255, 128, 128);

constexpr float dieci = 36000.0f;  // 10:00, where the fake clock starts

// The series began at 10:00 and has lasted `seconds`.
void seriesLasted(test::Lesson &lesson, float seconds)
{
    Modulo1.inizioserie = dieci;
    lesson.clock.seconds = dieci + seconds;
}

// Rates a series with `errors` errors as its end does and reads the window.
ResultsView endSeries(FormB *form, int errors, Leave how = Leave::Prosegui)
{
    ResultsView view;
    test::expectResults(view, how);
    form->classifica(static_cast<std::int16_t>(errors));
    return view;
}

}  // namespace

class TestResultsWindow : public QObject
{
    Q_OBJECT

private slots:
    void levelByErrors_data();
    void levelByErrors();
    void firstSeriesWithTwoErrors();
    void bestTime_data();
    void bestTime();
    void errorsNeverSetARecord();
    void seriesAcrossMidnight();
    void textsFitTheirLabels_data();
    void textsFitTheirLabels();
    void rowsAreIndependent();
    void rowStopsAtTen();
    void leavingStartsTheNextSeries_data();
    void leavingStartsTheNextSeries();
};

void TestResultsWindow::levelByErrors_data()
{
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("row");  // 0 OTTIMO .. 4 OCCORRE ESERCITARSI

    QTest::newRow("0 errors") << 0 << "ottimo!!!" << giallo << 0;
    QTest::newRow("1 error") << 1 << "distinto!! " << verde << 1;
    QTest::newRow("2 errors") << 2 << "buono!" << verdeChiaro << 2;
    QTest::newRow("3 errors") << 3 << "sufficiente" << azzurro << 3;
    QTest::newRow("4 errors") << 4 << "occorre esercitarsi" << rosso << 4;
    QTest::newRow("7 errors") << 7 << "occorre esercitarsi" << rosso << 4;
}

void TestResultsWindow::levelByErrors()
{
    QFETCH(int, errors);
    QFETCH(QString, message);
    QFETCH(QColor, colour);
    QFETCH(int, row);

    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);
    const ResultsView v = endSeries(form, errors);

    QVERIFY(v.opened);
    QCOMPARE(v.owner, form);
    QCOMPARE(v.risultato, message);
    QCOMPARE(v.risultatoBack, colour);
    QCOMPARE(v.rowColours[static_cast<std::size_t>(row)], colour);
    QVERIFY(v.rowColoursAgree);
    std::array<int, 5> rows{};
    rows[static_cast<std::size_t>(row)] = 1;
    QCOMPARE(v.rows, rows);
}

void TestResultsWindow::firstSeriesWithTwoErrors()
{
    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    ResultsView v;
    test::expectResults(v);
    int row = 0;
    test::play(lesson, 20, 2, row);

    QVERIFY(v.opened);
    QCOMPARE(v.wasInstance, true);
    QCOMPARE(v.risultato, QStringLiteral("buono!"));
    QCOMPARE(v.risultatoBack, verdeChiaro);
    QCOMPARE(v.rows, (std::array<int, 5>{0, 0, 1, 0, 0}));
    QCOMPARE(v.trecord, QStringLiteral("200"));
    QCOMPARE(v.nuovoRecord, QString());
    QCOMPARE(Modulo1.contabuono, 1);
    // Built for one opening only.
    QVERIFY(classificaform::aperta() == nullptr);
}

void TestResultsWindow::bestTime_data()
{
    QTest::addColumn<int>("best");
    QTest::addColumn<float>("elapsed");
    QTest::addColumn<bool>("notice");
    QTest::addColumn<int>("bestAfter");

    // Cut to tenths, then the nearest whole second, halves to even.
    QTest::newRow("45.67 s against 200") << 200 << 45.67f << true << 46;
    QTest::newRow("45.5 s goes up to even") << 200 << 45.5f << true << 46;
    QTest::newRow("44.5 s goes down to even") << 200 << 44.5f << true << 44;
    QTest::newRow("56.56 s: 56.5, then 56") << 200 << 56.56f << true << 56;
    // Compared in full, stored rounded: a notice without a lower best.
    QTest::newRow("45.9 s against 46") << 46 << 45.9f << true << 46;
    QTest::newRow("46.0 s against 46") << 46 << 46.0f << false << 46;
    QTest::newRow("46.3 s against 46") << 46 << 46.3f << false << 46;
}

void TestResultsWindow::bestTime()
{
    QFETCH(int, best);
    QFETCH(float, elapsed);
    QFETCH(bool, notice);
    QFETCH(int, bestAfter);

    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);
    Modulo1.tempomigliore = static_cast<std::int16_t>(best);
    seriesLasted(lesson, elapsed);
    const ResultsView v = endSeries(form, 0);

    QCOMPARE(v.nuovoRecord, notice ? QStringLiteral("Nuovo Record!") : QString());
    QCOMPARE(int(Modulo1.tempomigliore), bestAfter);
    QCOMPARE(v.trecord, QString::number(bestAfter));
}

void TestResultsWindow::errorsNeverSetARecord()
{
    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);
    for (int errors = 1; errors <= 4; ++errors) {
        seriesLasted(lesson, 20.0f);
        const ResultsView v = endSeries(form, errors);
        QCOMPARE(v.nuovoRecord, QString());
        QCOMPARE(v.trecord, QStringLiteral("200"));
    }
    QCOMPARE(int(Modulo1.tempomigliore), 200);
}

void TestResultsWindow::seriesAcrossMidnight()
{
    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);

    // 23:55:00 to 00:01:40: 400 s, no record.
    Modulo1.inizioserie = 86100.0f;
    lesson.clock.seconds = 100.0f;
    ResultsView v = endSeries(form, 0);
    QCOMPARE(v.nuovoRecord, QString());
    QCOMPARE(int(Modulo1.tempomigliore), 200);

    // 23:59:30 to 00:00:10: 40 s, a true record of 40.
    Modulo1.inizioserie = 86370.0f;
    // cppcheck-suppress redundantAssignment ; endSeries() read the clock in between
    lesson.clock.seconds = 10.0f;
    v = endSeries(form, 0);
    QCOMPARE(v.nuovoRecord, QStringLiteral("Nuovo Record!"));
    QCOMPARE(int(Modulo1.tempomigliore), 40);
    QCOMPARE(v.trecord, QStringLiteral("40"));
}

void TestResultsWindow::textsFitTheirLabels_data()
{
    QTest::addColumn<int>("livello");
    QTest::addColumn<float>("elapsed");
    for (int livello = 1; livello <= 6; ++livello)
        QTest::addRow("livello %d", livello) << livello << 300.0f;
    QTest::newRow("new record") << 5 << 45.67f;
}

void TestResultsWindow::textsFitTheirLabels()
{
    QFETCH(int, livello);
    QFETCH(float, elapsed);

    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);
    Modulo1.livello = livello;
    seriesLasted(lesson, elapsed);
    const ResultsView v = test::openResults(form);
    QVERIFY(v.opened);
    QVERIFY2(v.clipped.isEmpty(), qPrintable(v.clipped.join(QStringLiteral(" | "))));
}

void TestResultsWindow::rowsAreIndependent()
{
    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);
    endSeries(form, 0);
    endSeries(form, 5);
    const ResultsView v = endSeries(form, 0);

    QCOMPARE(v.rows, (std::array<int, 5>{2, 0, 0, 0, 1}));
    QCOMPARE(v.risultato, QStringLiteral("ottimo!!!"));
}

void TestResultsWindow::rowStopsAtTen()
{
    test::Lesson lesson;
    FormB *form = test::openOnTestSentences(lesson);
    ResultsView v;
    for (int series = 1; series <= 11; ++series)
        v = endSeries(form, 3);

    QCOMPARE(Modulo1.contasufficiente, 10);
    QCOMPARE(v.rows, (std::array<int, 5>{0, 0, 0, 10, 0}));
}

void TestResultsWindow::leavingStartsTheNextSeries_data()
{
    QTest::addColumn<Leave>("how");
    QTest::newRow("PROSEGUI") << Leave::Prosegui;
    // Closed from its frame, the finished series must not be rated again.
    QTest::newRow("title bar") << Leave::CloseWindow;
    QTest::newRow("Escape") << Leave::Escape;
}

void TestResultsWindow::leavingStartsTheNextSeries()
{
    QFETCH(Leave, how);

    test::Lesson lesson;
    test::openOnTestSentences(lesson);
    int row = 0;
    test::play(lesson, 10, 4, row);
    lesson.clock.advance(90'000);
    ResultsView v;
    test::expectResults(v, how);
    test::play(lesson, 10, 0, row);

    QVERIFY(v.opened);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(Modulo1.domande, 0);
    QCOMPARE(Modulo1.errori, 0);
    QCOMPARE(Modulo1.inizioserie, lesson.clock.seconds);

    // The next series runs its full length before it is rated.
    ResultsView next;
    test::expectResults(next);
    test::play(lesson, 19, 0, row);
    QVERIFY(!next.opened);
    QCOMPARE(Modulo1.domande, 19);
    test::play(lesson, 1, 0, row);
    QVERIFY(next.opened);
    QCOMPARE(Modulo1.contaoccorre, 1);
    QCOMPARE(Modulo1.contaottimo, 1);
}

ANALISI_TEST_MAIN(TestResultsWindow)
#include "test_results_window.moc"
