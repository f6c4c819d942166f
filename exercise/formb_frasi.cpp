// The start button "VIA", the panel reset and the end button "FINE".

#include "classification/lezione.h"
#include "classification/pulsanti.h"
#include "exercise/formb.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/design.h"
#include "platform/program_end.h"
#include "platform/random.h"

#include <QLabel>
#include <QPushButton>

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
    lezione::avvia(platform::clock().secondsSinceMidnight());
    gratifica->setText(QString());
    nascondiParti(1, 9);
    for (QPushButton *b : {Com10, Com11}) {
        b->show();
        b->setEnabled(true);
    }
    AVVISO->setText(QStringLiteral("Classifica la parte in rosso prima VARIABILE o INVARIABILE poi..."));
    VIA->hide();

    platform::random().seed(platform::clock().secondsSinceMidnight());
    if (lezione::nuovaFrase(platform::random()) == Passo::FrasiFinite) {
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
    platform::setForeColor(Lbmostra(Modulo1.posparola), pulsanti::parolaCorrente);
}

void FormB::FINE_Click()
{
    audio::suona(QStringLiteral("congafine"));
    platform::endProgram();
}
