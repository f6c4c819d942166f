#include "app/applicazione.h"
#include "app/iniziale.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    preparaApplicazione();
    Iniziale::istanza()->show();
    return QApplication::exec();
}
