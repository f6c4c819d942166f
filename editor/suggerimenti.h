#pragma once

// What the editor proposes for a word: the annotation the built-in sentences
// give the same word, or the one of its article form; and, for the forms
// whose analysis depends on the sentence, the rule of thumb to decide it.

#include "corpus/corpus.h"

#include <QHash>
#include <QString>

#include <vector>

namespace editor {

struct Annotazione {
    int codice = 0;  // 0: none yet
    int tipo = 0;
    int genere = 0;
    int numero = 0;

    // A part of speech, and for an article its kind, gender and number.
    bool completa() const;
    bool operator==(const Annotazione &) const = default;
};

struct Suggerimento {
    Annotazione annotazione;     // codice 0: nothing to suggest
    bool sicuro = false;         // one reading only, and not an ambiguous form
    QString regolaPratica;       // for an ambiguous form, how to decide
    int occorrenze = 0;          // in the built-in sentences
};

// "del", "la", "l'", "un", "che"...: never confirmed without the teacher.
bool formaAmbigua(const QString &testo);

// The rule of thumb for an ambiguous form, empty for the others.
QString regolaPratica(const QString &testo);

class Suggeritore
{
public:
    // Learns every word of `riferimento` with its annotation there.
    explicit Suggeritore(const corpus::Corpus &riferimento);

    Suggerimento suggerisci(const QString &testo) const;

private:
    struct Lettura {
        Annotazione annotazione;
        int volte = 0;
    };
    QHash<QString, std::vector<Lettura>> letture_;  // by chiave()
};

}  // namespace editor
