#pragma once

// What happens before the start window: the command line, and the teacher's
// sentence file, read once. A file that cannot be used never stops the
// lesson: one message window says why, and the built-in sentences are used.

#include <QString>
#include <QStringList>

struct RigaDiComando {
    enum class Azione { Avvia, Aiuto, Versione, Sbagliata };
    Azione azione = Azione::Avvia;
    QString frasi;      // --frasi FILE
    QString messaggio;  // for Sbagliata: what is wrong, in Italian
};

// `argomenti` as in QCoreApplication::arguments(), the program's name first.
RigaDiComando leggiRigaDiComando(const QStringList &argomenti);

// Prints the help, the version or the fault for a command line that does not
// start a lesson; returns the exit status (0, or 2 for a wrong command line).
int rispondi(const RigaDiComando &riga);

// Looks up and reads the sentence file (`scelto` from --frasi, or the data
// folders). A valid one becomes the lesson's sentences; any other opens the
// message window and returns only once it is closed. True when the file's
// sentences are used or there is no file.
bool caricaFrasi(const QString &scelto);

// The lesson's start once the command line is read: the sentence file (and its
// message, if any), then the start window, whose timer and cue start with it.
void avvia(const QString &frasi);
