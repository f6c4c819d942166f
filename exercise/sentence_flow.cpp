// The start button "VIA", the panel reset and the end button "FINE".

#include "classification/pulsanti.h"
#include "corpus/corpus.h"
#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/design.h"
#include "platform/program_end.h"
#include "platform/random.h"

#include <QLabel>
#include <QPushButton>

#include <optional>

namespace {

constexpr int tentativiMassimi = 10000;

// A row not yet drawn in this run, or nothing once every sentence has been
// used (no free row turned up in 10001 draws).
std::optional<int> estraiFrase()
{
    for (int tentativi = 0; tentativi <= tentativiMassimi; ++tentativi) {
        const int riga = platform::drawBelow(platform::random(), Modulo1.numfrasi);
        const bool libera = Modulo1.frasiusate[static_cast<std::size_t>(riga)] == 0;
        // Rows the corpus leaves empty are never shown as a question.
        if (libera && Modulo1.partediscorso(riga, 0) > 0)
            return riga;
    }
    return std::nullopt;
}

}  // namespace

void FormB::nascondipulsanti()
{
    for (QPushButton *b : Masfem)
        b->hide();
    for (QPushButton *b : Singplu)
        b->hide();
    for (QPushButton *b : art)
        b->hide();
    Com10->show();
    Com11->show();
    for (QLabel *passo : display)
        passo->hide();
}

void FormB::VIA_Click()
{
    nascondipulsanti();
    audio::suona(QStringLiteral("rumorevia"));
    if (!Modulo1.avviato) {
        Modulo1.inizioesercizio = platform::clock().secondsSinceMidnight();
        Modulo1.inizioserie = platform::clock().secondsSinceMidnight();
    }
    Modulo1.avviato = true;
    gratifica->setText(QString());
    nascondiParti(1, 9);
    for (QPushButton *b : {Com10, Com11}) {
        b->show();
        b->setEnabled(true);
    }
    AVVISO->setText(QStringLiteral("Classifica la parte in rosso prima VARIABILE o INVARIABILE poi..."));
    VIA->hide();

    platform::random().seed(platform::clock().secondsSinceMidnight());
    const std::optional<int> riga = estraiFrase();
    if (!riga) {
        AVVISO->setText(QStringLiteral("TUTTE LE FRASI SONO COMPLETATE"));
        VIA->hide();
        audio::suona(QStringLiteral("conga"));
        for (QPushButton *b : Com)
            b->setEnabled(false);
        // The last sentence is done: nothing is left to answer on it.
        Com10->hide();
        Com11->hide();
        return;
    }
    Modulo1.numfrase = *riga;
    Modulo1.frasiusate[static_cast<std::size_t>(*riga)] = 1;

    for (QLabel *parola : Lbmostra) {
        parola->hide();
        platform::setForeColor(parola, pulsanti::parolaDaMostrare);
    }
    Label1->setText(QStringLiteral("domanda n° ") + QString::number(Modulo1.numfrase));
    for (int j = 1; j <= 22; ++j) {
        Lbmostra(j)->setText(Modulo1.testoparola(Modulo1.numfrase, j));
        platform::sizeToText(Lbmostra(j));
        Lbmostra(j)->show();
    }

    Modulo1.posparola = 1;
    if (Modulo1.modoanalisi == 1) {
        const int n = Modulo1.partediscorso(Modulo1.numfrase, 0);
        while (Modulo1.partediscorso(Modulo1.numfrase, Modulo1.posparola) != corpus::Articolo
               && Modulo1.posparola < n)
            ++Modulo1.posparola;
    }
    Modulo1.rispostaesatta = Modulo1.partediscorso(Modulo1.numfrase, Modulo1.posparola);
    platform::setForeColor(Lbmostra(Modulo1.posparola), pulsanti::parolaCorrente);
}

void FormB::FINE_Click()
{
    audio::suona(QStringLiteral("congafine"));
    platform::endProgram();
}
