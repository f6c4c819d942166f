#include "classification/lezione.h"

#include "corpus/corpus.h"
#include "platform/random.h"

#include <algorithm>
#include <cmath>

namespace lezione {

namespace {

constexpr int tentativiMassimi = 10000;

int codiceParolaCorrente()
{
    return Modulo1.partediscorso(Modulo1.numfrase, Modulo1.posparola);
}

// "analisi completa": posparola has just moved on by one.
Passo avanzaParola()
{
    if (Modulo1.posparola > Modulo1.partediscorso(Modulo1.numfrase, 0))
        return Passo::FraseCompletata;
    Modulo1.rispostaesatta = codiceParolaCorrente();
    return Passo::Variabilita;
}

// "solo articoli": the next article after posparola, or the end of the
// sentence. Positions past the end read code 0, and the search stops there.
Passo cercaArticolo()
{
    const int n = Modulo1.partediscorso(Modulo1.numfrase, 0);
    Passo passo = Passo::FraseCompletata;
    bool trovato = false;
    while (!trovato) {
        if (Modulo1.posparola == n)
            trovato = true;
        ++Modulo1.posparola;
        const int codice = codiceParolaCorrente();
        if (codice == corpus::Articolo) {
            trovato = true;
            Modulo1.rispostaesatta = codice;
            passo = Passo::Variabilita;
        }
        if (Modulo1.posparola >= n)
            trovato = true;
    }
    return passo;
}

}  // namespace

// ---- the question ------------------------------------------------------------

std::optional<Gruppo> gruppoDelPasso(Passo passo)
{
    switch (passo) {
    case Passo::Variabilita: return Gruppo::Variabilita;
    case Passo::ParteVariabile:
    case Passo::ParteInvariabile: return Gruppo::Parti;
    case Passo::Tipo: return Gruppo::Tipi;
    case Passo::Genere: return Gruppo::Generi;
    case Passo::Numero: return Gruppo::Numeri;
    default: return std::nullopt;
    }
}

int rispostaGiusta()
{
    switch (Modulo1.passo) {
    case Passo::Variabilita: return codiceParolaCorrente() < corpus::Avverbio ? 10 : 11;
    case Passo::ParteVariabile:
    case Passo::ParteInvariabile:
    case Passo::Tipo:
    case Passo::Genere:
    case Passo::Numero: return Modulo1.rispostaesatta;
    default: return 0;
    }
}

// ---- one press -----------------------------------------------------------------

bool giudica(Gruppo gruppo, int indice)
{
    Modulo1.risposta = indice;
    if (gruppo == Gruppo::Variabilita)
        return (codiceParolaCorrente() < corpus::Avverbio) == (indice == 10);
    return indice == Modulo1.rispostaesatta;
}

int categoriaDiErrore(Gruppo gruppo, int indice)
{
    switch (gruppo) {
    case Gruppo::Variabilita: return indice;
    // The part of speech the word has, not the one pressed.
    case Gruppo::Parti: return Modulo1.rispostaesatta;
    // Kind, gender and number all count as errors on an article.
    default: return Modulo1.categoriaerrore;
    }
}

void contaErrore(int categoria)
{
    if (categoria >= 0 && categoria < static_cast<int>(Modulo1.erroripercategoria.size()))
        ++Modulo1.erroripercategoria[static_cast<std::size_t>(categoria)];
    ++Modulo1.errori;
}

bool contaRisposta()
{
    ++Modulo1.domande;
    return Modulo1.domande >= Modulo1.lunghezzaserie;
}

int percentualeErrori()
{
    // Computed in integers: exact where a float product may fall short.
    return Modulo1.domande > 0 ? Modulo1.errori * 100 / Modulo1.domande : 0;
}

Passo avanza(Gruppo gruppo, int indice)
{
    StatoEsercizio &m = Modulo1;
    switch (gruppo) {
    case Gruppo::Variabilita:
        m.passo = indice == 10 ? Passo::ParteVariabile : Passo::ParteInvariabile;
        break;
    case Gruppo::Parti:
        if (indice == corpus::Articolo) {
            m.categoriaerrore = m.rispostaesatta;
            m.rispostaesatta = m.tipoarticolo(m.numfrase, m.posparola);
            m.passo = Passo::Tipo;
        } else {
            ++m.posparola;
            m.passo = avanzaParola();
        }
        break;
    case Gruppo::Tipi:
        m.rispostaesatta = m.genere(m.numfrase, m.posparola);
        m.passo = Passo::Genere;
        break;
    case Gruppo::Generi:
        m.rispostaesatta = m.numero(m.numfrase, m.posparola);
        m.passo = Passo::Numero;
        break;
    case Gruppo::Numeri:
        if (m.modoanalisi == 1) {
            m.passo = cercaArticolo();
        } else {
            ++m.posparola;
            m.passo = avanzaParola();
        }
        break;
    }
    return m.passo;
}

// ---- sentences -------------------------------------------------------------------

void preparaLezione()
{
    Modulo1.tempomigliore = 200;
    Modulo1.domande = 0;
    Modulo1.errori = 0;
    Modulo1.avviato = false;
    Modulo1.lunghezzaserie = 20;
    Modulo1.passo = Passo::AttesaPrimoVia;
}

void avvia(float ora)
{
    if (!Modulo1.avviato) {
        Modulo1.inizioesercizio = ora;
        Modulo1.inizioserie = ora;
    }
    Modulo1.avviato = true;
}

std::optional<int> estraiFrase(const StatoEsercizio &stato, platform::Random &caso)
{
    for (int tentativi = 0; tentativi <= tentativiMassimi; ++tentativi) {
        const int riga = platform::drawBelow(caso, stato.numfrasi);
        const bool libera = stato.frasiusate[static_cast<std::size_t>(riga)] == 0;
        // Rows the corpus leaves empty are never shown as a question.
        if (libera && stato.partediscorso(riga, 0) > 0)
            return riga;
    }
    return std::nullopt;
}

Passo nuovaFrase(platform::Random &caso)
{
    StatoEsercizio &m = Modulo1;
    const std::optional<int> riga = estraiFrase(m, caso);
    if (!riga) {
        m.passo = Passo::FrasiFinite;
        return m.passo;
    }
    m.numfrase = *riga;
    m.frasiusate[static_cast<std::size_t>(*riga)] = 1;
    m.posparola = 1;
    if (m.modoanalisi == 1) {
        // Stops at the word count should a sentence hold no article.
        const int n = m.partediscorso(m.numfrase, 0);
        while (m.partediscorso(m.numfrase, m.posparola) != corpus::Articolo && m.posparola < n)
            ++m.posparola;
    }
    m.rispostaesatta = codiceParolaCorrente();
    m.passo = Passo::Variabilita;
    return m.passo;
}

// ---- the series ------------------------------------------------------------------

int livelloPerErrori(int errori)
{
    if (errori <= 0)
        return 5;
    if (errori >= 4)
        return 1;
    return 5 - errori;
}

int *contatoreLivello(int livello)
{
    switch (livello) {
    case 5: return &Modulo1.contaottimo;
    case 4: return &Modulo1.contadistinto;
    case 3: return &Modulo1.contabuono;
    case 2: return &Modulo1.contasufficiente;
    case 1: return &Modulo1.contaoccorre;
    default: return nullptr;
    }
}

std::int16_t secondiRecord(float trascorsi)
{
    const auto decimi = static_cast<long>(std::floor(trascorsi * 10.0f));
    long secondi = decimi / 10;
    const long resto = decimi % 10;
    if (resto > 5 || (resto == 5 && secondi % 2 != 0))
        ++secondi;
    return static_cast<std::int16_t>(secondi);
}

Chiusura chiudiSerie(float trascorsi)
{
    Chiusura chiusura;
    if (int *contatore = contatoreLivello(Modulo1.livello)) {
        *contatore = std::min(*contatore + 1, cerchiPerRiga);
        chiusura.valutata = true;
    }
    if (Modulo1.livello == 5 && trascorsi < static_cast<float>(Modulo1.tempomigliore)) {
        chiusura.nuovoRecord = true;
        Modulo1.tempomigliore = secondiRecord(trascorsi);
    }
    return chiusura;
}

void nuovaSerie(float ora)
{
    Modulo1.domande = 0;
    Modulo1.errori = 0;
    Modulo1.inizioserie = ora;
}

}  // namespace lezione
