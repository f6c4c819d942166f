#include "corpus/file_frasi.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace corpus {

QString fileFrasiInUso(const QString &scelto)
{
    if (!scelto.isEmpty())
        return QFileInfo(scelto).absoluteFilePath();
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QString::fromLatin1(percorsoNeiDati));
}

QString fileFrasiUtente()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/')
           + QString::fromLatin1(percorsoNeiDati);
}

FileFrasi leggiFile(const QString &percorso, Modo modo)
{
    FileFrasi letto;
    const QFileInfo info(percorso);
    if (!info.exists()) {
        letto.problema = QStringLiteral("impossibile leggere il file: non esiste");
        return letto;
    }
    if (info.isDir()) {
        letto.problema = QStringLiteral("impossibile leggere il file: è una cartella, non un file");
        return letto;
    }
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
        letto.problema = info.isReadable()
                             ? QStringLiteral("impossibile leggere il file (%1)").arg(file.errorString())
                             : QStringLiteral("impossibile leggere il file: mancano i permessi di lettura");
        return letto;
    }
    // At most one byte past the limit: a file that grows, or a device that
    // reports no size, is still never read whole.
    const auto troppoGrande = [&](qint64 dimensione) {
        letto.problema = QStringLiteral("il file è troppo grande (%1 byte): un file di frasi ne ha al massimo %2 (1 MiB)")
                             .arg(dimensione)
                             .arg(maxByteFile);
        return letto;
    };
    if (file.size() > maxByteFile)
        return troppoGrande(file.size());
    letto.contenuto = file.read(maxByteFile + 1);
    if (letto.contenuto.size() > maxByteFile)
        return troppoGrande(std::max(file.size(), static_cast<qint64>(letto.contenuto.size())));
    if (file.error() != QFileDevice::NoError) {
        letto.contenuto.clear();
        letto.problema = QStringLiteral("impossibile leggere il file (%1)").arg(file.errorString());
        return letto;
    }

    Risultato risultato = leggi(letto.contenuto, modo);
    if (risultato.valido()) {
        letto.esito = FileFrasi::Esito::Valido;
        letto.corpus = std::move(risultato.corpus);
    } else {
        letto.esito = FileFrasi::Esito::NonValido;
        letto.problema = risultato.errore->messaggio();
        letto.errori = std::move(risultato.errori);
    }
    return letto;
}

}  // namespace corpus
