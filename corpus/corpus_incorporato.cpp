#include "corpus/corpus_incorporato.h"

#include <QtGlobal>

#include <cstddef>
#include <optional>

extern const char analisi_corpus_dati[];
extern const std::size_t analisi_corpus_lunghezza;

namespace corpus {

QByteArrayView testoIncorporato()
{
    return {analisi_corpus_dati, static_cast<qsizetype>(analisi_corpus_lunghezza)};
}

const Corpus &corpusIncorporato()
{
    static const Corpus corpus = [] {
        Risultato letto = leggi(testoIncorporato());
        // The build refuses a file that breaks a rule, so this only fires on a
        // broken build; better to stop than to show half a lesson.
        if (!letto.valido())
            qFatal("Built-in sentences rejected: %s", qUtf8Printable(letto.errore->messaggio()));
        return std::move(*letto.corpus);
    }();
    return corpus;
}

namespace {

std::optional<Corpus> &corpusScelto()
{
    static std::optional<Corpus> scelto;
    return scelto;
}

}  // namespace

void usaCorpus(std::optional<Corpus> corpus)
{
    corpusScelto() = std::move(corpus);
}

const Corpus &corpusInUso()
{
    return corpusScelto() ? *corpusScelto() : corpusIncorporato();
}

}  // namespace corpus
