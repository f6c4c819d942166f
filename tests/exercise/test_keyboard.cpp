// The drill without a mouse: the focus chain, Space and Return, the answer
// keys, F1, Escape and Ctrl+Q, keys dropped during the feedback second, and a
// focus mark that stands out on every button colour. Keys go through the
// window system as a pupil's do.

#include "classification/modulo1.h"
#include "classification/pulsanti.h"
#include "exercise/formb.h"
#include "platform/command_button.h"
#include "platform/design.h"
#include "platform/program_end.h"
#include "screens/formaiuto.h"
#include "screens/frm_errori.h"
#include "tests/exercise/frase_due_articoli.h"
#include "tests/support/contrast.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QPushButton>
#include <QSet>
#include <QTimer>

namespace {

const QByteArray &frase = test::fraseDueArticoli;

QString focused(const QWidget *window)
{
    const QWidget *w = window->focusWidget();
    return w ? w->objectName() : QString();
}

}  // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::Lesson> lesson;
    FormB *form = nullptr;
    QStringList pressed;  // object names of the buttons clicked, in order

    // The sentence above after `rightAnswers` right answers (-1: all of them).
    void reach(int rightAnswers)
    {
        form = lesson->open(0);
        lesson->useCorpus(frase);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        lesson->start(0);
        if (rightAnswers < 0)
            lesson->finishSentence();
        for (int i = 0; i < rightAnswers; ++i)
            QVERIFY(lesson->answerRight());
        for (QPushButton *b : form->findChildren<QPushButton *>())
            connect(b, &QPushButton::clicked, this, [this, b] { pressed << b->objectName(); });
    }

    static void press(QWidget *window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->windowHandle(), static_cast<Qt::Key>(key), modifiers);
    }

