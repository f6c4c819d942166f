#pragma once

// The sentence file compiled into the program. It was checked when the program
// was built; it is parsed once, on first use.

#include "corpus/corpus.h"

#include <QByteArrayView>

namespace corpus {

QByteArrayView testoIncorporato();
const Corpus &corpusIncorporato();

}  // namespace corpus
