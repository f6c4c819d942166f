#include "exercise/formb.h"

#include "classification/pulsanti.h"
#include "classification/riempimento.h"
#include "corpus/corpus.h"
#include "corpus/corpus_incorporato.h"
#include "platform/audio.h"
#include "platform/command_button.h"
#include "platform/design.h"
#include "platform/program_end.h"
#include "platform/ridimschermo.h"
#include "screens/formaiuto.h"
#include "screens/frm_errori.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <utility>

using platform::designFont;
using platform::placeTwips;
using platform::rgb;
using platform::setBackColor;
using platform::setForeColor;

namespace {

// Design size of the client area, in twips; the layout scaling stretches it
// to the screen.
constexpr double larghezzaProgetto = 16800;
constexpr double altezzaProgetto = 9700;

// The staircase of word labels: the first at (135, 450), the last at (1980, 7830).
constexpr double scalinoX = (1980.0 - 135.0) / 21.0;
constexpr double scalinoY = (7830.0 - 450.0) / 21.0;

// Answer area and trail.
constexpr double colonnaSinistra = 5400;
constexpr double colonnaDestra = 9000;
constexpr double larghezzaColonna = 3400;
constexpr double colonnaTraccia = 12700;
constexpr double larghezzaTraccia = 3900;
// The buttons of a step appear just below the variability question.
constexpr double primaRiga = 2800;

const QString arial = QStringLiteral("Arial");

QPushButton *pulsante(QWidget *padre, const QString &testo, quint32 colore, double punti)
{
    auto *b = new platform::CommandButton(testo, padre);
    b->setFont(designFont(arial, punti, 700));
    setBackColor(b, colore);
    return b;
}

QLabel *etichetta(QWidget *padre, const QString &testo, double punti, int peso = 700)
{
    auto *l = new QLabel(testo, padre);
    l->setFont(designFont(arial, punti, peso));
    return l;
}

QGroupBox *riquadro(QWidget *padre, const QString &titolo)
{
    auto *g = new QGroupBox(padre);
    // The title is measured when it is set: in its own font, not the default.
    g->setFont(designFont(arial, 9, 700));
    g->setTitle(titolo);
    return g;
}

}  // namespace

namespace {

// The one exercise window; gone once it has closed.
QPointer<FormB> istanzaFormB;

}  // namespace

FormB *FormB::istanza()
{
    if (!istanzaFormB)
        istanzaFormB = new FormB;
    return istanzaFormB;
}

bool FormB::esiste()
{
    return !istanzaFormB.isNull();
}

FormB::FormB()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FormB"));
    setWindowTitle(QStringLiteral("Analisi grammaticale: ARTICOLI"));
    resize(platform::twips(larghezzaProgetto), platform::twips(altezzaProgetto));
    setBackColor(this, pulsanti::sfondoFinestra);
    creaControlli();
    Form_Load();
}

FormB::~FormB() = default;

