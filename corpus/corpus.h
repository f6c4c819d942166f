#pragma once

// The annotated sentences: one tab-separated line per word,
//   row <TAB> position <TAB> "text" <TAB> code <TAB> kind <TAB> gender <TAB> number
// and the rules every sentence must keep. Reading is all-or-nothing: a file
// that breaks one rule yields no corpus at all, only the first error found
// (or, for an editor, every error found).
//
// What a spreadsheet's tab-separated export writes reads too: a UTF-8 BOM,
// CRLF line ends, a header line whose first field is "frase", texts quoted
// only when they need it (or not at all), and the three article fields left
// out or empty.

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace corpus {

inline constexpr int ultimaFrase = 100;  // rows 0..100
inline constexpr int maxParole = 22;     // positions 1..22, one word label each
// A sentence file above this size is refused before it is read whole. 101
// sentences of 22 words take about 100 kB.
inline constexpr qint64 maxByteFile = qint64{1024} * 1024;

// Part-of-speech codes; each equals the index of the button that answers it.
enum Codice : int {
    Articolo = 1, Nome, Aggettivo, Pronome, Verbo,
    Avverbio, Preposizione, Congiunzione, Esclamazione
};

struct Parola {
    QString testo;   // as shown on the word label, trailing blanks included
    int codice = 0;  // 1..9
    int tipo = 0;    // articles only: 1 determinativo, 2 indeterminativo, 3 partitivo
    int genere = 0;  // articles only: 1 maschile, 2 femminile
    int numero = 0;  // articles only: 1 singolare, 2 plurale
};

struct Frase {
    std::vector<Parola> parole;  // parole[0] is position 1
    int numeroParole() const { return static_cast<int>(parole.size()); }
    bool vuota() const { return parole.empty(); }
};

struct Corpus {
    // Indexed by row; rows the file does not fill stay empty.
    std::vector<Frase> frasi;
    int frasiPiene() const;
};

enum class Regola : int {
    Formato = 0,                   // the line itself cannot be read
    NumeroParole = 1,              // 1 <= n <= 22
    ParolaCompleta = 2,            // text not empty, code 1..9
    NienteOltreLaFine = 3,         // positions 1..n without gaps, nothing after n
    DatiArticolo = 4,              // kind, gender, number exactly for articles
    IndeterminativoSingolare = 5,  // indeterminativo is always singular
    AlmenoUnArticolo = 6,          // every sentence has an article
    NonFinisceConArticolo = 7,     // the word at position n is not an article
};

QString descrizione(Regola regola);

struct Errore {
    int frase = -1;      // row, -1 when the line has none readable
    int posizione = -1;  // position, -1 when the rule concerns the whole row
    int linea = 0;       // line of the file, 1-based; 0 for a rule over a whole row
    Regola regola = Regola::Formato;
    QString dettaglio;

    // "frase 5, posizione 3 (linea 42): regola 7, ... : dettaglio"
    QString messaggio() const;
};

enum class Modo {
    PrimoErrore,     // stop at the first fault
    TuttiGliErrori,  // go on after each fault and report every one
};

struct Risultato {
    std::optional<Corpus> corpus;  // only when the file keeps every rule
    std::optional<Errore> errore;  // the first fault
    std::vector<Errore> errori;    // every fault in file order (the first only, stopping at it)
    bool valido() const { return corpus.has_value(); }
};

Risultato leggi(QByteArrayView contenuto, Modo modo = Modo::PrimoErrore);

}  // namespace corpus
