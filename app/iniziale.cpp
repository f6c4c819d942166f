#include "app/iniziale.h"

#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/audio.h"
#include "platform/command_button.h"
#include "platform/design.h"
#include "platform/ridimschermo.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

using platform::designFont;
using platform::placeTwips;
using platform::rgb;

namespace {

const QString bookman = QStringLiteral("Bookman Old Style");
const QString sansSerif = QStringLiteral("MS Sans Serif");
constexpr quint32 giallo = rgb(255, 255, 0);

QPointer<Iniziale> istanzaIniziale;

}  // namespace

Iniziale *Iniziale::istanza()
{
    if (!istanzaIniziale)
        istanzaIniziale = new Iniziale;
    return istanzaIniziale;
}

Iniziale *Iniziale::esistente()
{
    return istanzaIniziale.data();
}

Iniziale::Iniziale()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Iniziale"));
    setWindowTitle(QStringLiteral("Form1"));
    resize(platform::twips(11880), platform::twips(8535));
    platform::setBackColor(this, rgb(60, 80, 219));
    creaControlli();
    Form_Load();
}

void Iniziale::creaControlli()
{
    auto etichetta = [this](const QString &testo, double punti, int peso) {
        auto *l = new QLabel(testo, this);
        l->setFont(designFont(bookman, punti, peso));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        platform::setForeColor(l, giallo);
        return l;
    };
    Label2 = etichetta(QStringLiteral("ARTICOLI"), 27.75, 600);
    placeTwips(Label2, 4560, 690, 2925, 660);
    Label5 = etichetta(QStringLiteral("Scegli se desideri fare un'analisi comprendente tutte le parti del "
                                      "discorso o solo gli articoli."),
                       15.75, 600);
    Label5->setWordWrap(true);
    placeTwips(Label5, 1695, 1995, 8265, 855);
    Label1 = etichetta(QStringLiteral("Analisi grammaticale"), 20.25, 600);
    placeTwips(Label1, 3660, 5625, 4485, 480);
    Label6 = etichetta(QStringLiteral("Idea del programma: Laboratorio di grammatica"), 14.25, 900);
    placeTwips(Label6, 3060, 6240, 5655, 330);
    Label4 = etichetta(QStringLiteral("Didattica: Laboratorio di grammatica"), 14.25, 900);
    placeTwips(Label4, 2835, 6720, 5955, 330);
    Label3 = etichetta(QStringLiteral("Sviluppo del software: Laboratorio di grammatica"), 14.25, 900);
    placeTwips(Label3, 2250, 7200, 7425, 330);
    // The labels size themselves to their text, keeping their centre, at
    // every scale.
    for (QLabel *l : {Label1, Label2, Label4, Label6, Label3})
        platform::sizeToText(l);

    auto pulsante = [this](const QString &testo, quint32 colore) {
        auto *b = new platform::CommandButton(testo, this);
        b->setFont(designFont(sansSerif, 24, 700));
        platform::setBackColor(b, colore);
        return b;
    };
    Command1 = pulsante(QStringLiteral("analisi completa"), rgb(255, 255, 128));
    placeTwips(Command1, 1920, 3255, 2655, 1065);
    Command2 = pulsante(QStringLiteral("solo articoli"), rgb(192, 255, 192));
    placeTwips(Command2, 6960, 3270, 2580, 1065);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);

    connect(Command1, &QPushButton::clicked, this, &Iniziale::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Iniziale::Command2_Click);
    connect(Timer1, &QTimer::timeout, this, &Iniziale::Timer1_Timer);
}

void Iniziale::Form_Load()
{
    ridimschermo::numcontrolli = 8;
    ridimschermo::preparaarray();
    ridimschermo::finestra = this;
    // cppcheck-suppress constVariable ; the scaling keeps them to move and resize
    QWidget *const controlli[] = {Label1, Label2, Label5, Label4, Label6, Label3, Command1, Command2};
    int indice = 0;
    for (QWidget *controllo : controlli)
        ridimschermo::registra(++indice, controllo);
    ridimschermo::registraescala();

    audio::suona(QStringLiteral("conga"));
    Timer1->setInterval(6000);
    Timer1->start();
}

void Iniziale::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (ridimschermo::finestra == this)
        ridimschermo::riscala();
}

void Iniziale::apriEsercizio()
{
    if (uscito_)
        return;
    uscito_ = true;
    Timer1->stop();
    // The exercise window is created and loaded now and goes up the moment
    // this window is gone. Both fill the screen: drawing the new one while
    // this one still holds its screen-sized frame buffer would take the
    // memory of two at once. Until then this window stays as it is, and
    // takes no more clicks.
    FormB *esercizio = FormB::istanza();
    connect(this, &QObject::destroyed, esercizio, &QWidget::show);
    deleteLater();
}

void Iniziale::Command1_Click()
{
    if (uscito_)
        return;
    Modulo1.modoanalisi = 0;
    apriEsercizio();
}

void Iniziale::Command2_Click()
{
    if (uscito_)
        return;
    Modulo1.modoanalisi = 1;
    apriEsercizio();
}

void Iniziale::Form_Click()
{
    apriEsercizio();
}

void Iniziale::Timer1_Timer()
{
    apriEsercizio();
}

void Iniziale::mouseReleaseEvent(QMouseEvent *event)
{
    // A click on a label lands here too (labels take no clicks); only the
    // bare background starts the exercise.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        Form_Click();
}
