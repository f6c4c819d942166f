#include "tests/support/lesson.h"

#include "classification/riempimento.h"
#include "corpus/corpus.h"
#include "exercise/formb.h"
#include "platform/program_end.h"
#include "tests/support/oracle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace test {

namespace {

void destroyAllWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Lesson *current = nullptr;
// Handlers waiting for a modal window; while one waits, keepContinuing stays out of its way.
int pendingModalHandlers = 0;
// Their pollers: they go with the lesson, since a handler may hold on to
// what a finished test left behind.
std::unique_ptr<QObject> modalPollers;

void cancelModalHandlers(std::unique_ptr<QObject> next)
{
    modalPollers = std::move(next);
    pendingModalHandlers = 0;
}

}  // namespace

bool shown(const QWidget *widget)
{
    return widget && widget->isVisibleTo(widget->window());
}

bool usable(const QWidget *widget)
{
    return shown(widget) && widget->isEnabled();
}

Lesson::Lesson()
{
    current = this;
    cancelModalHandlers(std::make_unique<QObject>());
    destroyAllWindows();
    Modulo1 = StatoEsercizio{};
    platform::setClock(&clock);
    platform::setRandom(&random);
    platform::setSoundPlayer(&player);
    platform::setProgramEnd([this] { ++programEnds; });
}

Lesson::~Lesson()
{
    // A lesson replaced by a newer one leaves the newer one's set-up alone.
    if (current != this)
        return;
    current = nullptr;
    cancelModalHandlers(nullptr);
    destroyAllWindows();
    platform::setClock(nullptr);
    platform::setRandom(nullptr);
    platform::setSoundPlayer(nullptr);
    platform::setProgramEnd({});
    Modulo1 = StatoEsercizio{};
}

FormB *Lesson::open(int mode)
{
    Modulo1.modoanalisi = mode;
    form = FormB::istanza();
    form->show();
    keepContinuing();
    return form;
}

void Lesson::useCorpus(const QByteArray &tsv)
{
    const corpus::Risultato letto = corpus::leggi(tsv);
    if (!letto.valido())
        qFatal("test corpus rejected: %s", qUtf8Printable(letto.errore->messaggio()));
    Modulo1.testoparola = {};
    Modulo1.partediscorso = {};
    Modulo1.tipoarticolo = {};
    Modulo1.genere = {};
    Modulo1.numero = {};
    riempiTabelle(*letto.corpus, Modulo1);
}

void Lesson::start(int row)
{
    random.queueIndex(row, Modulo1.numfrasi);
    click(form->VIA);
}

void Lesson::click(QAbstractButton *button)
{
    QWidget *window = button->window();
    const QPoint centre = button->mapTo(window, button->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
}

std::optional<Passo> Lesson::stepOnScreen(const FormB *f)
{
    if (!f || !f->isVisible())
        return std::nullopt;
    std::vector<const QWidget *> answers{f->Com10, f->Com11, f->VIA};
    answers.insert(answers.end(), f->Com.begin(), f->Com.end());
    answers.insert(answers.end(), f->art.begin(), f->art.end());
    answers.insert(answers.end(), f->Masfem.begin(), f->Masfem.end());
    answers.insert(answers.end(), f->Singplu.begin(), f->Singplu.end());
    auto only = [&](std::initializer_list<const QWidget *> expected) {
        for (const QWidget *w : answers)
            if (usable(w) != (std::find(expected.begin(), expected.end(), w) != expected.end()))
                return false;
        return true;
    };
    if (only({f->VIA}))
        return Modulo1.avviato ? Passo::FraseCompletata : Passo::AttesaPrimoVia;
    if (only({f->Com10, f->Com11}))
        return Passo::Variabilita;
    if (only({f->Com(1), f->Com(2), f->Com(3), f->Com(4), f->Com(5)}))
        return Passo::ParteVariabile;
    if (only({f->Com(6), f->Com(7), f->Com(8), f->Com(9)}))
        return Passo::ParteInvariabile;
    if (only({f->art(1), f->art(2), f->art(3)}))
        return Passo::Tipo;
    if (only({f->Masfem(1), f->Masfem(2)}))
        return Passo::Genere;
    if (only({f->Singplu(1), f->Singplu(2)}))
        return Passo::Numero;
    if (only({}))
        return Passo::FrasiFinite;
    return std::nullopt;
}

QAbstractButton *Lesson::buttonFor(const FormB *f, Passo step, int code)
{
    auto in = [code](const auto &group) -> QAbstractButton * {
        return code >= group.lbound && code <= group.ubound ? group(code) : nullptr;
    };
    switch (step) {
    case Passo::Variabilita: return code == 10 ? f->Com10 : code == 11 ? f->Com11 : nullptr;
    case Passo::ParteVariabile:
    case Passo::ParteInvariabile: return in(f->Com);
    case Passo::Tipo: return in(f->art);
    case Passo::Genere: return in(f->Masfem);
    case Passo::Numero: return in(f->Singplu);
    default: return nullptr;
    }
}

QAbstractButton *Lesson::rightButton() const
{
    const std::optional<Passo> step = stepOnScreen(form);
    if (!step)
        return nullptr;
    return buttonFor(form, *step, oracle::rightButton(*step, Modulo1.numfrase, Modulo1.posparola));
}

QAbstractButton *Lesson::wrongButton() const
{
    QAbstractButton *right = rightButton();
    if (!right)
        return nullptr;
    if (right == form->Com10)
        return form->Com11;
    if (right == form->Com11)
        return form->Com10;
    for (QPushButton *candidate : form->findChildren<QPushButton *>())
        if (candidate != right && usable(candidate) && candidate != form->VIA && candidate != form->FINE
            && candidate != form->Command8 && candidate != form->comaiuto)
            return candidate;
    return nullptr;
}

bool Lesson::answerRight()
{
    QAbstractButton *button = rightButton();
    if (button)
        click(button);
    return button != nullptr;
}

bool Lesson::answerWrong()
{
    QAbstractButton *button = wrongButton();
    if (button)
        click(button);
    return button != nullptr;
}

int Lesson::finishSentence()
{
    int presses = 0;
    while (!shown(form->VIA) && answerRight())
        ++presses;
    return presses;
}

void Lesson::onNextModal(std::function<void(QWidget *)> handler)
{
    auto *poll = new QTimer(modalPollers.get());
    poll->setInterval(0);
    ++pendingModalHandlers;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, handler = std::move(handler)] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            --pendingModalHandlers;
            handler(modal);
        }
    });
    poll->start();
}

void Lesson::keepContinuing()
{
    auto *poll = new QTimer(form);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, poll, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || pendingModalHandlers > 0 || modal->property("test_continued").toBool())
            return;
        for (QPushButton *button : modal->findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("PROSEGUI")) {
                modal->setProperty("test_continued", true);
                ++resultsShown;
                button->click();
                return;
            }
        }
    });
    poll->start();
}

}  // namespace test
