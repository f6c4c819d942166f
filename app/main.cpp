#include "app/applicazione.h"
#include "app/avvio.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // --help and --version answer before any connection to the display.
    QStringList argomenti;
    for (int i = 0; i < argc; ++i)
        argomenti << QString::fromLocal8Bit(argv[i]);
    const RigaDiComando prima = leggiRigaDiComando(argomenti);
    if (prima.azione == RigaDiComando::Azione::Aiuto || prima.azione == RigaDiComando::Azione::Versione)
        return rispondi(prima);

    QApplication app(argc, argv);
    // Qt has taken its own options (-platform and the like) out by now.
    const RigaDiComando riga = leggiRigaDiComando(QCoreApplication::arguments());
    if (riga.azione != RigaDiComando::Azione::Avvia)
        return rispondi(riga);
    preparaApplicazione();
    avvia(riga.frasi);
    return QApplication::exec();
}
