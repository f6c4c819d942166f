// The six answer handlers of the exercise window. Each asks the lesson's
// rules for the verdict and the next question, and then shows it: feedback,
// buttons, the classification trail and the word in red.

#include "classification/lezione.h"
#include "classification/pulsanti.h"
#include "corpus/corpus.h"
#include "exercise/formb.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/design.h"

#include <QLabel>
#include <QPushButton>

using namespace pulsanti;
using lezione::Gruppo;

namespace {

const QString lodeVariabilita = QStringLiteral("Bravo !");
const QString lode = QStringLiteral("bravo!");

}  // namespace

// ---- the paths every handler shares ------------------------------------

void FormB::rispostaEsatta(const QString &messaggio)
{
    audio::suonaesatto(QStringLiteral("esatto"));
    flash(messaggio);
}

void FormB::rispostaSbagliata(int categoria)
{
    platform::setBackColor(this, sfondoErrore);
    audio::suona(QStringLiteral("sbagliato1"));
    flash(QStringLiteral("No riprova"));
    platform::setBackColor(this, sfondoFinestra);
    lezione::contaErrore(categoria);
    aggiornastatistiche();
}

bool FormB::giudica(Gruppo gruppo, int indice)
{
    if (lezione::giudica(gruppo, indice))
        return true;
    rispostaSbagliata(lezione::categoriaDiErrore(gruppo, indice));
    return false;
}

void FormB::mostraTraccia(int passo, const pulsanti::Voce &voce)
{
    display(passo)->setText(QString::fromLatin1(voce.traccia));
    platform::setBackColor(display(passo), voce.colore);
    display(passo)->show();
}

void FormB::aggiornaTempo()
{
    const float trascorsi = platform::secondsBetween(Modulo1.inizioesercizio, platform::clock().secondsSinceMidnight());
    MOSTRATEMPO->setText(QString::number(static_cast<int>(trascorsi)));
}

void FormB::nascondiParti(int da, int a)
{
    for (int i = da; i <= a; ++i)
        Com(i)->hide();
}

void FormB::apriVariabilita()
{
    for (QPushButton *b : {Com10, Com11}) {
        b->show();
        b->setEnabled(true);
    }
}

void FormB::fraseCompletata()
{
    nascondiParti(1, 9);
    gratifica->setText(QStringLiteral("COMPLETATA"));
    AVVISO->setText(QStringLiteral("Bene, hai completato questa frase; ora premi il VIA per proseguire."));
    audio::suona(QStringLiteral("premivia"));
    VIA->show();
}

// "analisi completa": the lesson has moved on by one word.
void FormB::mostraParolaSeguente()
{
    if (Modulo1.passo == Passo::FraseCompletata) {
        fraseCompletata();
        return;
    }
    nascondiParti(1, 9);
    apriVariabilita();
    platform::setForeColor(Lbmostra(Modulo1.posparola), parolaCorrente);
    platform::setForeColor(Lbmostra(Modulo1.posparola - 1), platform::coloreTestoPulsante);
}

// "solo articoli": the lesson has found the next article, or the end.
void FormB::mostraArticoloSeguente()
{
    for (QLabel *parola : Lbmostra)
        platform::setForeColor(parola, platform::coloreTestoPulsante);
    if (Modulo1.passo != Passo::Variabilita) {
        fraseCompletata();
        return;
    }
    apriVariabilita();
    platform::setForeColor(Lbmostra(Modulo1.posparola), parolaCorrente);
}

// ---- PARTE VARIABILE / PARTE  INVARIABILE -------------------------------

void FormB::Com10_Click()
{
    rispondiVariabilita(10);
}

void FormB::Com11_Click()
{
    rispondiVariabilita(11);
}

// 10: "PARTE VARIABILE" (codes 1..5), 11: "PARTE  INVARIABILE" (codes 6..9).
void FormB::rispondiVariabilita(int indice)
{
    nascondipulsanti();
    if (!giudica(Gruppo::Variabilita, indice)) {
        nascondiParti(1, 9);
        return;
    }
    rispostaEsatta(lodeVariabilita);
    (indice == 10 ? Com10 : Com11)->setEnabled(false);
    Com10->hide();
    Com11->hide();
    const bool variabile = lezione::avanza(Gruppo::Variabilita, indice) == Passo::ParteVariabile;
    for (int i = 1; i <= 9; ++i)
        Com(i)->setVisible((i < corpus::Avverbio) == variabile);
    aggiornaTempo();
    aggiornastatistiche();
    mostraTraccia(1, voce(variabilita, indice));
}

// ---- part of speech -------------------------------------------------------

void FormB::com_Click(int Index)
{
    if (!giudica(Gruppo::Parti, Index))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    if (lezione::avanza(Gruppo::Parti, Index) == Passo::Tipo) {
        mostraGruppo(art, true);
        nascondiParti(1, 9);
        mostraTraccia(2, voce(partiDelDiscorso, Index));
        return;
    }
    mostraTraccia(2, voce(partiDelDiscorso, Index));
    aggiornaTempo();
    mostraParolaSeguente();
}

// ---- kind, gender and number of an article ---------------------------------

void FormB::art_Click(int Index)
{
    if (!giudica(Gruppo::Tipi, Index))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    lezione::avanza(Gruppo::Tipi, Index);
    mostraGruppo(art, false);
    mostraGruppo(Masfem, true);
    mostraTraccia(3, voce(tipi, Index));
}

void FormB::Masfem_Click(int Index)
{
    if (!giudica(Gruppo::Generi, Index))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    lezione::avanza(Gruppo::Generi, Index);
    mostraGruppo(Masfem, false);
    mostraGruppo(Singplu, true);
    mostraTraccia(4, voce(generi, Index));
}

void FormB::Singplu_Click(int Index)
{
    if (!giudica(Gruppo::Numeri, Index))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    mostraGruppo(Singplu, false);
    mostraTraccia(5, voce(numeri, Index));
    aggiornaTempo();
    lezione::avanza(Gruppo::Numeri, Index);
    if (Modulo1.modoanalisi == 1)
        mostraArticoloSeguente();
    else
        mostraParolaSeguente();
}
