#include "screens/classificaform.h"

#include "classification/lezione.h"
#include "platform/clock.h"
#include "platform/command_button.h"
#include "platform/design.h"

#include <QLabel>
#include <QPointer>

#include <algorithm>
#include <array>

using platform::designFont;
using platform::placeTwips;
using platform::rgb;
using platform::Shape;

namespace {

using RigaCerchi = platform::ControlArray<Shape, 1, 10>;

// The five levels, top to bottom as the chart reads: what the level shows,
// the counter of the run it adds to, and where its label and circles stand.
struct Livello {
    int livello;
    const char *messaggio;  // shown in RISULTATO
    quint32 colore;         // RISULTATO, the label and the circles
    const char *nome;       // the label is "Lb" + nome, the circles "Sh" + nome
    const char *caption;    // of the label
    QLabel *classificaform::*etichetta;
    RigaCerchi classificaform::*cerchi;
    double etichettaLeft;  // every label ends at x = 4284
    double etichettaTop;
    double rigaTop;  // of the circles
};

constexpr double fineEtichette = 4284;
// Left edge of the best time (LbTrecord).
constexpr double inizioTempo = 4815;
constexpr double altezzaEtichette = 348;

constexpr std::array<Livello, 5> livelli = {{
    {5, "ottimo!!!", rgb(255, 255, 0), "Ottimo", "OTTIMO",
     &classificaform::LbOttimo, &classificaform::ShOttimo, 2976, 2496, 2600},
    {4, "distinto!! ", rgb(0, 192, 0), "Distinto", "DISTINTO",
     &classificaform::LbDistinto, &classificaform::ShDistinto, 2976, 3024, 3100},
    {3, "buono!", rgb(128, 255, 128), "Buono", "BUONO",
     &classificaform::LbBuono, &classificaform::ShBuono, 2976, 3504, 3600},
    {2, "sufficiente", rgb(192, 255, 255), "Sufficiente", "SUFFICIENTE",
     &classificaform::LbSufficiente, &classificaform::ShSufficiente, 2352, 3984, 4100},
    {1, "occorre esercitarsi", rgb(255, 128, 128), "Occorre", "OCCORRE ESERCITARSI",
     &classificaform::LbOccorre, &classificaform::ShOccorre, 912, 4512, 4600},
}};

using lezione::cerchiPerRiga;

// The one results window while it is up.
QPointer<classificaform> istanzaClassificaform;

const QString arial = QStringLiteral("Arial");
const QString msSansSerif = QStringLiteral("MS Sans Serif");

QLabel *etichetta(QWidget *padre, const QString &testo, const QFont &font)
{
    auto *l = new QLabel(testo, padre);
    l->setFont(font);
    return l;
}

}  // namespace

void classificaform::mostra(QWidget *owner)
{
    // The lesson's rules close the series first (level counters, best time);
    // the window then draws what they computed. Modulo one day, so a series
    // that runs past midnight still takes its true time rather than a
    // negative one that would pass for a record.
    const float trascorsi = platform::secondsBetween(Modulo1.inizioserie, platform::clock().secondsSinceMidnight());
    const lezione::Chiusura chiusura = lezione::chiudiSerie(trascorsi);
    QPointer<classificaform> finestra = new classificaform(owner, chiusura);
    istanzaClassificaform = finestra.data();
    finestra->exec();
    delete finestra.data();
}

classificaform *classificaform::aperta()
{
    return istanzaClassificaform.data();
}

classificaform::classificaform(QWidget *owner, const lezione::Chiusura &chiusura)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("classificaform"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(platform::twips(7665), platform::twips(6690));
    platform::setBackColor(this, rgb(192, 192, 192));
    creaControlli();
    Form_Load(chiusura);
}

classificaform::~classificaform() = default;

