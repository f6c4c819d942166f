#pragma once

// Figures of a corpus: what verifica-corpus prints and what the content tests
// hold the built-in sentences to.

#include "corpus/corpus.h"

#include <QString>

#include <array>
#include <map>
#include <vector>

namespace corpus {

struct Statistiche {
    int frasi = 0;   // filled rows
    int righe = 0;   // highest filled row + 1: the rows the program draws among
    std::vector<int> righeVuote;  // rows below the highest that the file leaves out
    int parole = 0;  // words in all
    std::map<int, int> parolePerFrase;        // row -> n
    std::array<int, 10> perCodice{};          // [code], index 0 unused
    // articoli[kind][gender][number], indexes from 1
    std::array<std::array<std::array<int, 3>, 3>, 4> articoli{};
    // article form, trimmed and in lower case ("la (l')") -> occurrences
    std::map<QString, int> formeArticolo;
    // article form used as a preposition (code 7) -> occurrences
    std::map<QString, int> formeComePreposizione;

    int articoliDiTipo(int tipo) const;
    int articoliDi(int genere, int numero) const;  // of every kind
    int parolePerFraseMinimo() const;
    int parolePerFraseMassimo() const;
};

Statistiche calcola(const Corpus &corpus);

// The report of verifica-corpus, in Italian.
QString rapporto(const Statistiche &statistiche);

// "Il   " -> "il", "La (L')" -> "la (l')"
QString formaNormalizzata(const QString &testo);

}  // namespace corpus
