// The running clock and the one-second feedback: the buttons it locks and
// re-enables, and the clicks it drops.

#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/clock.h"
#include "platform/input_lock.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QElapsedTimer>
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
