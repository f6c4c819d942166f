// The question sequence for the word in red: variable or invariable, part of
// speech and, for an article, its kind, gender and number. Every press is
// judged right or wrong; the right and the wrong path are shared by all six
// handlers.

#include "classification/pulsanti.h"
#include "corpus/corpus.h"
#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/design.h"

#include <QLabel>
#include <QPushButton>

using namespace pulsanti;

namespace {

const QString lodeVariabilita = QStringLiteral("Bravo !");
const QString lode = QStringLiteral("bravo!");

int codiceParolaCorrente()
{
    return Modulo1.partediscorso(Modulo1.numfrase, Modulo1.posparola);
}

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
    if (categoria >= 0 && categoria < static_cast<int>(Modulo1.erroripercategoria.size()))
        ++Modulo1.erroripercategoria[static_cast<std::size_t>(categoria)];
    ++Modulo1.errori;
    aggiornastatistiche();
}

bool FormB::giudica(int indice, bool giusta, int categoria)
{
    Modulo1.risposta = indice;
    if (!giusta)
        rispostaSbagliata(categoria);
    return giusta;
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

// "analisi completa": posparola has just moved on by one.
void FormB::avanzaParola()
{
    const int n = Modulo1.partediscorso(Modulo1.numfrase, 0);
    if (Modulo1.posparola > n) {
        fraseCompletata();
        return;
    }
    nascondiParti(1, 9);
    apriVariabilita();
    Modulo1.rispostaesatta = codiceParolaCorrente();
    platform::setForeColor(Lbmostra(Modulo1.posparola), parolaCorrente);
    platform::setForeColor(Lbmostra(Modulo1.posparola - 1), platform::coloreTestoPulsante);
}

// "solo articoli": the next article after posparola, or the end of the sentence.
void FormB::cercaArticolo()
{
    for (QLabel *parola : Lbmostra)
        platform::setForeColor(parola, platform::coloreTestoPulsante);
    const int n = Modulo1.partediscorso(Modulo1.numfrase, 0);
    bool trovato = false;
    while (!trovato) {
        if (Modulo1.posparola == n)
            trovato = true;
        ++Modulo1.posparola;
        const int codice = codiceParolaCorrente();  // 0 past the end
        if (codice == corpus::Articolo) {
            trovato = true;
            apriVariabilita();
            Modulo1.rispostaesatta = codice;
            platform::setForeColor(Lbmostra(Modulo1.posparola), parolaCorrente);
        }
        if (Modulo1.posparola >= n) {
            if (codice != corpus::Articolo)
                fraseCompletata();
            trovato = true;
        }
    }
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
    const bool perVariabile = indice == 10;
    nascondipulsanti();
    if (!giudica(indice, (codiceParolaCorrente() < corpus::Avverbio) == perVariabile, indice)) {
        nascondiParti(1, 9);
        return;
    }
    rispostaEsatta(lodeVariabilita);
    (perVariabile ? Com10 : Com11)->setEnabled(false);
    Com10->hide();
    Com11->hide();
    for (int i = 1; i <= 9; ++i)
        Com(i)->setVisible((i < corpus::Avverbio) == perVariabile);
    aggiornaTempo();
    aggiornastatistiche();
    mostraTraccia(1, voce(variabilita, indice));
}

// ---- part of speech -------------------------------------------------------

void FormB::com_Click(int Index)
{
    if (!giudica(Index, Index == Modulo1.rispostaesatta, Modulo1.rispostaesatta))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    if (Index == corpus::Articolo) {
        mostraGruppo(art, true);
        nascondiParti(1, 9);
        Modulo1.categoriaerrore = Modulo1.rispostaesatta;
        mostraTraccia(2, voce(partiDelDiscorso, Index));
        Modulo1.rispostaesatta = Modulo1.tipoarticolo(Modulo1.numfrase, Modulo1.posparola);
        return;
    }
    mostraTraccia(2, voce(partiDelDiscorso, Index));
    ++Modulo1.posparola;
    aggiornaTempo();
    avanzaParola();
}

// ---- kind, gender and number of an article ---------------------------------
// A wrong answer to any of them counts in the category of the article.

void FormB::art_Click(int Index)
{
    if (!giudica(Index, Index == Modulo1.rispostaesatta, Modulo1.categoriaerrore))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    mostraGruppo(art, false);
    mostraGruppo(Masfem, true);
    Modulo1.rispostaesatta = Modulo1.genere(Modulo1.numfrase, Modulo1.posparola);
    mostraTraccia(3, voce(tipi, Index));
}

void FormB::Masfem_Click(int Index)
{
    if (!giudica(Index, Index == Modulo1.rispostaesatta, Modulo1.categoriaerrore))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    mostraGruppo(Masfem, false);
    mostraGruppo(Singplu, true);
    Modulo1.rispostaesatta = Modulo1.numero(Modulo1.numfrase, Modulo1.posparola);
    mostraTraccia(4, voce(generi, Index));
}

void FormB::Singplu_Click(int Index)
{
    if (!giudica(Index, Index == Modulo1.rispostaesatta, Modulo1.categoriaerrore))
        return;
    rispostaEsatta(lode);
    aggiornastatistiche();
    mostraGruppo(Singplu, false);
    mostraTraccia(5, voce(numeri, Index));
    aggiornaTempo();
    if (Modulo1.modoanalisi == 1) {
        cercaArticolo();
    } else {
        ++Modulo1.posparola;
        avanzaParola();
    }
}
