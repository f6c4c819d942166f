#pragma once

// What the sentence tables ask of the pupil, worked out from the tables
// alone: the right button of a question, the error category of a wrong press
// and where a right answer leads. It never asks the lesson's own rules, so
// the tests that drive the windows hold those rules against it.

#include "classification/modulo1.h"

namespace test::oracle {

// Steps in which a word is being asked about.
bool isQuestion(Passo step);

// The table value the question asks for: the word's part-of-speech code in
// the first two questions, then the article's kind, gender or number.
int expectedCode(Passo step, int row, int position);

// The code of the right button: 10 ("PARTE VARIABILE") or 11 ("PARTE
// INVARIABILE") for the first question, else the index in the step's group;
// 0 when no question is open.
int rightButton(Passo step, int row, int position);

// The error category a wrong press of `pressed` counts in: the button's own
// code for the variability buttons, the word's part of speech for a part
// of speech, 1 (article) for a kind, gender or number.
int errorCategory(Passo step, int pressed, int row, int position);

struct Next {
    Passo step;
    int position;  // -1: anywhere past the last article
};
// Where a right answer in `step` on word `position` of `row` leads in `mode`
// (0 "analisi completa", 1 "solo articoli").
Next afterRight(Passo step, int row, int position, int mode);

}  // namespace test::oracle
