// Keeping the controls in proportion: the registration of both windows, and
// scaling that always starts from the recorded design values.

#include "app/iniziale.h"
#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/design.h"
#include "platform/ridimschermo.h"
#include "tests/support/captions.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

QRect recordedGeometry(int i)
{
    const auto k = static_cast<std::size_t>(i);
    return {static_cast<int>(ridimschermo::sinistra[k]), static_cast<int>(ridimschermo::alto[k]),
            static_cast<int>(ridimschermo::larghezza[k]), static_cast<int>(ridimschermo::altezza[k])};
}

void resizeWindow(QWidget *window, int width, int height)
{
    window->setWindowState(Qt::WindowNoState);
    window->resize(width, height);
    QCoreApplication::processEvents();
    QTRY_COMPARE(window->size(), QSize(width, height));
}

}  // namespace

class TestLayoutScaling : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;

private slots:
    void init() { lesson = std::make_unique<test::Lesson>(); }
    void cleanup() { lesson.reset(); }

    void exerciseWindowRegistersItsSixtySixControls()
    {
        FormB *form = lesson->open(0);
        QCOMPARE(ridimschermo::finestra.data(), form);
        QCOMPARE(ridimschermo::numcontrolli, 66);
        for (int i = 1; i <= 66; ++i)
            QVERIFY2(ridimschermo::controlli[static_cast<std::size_t>(i)], qPrintable(QString::number(i)));
        auto at = [](int i) { return ridimschermo::controlli[static_cast<std::size_t>(i)].data(); };
        QCOMPARE(at(1), form->AVVISO);
        QCOMPARE(at(3), form->Label1);
        QCOMPARE(at(7), form->Frame4);
        QCOMPARE(at(14), form->VIA);
        QCOMPARE(at(17), form->Com11);
        QCOMPARE(at(51), form->Lbclock);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(at(i + 17), form->art(i));  // the kind buttons, twice
            QCOMPARE(at(i + 51), form->art(i));
        }
        QCOMPARE(at(21), form->Com(1));
        QCOMPARE(at(29), form->Com(9));
        QCOMPARE(at(30), form->Lbmostra(1));
        QCOMPARE(at(50), form->Lbmostra(21));
        QCOMPARE(at(55), form->Singplu(1));
        QCOMPARE(at(58), form->Masfem(2));
        QCOMPARE(at(59), form->display(1));
        QCOMPARE(at(63), form->display(5));
        QCOMPARE(at(64), form->Frame5);
        QCOMPARE(at(65), form->Label8);
        QCOMPARE(at(66), form->Lbmostra(22));
        for (int i = 1; i <= 66; ++i)
            QVERIFY(at(i) != form->FRASE_INTERA_B);
    }

    void startWindowRegistersEight()
    {
        Iniziale *start = Iniziale::istanza();
        QCOMPARE(ridimschermo::numcontrolli, 8);
        const QWidget *const expected[] = {start->Label1, start->Label2, start->Label5, start->Label4,
                                     start->Label6, start->Label3, start->Command1, start->Command2};
        for (int i = 1; i <= 8; ++i)
            QCOMPARE(ridimschermo::controlli[static_cast<std::size_t>(i)].data(), expected[i - 1]);
        // The exercise window's registration replaces it.
        lesson->open(0);
        QCOMPARE(ridimschermo::numcontrolli, 66);
    }

    void windowFillsTheScreenAndControlsFollow()
    {
        FormB *form = lesson->open(0);
        const QSize screen = ridimschermo::dimensioneMassimizzata(form);
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        QCOMPARE(form->size(), screen);
        // The design size is the reference: the controls follow the screen.
        QVERIFY(ridimschermo::larghezzarif != screen.width());
        const double rx = screen.width() / ridimschermo::larghezzarif;
        QVERIFY(qAbs(form->VIA->x() - recordedGeometry(14).x() * rx) <= 1.0);
    }

    void halfWidthHalvesLeftsAndWidths()
    {
        FormB *form = lesson->open(0);
        const int w = static_cast<int>(ridimschermo::larghezzarif);
        const int h = static_cast<int>(ridimschermo::altezzarif);
        const int halfWidth = w / 2;  // the window takes whole pixels
        resizeWindow(form, halfWidth, h);
        for (int i = 1; i <= 66; ++i) {
            QWidget *c = ridimschermo::controlli[static_cast<std::size_t>(i)];
            const QRect design = recordedGeometry(i);
            const QString where = QString::number(i);
            QVERIFY2(qAbs(c->x() - design.x() * halfWidth / double(w)) <= 1.0, qPrintable(where));
            // A word label is as wide as its text, at any window width.
            if (platform::sizedToText(c))
                QCOMPARE(c->width(), qobject_cast<QLabel *>(c)->sizeHint().width());
            else
                QVERIFY2(qAbs(c->width() - design.width() * halfWidth / double(w)) <= 1.0, qPrintable(where));
            QCOMPARE(c->y(), design.y());
            QCOMPARE(c->height(), design.height());
            QCOMPARE(c->font().pointSizeF(), ridimschermo::carattere[static_cast<std::size_t>(i)]);
        }
        // Fonts follow the height only.
        const int halfHeight = h / 2;
        resizeWindow(form, w, halfHeight);
        QCOMPARE(form->VIA->font().pointSizeF(), ridimschermo::carattere[14] / 2 * (halfHeight * 2.0 / h));
    }

    void repeatedResizesDoNotDriftAndTheDesignComesBack()
    {
        FormB *form = lesson->open(0);
        const int w = static_cast<int>(ridimschermo::larghezzarif);
        const int h = static_cast<int>(ridimschermo::altezzarif);
        QRandomGenerator sizes(7);
        for (int round = 0; round < 25; ++round)
            resizeWindow(form, sizes.bounded(w / 3, w * 2), sizes.bounded(h / 3, h * 2));
        resizeWindow(form, w, h);
        for (int i = 1; i <= 66; ++i) {
            QWidget *c = ridimschermo::controlli[static_cast<std::size_t>(i)];
            QCOMPARE(c->geometry(), recordedGeometry(i));
            QCOMPARE(c->font().pointSizeF(), ridimschermo::carattere[static_cast<std::size_t>(i)]);
        }
    }

    void wholeSentenceLabelNeverMoves()
    {
        FormB *form = lesson->open(0);
        const QRect before = form->FRASE_INTERA_B->geometry();
        const QFont font = form->FRASE_INTERA_B->font();
        resizeWindow(form, 500, 400);
        resizeWindow(form, 1500, 1000);
        QCOMPARE(form->FRASE_INTERA_B->geometry(), before);
        QCOMPARE(form->FRASE_INTERA_B->font(), font);
    }

    // Screens of other shapes than the design's: the fonts follow the
    // height, the boxes the width, and every caption still fits.
    void captionsFitEveryScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        for (const QSize size : {QSize(1024, 768), QSize(1280, 1024), QSize(1280, 800), QSize(1366, 768),
                                 QSize(1920, 1080), QSize(2560, 1440)})
            QTest::addRow("%dx%d", size.width(), size.height()) << size;
    }

    void captionsFitEveryScreen()
    {
        QFETCH(QSize, screen);
        Iniziale *start = Iniziale::istanza();
        start->show();
        resizeWindow(start, screen.width(), screen.height());
        QStringList cut = test::captionsOutside(start);
        delete start;

        // The longest sentence, done, so that the longest instruction shows.
        FormB *form = lesson->open(0);
        int longest = 0;
        for (int row = 0; row < Modulo1.numfrasi; ++row)
            if (Modulo1.partediscorso(row, 0) > Modulo1.partediscorso(longest, 0))
                longest = row;
        lesson->start(longest);
        lesson->finishSentence();
        resizeWindow(form, screen.width(), screen.height());
        cut += test::captionsOutside(form);
        QVERIFY2(cut.isEmpty(), qPrintable(QString::number(cut.size()) + QStringLiteral(" cut:\n") + cut.join(QLatin1Char('\n'))));
    }

    // The fitting font is searched by halving: it must still land on the
    // largest size that fits, at either end of the range too.
    void largestFittingFontFindsTheLargestThatFits_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("largestFitting");
        QTest::addColumn<int>("expected");
        QTest::newRow("fits as it is") << 20 << 20 << 20;
        QTest::newRow("one size less") << 20 << 19 << 19;
        QTest::newRow("middle") << 40 << 13 << 13;
        QTest::newRow("smallest") << 40 << 1 << 1;
        QTest::newRow("nothing fits: smallest") << 40 << 0 << 1;
    }
    void largestFittingFontFindsTheLargestThatFits()
    {
        QFETCH(int, from);
        QFETCH(int, largestFitting);
        QFETCH(int, expected);
        QFont font;
        font.setPixelSize(from);
        const QFont found = platform::largestFittingFont(
            font, [&](const QFont &f) { return QFontInfo(f).pixelSize() <= largestFitting; });
        QCOMPARE(QFontInfo(found).pixelSize(), expected);
    }

    void resizeBeforeRecordingMovesNothing()
    {
        QWidget window;
        window.resize(400, 300);
        auto *button = new QPushButton(QStringLiteral("x"), &window);
        button->setGeometry(10, 20, 100, 40);
        ridimschermo::numcontrolli = 1;
        ridimschermo::preparaarray();
        ridimschermo::finestra = &window;
        ridimschermo::registra(1, button);
        window.resize(800, 600);
        ridimschermo::riscala();
        QCOMPARE(button->geometry(), QRect(10, 20, 100, 40));
        // Indexes outside the table are ignored.
        ridimschermo::registra(0, button);
        ridimschermo::registra(2, button);
        QCOMPARE(static_cast<int>(ridimschermo::controlli.size()), 2);
        ridimschermo::finestra = nullptr;
    }
};

ANALISI_TEST_MAIN(TestLayoutScaling)
#include "test_layout_scaling.moc"
