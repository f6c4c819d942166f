#pragma once

// The sound cues of the lesson.

#include <QString>

namespace audio {

// Plays the cue `nome` ("conga", "rumorevia", "premivia", "sbagliato1", "congafine").
void suona(const QString &nome);

// With "esatto": one of the five praise sounds, drawn at random after
// re-seeding from the clock. Any other name plays "congafine".
void suonaesatto(const QString &nome);

}  // namespace audio
