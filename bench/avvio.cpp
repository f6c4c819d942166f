// The program's start-up, to the frame: the same steps as main() (the
// application object only reports when each event is done), linked against
// the same library and nothing else, so that loading, fonts, windows
// and sounds cost what they cost the program. It leaves at the first frame
// of the chosen window, printing "dipinto <ns>" for the launcher:
//
//   analisi-avvio iniziale     the start window
//   analisi-avvio esercizio    the exercise window with a sentence: "solo
//                              articoli" and "VIA" are pressed as soon as the
//                              start window is up

#include "bench/primo_disegno.h"

#include "app/applicazione.h"
#include "app/iniziale.h"
#include "exercise/formb.h"

#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char **argv)
{
    const bool finoAllEsercizio = argc == 2 && std::strcmp(argv[1], "esercizio") == 0;
    if (!finoAllEsercizio && !(argc == 2 && std::strcmp(argv[1], "iniziale") == 0)) {
        std::fprintf(stderr, "usage: %s iniziale|esercizio\n", argv[0]);
        return 2;
    }

    // What main() does, with the program's own (empty) command line.
    int argcQt = 1;
    char *argvQt[] = {argv[0], nullptr};
    bench::ApplicazioneCronometrata app(argcQt, argvQt);

    bool viaPremuto = false;
    std::unique_ptr<bench::PrimoDisegno> sullEsercizio;
    bench::PrimoDisegno sullIniziale(
        app, [](const QWidget *w) { return qobject_cast<const Iniziale *>(w) != nullptr; },
        [&](std::int64_t istante) {
            if (!finoAllEsercizio)
                bench::riferisciEdEsci(istante);
            // The quickest pupil: the click comes in as the frame is out.
            QTimer::singleShot(0, [&] {
                sullEsercizio = std::make_unique<bench::PrimoDisegno>(
                    app, [&](const QWidget *w) { return viaPremuto && qobject_cast<const FormB *>(w) != nullptr; },
                    [](std::int64_t fine) { bench::riferisciEdEsci(fine); });
                Iniziale::istanza()->Command2_Click();
                FormB::istanza()->VIA->click();
                viaPremuto = true;
            });
        });

    preparaApplicazione();
    Iniziale::istanza()->show();
    return QApplication::exec();
}
