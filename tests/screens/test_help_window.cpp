// The help window: its reminder written on request, kept on the surface,
// wiped by "chiudi".

#include "tests/support/captions.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "screens/formaiuto.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {

QString indented(int blanks, const QString &text)
{
    return QString(blanks, QLatin1Char(' ')) + text;
}

// The reminder as the pupil is to read it, blanks counted.
const QStringList reminder = {
    QString(),
    QString(),
    QString(),
    QString(),
    QStringLiteral("Dividi le proposizioni in  Principali, Subordinate, Coordinate."),
    QString(),
    QStringLiteral("                                      Ricordati!"),
    QString(),
    QStringLiteral("Proposizione principale: non dipende da nessun'altra, ha senso compiuto."),
    QString(),
    QStringLiteral("Proposizione subordinata: dipende da un'altra."),
    QString(),
    QStringLiteral("Proposizione coordinata: \u00e8 unita ad un'altra frase con:"),
    indented(11, QStringLiteral("1) asindeto (virgola, punto e virgola, due punti);")),
    indented(11, QStringLiteral("2) congiunzioni coordinative:  copulative  (e, inoltre, anche, n\u00e9, nemmeno ecc.)")),
    indented(19, QStringLiteral("disgiuntive  (o, oppure, ovvero ecc.)")),
    indented(20, QStringLiteral("avversative  (ma, per\u00f2, tuttavia, anzi ecc.)")),
    indented(20, QStringLiteral("conclusive  (dunque, perci\u00f2, quindi, pertanto ecc.)")),
    indented(20, QStringLiteral("dichiarativi  (infatti, cio\u00e8, invero ecc.)")),
    indented(20, QStringLiteral("correlative  (e ... e; o ... o; n\u00e9 ... n\u00e9; ora ... ora; cos\u00ec ... come ecc.).")),
    QString(),
    QString(),
    QString(),
    QString(),
};

Formaiuto *pressAiuto(test::Lesson &lesson)
{
    test::Lesson::click(lesson.form->comaiuto);
    return Formaiuto::esistente();
}

int helpWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<Formaiuto *>(w) != nullptr;
    return n;
}

// Dark pixels in the band of written line `line` (0-based).
int inkOnLine(Formaiuto *help, int line)
{
    const QImage image = help->grab().toImage();
    const int top = help->altezzaRiga() * line;
    int ink = 0;
    for (int y = top; y < top + help->altezzaRiga() && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

}  // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensEmpty();
    void writesTheReminderLineByLine();
    void secondPressAppendsACopy();
    void chiudiWipesAndANewWindowIsEmpty();
    void aiutoWhileOpenKeepsTheText();
    void textSurvivesRepainting();
};

void TestHelpWindow::opensEmpty()
{
    test::Lesson lesson;
    lesson.open();
    Formaiuto *help = pressAiuto(lesson);

    QVERIFY(help && help->isVisible());
    QVERIFY(help->parentWidget() == nullptr);
    QVERIFY(help->righeScritte().isEmpty());
    QCOMPARE(inkOnLine(help, 4), 0);
    const QStringList cut = test::captionsOutside(help);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void TestHelpWindow::writesTheReminderLineByLine()
{
    test::Lesson lesson;
    lesson.open();
    Formaiuto *help = pressAiuto(lesson);
    test::Lesson::click(help->Command1);

    const QStringList written = help->righeScritte();
    QCOMPARE(written.size(), 24);
    for (qsizetype i = 0; i < written.size(); ++i)
        QCOMPARE(written.at(i), reminder.at(i));
    // The first text line stands clear of the buttons at the top edge.
    const int firstText = help->altezzaRiga() * 4;
    QVERIFY(firstText >= help->Command1->geometry().bottom());
    QVERIFY(firstText >= help->Commandchiudi->geometry().bottom());
    QVERIFY(inkOnLine(help, 4) > 0);
    // Every line fits across the window, whatever face stands in for the designed one.
    for (const QString &line : written)
        QVERIFY2(QFontMetrics(help->font()).horizontalAdvance(line) < help->width(), qPrintable(line));
}

void TestHelpWindow::secondPressAppendsACopy()
{
    test::Lesson lesson;
    lesson.open();
    Formaiuto *help = pressAiuto(lesson);
    test::Lesson::click(help->Command1);
    test::Lesson::click(help->Command1);

    QCOMPARE(help->righeScritte(), reminder + reminder);
    // The window does not scroll: the end of the second copy is out of sight.
    QVERIFY(help->altezzaRiga() * 47 > help->height());
}

void TestHelpWindow::chiudiWipesAndANewWindowIsEmpty()
{
    test::Lesson lesson;
    lesson.open();
    Formaiuto *help = pressAiuto(lesson);
    test::Lesson::click(help->Command1);
    test::Lesson::click(help->Commandchiudi);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Formaiuto::esistente() == nullptr);
    QCOMPARE(helpWindows(), 0);

    help = pressAiuto(lesson);
    QVERIFY(help && help->isVisible());
    QVERIFY(help->righeScritte().isEmpty());
}

void TestHelpWindow::aiutoWhileOpenKeepsTheText()
{
    test::Lesson lesson;
    lesson.open();
    Formaiuto *help = pressAiuto(lesson);
    test::Lesson::click(help->Command1);

    QCOMPARE(pressAiuto(lesson), help);
    QCOMPARE(helpWindows(), 1);
    QCOMPARE(help->righeScritte(), reminder);
}

void TestHelpWindow::textSurvivesRepainting()
{
    test::Lesson lesson;
    lesson.open();
    Formaiuto *help = pressAiuto(lesson);
    test::Lesson::click(help->Command1);

    help->hide();
    help->show();
    help->repaint();
    QCOMPARE(help->righeScritte(), reminder);
    QVERIFY(inkOnLine(help, 4) > 0);
    QVERIFY(inkOnLine(help, 6) > 0);
    QCOMPARE(inkOnLine(help, 5), 0);
}

ANALISI_TEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