void FormB::creaControlli()
{
    using namespace pulsanti;

    for (int i = 1; i <= 22; ++i) {
        QLabel *parola = etichetta(this, QString(), 14);
        parola->setObjectName(QStringLiteral("Lbmostra%1").arg(i));
        setForeColor(parola, parolaDaMostrare);
        placeTwips(parola, 135 + scalinoX * (i - 1), 450 + scalinoY * (i - 1), 5000, 350);
        platform::sizeToText(parola);
        Lbmostra(i) = parola;
    }

    Label1 = etichetta(this, QStringLiteral("n° della domanda"), 12);
    setForeColor(Label1, rgb(0, 0, 128));
    placeTwips(Label1, colonnaSinistra, 150, 4000, 380);

    AVVISO = etichetta(this, QString(), 12);
    placeTwips(AVVISO, colonnaSinistra, 650, 11200, 420);

    gratifica = etichetta(this, QString(), 28);
    gratifica->setAlignment(Qt::AlignCenter);
    setForeColor(gratifica, rgb(0, 0, 192));
    placeTwips(gratifica, colonnaSinistra, 6200, colonnaDestra + larghezzaColonna - colonnaSinistra, 1000);

    Com10 = pulsante(this, QString::fromLatin1(variabilita[0].caption), variabilita[0].colore, 13);
    placeTwips(Com10, colonnaSinistra, 1900, larghezzaColonna, 700);
    Com11 = pulsante(this, QString::fromLatin1(variabilita[1].caption), variabilita[1].colore, 13);
    placeTwips(Com11, colonnaDestra, 1900, larghezzaColonna, 700);

    for (const Voce &v : partiDelDiscorso) {
        QPushButton *b = pulsante(this, QString::fromLatin1(v.caption), v.colore, 10);
        // Variable parts below "PARTE VARIABILE", invariable ones below the other.
        const bool variabile = v.indice <= corpus::Verbo;
        const int riga = variabile ? v.indice - 1 : v.indice - 6;
        placeTwips(b, variabile ? colonnaSinistra : colonnaDestra, primaRiga + 620 * riga, larghezzaColonna, 540);
        Com(v.indice) = b;
    }
    for (const Voce &v : tipi) {
        art(v.indice) = pulsante(this, QString::fromLatin1(v.caption), v.colore, 13);
        placeTwips(art(v.indice), colonnaSinistra + 2400 * (v.indice - 1), primaRiga, 2200, 800);
    }
    for (const Voce &v : generi) {
        Masfem(v.indice) = pulsante(this, QString::fromLatin1(v.caption), v.colore, 13);
        placeTwips(Masfem(v.indice), v.indice == 1 ? colonnaSinistra : colonnaDestra, primaRiga, larghezzaColonna, 800);
    }
    for (const Voce &v : numeri) {
        Singplu(v.indice) = pulsante(this, QString::fromLatin1(v.caption), v.colore, 13);
        placeTwips(Singplu(v.indice), v.indice == 1 ? colonnaSinistra : colonnaDestra, primaRiga, larghezzaColonna, 800);
    }

    for (int i = 1; i <= 5; ++i) {
        QLabel *passo = etichetta(this, QString(), 11);
        // Framed, so that a box keeps its outline on a colour like the window's.
        passo->setFrameShape(QFrame::Box);
        passo->setAlignment(Qt::AlignCenter);
        setBackColor(passo, i == 1 ? displayPrimo : displayAltri);
        placeTwips(passo, colonnaTraccia, 1900 + 740 * (i - 1), larghezzaTraccia, 640);
        display(i) = passo;
    }

    // Statistics, each in its frame.
    auto numero = [this](QGroupBox *riquadro, double larghezza) {
        QLabel *valore = etichetta(riquadro, QStringLiteral("0"), 18);
        valore->setAlignment(Qt::AlignCenter);
        placeTwips(valore, 90, 300, larghezza, 560);
        return valore;
    };
    Frame1 = riquadro(this, QStringLiteral("risposte"));
    placeTwips(Frame1, colonnaTraccia, 5800, 1850, 1000);
    Lrisposte = numero(Frame1, 1620);
    Frame2 = riquadro(this, QStringLiteral("errori"));
    placeTwips(Frame2, colonnaTraccia + 2050, 5800, 1850, 1000);
    Lerrori = numero(Frame2, 1620);
    Frame5 = riquadro(this, QStringLiteral("errori in %"));
    placeTwips(Frame5, colonnaTraccia, 6950, 1850, 1000);
    Lpercentuale = numero(Frame5, 1100);
    Label8 = etichetta(Frame5, QStringLiteral("%"), 18);
    placeTwips(Label8, 1200, 300, 500, 560);
    Frame3 = riquadro(this, QStringLiteral("tempo (s)"));
    placeTwips(Frame3, colonnaTraccia + 2050, 6950, 1850, 1000);
    MOSTRATEMPO = numero(Frame3, 1620);
    MOSTRATEMPO->clear();
    Frame4 = riquadro(this, QStringLiteral("orologio"));
    setBackColor(Frame4, rgb(0, 0, 128));
    setForeColor(Frame4, rgb(255, 255, 255));
    placeTwips(Frame4, colonnaTraccia, 8100, larghezzaTraccia, 1100);
    Lbclock = etichetta(Frame4, QStringLiteral("0"), 18);
    Lbclock->setAlignment(Qt::AlignCenter);
    setForeColor(Lbclock, rgb(255, 255, 255));
    placeTwips(Lbclock, 90, 330, larghezzaTraccia - 180, 650);

    VIA = pulsante(this, QStringLiteral("VIA"), rgb(255, 128, 0), 22);
    placeTwips(VIA, colonnaSinistra, 8100, 2700, 1100);
    FINE = pulsante(this, QStringLiteral("FINE"), rgb(255, 64, 64), 16);
    placeTwips(FINE, colonnaSinistra + 2900, 8100, 1900, 1100);
    // Every right answer hides the buttons just used and the keyboard focus
    // moves on to the next control; resting on FINE, it would let a stray
    // space bar end the lesson. FINE ends it only with a click.
    FINE->setFocusPolicy(Qt::NoFocus);
    comaiuto = pulsante(this, QStringLiteral("Aiuto ?"), rgb(255, 255, 255), 10);
    placeTwips(comaiuto, colonnaSinistra + 4950, 8100, 2250, 520);
    Command8 = pulsante(this, QStringLiteral("mostra errori"), rgb(255, 192, 192), 10);
    placeTwips(Command8, colonnaSinistra + 4950, 8680, 2250, 520);

    // The buttons carry the names the handlers know them by.
    const std::pair<QPushButton *, const char *> nomi[] = {{Com10, "Com10"}, {Com11, "Com11"}, {VIA, "VIA"},
                                                           {FINE, "FINE"}, {comaiuto, "comaiuto"},
                                                           {Command8, "Command8"}};
    for (const auto &[b, nome] : nomi)
        b->setObjectName(QLatin1String(nome));
    for (int i = 1; i <= 9; ++i)
        Com(i)->setObjectName(QStringLiteral("Com%1").arg(i));
    for (int i = 1; i <= 3; ++i)
        art(i)->setObjectName(QStringLiteral("art%1").arg(i));
    for (int i = 1; i <= 2; ++i) {
        Masfem(i)->setObjectName(QStringLiteral("Masfem%1").arg(i));
        Singplu(i)->setObjectName(QStringLiteral("Singplu%1").arg(i));
    }

    FRASE_INTERA_B = etichetta(this, QString(), 10, 400);
    placeTwips(FRASE_INTERA_B, 135, 8600, 5000, 330);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    // Wiring: one handler per control, control arrays pass their index.
    // After VIA and after every answer the focus moves on to the question
    // now open: left to itself, it would leave a hidden button for the next
    // control in the chain, "Aiuto ?", and a stray space bar would open the
    // help over the sentence.
    auto poiFuoco = [this](QPushButton *b, auto gestore) {
        connect(b, &QPushButton::clicked, this, [this, gestore] {
            gestore();
            mettiFuoco();
        });
    };
    poiFuoco(VIA, [this] { VIA_Click(); });
    connect(FINE, &QPushButton::clicked, this, &FormB::FINE_Click);
    connect(Command8, &QPushButton::clicked, this, &FormB::Command8_Click);
    connect(comaiuto, &QPushButton::clicked, this, &FormB::comaiuto_Click);
    poiFuoco(Com10, [this] { Com10_Click(); });
    poiFuoco(Com11, [this] { Com11_Click(); });
    for (int i = 1; i <= 9; ++i)
        poiFuoco(Com(i), [this, i] { com_Click(i); });
    for (int i = 1; i <= 3; ++i)
        poiFuoco(art(i), [this, i] { art_Click(i); });
    for (int i = 1; i <= 2; ++i) {
        poiFuoco(Masfem(i), [this, i] { Masfem_Click(i); });
        poiFuoco(Singplu(i), [this, i] { Singplu_Click(i); });
    }
    connect(Timer1, &QTimer::timeout, this, &FormB::Timer1_Timer);
}

