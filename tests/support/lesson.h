#pragma once

// A lesson under test: fakes installed, shared state fresh, windows gone
// afterwards. Also drives the exercise window the way a pupil does.

#include "classification/modulo1.h"
#include "tests/support/fakes.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class FormB;
class QAbstractButton;
class QWidget;

namespace test {

class Lesson
{
public:
    Lesson();
    ~Lesson();
    Lesson(const Lesson &) = delete;
    Lesson &operator=(const Lesson &) = delete;

    // Opens the exercise window in `mode` (0 "analisi completa", 1 "solo
    // articoli"); results windows are then continued at once (keepContinuing)
    // unless an onNextModal handler is waiting for one.
    FormB *open(int mode = 0);
    // The question the exercise window asks, read off its usable answer
    // buttons and VIA; nothing when they match no step.
    static std::optional<Passo> stepOnScreen(const FormB *form);
    // The button of `step` with code `code` (10 and 11: the variability
    // buttons), or nullptr.
    static QAbstractButton *buttonFor(const FormB *form, Passo step, int code);

    // Replaces the built-in sentences with `tsv` (must be valid) in the tables.
    void useCorpus(const QByteArray &tsv);
    // Presses VIA with the draw set to give `row`.
    void start(int row);

    // A real mouse click through the window system: disabled and hidden
    // buttons do not react, modal windows block it.
    static void click(QAbstractButton *button);
    // The right answer for the question on screen (as the sentence tables
    // say, tests/support/oracle.h); false if none is open.
    bool answerRight();
    // A wrong answer for the question on screen; false if none is open.
    bool answerWrong();
    // Answers right until the sentence is complete (VIA shown); returns the presses.
    int finishSentence();

    // Runs `handler` on the next modal window (e.g. the results) once it is up,
    // unless the lesson ends first.
    static void onNextModal(std::function<void(QWidget *)> handler);
    // From now on presses "PROSEGUI" on every results window that opens;
    // counts them in resultsShown.
    void keepContinuing();
    int resultsShown = 0;

    FakeClock clock;
    ScriptedRandom random;
    RecordingPlayer player;
    int programEnds = 0;
    FormB *form = nullptr;

private:
    QAbstractButton *rightButton() const;
    QAbstractButton *wrongButton() const;
};

// Visible and enabled within its window.
bool usable(const QWidget *widget);
bool shown(const QWidget *widget);

}  // namespace test
