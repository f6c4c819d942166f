#include "screens/classificaform.h"

#include "exercise/modulo1.h"
#include "platform/clock.h"

void classificaform::mostra(QWidget *owner)
{
    classificaform finestra(owner);
    finestra.Command1_Click();
}

classificaform::classificaform(QWidget *owner)
    : QDialog(owner)
{
}

void classificaform::Command1_Click()
{
    Modulo1.domande = 0;
    Modulo1.errori = 0;
    Modulo1.inizioserie = platform::clock().secondsSinceMidnight();
    close();
}
