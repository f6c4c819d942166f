#pragma once

// The sentence file compiled into the program. It was checked when the program
// was built; it is parsed once, on first use.

#include "corpus/corpus.h"

#include <QByteArrayView>

#include <optional>

namespace corpus {

QByteArrayView testoIncorporato();
const Corpus &corpusIncorporato();

// The sentences the lesson draws from: the teacher's, once set at start-up,
// otherwise the built-in ones (std::nullopt goes back to them).
void usaCorpus(std::optional<Corpus> corpus);
const Corpus &corpusInUso();

}  // namespace corpus
