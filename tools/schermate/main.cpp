// cattura-schermate: walks through a short lesson on the real windows and
// saves a picture of the screen at each stop: the start window, the exercise
// window in the middle of a question, the results window and the error
// review. Run it under a display (tools/schermate.sh starts a virtual one).
//
// Usage: cattura-schermate FOLDER

#include "app/applicazione.h"
#include "app/iniziale.h"
#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "screens/formaiuto.h"
#include "screens/frm_errori.h"
#include "tests/support/lesson.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextStream>

namespace {

QString folder;

void save(const QString &name)
{
    // Let the window system map and paint what was just shown.
    QTest::qWait(300);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(path))
        QTextStream(stderr) << "cannot write " << path << "\n";
    else
        QTextStream(stdout) << path << "\n";
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    preparaApplicazione();
    if (argc != 2) {
        QTextStream(stderr) << "usage: cattura-schermate FOLDER\n";
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    // The feedback second passes at once; the praise draw and the sentence
    // draw follow a fixed script so the pictures are the same every time.
    test::Lesson lesson;
    Iniziale *start = Iniziale::istanza();
    start->show();
    save(QStringLiteral("avvio"));

    test::Lesson::click(start->Command1);
    lesson.form = FormB::istanza();
    FormB *form = lesson.form;
    lesson.clock.seconds = 36000.0f;
    lesson.start(19);
    // A slip on the first word, then the article on its way to being
    // classified: variable, article, determinativo; gender next.
    lesson.answerWrong();
    for (int i = 0; i < 5; ++i)
        lesson.answerRight();
    lesson.clock.seconds += 14.0f;
    form->Timer1_Timer();
    save(QStringLiteral("esercizio"));

    // Play on to the end of the series, with a second slip on the way.
    lesson.answerRight();
    lesson.answerRight();
    lesson.answerWrong();
    bool shown = false;
    test::Lesson::onNextModal([&](QWidget *results) {
        save(QStringLiteral("risultati"));
        shown = true;
        for (QPushButton *b : results->findChildren<QPushButton *>())
            if (b->text() == QLatin1String("PROSEGUI"))
                b->click();
    });
    while (!shown && lesson.answerRight()) {
        if (test::shown(form->VIA))
            test::Lesson::click(form->VIA);
    }

    test::Lesson::click(form->Command8);
    FRM_ERRORI::istanza()->move(form->width() / 3, form->height() / 6);
    save(QStringLiteral("errori"));
    FRM_ERRORI::istanza()->close();

    test::Lesson::click(form->comaiuto);
    Formaiuto *help = Formaiuto::istanza();
    help->move(form->width() / 4, form->height() / 8);
    test::Lesson::click(help->Command1);
    save(QStringLiteral("aiuto"));
    return shown ? 0 : 1;
}
