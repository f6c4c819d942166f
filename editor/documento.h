#pragma once

// The sentence file being edited, without any widget: the sentences and their
// words, the annotation with its suggestions, the file it becomes and the
// reader's verdict on that file, opening and saving. Qt Core only; the
// editor's windows sit on top of it and the tests drive it directly.

#include "corpus/corpus.h"
#include "corpus/statistiche_corpus.h"
#include "editor/suggerimenti.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace editor {

struct ParolaEditor {
    QString testo;            // as the file writes it, trailing blanks included
    Annotazione annotazione;
    bool confermata = false;  // false: a suggestion (or nothing) the teacher has not confirmed
};

struct FraseEditor {
    std::vector<ParolaEditor> parole;
    QStringList testi() const;
    int numeroParole() const { return static_cast<int>(parole.size()); }
    bool vuota() const { return parole.empty(); }
};

// Where the sentences come from, which decides where "Salva" writes them.
enum class Origine {
    Incorporate,  // a copy of the built-in sentences
    InUso,        // the file the drill uses, found by its lookup
    Scelto,       // opened with "Apri…" or saved with "Salva con nome…"
};

// The reader's verdict on the file the document makes, and what the editor
// adds: every fault with the sentence and position it belongs to.
struct Verifica {
    struct Difetto {
        int frase = -1;      // index in the document, -1 for the whole file
        int posizione = -1;  // 0-based, -1 for the whole sentence
        QString messaggio;   // as verifica-corpus says it
    };
    std::vector<Difetto> difetti;
    struct DaConfermare {
        int frase;
        int posizione;
        QString testo;
    };
    std::vector<DaConfermare> daConfermare;
    bool regoleRispettate() const { return difetti.empty(); }
    // Saving and trying need both: every rule kept, every word confirmed.
    bool valida() const { return difetti.empty() && daConfermare.empty(); }
    std::vector<const Difetto *> diFrase(int frase) const;
};

class Documento
{
public:
    explicit Documento(const Suggeritore &suggeritore);

    // Sentences. Each returns false, changing nothing, when an index is out
    // of range or a limit would be passed.
    int numeroFrasi() const { return static_cast<int>(frasi_.size()); }
    const FraseEditor &frase(int indice) const { return frasi_.at(static_cast<std::size_t>(indice)); }
    bool aggiungiFrase(int dove);  // an empty sentence at `dove`
    bool duplicaFrase(int indice);  // the copy right after it
    bool eliminaFrase(int indice);
    bool spostaFrase(int da, int a);
    // Replaces the words with those of a sentence typed on one line. A word
    // already there keeps its annotation; a new one gets its suggestion.
    bool scriviFrase(int indice, const QString &riga);

    // Words.
    bool unisci(int frase, int posizione);  // with the next one
    bool dividi(int frase, int posizione);
    bool eliminaParola(int frase, int posizione);
    bool cambiaTesto(int frase, int posizione, const QString &testo);
    // The teacher's own annotation, confirmed once complete. For an elided
    // article, the gender writes the full form: "l'" -> "la (l')".
    bool annota(int frase, int posizione, const Annotazione &annotazione);
    // Confirms the suggestion as it stands; false when it is not complete.
    bool conferma(int frase, int posizione);
    // Confirms every suggestion with one reading that is not an ambiguous
    // form; returns how many.
    int confermaSuggerimentiSicuri();
    Suggerimento suggerimento(int frase, int posizione) const;

    // "Frasi: 33 di 101", and the warning when a limit is near or reached.
    QString limiteFrasi() const;
    QString limiteParole(int frase) const;
    static QString limiteParoleRiga(const QString &riga);  // for a line being typed

    // The file: the header, then each sentence as "# n: readable" and its
    // word lines, numbered 0, 1, 2... in the order of the list.
    QByteArray testo() const;
    Verifica verifica() const;
    corpus::Statistiche statistiche() const;

    void caricaCorpus(const corpus::Corpus &corpus);  // every word confirmed

    Origine origine = Origine::Incorporate;
    QString percorso;  // the file it was read from or saved to; empty for the built-in copy
    bool modificato = false;

private:
    ParolaEditor parolaNuova(const QString &testo) const;
    ParolaEditor *parola(int frase, int posizione);
    const ParolaEditor *parola(int frase, int posizione) const;
    bool fraseValida(int indice) const { return indice >= 0 && indice < numeroFrasi(); }

    const Suggeritore &suggeritore_;
    std::vector<FraseEditor> frasi_;
};

// What opening a file gives: the document, or the text to repair with every
// fault, or a refusal (missing, unreadable, over the size limit).
struct Apertura {
    enum class Esito { Aperto, DaRiparare, Rifiutato };
    Esito esito = Esito::Rifiutato;
    corpus::Corpus corpus;             // Aperto
    QString testo;                     // DaRiparare: the file's text
    std::vector<corpus::Errore> errori;  // DaRiparare: every fault
    QString problema;                  // Rifiutato, DaRiparare: what is wrong
};

Apertura apri(const QString &percorso);

// The reader, reporting every fault, on a text being repaired.
corpus::Risultato verificaTesto(const QString &testo);

// Where "Salva" writes: the user's data folder for the built-in copy and for
// a file of the system, the file itself otherwise.
QString destinazioneSalva(const Documento &documento);

struct Salvataggio {
    bool riuscito = false;
    QString percorso;
    QString messaggio;  // in Italian, for the teacher
};

// Saves only a valid document, through a temporary file renamed into place,
// keeping the file it replaces as FILE.bak. On success the document takes
// the path, becomes Origine::Scelto and unmodified.
Salvataggio salva(Documento &documento, const QString &percorso);

}  // namespace editor