void FormB::registraControlli()
{
    ridimschermo::numcontrolli = 66;
    ridimschermo::preparaarray();
    ridimschermo::finestra = this;
    // cppcheck-suppress constVariable ; the scaling keeps them to move and resize
    QWidget *const primi[] = {AVVISO, gratifica, Label1, Frame1, Frame2, Frame3, Frame4, Lrisposte,
                              Lerrori, MOSTRATEMPO, Lpercentuale, comaiuto, Command8, VIA, FINE, Com10, Com11};
    int indice = 0;
    for (QWidget *controllo : primi)
        ridimschermo::registra(++indice, controllo);
    ridimschermo::registra(51, Lbclock);
    for (int i = 1; i <= 3; ++i)
        ridimschermo::registra(i + 17, art(i));
    for (int i = 1; i <= 9; ++i)
        ridimschermo::registra(i + 20, Com(i));
    for (int i = 1; i <= 21; ++i)
        ridimschermo::registra(i + 29, Lbmostra(i));
    for (int i = 1; i <= 3; ++i)
        ridimschermo::registra(i + 51, art(i));
    for (int i = 1; i <= 2; ++i)
        ridimschermo::registra(i + 54, Singplu(i));
    for (int i = 1; i <= 2; ++i)
        ridimschermo::registra(i + 56, Masfem(i));
    for (int i = 1; i <= 5; ++i)
        ridimschermo::registra(i + 58, display(i));
    ridimschermo::registra(64, Frame5);
    ridimschermo::registra(65, Label8);
    ridimschermo::registra(66, Lbmostra(22));
    ridimschermo::registraescala();
}

