// What a screen reader is told (read and caught through QAccessible, as an
// assistive technology's bridge gets it) and what tells the word to classify
// and the window-coloured controls apart without colour.

#include "classification/modulo1.h"
#include "classification/pulsanti.h"
#include "exercise/formb.h"
#include "platform/design.h"
#include "tests/exercise/frase_due_articoli.h"
#include "tests/support/contrast.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace {

const QByteArray &frase = test::fraseDueArticoli;

const QString daClassificare = QStringLiteral("parola da classificare");

struct Evento {
    QAccessible::Event tipo;
    QObject *oggetto;
    QString nome;
    QString descrizione;
};

// The events sent while it lives, with the name and description they carried.
// Qt hands events to the handler only while accessibility is active, which
// takes a platform with an accessibility bridge and a running one (AT-SPI);
// elsewhere (the offscreen platform) the events cannot be seen and the checks
// of them skip.
std::vector<Evento> *registro = nullptr;

class Ascolto
{
public:
    Ascolto()
    {
        registro = &eventi;
        QAccessible::setActive(true);
        attivo = QAccessible::isActive();
        QAccessible::installUpdateHandler([](QAccessibleEvent *e) {
            QAccessibleInterface *i = e->accessibleInterface();
            registro->push_back({e->type(), e->object(), i ? i->text(QAccessible::Name) : QString(),
                                 i ? i->text(QAccessible::Description) : QString()});
        });
    }
    ~Ascolto()
    {
        QAccessible::installUpdateHandler(nullptr);
        registro = nullptr;
    }
    QStringList nomi(QAccessible::Event tipo, const QObject *oggetto) const
    {
        QStringList trovati;
        for (const Evento &e : eventi)
            if (e.tipo == tipo && e.oggetto == oggetto)
                trovati << (tipo == QAccessible::NameChanged ? e.nome : e.descrizione);
        return trovati;
    }
    std::vector<Evento> eventi;
    bool attivo = false;
};

QAccessibleInterface *accessibile(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w);
}

}  // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    FormB *form = nullptr;

    void open(int mode)
    {
        form = lesson->open(mode);
        lesson->useCorpus(frase);
        lesson->start(0);
    }

