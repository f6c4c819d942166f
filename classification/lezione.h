#pragma once

// The rules of a lesson, without a window: which question the word in red is
// at, which answer is right, what a press counts, where a right answer leads,
// the draw of the next sentence and the close of a series. Everything it
// knows lives in Modulo1; the windows ask it and draw what it says.
//
// A handler calls, in this order: giudica (the verdict), then, around its
// feedback second, contaErrore for a wrong press and contaRisposta for every
// press, and avanza for a right one, each where the handler changes what the
// pupil sees, so that the counts and the question on screen move together.

#include "classification/modulo1.h"

#include <cstdint>
#include <optional>

namespace platform {
class Random;
}

namespace lezione {

// The button groups that answer a question; the code of a press is the
// button's index in its group (10 and 11 for the variability buttons).
enum class Gruppo {
    Variabilita,  // Com10, Com11
    Parti,        // Com(1..9)
    Tipi,         // art(1..3)
    Generi,       // Masfem(1..2)
    Numeri,       // Singplu(1..2)
};

// ---- the question ------------------------------------------------------------

// The code of the right button for the question open now (10 or 11 for the
// variability question); 0 when no question is open.
int rispostaGiusta();
// The group whose buttons answer the question open now.
std::optional<Gruppo> gruppoDelPasso(Passo passo);

// ---- one press -----------------------------------------------------------------

// Stores the press in `risposta` and tells whether it is right.
bool giudica(Gruppo gruppo, int indice);
// The error category a wrong press of `gruppo` counts in.
int categoriaDiErrore(Gruppo gruppo, int indice);
// A wrong press: one more error in its category and in the series.
void contaErrore(int categoria);
// Every judged press: one more answer in the series; true once the series is
// complete and must be rated.
bool contaRisposta();
// Integer part of errori / domande * 100 (0 before any answer).
int percentualeErrori();
// A right press of `gruppo` with `indice`: the next question of the word, the
// next word or article, or the end of the sentence. Returns the new step.
Passo avanza(Gruppo gruppo, int indice);

// ---- sentences -------------------------------------------------------------------

// The starting values of a lesson, with the corpus tables already filled.
void preparaLezione();
// The first press of VIA starts the clocks at `ora`; later presses leave them.
void avvia(float ora);
// A row not yet drawn in this run and not empty, or nothing once no free row
// turned up in 10001 draws.
std::optional<int> estraiFrase(const StatoEsercizio &stato, platform::Random &caso);
// Draws the next sentence and puts its first word (its first article in
// "solo articoli") in question; with none left the step becomes FrasiFinite.
Passo nuovaFrase(platform::Random &caso);

// ---- the series ------------------------------------------------------------------

inline constexpr int livelloSoloGrafico = 6;
inline constexpr int cerchiPerRiga = 10;

// 0 errors (or fewer): 5 ... 4 or more: 1.
int livelloPerErrori(int errori);
// The counter of series rated at `livello` (1..5), or nullptr.
int *contatoreLivello(int livello);
// The best time kept for a series of `trascorsi` seconds: cut to tenths, then
// the nearest whole second, a half going to the even one.
std::int16_t secondiRecord(float trascorsi);

struct Chiusura {
    bool valutata = false;     // livello was 1..5: a counter grew
    bool nuovoRecord = false;  // an error-free series beat the best time
};
// Closes the series rated in `livello` after `trascorsi` seconds: the level's
// counter (stopping at ten) and the best time. Level 6 changes nothing.
Chiusura chiudiSerie(float trascorsi);
// "PROSEGUI": the next series starts at `ora`.
void nuovaSerie(float ora);

}  // namespace lezione
