// The start window: its ways out, the mode each one leaves, and its look.

#include "app/iniziale.h"
#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/design.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

void clickAt(QWidget *window, QPoint where)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, where);
}

QPoint backgroundPoint(Iniziale *start)
{
    // Below the buttons and left of every label: bare background.
    return {start->width() / 50, start->height() / 2};
}

}  // namespace

class TestStartWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    QPointer<Iniziale> start;

    void expectExerciseOpened(int mode)
    {
        QVERIFY(FormB::esiste());
        QVERIFY(FormB::istanza()->isVisible());
        QCOMPARE(Modulo1.modoanalisi, mode);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(start.isNull());
        QVERIFY(Iniziale::esistente() == nullptr);
    }

private slots:
    void init()
    {
        lesson = std::make_unique<test::Lesson>();
        start = Iniziale::istanza();
        start->show();
        QVERIFY(QTest::qWaitForWindowExposed(start));
    }

    void cleanup()
    {
        lesson.reset();
    }

    void loadPlaysCongaAndArmsTheTimer()
    {
        QCOMPARE(lesson->player.cues, QStringList{QStringLiteral("conga")});
        QVERIFY(start->Timer1->isActive());
        QCOMPARE(start->Timer1->interval(), 6000);
        QVERIFY(!FormB::esiste());
    }

    void analisiCompletaButton()
    {
        Modulo1.modoanalisi = 1;
        test::Lesson::click(start->Command1);
        expectExerciseOpened(0);
    }

    void soloArticoliButtonAndNoSecondWindowLater()
    {
        test::Lesson::click(start->Command2);
        expectExerciseOpened(1);
        FormB *form = FormB::istanza();
        // The timer went with the window: nothing opens at the sixth second.
        QTest::qWait(20);
        QCOMPARE(FormB::istanza(), form);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget *w) { return qobject_cast<FormB *>(w) != nullptr; }),
                 1);
    }

    void exerciseWindowGoesUpOnceTheStartWindowIsGone()
    {
        start->Command1_Click();
        // Created and loaded at once; shown only when the start window, and
        // its screen-sized frame buffer, have gone.
        QVERIFY(FormB::esiste());
        QPointer<FormB> form = FormB::istanza();
        QVERIFY(!form->isVisible());
        QVERIFY(start->isVisible());
        // A second choice in that moment changes nothing.
        start->Command2_Click();
        start->Form_Click();
        QCOMPARE(Modulo1.modoanalisi, 0);
        QTRY_VERIFY(start.isNull());
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(FormB::istanza(), form.data());
    }

    void backgroundClickKeepsTheMode()
    {
        clickAt(start, backgroundPoint(start));
        expectExerciseOpened(0);
    }

    void timeoutStartsTheExercise()
    {
        Modulo1.modoanalisi = 1;  // already set: the timeout keeps it
        start->Timer1->setInterval(1);
        QTRY_VERIFY_WITH_TIMEOUT(FormB::esiste(), 2000);
        expectExerciseOpened(1);
    }

    void clicksOnLabelsDoNothing()
    {
        for (QLabel *label : {start->Label1, start->Label2, start->Label3, start->Label4, start->Label5, start->Label6}) {
            clickAt(start, label->geometry().center());
            QVERIFY2(!FormB::esiste(), qPrintable(label->text()));
        }
        QVERIFY(!start.isNull());
    }

    void textsAndColours()
    {
        QCOMPARE(start->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(start->Label2->text(), QStringLiteral("ARTICOLI"));
        QCOMPARE(start->Label1->text(), QStringLiteral("Analisi grammaticale"));
        QCOMPARE(start->Label5->text(),
                 QStringLiteral("Scegli se desideri fare un'analisi comprendente tutte le parti del discorso o solo gli articoli."));
        QCOMPARE(start->Command1->text(), QStringLiteral("analisi completa"));
        QCOMPARE(start->Command2->text(), QStringLiteral("solo articoli"));
        QCOMPARE(platform::backColor(start), QColor(60, 80, 219));
        QCOMPARE(platform::backColor(start->Command1), QColor(255, 255, 128));
        QCOMPARE(platform::backColor(start->Command2), QColor(192, 255, 192));
        for (QLabel *label : {start->Label1, start->Label2, start->Label3, start->Label4, start->Label5, start->Label6}) {
            QCOMPARE(platform::foreColor(label), QColor(255, 255, 0));
            QVERIFY(!label->autoFillBackground());
            QVERIFY(!label->text().isEmpty());
        }
        QCOMPARE(start->Label2->font().weight(), QFont::DemiBold);
        QCOMPARE(start->Label3->font().weight(), QFont::Black);
        QVERIFY(start->Command1->font().bold());
    }
};

ANALISI_TEST_MAIN(TestStartWindow)
#include "test_start_window.moc"
