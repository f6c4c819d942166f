#pragma once

#include "corpus/corpus.h"

struct StatoEsercizio;

// Fills the five corpus tables of `stato` from `corpus` and sets numfrasi to
// the number of rows the draw chooses among. Positions after a sentence's
// end get the empty text and code 0; rows the corpus leaves empty keep a
// word count of 0 and are never drawn.
void riempiTabelle(const corpus::Corpus &corpus, StatoEsercizio &stato);
