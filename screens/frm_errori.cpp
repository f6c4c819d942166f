#include "screens/frm_errori.h"

#include "classification/modulo1.h"
#include "classification/pulsanti.h"
#include "platform/command_button.h"
#include "platform/design.h"
#include "screens/classificaform.h"

#include <QLabel>
#include <QPointer>

using platform::designFont;
using platform::placeTwips;
using platform::rgb;

namespace {

constexpr int righe = 11;
constexpr double altezzaRiga = 360;
// A count's box: its right edge this far right of where a one-digit count
// would start, 60 twips short of the name.
constexpr double fineConteggio = 300;
constexpr double larghezzaConteggio = 975;

const QString msSansSerif = QStringLiteral("MS Sans Serif");

QPointer<FRM_ERRORI> istanzaFRM_ERRORI;

}  // namespace

FRM_ERRORI *FRM_ERRORI::istanza()
{
    if (!istanzaFRM_ERRORI)
        istanzaFRM_ERRORI = new FRM_ERRORI;
    return istanzaFRM_ERRORI;
}

FRM_ERRORI *FRM_ERRORI::esistente()
{
    return istanzaFRM_ERRORI.data();
}

FRM_ERRORI::FRM_ERRORI()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FRM_ERRORI"));
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(platform::twips(9495), platform::twips(6765));
    platform::setBackColor(this, rgb(255, 192, 192));
    creaControlli();
    Form_Load();
}

FRM_ERRORI::~FRM_ERRORI() = default;

void FRM_ERRORI::creaControlli()
{
    for (int i = 1; i <= righe; ++i) {
        auto *conteggio = new QLabel(this);
        conteggio->setObjectName(QStringLiteral("RR%1").arg(i));
        conteggio->setFont(designFont(msSansSerif, 13.5, 700));
        platform::setForeColor(conteggio, rgb(255, 0, 0));
        // The count ends just before its name, in a box as wide as the
        // design's and right-aligned: a count of three or four digits grows
        // to the left instead of running into the name. Row 9's count stands
        // a little off the others in the design.
        conteggio->setAlignment(Qt::AlignRight | Qt::AlignTop);
        const double left = i == 9 ? 1170 : 1200;
        const double top = i == 9 ? 2835 : altezzaRiga * (i - 1);
        placeTwips(conteggio, left + fineConteggio - larghezzaConteggio, top, larghezzaConteggio, 375);
        RR(i) = conteggio;

        auto *nome = new QLabel(QStringLiteral("c1"), this);
        nome->setObjectName(QStringLiteral("Lberrori%1").arg(i));
        nome->setFont(designFont(msSansSerif, 12, 700));
        platform::setForeColor(nome, rgb(0, 0, 0));
        placeTwips(nome, 1560, altezzaRiga * (i - 1), 0, 0);
        nome->adjustSize();
        Lberrori(i) = nome;
    }

    Command2 = new platform::CommandButton(QStringLiteral("mostra classifica"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setFont(designFont(msSansSerif, 18, 700));
    placeTwips(Command2, 285, 5385, 3225, 1320);
    connect(Command2, &QPushButton::clicked, this, &FRM_ERRORI::Command2_Click);

    Command1 = new platform::CommandButton(QStringLiteral("CHIUDI FINESTRA"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(designFont(msSansSerif, 18, 700));
    placeTwips(Command1, 4050, 5340, 5235, 1380);
    connect(Command1, &QPushButton::clicked, this, &FRM_ERRORI::Command1_Click);
}

void FRM_ERRORI::Form_Load()
{
    // The names are the captions of the buttons, from the table the exercise
    // window takes them from too.
    for (const pulsanti::Voce &v : pulsanti::partiDelDiscorso)
        Lberrori(v.indice)->setText(QString::fromLatin1(v.caption));
    for (const pulsanti::Voce &v : pulsanti::variabilita)
        Lberrori(v.indice)->setText(QString::fromLatin1(v.caption));
    for (QLabel *nome : Lberrori)
        nome->adjustSize();
}

void FRM_ERRORI::mostraConteggi()
{
    for (int i = 1; i <= righe; ++i) {
        const int conteggio = Modulo1.erroripercategoria[static_cast<std::size_t>(i)];
        RR(i)->setText(conteggio == 0 ? QString() : QString::number(conteggio));
    }
}

void FRM_ERRORI::Command2_Click()
{
    Modulo1.livello = 6;
    classificaform::mostra(this);
}

void FRM_ERRORI::Command1_Click()
{
    close();
}