private slots:
    // A bridge connects a moment after start-up.
    void initTestCase()
    {
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QVERIFY(QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000));
    }
    void init() { lesson = std::make_unique<test::Lesson>(); }
    void cleanup() { lesson.reset(); }

    // The word to classify is described, red and underlined, and only it;
    // moving on tells the old and the new word.
    void wordToClassify_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("answers");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("next word") << 0 << 5 << 1 << 2;
        QTest::newRow("invariable word") << 0 << 7 << 2 << 3;
        QTest::newRow("next article") << 1 << 5 << 1 << 4;
    }

    void wordToClassify()
    {
        QFETCH(int, mode);
        QFETCH(int, answers);
        QFETCH(int, before);
        QFETCH(int, after);
        open(mode);
        for (int i = 0; i < answers - 1; ++i)
            QVERIFY(lesson->answerRight());
        QCOMPARE(Modulo1.posparola, before);
        Ascolto ascolto;
        QVERIFY(lesson->answerRight());
        QCOMPARE(Modulo1.posparola, after);

        if (ascolto.attivo) {
            QCOMPARE(ascolto.nomi(QAccessible::DescriptionChanged, form->Lbmostra(before)), QStringList{QString()});
            QCOMPARE(ascolto.nomi(QAccessible::DescriptionChanged, form->Lbmostra(after)),
                     QStringList{daClassificare});
        }
        for (int j = 1; j <= 5; ++j) {
            QLabel *parola = form->Lbmostra(j);
            const bool questa = j == after;
            QCOMPARE(accessibile(parola)->role(), QAccessible::StaticText);
            QCOMPARE(accessibile(parola)->text(QAccessible::Description), questa ? daClassificare : QString());
            QCOMPARE(accessibile(parola)->text(QAccessible::Name), parola->text());
            QCOMPARE(parola->font().underline(), questa);
            QCOMPARE(platform::foreColor(parola) == QColor(255, 0, 0), questa);
        }
    }

    // Each feedback line is announced, with its text as the name, when it
    // appears.
    void feedbackLines_data()
    {
        QTest::addColumn<int>("rightAnswers");
        QTest::addColumn<bool>("wrong");
        QTest::addColumn<QString>("line");
        QTest::newRow("Bravo !") << 0 << false << "Bravo !";
        QTest::newRow("bravo!") << 1 << false << "bravo!";
        QTest::newRow("No riprova") << 2 << true << "No riprova";
        QTest::newRow("COMPLETATA") << 15 << false << "COMPLETATA";
    }

    void feedbackLines()
    {
        QFETCH(int, rightAnswers);
        QFETCH(bool, wrong);
        QFETCH(QString, line);
        open(0);
        for (int i = 0; i < rightAnswers; ++i)
            QVERIFY(lesson->answerRight());
        Ascolto ascolto;
        if (!ascolto.attivo)
            QSKIP("accessibility is not active on this platform: no events reach a handler");
        QVERIFY(wrong ? lesson->answerWrong() : lesson->answerRight());
        QStringList annunci = ascolto.nomi(QAccessible::NameChanged, form->gratifica);
        annunci.removeAll(QString());  // the line cleared again
        QCOMPARE(annunci.count(line), 1);
        QCOMPARE(annunci.last(), line);
        QCOMPARE(accessibile(form->gratifica)->role(), QAccessible::StaticText);
    }

    // The counters say what they count and end with the number shown.
    void counters()
    {
        open(0);
        QCOMPARE(accessibile(form->Lrisposte)->text(QAccessible::Name), QStringLiteral("risposte: 0"));
        QVERIFY(lesson->answerRight());
        QVERIFY(lesson->answerWrong());
        QVERIFY(lesson->answerWrong());
        QVERIFY(lesson->answerRight());
        const std::pair<QLabel *, QString> attesi[] = {{form->Lrisposte, QStringLiteral("risposte: 4")},
                                                       {form->Lerrori, QStringLiteral("errori: 2")},
                                                       {form->Lpercentuale,
                                                        QStringLiteral("errori in percentuale: 50")}};
        for (const auto &[etichetta, nome] : attesi) {
            QCOMPARE(accessibile(etichetta)->text(QAccessible::Name), nome);
            QVERIFY(nome.endsWith(QLatin1Char(' ') + etichetta->text()));
        }
    }

    // A button or a trail box of the window's own colour keeps an edge that
    // stands out from the window.
    void windowColouredControlsKeepAnEdge()
    {
        open(0);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QVERIFY(lesson->answerRight());
        QVERIFY(lesson->answerRight());  // kind buttons shown
        QCOMPARE(platform::backColor(form->art(1)), platform::designColor(pulsanti::sfondoFinestra));
        QVERIFY(lesson->answerRight());  // "determinativo" in the trail
        QCOMPARE(platform::backColor(form->display(3)), platform::designColor(pulsanti::sfondoFinestra));

        const QColor finestra = platform::designColor(pulsanti::sfondoFinestra);
        QWidget *scatola = form->display(3);
        platform::setBackColor(form->art(1), pulsanti::sfondoFinestra);
        form->art(1)->show();  // drawn alone: only its edge is read
        for (QWidget *w : {static_cast<QWidget *>(form->art(1)), scatola}) {
            const QImage image = w->grab().toImage();
            const int x = image.width() / 2;
            const int y = image.height() / 2;
            for (const QPoint p : {QPoint(x, 0), QPoint(x, image.height() - 1), QPoint(0, y),
                                   QPoint(image.width() - 1, y)})
                QVERIFY2(test::contrast(image.pixelColor(p), finestra) >= 3.0, qPrintable(w->objectName()));
        }
    }
};

ANALISI_TEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
