#include "classification/riempimento.h"

#include "classification/modulo1.h"

void riempiTabelle(const corpus::Corpus &corpus, StatoEsercizio &stato)
{
    const int righe = std::min(static_cast<int>(corpus.frasi.size()), TabellaCorpus<int>::ultimaRiga + 1);
    stato.numfrasi = righe;
    for (int s = 0; s < righe; ++s) {
        const corpus::Frase &frase = corpus.frasi[static_cast<std::size_t>(s)];
        const int n = frase.numeroParole();
        stato.partediscorso.imposta(s, 0, n);
        for (int p = 1; p <= TabellaCorpus<int>::ultimaPosizione; ++p) {
            if (p > n) {
                stato.testoparola.imposta(s, p, QString());
                stato.partediscorso.imposta(s, p, 0);
                continue;
            }
            const corpus::Parola &parola = frase.parole[static_cast<std::size_t>(p - 1)];
            stato.testoparola.imposta(s, p, parola.testo);
            stato.partediscorso.imposta(s, p, parola.codice);
            if (parola.codice == corpus::Articolo) {
                stato.tipoarticolo.imposta(s, p, parola.tipo);
                stato.genere.imposta(s, p, parola.genere);
                stato.numero.imposta(s, p, parola.numero);
            }
        }
    }
}
