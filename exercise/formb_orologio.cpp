// The running clock and the one-second feedback after every answer.

#include "exercise/formb.h"
#include "platform/clock.h"
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

void FormB::flash(const QString &messaggio)
{
    gratifica->setText(messaggio);
    setAnswerButtonsEnabled(false);
    {
        // For this second no window takes input; what the pupil clicks
        // meanwhile is dropped, not kept for afterwards.
        platform::InputLock lock;
        platform::clock().wait(1000);
    }
    gratifica->setText(QString());
    setAnswerButtonsEnabled(true);
}