void classificaform::creaControlli()
{
    // Drawn first, so it lies beneath the controls it frames.
    Shape1 = new Shape(Shape::Kind::Rectangle, this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->noFill();
    Shape1->setBorderColor(rgb(0, 0, 255));
    Shape1->setBorderWidth(10);
    Shape1->setBounds(platform::twipsRect(45, 225, 7545, 6375));

    Label5 = etichetta(this, QStringLiteral("livello raggiunto nell'ultima serie di domande"),
                       designFont(msSansSerif, 13.5));
    Label5->setObjectName(QStringLiteral("Label5"));
    placeTwips(Label5, 960, 240, 0, 0);
    Label5->adjustSize();

    RISULTATO = etichetta(this, QStringLiteral("RISULTATO"), designFont(arial, 26.25, 700));
    RISULTATO->setObjectName(QStringLiteral("RISULTATO"));
    RISULTATO->setAlignment(Qt::AlignCenter);
    platform::setBackColor(RISULTATO, rgb(255, 255, 128));
    platform::setForeColor(RISULTATO, rgb(0, 0, 255));
    placeTwips(RISULTATO, 1725, 720, 2925, 615);
    RISULTATO->adjustSize();

    LbNuovoRecord = etichetta(this, QStringLiteral("nuovo record"), designFont(arial, 29.25, 700));
    LbNuovoRecord->setObjectName(QStringLiteral("LbNuovoRecord"));
    platform::setForeColor(LbNuovoRecord, rgb(255, 0, 0));
    LbNuovoRecord->setWordWrap(true);
    // "Nuovo Record!" in its font is wider than the design's 3750 twips: the
    // label reaches on to the best time, where the space is free, and the
    // notice keeps to one line.
    placeTwips(LbNuovoRecord, 360, 1665, inizioTempo - 360, 675);

    Label2 = etichetta(this, QStringLiteral("tempo migliore"), designFont(arial, 12, 700));
    Label2->setObjectName(QStringLiteral("Label2"));
    placeTwips(Label2, 4995, 1530, 0, 0);
    Label2->adjustSize();

    LbTrecord = etichetta(this, QStringLiteral("xxx"), designFont(arial, 21.75, 700));
    LbTrecord->setObjectName(QStringLiteral("LbTrecord"));
    platform::setForeColor(LbTrecord, rgb(255, 0, 0));
    placeTwips(LbTrecord, inizioTempo, 1800, 720, 510);

    Label1 = etichetta(this, QStringLiteral("secondi"), designFont(arial, 12, 700));
    Label1->setObjectName(QStringLiteral("Label1"));
    platform::setForeColor(Label1, rgb(255, 0, 0));
    placeTwips(Label1, 5760, 1980, 0, 0);
    Label1->adjustSize();

    for (const Livello &l : livelli) {
        QLabel *nome = etichetta(this, QString::fromLatin1(l.caption), designFont(arial, 13.5, 700));
        nome->setObjectName(QStringLiteral("Lb") + QLatin1String(l.nome));
        nome->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        platform::setBackColor(nome, l.colore);
        platform::setForeColor(nome, rgb(0, 0, 0));
        placeTwips(nome, l.etichettaLeft, l.etichettaTop, fineEtichette - l.etichettaLeft, altezzaEtichette);
        this->*l.etichetta = nome;

        // cppcheck-suppress constVariable ; the row is filled with the circles below
        RigaCerchi &riga = this->*l.cerchi;
        for (int i = 1; i <= cerchiPerRiga; ++i) {
            auto *cerchio = new Shape(Shape::Kind::Circle, this);
            cerchio->setObjectName(QStringLiteral("Sh%1%2").arg(QLatin1String(l.nome)).arg(i));
            cerchio->setFillColor(l.colore);
            cerchio->setBorderColor(l.colore);
            cerchio->setBounds(platform::twipsRect(4500 + 225 * (i - 1), l.rigaTop, 195, 195));
            riga(i) = cerchio;
        }
    }

    Command1 = new platform::CommandButton(QStringLiteral("PROSEGUI"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(designFont(msSansSerif, 18, 700));
    placeTwips(Command1, 540, 5490, 6156, 876);
    connect(Command1, &QPushButton::clicked, this, &classificaform::Command1_Click);
}

void classificaform::Form_Load(const lezione::Chiusura &chiusura)
{
    for (const Livello &l : livelli)
        for (Shape *cerchio : this->*l.cerchi)
            cerchio->show();

    // 1..5 rate the last series; 6 (or anything else) shows the chart alone.
    for (const Livello &l : livelli) {
        if (l.livello != Modulo1.livello)
            continue;
        RISULTATO->setText(QString::fromLatin1(l.messaggio));
        RISULTATO->adjustSize();
        platform::setBackColor(RISULTATO, l.colore);
    }

    for (const Livello &l : livelli) {
        const RigaCerchi &riga = this->*l.cerchi;
        for (int i = *lezione::contatoreLivello(l.livello) + 1; i <= cerchiPerRiga; ++i)
            riga(i)->hide();
    }

    LbNuovoRecord->setText(chiusura.nuovoRecord ? QStringLiteral("Nuovo Record!") : QString());
    LbTrecord->setText(QString::number(Modulo1.tempomigliore));

    // Three digits are wider than the time's label: it grows to the right
    // rather than lose part of its text.
    LbTrecord->resize(std::max(LbTrecord->width(), LbTrecord->sizeHint().width()), LbTrecord->height());
}

void classificaform::Command1_Click()
{
    lezione::nuovaSerie(platform::clock().secondsSinceMidnight());
    accept();
}

void classificaform::reject()
{
    // The title bar's close and Escape end up here. Leaving the series as it
    // is would have the next answer rate the same series a second time, so
    // they start the next series as "PROSEGUI" does.
    Command1_Click();
}
