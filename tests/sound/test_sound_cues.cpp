// Which cue each event of a lesson plays, heard through the recording player,
// and how the praise sound is drawn.

#include "app/iniziale.h"
#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/audio.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QPushButton>
#include <QTest>

#include <cmath>

namespace {

// Row 0: one article, then a noun and a verb. Row 1: two articles.
const QByteArray oneSentence =
    "0\t1\t\"Il \"\t1\t1\t1\t1\n"
    "0\t2\t\"gatto \"\t2\t\t\t\n"
    "0\t3\t\"dorme.\"\t5\t\t\t\n";
const QByteArray twoSentences = oneSentence +
    "1\t1\t\"Una \"\t1\t2\t2\t1\n"
    "1\t2\t\"mela \"\t2\t\t\t\n"
    "1\t3\t\"e \"\t8\t\t\t\n"
    "1\t4\t\"il \"\t1\t1\t1\t1\n"
    "1\t5\t\"pane.\"\t2\t\t\t\n";

const QStringList praise = {QStringLiteral("esatto"), QStringLiteral("esatto2"), QStringLiteral("esatto3"),
                            QStringLiteral("esatto4"), QStringLiteral("esatto5")};

// The cues with every praise sound written as "praise", for comparing whole
// sequences.
QStringList withPraiseFolded(const QStringList &cues)
{
    QStringList folded;
    for (const QString &cue : cues)
        folded.append(praise.contains(cue) ? QStringLiteral("praise") : cue);
    return folded;
}

QStringList repeated(const QString &cue, int times)
{
    QStringList list;
    for (int i = 0; i < times; ++i)
        list.append(cue);
    return list;
}

// Opens the exercise on the two test sentences, with series long enough that
// the results window never interrupts.
void openOnTestSentences(test::Lesson &lesson, int mode)
{
    lesson.open(mode);
    lesson.useCorpus(twoSentences);
    Modulo1.lunghezzaserie = 1000;
    lesson.player.cues.clear();
}

// A Random that logs the order of seeding and drawing.
class LoggingRandom final : public platform::Random
{
public:
    void seed(float clockReading) override { log.append(QStringLiteral("seed %1").arg(double(clockReading))); }
    float next() override
    {
        log.append(QStringLiteral("draw"));
        return value;
    }
    QStringList log;
    float value = 0.0f;
};

}  // namespace

class TestSoundCues : public QObject
{
    Q_OBJECT

private slots:
    // ---- windows opening and closing --------------------------------------

    void startWindowPlaysConga()
    {
        test::Lesson lesson;
        Iniziale::istanza();
        QCOMPARE(lesson.player.cues, QStringList{QStringLiteral("conga")});
    }

    void loadingTheExercisePlaysPremivia()
    {
        test::Lesson lesson;
        lesson.open();
        QCOMPARE(lesson.player.cues, QStringList{QStringLiteral("premivia")});
    }

    void finePlaysCongafineAndEnds()
    {
        test::Lesson lesson;
        openOnTestSentences(lesson, 0);
        lesson.click(lesson.form->FINE);
        QCOMPARE(lesson.player.cues, QStringList{QStringLiteral("congafine")});
        QCOMPARE(lesson.programEnds, 1);
    }

    // ---- a sentence from VIA to COMPLETATA ---------------------------------

    void wholeSentenceInCompleteAnalysis()
    {
        test::Lesson lesson;
        openOnTestSentences(lesson, 0);
        lesson.start(0);
        QCOMPARE(lesson.player.cues, QStringList{QStringLiteral("rumorevia")});
        // "Il": variable, article, kind, gender, number; "gatto" and "dorme.":
        // variable and part of speech. Only then is the sentence complete.
        QCOMPARE(lesson.finishSentence(), 9);
        const QStringList expected = QStringList{QStringLiteral("rumorevia")}
                                     + repeated(QStringLiteral("praise"), 9)
                                     + QStringList{QStringLiteral("premivia")};
        QCOMPARE(withPraiseFolded(lesson.player.cues), expected);
    }

    void premiviaOnlyAfterTheLastArticle()
    {
        test::Lesson lesson;
        openOnTestSentences(lesson, 1);
        lesson.start(1);
        // Five questions for "Una", no prompt yet, then five for "il".
        for (int i = 0; i < 5; ++i)
            QVERIFY(lesson.answerRight());
        QVERIFY(!lesson.player.cues.contains(QStringLiteral("premivia")));
        QCOMPARE(lesson.finishSentence(), 5);
        const QStringList expected = QStringList{QStringLiteral("rumorevia")}
                                     + repeated(QStringLiteral("praise"), 10)
                                     + QStringList{QStringLiteral("premivia")};
        QCOMPARE(withPraiseFolded(lesson.player.cues), expected);
    }

