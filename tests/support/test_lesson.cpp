// The test lesson itself: nothing it was asked to do outlives it.

#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QDialog>

class TestLesson : public QObject
{
    Q_OBJECT

private slots:
    void aHandlerStillWaitingEndsWithTheLesson()
    {
        bool ran = false;
        {
            test::Lesson lesson;
            test::Lesson::onNextModal([&ran](QWidget *) { ran = true; });
        }
        QDialog modal;
        modal.setModal(true);
        modal.show();
        QCOMPARE(QApplication::activeModalWidget(), &modal);
        QTest::qWait(50);  // several turns of the event loop
        QVERIFY(!ran);
    }
};

ANALISI_TEST_MAIN(TestLesson)
#include "test_lesson.moc"
