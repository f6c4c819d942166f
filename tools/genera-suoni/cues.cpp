#include "cues.h"

#include "synth.h"

#include <initializer_list>

namespace cues {

namespace {

using synth::Envelope;
using synth::frequency;
using synth::Mix;
using synth::Timbre;

// Every sound ends with this much silence: whatever an audio back end drops
// from the end of a sound is then only silence.
constexpr double trailingSilence = 0.2;
// Loudness of the finished sounds; the "wrong" tone is kept softer.
constexpr double brightPeak = -3.0;
constexpr double softPeak = -6.0;

// MIDI keys of the notes used.
enum Key : int {
    Eb3 = 51, G3 = 55, C4 = 60, E4 = 64, G4 = 67, C5 = 72, E5 = 76, G5 = 79, A5 = 81,
    C6 = 84, Db6 = 85, E6 = 88, G6 = 91, A6 = 93, C7 = 96, E7 = 100,
};

// A warm brass-like tone for the fanfares.
const Timbre brass = {{1, 1.0, 1}, {2, 0.6, 1.3}, {3, 0.4, 1.6}, {4, 0.25, 2}, {5, 0.12, 2.5}};
// A struck bar: bright at first, the overtones dying quickly.
const Timbre marimba = {{1, 1.0, 1}, {4, 0.35, 4}, {10, 0.08, 8}};
// A small bell with its inharmonic partials.
const Timbre bell = {{1, 1.0, 1}, {2, 0.45, 1.5}, {2.76, 0.3, 2}, {5.4, 0.12, 3}};
// Round and soft, nearly a sine.
const Timbre soft = {{1, 1.0, 1}, {2, 0.25, 1.5}, {3, 0.06, 2}};

const Envelope brassNote{0.015, 0.05, 1.5};
const Envelope brassHeld{0.02, 0.25, 1.2};
const Envelope struck{0.004, 0.06, 0.18};
const Envelope ringing{0.004, 0.12, 0.35};

Cue finished(std::string name, const Mix &mix, double peakDbfs = brightPeak)
{
    return Cue{std::move(name), synth::finish(mix, peakDbfs, trailingSilence)};
}

// A rising call on one chord, ending on a held chord.
Cue conga()
{
    Mix mix(1.15);
    double at = 0.0;
    for (int key : {G4, C5, E5}) {
        mix.note(at, 0.14, frequency(key), 0.8, brass, brassNote);
        at += 0.15;
    }
    for (int key : {C5, E5, G5})
        mix.note(at, 0.7, frequency(key), key == G5 ? 0.8 : 0.45, brass, brassHeld);
    return finished("conga", mix);
}

// Air rushing past: noise swelling and fading with a rising band.
Cue rumorevia()
{
    Mix mix(0.7);
    mix.whoosh(0.0, 0.7, 350.0, 2400.0, 1.0);
    return finished("rumorevia", mix, softPeak);
}

// "Ding-dong": time to press VIA.
Cue premivia()
{
    Mix mix(0.95);
    mix.note(0.0, 0.6, frequency(E6), 0.8, bell, ringing);
    mix.note(0.25, 0.7, frequency(C6), 0.8, bell, ringing);
    return finished("premivia", mix);
}

// The five praise jingles: short, bright, each its own shape.
Cue arpeggio(std::string name, std::initializer_list<int> keys, double step, const Timbre &timbre,
             const Envelope &envelope, double lastNote)
{
    const std::size_t count = keys.size();
    Mix mix(step * static_cast<double>(count - 1) + lastNote);
    std::size_t index = 0;
    for (int key : keys) {
        const double start = step * static_cast<double>(index);
        // Each note rings on a little under the next; the last one is held.
        const double length = ++index == count ? lastNote : step + 0.12;
        mix.note(start, length, frequency(key), 0.7, timbre, envelope);
    }
    return finished(std::move(name), mix);
}

Cue esatto4()
{
    // Two chords, the second an octave-and-fifth brighter.
    Mix mix(0.6);
    for (int key : {C6, E6})
        mix.note(0.0, 0.22, frequency(key), 0.6, marimba, struck);
    for (int key : {G6, C7})
        mix.note(0.15, 0.45, frequency(key), 0.6, bell, ringing);
    return finished("esatto4", mix);
}

// A gentle falling "uh-oh", low and round: no harsh buzz for a mistake.
Cue sbagliato1()
{
    Mix mix(0.75);
    const Envelope gentle{0.03, 0.09, 0.0};
    mix.note(0.0, 0.3, frequency(G3), 0.8, soft, gentle);
    mix.note(0.3, 0.45, frequency(Eb3), 0.8, soft, Envelope{0.03, 0.2, 0.6});
    return finished("sbagliato1", mix, softPeak);
}

// The closing fanfare: up the chord and down again, then a full chord that
// dies away.
Cue congafine()
{
    Mix mix(1.95);
    double at = 0.0;
    for (int key : {G4, C5, E5, G5, E5}) {
        mix.note(at, 0.14, frequency(key), 0.8, brass, brassNote);
        at += 0.15;
    }
    for (int key : {C4, E4, G4, C5})
        mix.note(at, 1.2, frequency(key), 0.45, brass, Envelope{0.02, 0.4, 0.7});
    return finished("congafine", mix);
}

}  // namespace

std::vector<Cue> all()
{
    std::vector<Cue> cues;
    cues.push_back(conga());
    cues.push_back(rumorevia());
    cues.push_back(premivia());
    cues.push_back(arpeggio("esatto", {C6, E6, G6}, 0.08, marimba, struck, 0.34));
    cues.push_back(arpeggio("esatto2", {G5, C6}, 0.12, bell, ringing, 0.48));
    cues.push_back(arpeggio("esatto3", {E6, G6, C7, E7}, 0.06, marimba, struck, 0.32));
    cues.push_back(esatto4());
    cues.push_back(arpeggio("esatto5", {A5, Db6, E6, A6}, 0.07, bell, ringing, 0.42));
    cues.push_back(sbagliato1());
    cues.push_back(congafine());
    return cues;
}

}  // namespace cues