    void wrongAnswerAtEveryStepPlaysSbagliato()
    {
        test::Lesson lesson;
        openOnTestSentences(lesson, 1);
        lesson.start(0);
        lesson.player.cues.clear();
        // Variable, part of speech, kind, gender, number of "Il": each first
        // wrong (the question stays open), then right.
        for (int step = 0; step < 5; ++step) {
            QVERIFY(lesson.answerWrong());
            QCOMPARE(lesson.player.cues.last(), QStringLiteral("sbagliato1"));
            QVERIFY(lesson.answerRight());
        }
        QStringList expected;
        for (int step = 0; step < 5; ++step)
            expected << QStringLiteral("sbagliato1") << QStringLiteral("praise");
        expected << QStringLiteral("premivia");
        QCOMPARE(withPraiseFolded(lesson.player.cues), expected);
    }

    void everySentenceUsedPlaysRumoreviaThenConga()
    {
        test::Lesson lesson;
        openOnTestSentences(lesson, 0);
        lesson.useCorpus(oneSentence);
        lesson.start(0);
        lesson.finishSentence();
        lesson.player.cues.clear();
        lesson.click(lesson.form->VIA);
        QCOMPARE(lesson.player.cues, (QStringList{QStringLiteral("rumorevia"), QStringLiteral("conga")}));
    }

    // ---- the praise sound ---------------------------------------------------

    void rightAnswerPlaysTheDrawnPraise()
    {
        test::Lesson lesson;
        openOnTestSentences(lesson, 0);
        lesson.start(0);
        lesson.random.values = {0.61f, 0.05f, 0.99f};
        lesson.clock.seconds = 40000.25f;
        for (int i = 0; i < 3; ++i)
            QVERIFY(lesson.answerRight());
        QCOMPARE(lesson.player.cues.mid(1),
                 (QStringList{QStringLiteral("esatto4"), QStringLiteral("esatto"), QStringLiteral("esatto5")}));
        // Each draw was re-seeded from the clock as it read then: the
        // feedback second has passed between two answers.
        const std::vector<float> lastSeeds(lesson.random.seeds.end() - 3, lesson.random.seeds.end());
        QCOMPARE(lastSeeds, (std::vector<float>{40000.25f, 40001.25f, 40002.25f}));
    }

    void praiseBuckets_data()
    {
        QTest::addColumn<float>("drawn");
        QTest::addColumn<QString>("cue");
        const auto below = [](float x) { return std::nextafter(x, 0.0f); };
        QTest::newRow("0") << 0.0f << "esatto";
        QTest::newRow("just below 0.2") << below(0.2f) << "esatto";
        QTest::newRow("0.2") << 0.2f << "esatto2";
        QTest::newRow("just below 0.4") << below(0.4f) << "esatto2";
        QTest::newRow("0.4") << 0.4f << "esatto3";
        QTest::newRow("just below 0.6") << below(0.6f) << "esatto3";
        QTest::newRow("0.6") << 0.6f << "esatto4";
        QTest::newRow("just below 0.8") << below(0.8f) << "esatto4";
        QTest::newRow("0.8") << 0.8f << "esatto5";
        QTest::newRow("just below 1") << below(1.0f) << "esatto5";
    }

    void praiseBuckets()
    {
        QFETCH(float, drawn);
        QFETCH(QString, cue);
        test::Lesson lesson;
        lesson.random.values = {drawn};
        audio::suonaesatto(QStringLiteral("esatto"));
        QCOMPARE(lesson.player.cues, QStringList{cue});
    }

    void praiseReseedsFromTheClockBeforeEachDraw()
    {
        test::Lesson lesson;
        LoggingRandom random;
        platform::setRandom(&random);
        lesson.clock.seconds = 1234.5f;
        audio::suonaesatto(QStringLiteral("esatto"));
        // cppcheck-suppress redundantAssignment ; suonaesatto() read the clock in between
        lesson.clock.seconds = 1236.0f;
        audio::suonaesatto(QStringLiteral("esatto"));
        platform::setRandom(&lesson.random);
        QCOMPARE(random.log, (QStringList{QStringLiteral("seed 1234.5"), QStringLiteral("draw"),
                                          QStringLiteral("seed 1236"), QStringLiteral("draw")}));
    }

    void sameDrawTwicePlaysTheSamePraiseTwice()
    {
        test::Lesson lesson;
        lesson.random.values = {0.45f, 0.45f};
        audio::suonaesatto(QStringLiteral("esatto"));
        audio::suonaesatto(QStringLiteral("esatto"));
        QCOMPARE(lesson.player.cues, (QStringList{QStringLiteral("esatto3"), QStringLiteral("esatto3")}));
    }

    void otherNamePlaysCongafineWithoutDrawing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("capital") << "Esatto";
        QTest::newRow("trailing blank") << "esatto ";
        QTest::newRow("numbered") << "esatto2";
        QTest::newRow("empty") << "";
        QTest::newRow("another cue") << "premivia";
    }

    void otherNamePlaysCongafineWithoutDrawing()
    {
        QFETCH(QString, name);
        test::Lesson lesson;
        lesson.random.values = {0.9f};
        audio::suonaesatto(name);
        QCOMPARE(lesson.player.cues, QStringList{QStringLiteral("congafine")});
        QVERIFY(lesson.random.seeds.empty());
        QCOMPARE(lesson.random.values.size(), std::size_t{1});
    }
};

ANALISI_TEST_MAIN(TestSoundCues)
#include "test_sound_cues.moc"
