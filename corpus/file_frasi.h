#pragma once

// The teacher's sentence file at run time: where the program looks for it,
// and reading it from disk with the size limit and the reader's rules. Shared
// by the program, verifica-corpus and any other tool, so that all of them
// find and judge the same file.

#include "corpus/corpus.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace corpus {

// Relative to each data folder (user's first, then the system's).
inline constexpr char percorsoNeiDati[] = "analisi-articoli/frasi.tsv";

// The file the program uses: `scelto` when given (the --frasi option),
// otherwise the first analisi-articoli/frasi.tsv found by Qt's standard-paths
// lookup in $XDG_DATA_HOME, then in each folder of $XDG_DATA_DIRS. Empty
// when there is none: the built-in sentences.
QString fileFrasiInUso(const QString &scelto = {});

// Where a teacher's own file goes: in the user's data folder.
QString fileFrasiUtente();

struct FileFrasi {
    enum class Esito {
        Valido,
        NonLeggibile,  // missing, a folder, no permission, too big
        NonValido,     // read, but breaks a rule
    };
    Esito esito = Esito::NonLeggibile;
    QByteArray contenuto;           // the bytes read, as they are on disk
    std::optional<Corpus> corpus;   // when valid
    std::vector<Errore> errori;     // when not valid: the first, or every one
    QString problema;               // what is wrong, in Italian, without the file's name

    bool valido() const { return esito == Esito::Valido; }
};

// Reads the file once. A file above maxByteFile is refused before it is read
// whole; one that changes meanwhile is judged on what was read.
FileFrasi leggiFile(const QString &percorso, Modo modo = Modo::PrimoErrore);

}  // namespace corpus
