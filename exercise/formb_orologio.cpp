// The running clock and the one-second feedback after every answer.

#include "exercise/formb.h"
#include "platform/clock.h"
#include "platform/command_button.h"
#include "platform/input_lock.h"

#include <QLabel>
#include <QPushButton>

void FormB::Timer1_Timer()
{
    if (!Modulo1.avviato)
        return;
    const float trascorsi = platform::secondsBetween(Modulo1.inizioesercizio, platform::clock().secondsSinceMidnight());
    Lbclock->setText(QString::number(static_cast<int>(trascorsi)));
}

void FormB::setAnswerButtonsEnabled(bool abilitati)
{
    for (QPushButton *b : Com)
        b->setEnabled(abilitati);
    Com11->setEnabled(abilitati);
    Com10->setEnabled(abilitati);
}

void FormB::setAnswerButtonsLockedLook(bool bloccati)
{
    auto blocca = [bloccati](QPushButton *b) {
        if (auto *pulsante = qobject_cast<platform::CommandButton *>(b))
            pulsante->setLockedLook(bloccati);
    };
    for (QPushButton *b : {Com10, Com11})
        blocca(b);
    for (QPushButton *b : Com)
        blocca(b);
    for (QPushButton *b : art)
        blocca(b);
    for (QPushButton *b : Masfem)
        blocca(b);
    for (QPushButton *b : Singplu)
        blocca(b);
}

void FormB::flash(const QString &messaggio)
{
    gratifica->setText(messaggio);
    setAnswerButtonsEnabled(false);
    // The kind, gender and number buttons stay enabled through the second
    // but take no click either: they look as locked as the others.
    setAnswerButtonsLockedLook(true);
    {
        // For this second no window takes input; what the pupil clicks
        // meanwhile is dropped, not kept for afterwards.
        platform::InputLock lock;
        platform::clock().wait(1000);
    }
    gratifica->setText(QString());
    setAnswerButtonsLockedLook(false);
    setAnswerButtonsEnabled(true);
}
