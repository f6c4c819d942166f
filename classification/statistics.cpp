// Answers, errors and the error percentage of the series; the end of a series.

#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "screens/classificaform.h"

#include <QLabel>

void FormB::aggiornastatistiche()
{
    ++Modulo1.domande;
    Lrisposte->setText(QString::number(Modulo1.domande));
    // Integer part of errori / domande * 100, computed exactly.
    Lpercentuale->setText(QString::number(Modulo1.errori * 100 / Modulo1.domande));
    Lerrori->setText(QString::number(Modulo1.errori));
    if (Modulo1.domande >= Modulo1.lunghezzaserie)
        classifica(static_cast<std::int16_t>(Modulo1.errori));
}

namespace {

// 0 errors: 5 (ottimo) ... 4 or more: 1 (occorre esercitarsi).
int livelloPerErrori(int errori)
{
    if (errori <= 0)
        return 5;
    if (errori >= 4)
        return 1;
    return 5 - errori;
}

}  // namespace

void FormB::classifica(std::int16_t errori)
{
    Modulo1.livello = livelloPerErrori(errori);
    classificaform::mostra(this);
}
