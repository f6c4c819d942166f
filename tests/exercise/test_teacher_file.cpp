// The draw follows the sentence file: it chooses among rows 0 up to the
// highest one the file fills, and never shows a row the file leaves out.

#include "app/avvio.h"
#include "classification/modulo1.h"
#include "corpus/corpus_incorporato.h"
#include "exercise/formb.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QPushButton>

namespace {

QByteArray leggiFile(const char *percorso)
{
    QFile file(QString::fromUtf8(percorso));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", percorso);
    return file.readAll();
}

const QString tutteCompletate = QStringLiteral("TUTTE LE FRASI SONO COMPLETATE");

}  // namespace

class TestTeacherFile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;

private slots:
    void init() { lesson = std::make_unique<test::Lesson>(); }
    void cleanup()
    {
        lesson.reset();
        corpus::usaCorpus(std::nullopt);
    }

    void givenWithFrasiAndReadOnceAtStartUp()
    {
        // The teacher's file, which then changes on disk while the program runs.
        QTemporaryDir dir;
        const QString percorso = dir.filePath(QStringLiteral("mie frasi.tsv"));
        QVERIFY(QFile::copy(QStringLiteral(FILE_MAESTRA), percorso));
        QVERIFY(caricaFrasi(percorso));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("rotto\n") == 6);
        file.close();

        FormB *form = lesson->open(0);
        QCOMPARE(Modulo1.numfrasi, 4);
        for (int riga : {3, 0, 1}) {
            lesson->start(riga);
            QCOMPARE(Modulo1.numfrase, riga);
            lesson->finishSentence();
        }
        QCOMPARE(form->Lbmostra(5)->text(), QStringLiteral("ciliegie."));
        test::Lesson::click(form->VIA);
        QCOMPARE(form->AVVISO->text(), tutteCompletate);
    }

    void theDefaultFileGivesThirtyThree()
    {
        lesson->open(0);
        lesson->useCorpus(leggiFile(FRASI_PREDEFINITE));
        QCOMPARE(Modulo1.numfrasi, 33);
    }

    void threeSentencesWithRowTwoLeftOut()
    {
        // maestra.tsv fills rows 0, 1 and 3.
        FormB *form = lesson->open(0);
        lesson->useCorpus(leggiFile(FILE_MAESTRA));
        QCOMPARE(Modulo1.numfrasi, 4);
        QCOMPARE(Modulo1.partediscorso(2, 0), 0);

        // A draw that lands on the empty row draws again.
        lesson->random.queueIndex(2, Modulo1.numfrasi);
        lesson->start(3);
        QCOMPARE(Modulo1.numfrase, 3);
        QCOMPARE(form->Lbmostra(2)->text(), QStringLiteral("città "));
        QCOMPARE(form->Lbmostra(7)->text(), QString());
        lesson->finishSentence();

        lesson->start(0);
        QCOMPARE(form->Lbmostra(5)->text(), QStringLiteral("divano."));
        lesson->finishSentence();
        lesson->start(1);
        QCOMPARE(Modulo1.numfrase, 1);
        lesson->finishSentence();

        test::Lesson::click(form->VIA);
        QCOMPARE(form->AVVISO->text(), tutteCompletate);
        QCOMPARE(Modulo1.errori, 0);
    }

    void everySentenceOfTheFileOnceInArticlesOnlyMode()
    {
        FormB *form = lesson->open(1);
        lesson->useCorpus(leggiFile(FILE_MAESTRA));
        QList<int> drawn;
        for (int press = 0; press < 3; ++press) {
            test::Lesson::click(form->VIA);
            QVERIFY(form->AVVISO->text() != tutteCompletate);
            drawn << Modulo1.numfrase;
            lesson->finishSentence();
        }
        std::sort(drawn.begin(), drawn.end());
        QCOMPARE(drawn, (QList<int>{0, 1, 3}));
        test::Lesson::click(form->VIA);
        QCOMPARE(form->AVVISO->text(), tutteCompletate);
    }
};

ANALISI_TEST_MAIN(TestTeacherFile)
#include "test_teacher_file.moc"