void FormB::mettiFuoco()
{
    QList<QPushButton *> domanda{Com10, Com11};
    domanda << QList<QPushButton *>(Com.begin(), Com.end()) << QList<QPushButton *>(art.begin(), art.end())
            << QList<QPushButton *>(Masfem.begin(), Masfem.end())
            << QList<QPushButton *>(Singplu.begin(), Singplu.end());
    for (QPushButton *b : domanda) {
        if (b->isVisibleTo(this) && b->isEnabled()) {
            b->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (VIA->isVisibleTo(this))
        VIA->setFocus(Qt::OtherFocusReason);
    else if (QWidget *fuoco = focusWidget())
        fuoco->clearFocus();  // every sentence is done: no key leads anywhere
}

void FormB::Form_Load()
{
    registraControlli();
    AVVISO->setText(QStringLiteral("Clicca sul tasto VIA per partire"));
    lezione::preparaLezione();
    for (QPushButton *b : Com)
        b->setEnabled(false);
    for (QPushButton *b : art)
        b->hide();
    Com10->setEnabled(false);
    Com11->setEnabled(false);
    riempiTabelle(corpus::corpusInUso(), Modulo1);
    nascondipulsanti();
    Timer1->start();
    audio::suona(QStringLiteral("premivia"));
}

void FormB::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Form_Resize
    if (ridimschermo::finestra == this)
        ridimschermo::riscala();
}

void FormB::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    platform::endProgram();
}

void FormB::Command8_Click()
{
    FRM_ERRORI *revisione = FRM_ERRORI::istanza();
    revisione->show();
    revisione->raise();
    revisione->activateWindow();
    revisione->mostraConteggi();
}

void FormB::comaiuto_Click()
{
    Formaiuto *aiuto = Formaiuto::istanza();
    aiuto->show();
    aiuto->raise();
    aiuto->activateWindow();
}
