// Answers, errors and the error percentage of the series; the end of a series.

#include "classification/lezione.h"
#include "exercise/formb.h"
#include "screens/classificaform.h"

#include <QLabel>

void FormB::aggiornastatistiche()
{
    const bool serieCompleta = lezione::contaRisposta();
    Lrisposte->setText(QString::number(Modulo1.domande));
    Lpercentuale->setText(QString::number(lezione::percentualeErrori()));
    Lerrori->setText(QString::number(Modulo1.errori));
    if (serieCompleta)
        classifica(static_cast<std::int16_t>(Modulo1.errori));
}

void FormB::classifica(std::int16_t errori)
{
    Modulo1.livello = lezione::livelloPerErrori(errori);
    classificaform::mostra(this);
}
