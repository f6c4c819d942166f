// The running clock and the one-second feedback: the buttons it locks and
// re-enables, and the clicks it drops.

#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/clock.h"
#include "platform/design.h"
#include "platform/input_lock.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

class TestClockFeedback : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    FormB *form = nullptr;

private slots:
    void init()
    {
        lesson = std::make_unique<test::Lesson>();
        form = lesson->open(0);
    }
    void cleanup() { lesson.reset(); }

    void clockLabelStaysAtZeroBeforeTheFirstVIA()
    {
        QCOMPARE(form->Lbclock->text(), QStringLiteral("0"));
        QVERIFY(form->Timer1->isActive());
        QCOMPARE(form->Timer1->interval(), 1000);
        lesson->clock.advance(5000);
        form->Timer1_Timer();
        QCOMPARE(form->Lbclock->text(), QStringLiteral("0"));
    }

    void clockCountsWholeSecondsSinceTheFirstVIA()
    {
        lesson->clock.seconds = 100.0f;
        test::Lesson::click(form->VIA);
        lesson->clock.seconds = 112.9f;
        form->Timer1_Timer();
        QCOMPARE(form->Lbclock->text(), QStringLiteral("12"));
    }

    void clockAcrossMidnightNeverGoesNegative()
    {
        lesson->clock.seconds = platform::secondsPerDay - 1.5f;
        test::Lesson::click(form->VIA);
        lesson->clock.advance(3000);
        QVERIFY(lesson->clock.seconds < 10.0f);
        form->Timer1_Timer();
        QCOMPARE(form->Lbclock->text(), QStringLiteral("3"));
        // The time shown on an answer counts the same way.
        QVERIFY(lesson->answerRight());
        QCOMPARE(form->MOSTRATEMPO->text(), QStringLiteral("4"));
    }

    void flashShowsTheMessageForOneSecondThenReenables()
    {
        for (QPushButton *b : form->Com)
            QVERIFY(!b->isEnabled());
        QString during;
        bool lockedDuring = true;
        // cppcheck-suppress danglingLifetime ; reset right after flash, before the locals go
        lesson->clock.duringWait = [&] {
            during = form->gratifica->text();
            for (QPushButton *b : form->Com)
                lockedDuring = lockedDuring && !b->isEnabled();
            lockedDuring = lockedDuring && !form->Com10->isEnabled() && !form->Com11->isEnabled();
        };
        const std::int64_t before = lesson->clock.monotonic;
        form->flash(QStringLiteral("bravo!"));
        lesson->clock.duringWait = nullptr;  // it refers to this function's locals
        QCOMPARE(during, QStringLiteral("bravo!"));
        QVERIFY(lockedDuring);
        QCOMPARE(lesson->clock.monotonic - before, std::int64_t{1000});
        QCOMPARE(form->gratifica->text(), QString());
        // All eleven enabled again, even those disabled before; hidden stay hidden.
        for (QPushButton *b : form->Com)
            QVERIFY(b->isEnabled());
        QVERIFY(form->Com10->isEnabled() && form->Com11->isEnabled());
        QVERIFY(!test::shown(form->art(1)));
    }

    // Every answer button on screen looks locked through the feedback
    // second, the kind, gender and number buttons too, although these stay
    // enabled; afterwards they all look usable again.
    void lockedButtonsLookLocked_data()
    {
        QTest::addColumn<int>("rightAnswers");
        QTest::newRow("variability") << 0;
        QTest::newRow("part of speech") << 1;
        QTest::newRow("kind") << 2;
        QTest::newRow("gender") << 3;
        QTest::newRow("number") << 4;
    }

    void lockedButtonsLookLocked()
    {
        QFETCH(int, rightAnswers);
        lesson->useCorpus("0\t1\t\"Il\"\t1\t1\t1\t1\n0\t2\t\"cane.\"\t2\t\t\t\n");
        lesson->start(0);
        for (int i = 0; i < rightAnswers; ++i)
            QVERIFY(lesson->answerRight());
        QList<QPushButton *> shown;
        for (QPushButton *b : form->findChildren<QPushButton *>())
            if (test::shown(b) && b != form->FINE && b != form->comaiuto && b != form->Command8)
                shown.append(b);
        QVERIFY(!shown.isEmpty());
        // The caption of a usable button has pixels of its text colour.
        auto looksUsable = [](QPushButton *b) {
            const QImage image = b->grab().toImage();
            const QColor testo = platform::foreColor(b);
            for (int y = 6; y < image.height() - 6; ++y)
                for (int x = 6; x < image.width() - 6; ++x)
                    if (image.pixelColor(x, y) == testo)
                        return true;
            return false;
        };
        QStringList usableLook;
        QStringList enabledChanged;
        lesson->clock.duringWait = [&] {
            for (QPushButton *b : shown) {
                if (looksUsable(b))
                    usableLook << b->objectName();
                // The feedback disables Com10, Com11 and Com(1..9) only.
                if (!b->objectName().startsWith(QLatin1String("Com")) && !b->isEnabled())
                    enabledChanged << b->objectName();
            }
        };
        QVERIFY(lesson->answerWrong());
        lesson->clock.duringWait = nullptr;  // it refers to this function's locals
        QVERIFY2(usableLook.isEmpty(), qPrintable(usableLook.join(QLatin1Char(' '))));
        QVERIFY2(enabledChanged.isEmpty(), qPrintable(enabledChanged.join(QLatin1Char(' '))));
        for (QPushButton *b : shown)
            QVERIFY2(looksUsable(b), qPrintable(b->objectName()));
    }

    void clicksDuringFlashAreDroppedNotReplayed()
    {
        test::Lesson::click(form->VIA);
        const int answersBefore = Modulo1.domande;
        lesson->clock.duringWait = [&] {
            // The pupil hammers on what is still enabled and on the keyboard.
            test::Lesson::click(form->FINE);
            test::Lesson::click(form->VIA);
            QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        };
        QVERIFY(lesson->answerRight());
        lesson->clock.duringWait = nullptr;
        QCoreApplication::processEvents();
        QCOMPARE(lesson->programEnds, 0);
        QCOMPARE(Modulo1.domande, answersBefore + 1);
        QVERIFY(!lesson->player.cues.contains(QStringLiteral("congafine")));
        // Afterwards clicks work again.
        test::Lesson::click(form->FINE);
        QCOMPARE(lesson->programEnds, 1);
    }

    // The real clock: flash really waits a second on the monotonic clock and
    // keeps the event loop turning meanwhile.
    void systemClockWaitsTheWholeTime()
    {
        platform::SystemClock real;
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(10);
        QElapsedTimer elapsed;
        elapsed.start();
        const std::int64_t before = real.monotonicMs();
        real.wait(150);
        QVERIFY(real.monotonicMs() - before >= 150);
        QVERIFY(elapsed.elapsed() >= 150);
        QVERIFY(ticks >= 3);
        const float now = real.secondsSinceMidnight();
        QVERIFY(now >= 0.0f && now < platform::secondsPerDay);
    }

    void inputLockDropsInputOnlyWhileItLives()
    {
        int clicks = 0;
        QObject::connect(form->FINE, &QPushButton::clicked, [&] { ++clicks; });
        lesson->programEnds = 0;
        {
            platform::InputLock lock;
            test::Lesson::click(form->FINE);
            QCOMPARE(clicks, 0);
            QVERIFY(lock.dropped() >= 2);  // press and release
        }
        test::Lesson::click(form->FINE);
        QCOMPARE(clicks, 1);
    }

    void secondsBetweenReadings()
    {
        QCOMPARE(platform::secondsBetween(10.0f, 12.5f), 2.5f);
        QCOMPARE(platform::secondsBetween(86399.0f, 1.0f), 2.0f);
        QCOMPARE(platform::secondsBetween(5.0f, 5.0f), 0.0f);
    }
};

ANALISI_TEST_MAIN(TestClockFeedback)
#include "test_clock_feedback.moc"
