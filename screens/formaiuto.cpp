#include "screens/formaiuto.h"

#include "platform/command_button.h"
#include "platform/design.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include <array>

using platform::designFont;
using platform::placeTwips;
using platform::rgb;

namespace {

const QString msSansSerif = QStringLiteral("MS Sans Serif");

QFont fontTesto()
{
    return designFont(msSansSerif, 12, 700);
}

QString rientro(int blanks, const char16_t *testo)
{
    return QString(blanks, QLatin1Char(' ')) + QString::fromUtf16(testo);
}

// The reminder, line by line. The four empty lines at the top keep the text
// clear of the buttons at the window's top edge.
QStringList promemoria()
{
    return {
        QString(),
        QString(),
        QString(),
        QString(),
        QStringLiteral("Dividi le proposizioni in  Principali, Subordinate, Coordinate."),
        QString(),
        rientro(38, u"Ricordati!"),
        QString(),
        QStringLiteral("Proposizione principale: non dipende da nessun'altra, ha senso compiuto."),
        QString(),
        QStringLiteral("Proposizione subordinata: dipende da un'altra."),
        QString(),
        QStringLiteral("Proposizione coordinata: è unita ad un'altra frase con:"),
        rientro(11, u"1) asindeto (virgola, punto e virgola, due punti);"),
        rientro(11, u"2) congiunzioni coordinative:  copulative  (e, inoltre, anche, né, nemmeno ecc.)"),
        rientro(19, u"disgiuntive  (o, oppure, ovvero ecc.)"),
        rientro(20, u"avversative  (ma, però, tuttavia, anzi ecc.)"),
        rientro(20, u"conclusive  (dunque, perciò, quindi, pertanto ecc.)"),
        rientro(20, u"dichiarativi  (infatti, cioè, invero ecc.)"),
        rientro(20, u"correlative  (e ... e; o ... o; né ... né; ora ... ora; così ... come ecc.)."),
        QString(),
        QString(),
        QString(),
        QString(),
    };
}

QPointer<Formaiuto> istanzaFormaiuto;

}  // namespace

Formaiuto *Formaiuto::istanza()
{
    if (!istanzaFormaiuto)
        istanzaFormaiuto = new Formaiuto;
    return istanzaFormaiuto;
}

Formaiuto *Formaiuto::esistente()
{
    return istanzaFormaiuto.data();
}

Formaiuto::Formaiuto()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Formaiuto"));
    setWindowTitle(QStringLiteral("Formaiuto"));
    // The designed width, or wider where the reminder's longest line needs
    // it: the free face that stands in for the designed one is wider.
    const QFontMetrics metriche(fontTesto());
    int piuLunga = 0;
    for (const QString &riga : promemoria())
        piuLunga = std::max(piuLunga, metriche.horizontalAdvance(riga));
    setFixedSize(std::max(platform::twips(8835), piuLunga + metriche.averageCharWidth()), platform::twips(6345));
    platform::setBackColor(this, rgb(255, 255, 255));
    setFont(fontTesto());

    Command1 = new platform::CommandButton(QStringLiteral("MOSTRA  INFORMAZIONI"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(designFont(msSansSerif, 13.5, 700));
    placeTwips(Command1, 120, 0, 4215, 735);
    connect(Command1, &QPushButton::clicked, this, &Formaiuto::Command1_Click);

    Commandchiudi = new platform::CommandButton(QStringLiteral("chiudi"), this);
    Commandchiudi->setObjectName(QStringLiteral("Commandchiudi"));
    Commandchiudi->setFont(designFont(msSansSerif, 18, 700));
    placeTwips(Commandchiudi, 4680, 0, 1215, 735);
    connect(Commandchiudi, &QPushButton::clicked, this, &Formaiuto::Commandchiudi_Click);
}

Formaiuto::~Formaiuto() = default;

int Formaiuto::altezzaRiga() const
{
    return QFontMetrics(fontTesto()).lineSpacing();
}

void Formaiuto::Command1_Click()
{
    // Written below whatever is there already; nothing is wiped first.
    for (const QString &riga : promemoria())
        scrivi(riga);
}

void Formaiuto::Commandchiudi_Click()
{
    cancella();
    close();
}

void Formaiuto::scrivi(const QString &riga)
{
    righe_.append(riga);
    const int alto = altezzaRiga() * static_cast<int>(righe_.size() - 1);
    update(0, alto, width(), altezzaRiga());
}

void Formaiuto::cancella()
{
    righe_.clear();
    update();
}

void Formaiuto::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setFont(fontTesto());
    painter.setPen(Qt::black);
    const QFontMetrics metriche(fontTesto());
    const int passo = metriche.lineSpacing();
    const int ultimaVisibile = event->rect().bottom();
    // Each line from the left edge, its top where the previous one ended.
    for (qsizetype i = 0; i < righe_.size(); ++i) {
        const int alto = passo * static_cast<int>(i);
        if (alto > ultimaVisibile)
            break;  // below the area to paint; the window does not scroll
        if (alto + passo >= event->rect().top())
            painter.drawText(0, alto + metriche.ascent(), righe_.at(i));
    }
}