private slots:
    void init() { lesson = std::make_unique<test::Lesson>(); pressed.clear(); }
    void cleanup() { lesson.reset(); }

    // Tab and the arrows go round the usable answer buttons, then "Aiuto ?"
    // and "mostra errori"; FINE and hidden or disabled buttons are skipped.
    void focusChain_data()
    {
        QTest::addColumn<int>("rightAnswers");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("chain");  // focus after each press
        const QString variabilita = QStringLiteral("Com11 comaiuto Command8 Com10");
        const QString indietro = QStringLiteral("Command8 comaiuto Com11 Com10");
        QTest::newRow("Tab") << 0 << int(Qt::Key_Tab) << variabilita;
        QTest::newRow("Right") << 0 << int(Qt::Key_Right) << variabilita;
        QTest::newRow("Down") << 0 << int(Qt::Key_Down) << variabilita;
        QTest::newRow("Shift+Tab") << 0 << int(Qt::Key_Backtab) << indietro;
        QTest::newRow("Left") << 0 << int(Qt::Key_Left) << indietro;
        QTest::newRow("Up") << 0 << int(Qt::Key_Up) << indietro;
        QTest::newRow("parts of speech") << 1 << int(Qt::Key_Tab) << "Com2 Com3 Com4 Com5 comaiuto Command8 Com1";
        QTest::newRow("gender") << 3 << int(Qt::Key_Down) << "Masfem2 comaiuto Command8 Masfem1";
        QTest::newRow("invariable parts") << 8 << int(Qt::Key_Left) << "Command8 comaiuto Com9 Com8 Com7 Com6";
        QTest::newRow("sentence done") << -1 << int(Qt::Key_Tab) << "comaiuto Command8 VIA";
    }

    void focusChain()
    {
        QFETCH(int, rightAnswers);
        QFETCH(int, key);
        QFETCH(QString, chain);
        reach(rightAnswers);
        QStringList seen;
        for (qsizetype i = 0; i < chain.count(QLatin1Char(' ')) + 1; ++i) {
            QTest::keyClick(form->windowHandle(), static_cast<Qt::Key>(key));
            seen << focused(form);
        }
        QCOMPARE(seen.join(QLatin1Char(' ')), chain);
        QVERIFY(pressed.isEmpty());
    }

    void spaceAndReturnPressTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }

    void spaceAndReturnPressTheFocusedButton()
    {
        QFETCH(int, key);
        reach(0);
        QTest::keyClick(form->windowHandle(), static_cast<Qt::Key>(key));  // on "PARTE VARIABILE"
        QCOMPARE(pressed, QStringList{QStringLiteral("Com10")});
        QCOMPARE(Modulo1.passo, Passo::ParteVariabile);
        QCOMPARE(focused(form), QStringLiteral("Com1"));
    }

    // Each answer key presses the button it names only while that button is
    // shown and usable; "I" and "P" name two buttons each.
    void answerKeys_data()
    {
        QTest::addColumn<int>("rightAnswers");
        QTest::addColumn<char>("tasto");
        QTest::addColumn<QString>("button");  // "" for none
        QTest::newRow("V") << 0 << 'V' << "Com10";
        QTest::newRow("I variability") << 0 << 'I' << "Com11";
        QTest::newRow("1 not yet") << 0 << '1' << "";
        QTest::newRow("1") << 1 << '1' << "Com1";
        QTest::newRow("5") << 1 << '5' << "Com5";
        QTest::newRow("6 hidden") << 1 << '6' << "";
        QTest::newRow("V answered") << 1 << 'V' << "";
        QTest::newRow("D") << 2 << 'D' << "art1";
        QTest::newRow("I kind") << 2 << 'I' << "art2";
        QTest::newRow("P kind") << 2 << 'P' << "art3";
        QTest::newRow("M") << 3 << 'M' << "Masfem1";
        QTest::newRow("F") << 3 << 'F' << "Masfem2";
        QTest::newRow("D gone") << 3 << 'D' << "";
        QTest::newRow("S") << 4 << 'S' << "Singplu1";
        QTest::newRow("P number") << 4 << 'P' << "Singplu2";
        QTest::newRow("6") << 8 << '6' << "Com6";
        QTest::newRow("9") << 8 << '9' << "Com9";
        QTest::newRow("5 hidden") << 8 << '5' << "";
        QTest::newRow("lower case") << 0 << 'v' << "Com10";
    }

    void answerKeys()
    {
        QFETCH(int, rightAnswers);
        QFETCH(char, tasto);
        QFETCH(QString, button);
        reach(rightAnswers);
        QTest::keyClick(form->windowHandle(), tasto);
        QCOMPARE(pressed.join(QLatin1Char(' ')), button);
        if (!button.isEmpty()) {
            const auto *b = form->findChild<QPushButton *>(button);
            QCOMPARE(b->toolTip(), QStringLiteral("tasto %1").arg(QChar::fromLatin1(tasto).toUpper()));
        }
    }

    // Walking whole sentences in both modes: at no step do two usable
    // buttons share a key, and every caption is the table's.
    void noKeyNamesTwoUsableButtons_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("analisi completa") << 0;
        QTest::newRow("solo articoli") << 1;
    }

    void noKeyNamesTwoUsableButtons()
    {
        QFETCH(int, mode);
        form = lesson->open(mode);
        lesson->useCorpus(frase);
        lesson->start(0);
        int steps = 0;
        do {
            QSet<QString> keys;
            for (const QPushButton *b : form->findChildren<QPushButton *>()) {
                if (!test::usable(b) || b->shortcut().isEmpty())
                    continue;
                const QString k = b->shortcut().toString();
                QVERIFY2(!keys.contains(k), qPrintable(k));
                keys.insert(k);
            }
            ++steps;
        } while (!test::shown(form->VIA) && lesson->answerRight());
        QCOMPARE(steps, mode == 0 ? 17 : 11);  // every answer and the end
        for (const pulsanti::Voce &v : pulsanti::partiDelDiscorso)
            QCOMPARE(form->Com(v.indice)->text(), QString::fromLatin1(v.caption));
    }

    // Keys and shortcuts pressed during the feedback second are dropped and
    // not replayed: the kind buttons stay enabled through it.
    void keysDuringFeedbackAreDropped_data()
    {
        QTest::addColumn<int>("rightAnswers");
        QTest::addColumn<bool>("right");
        QTest::newRow("variability, right") << 0 << true;
        QTest::newRow("kind, wrong") << 2 << false;
        QTest::newRow("kind, right") << 2 << true;
    }

    void keysDuringFeedbackAreDropped()
    {
        QFETCH(int, rightAnswers);
        QFETCH(bool, right);
        reach(rightAnswers);
        const int answers = Modulo1.domande;
        lesson->clock.duringWait = [this] {
            for (char k : {'V', 'I', '1', 'D', 'P', 'M', 'S'})
                QTest::keyClick(form->windowHandle(), k);
            QTest::keyClick(form->windowHandle(), Qt::Key_Return);
            QTest::keyClick(form->windowHandle(), Qt::Key_Space);
            QTest::keyClick(form->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
        };
        QVERIFY(right ? lesson->answerRight() : lesson->answerWrong());
        lesson->clock.duringWait = nullptr;
        QCoreApplication::processEvents();
        QCOMPARE(pressed.size(), 1);
        QCOMPARE(Modulo1.domande, answers + 1);
        QCOMPARE(lesson->programEnds, 0);
    }

    // F1 opens the help, Escape closes the help and the error review, Ctrl+Q
    // acts as FINE from any window.
    void windowKeys_data()
    {
        QTest::addColumn<QString>("on");  // the window the key is pressed on
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("review");
        QTest::addColumn<int>("ends");
        QTest::newRow("F1") << "FormB" << int(Qt::Key_F1) << 0 << true << false << 0;
        QTest::newRow("Escape on the help") << "Formaiuto" << int(Qt::Key_Escape) << 0 << false << false << 0;
        QTest::newRow("Escape on the review") << "FRM_ERRORI" << int(Qt::Key_Escape) << 0 << false << false << 0;
        QTest::newRow("Escape on the exercise") << "FormB" << int(Qt::Key_Escape) << 0 << false << false << 0;
        QTest::newRow("Ctrl+Q") << "FormB" << int(Qt::Key_Q) << int(Qt::ControlModifier) << false << false << 1;
        QTest::newRow("Ctrl+Q on the help") << "Formaiuto" << int(Qt::Key_Q) << int(Qt::ControlModifier) << true
                                            << false << 1;
        QTest::newRow("Q alone") << "FormB" << int(Qt::Key_Q) << 0 << false << false << 0;
    }

    void windowKeys()
    {
        QFETCH(QString, on);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, help);
        QFETCH(bool, review);
        QFETCH(int, ends);
        reach(0);
        QWidget *window = form;
        if (on == QLatin1String("Formaiuto")) {
            test::Lesson::click(form->comaiuto);
            window = Formaiuto::esistente();
        } else if (on == QLatin1String("FRM_ERRORI")) {
            test::Lesson::click(form->Command8);
            window = FRM_ERRORI::esistente();
        }
        press(window, key, Qt::KeyboardModifiers(modifiers));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Formaiuto::esistente() && Formaiuto::esistente()->isVisible(), help);
        QCOMPARE(FRM_ERRORI::esistente() && FRM_ERRORI::esistente()->isVisible(), review);
        QCOMPARE(lesson->programEnds, ends);
        QCOMPARE(lesson->player.cues.contains(QStringLiteral("congafine")), ends == 1);
    }

    // Ctrl+Q leaves the program as FINE does, with exit status 0.
    void ctrlQLeavesWithStatusZero()
    {
        reach(0);
        platform::setProgramEnd({});
        QTimer::singleShot(0, form, [this] { QTest::keyClick(form->windowHandle(), Qt::Key_Q, Qt::ControlModifier); });
        const int code = QCoreApplication::exec();
        platform::setProgramEnd([this] { ++lesson->programEnds; });
        QCOMPARE(code, 0);
        QVERIFY(!form->isVisible());
    }

    // The focus outline contrasts at least 3:1 with every button face and
    // every window colour, and is drawn at least 2 px wide all round.
    void focusMarkStandsOut_data()
    {
        QTest::addColumn<quint32>("face");
        auto righe = [](const auto &tabella) {
            for (const pulsanti::Voce &v : tabella)
                QTest::newRow(v.caption) << v.colore;
        };
        righe(pulsanti::variabilita);
        righe(pulsanti::partiDelDiscorso);
        righe(pulsanti::tipi);
        righe(pulsanti::generi);
        righe(pulsanti::numeri);
    }

    void focusMarkStandsOut()
    {
        QFETCH(quint32, face);
        const QColor mark = QColor::fromRgb(platform::CommandButton::focusColor);
        QVERIFY(platform::CommandButton::focusWidth >= 2);
        QVERIFY(test::contrast(mark, platform::designColor(face)) >= 3.0);
        for (quint32 window : {pulsanti::sfondoFinestra, pulsanti::sfondoErrore})
            QVERIFY(test::contrast(mark, platform::designColor(window)) >= 3.0);

        QWidget window;
        platform::setBackColor(&window, pulsanti::sfondoFinestra);
        auto *b = new platform::CommandButton(QStringLiteral("x"), &window);
        platform::setBackColor(b, face);
        b->setGeometry(10, 10, 120, 40);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        b->setFocus();
        const QImage image = b->grab().toImage();
        for (int d = 0; d < 2; ++d)
            for (const QPoint p : {QPoint(60, d), QPoint(60, 39 - d), QPoint(d, 20), QPoint(119 - d, 20)})
                QCOMPARE(image.pixelColor(p * image.devicePixelRatio()), mark);
    }
};

ANALISI_TEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
