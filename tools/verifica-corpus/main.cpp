// verifica-corpus: checks a sentence file against every rule and prints its
// figures. With --genera-cpp it also writes the file as a C++ byte array, which
// is how the build embeds the sentences into the program. For a teacher it
// installs a file where the program looks for it, says which file the program
// would use, and removes the installed one.
//
// Exit codes: 0 the file is valid, 1 it breaks a rule, 2 wrong usage or I/O.
// Everything it prints is in Italian: it is a tool for teachers.

#include "corpus/corpus.h"
#include "corpus/file_frasi.h"
#include "corpus/statistiche_corpus.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

namespace {

const char *const sintassi =
    "uso: verifica-corpus [--silenzioso] [--genera-cpp FILE.cpp] FILE.tsv\n"
    "     verifica-corpus --installa FILE.tsv\n"
    "     verifica-corpus --in-uso\n"
    "     verifica-corpus --rimuovi\n";

void aiuto(QTextStream &out)
{
    out << sintassi
        << "\n"
           "Controlla un file di frasi annotate, scritto come corpus/frasi.tsv o\n"
           "corpus/modello.tsv, e dice se rispetta tutte le regole. Se le rispetta stampa\n"
           "le statistiche: frasi, parole per frase, parti del discorso, articoli per\n"
           "tipo, genere e numero, forme degli articoli. Se ne viola una, dice dove\n"
           "(frase, posizione, linea del file) e quale regola, e si ferma a quel primo\n"
           "errore.\n"
           "\n"
           "Il file: testo UTF-8 (anche con BOM), al massimo 1 MiB, una linea per parola,\n"
           "da 4 a 7 campi separati da caratteri TAB (non da spazi):\n"
           "  frase  posizione  \"testo\"  codice  tipo  genere  numero\n"
           "  frase      da 0 a 100, le frasi in ordine crescente\n"
           "  posizione  da 1 a 22, senza buchi\n"
           "  testo      con gli spazi finali, di solito tra virgolette doppie\n"
           "  codice     1 articolo, 2 nome, 3 aggettivo, 4 pronome, 5 verbo,\n"
           "             6 avverbio, 7 preposizione, 8 congiunzione, 9 esclamazione\n"
           "  tipo       1 determinativo, 2 indeterminativo, 3 partitivo\n"
           "  genere     1 maschile, 2 femminile\n"
           "  numero     1 singolare, 2 plurale\n"
           "Tipo, genere e numero solo per gli articoli (codice 1); per le altre parole\n"
           "restano vuoti o mancano. Le linee che cominciano con # sono commenti, le\n"
           "linee vuote non contano. Va bene anche il file \"testo con tabulazioni\" di un\n"
           "foglio di calcolo: una prima linea di intestazione che comincia con \"frase\",\n"
           "testi con o senza virgolette, fine linea Windows (CR LF).\n"
           "Il programma sceglie a caso tra le frasi numerate da 0 al numero più alto\n"
           "usato; i numeri saltati non vengono mai estratti.\n"
           "\n"
           "Regole:\n";
    for (int regola = static_cast<int>(corpus::Regola::Formato);
         regola <= static_cast<int>(corpus::Regola::NonFinisceConArticolo); ++regola)
        out << "  " << regola << "  " << corpus::descrizione(static_cast<corpus::Regola>(regola)) << "\n";
    out << "\n"
           "Dove il programma cerca le frasi, all'avvio: il file dato con\n"
           "analisi-articoli --frasi FILE; altrimenti analisi-articoli/frasi.tsv nella\n"
           "cartella dei dati dell'utente (~/.local/share), poi nelle cartelle dei dati\n"
           "del sistema (/usr/local/share, /usr/share); altrimenti le frasi incorporate.\n"
           "\n"
           "Opzioni:\n"
           "  --silenzioso          non stampa le statistiche, solo gli errori\n"
           "  --genera-cpp FILE.cpp se il file è valido lo scrive anche come sorgente C++\n"
           "                        (è il passo con cui la compilazione incorpora le frasi)\n"
           "  --installa FILE.tsv   controlla il file e, se è valido, lo copia così com'è\n"
           "                        nella cartella dei dati dell'utente, al posto di un\n"
           "                        file installato prima: il programma lo usa dal\n"
           "                        prossimo avvio\n"
           "  --in-uso              dice quale file di frasi userebbe il programma\n"
           "  --rimuovi             toglie il file installato con --installa\n"
           "  -h, --help            mostra questo aiuto\n"
           "\n"
           "Codici di uscita:\n"
           "  0  il file è valido (--in-uso: anche quando si usano le frasi incorporate)\n"
           "  1  il file non rispetta una regola\n"
           "  2  uso sbagliato, oppure un file che non si può leggere o scrivere\n";
}

int usoSbagliato(QTextStream &err, const QString &motivo)
{
    err << "verifica-corpus: " << motivo << "\n"
        << sintassi << "Per l'aiuto: verifica-corpus --help\n";
    return 2;
}

bool scriviCpp(const QString &percorso, const QByteArray &dati)
{
    QByteArray cpp;
    cpp.reserve(dati.size() * 5 + 256);
    cpp += "// Generated by verifica-corpus from the sentence file. Do not edit.\n"
           "#include <cstddef>\n"
           "extern const char analisi_corpus_dati[];\n"
           "extern const std::size_t analisi_corpus_lunghezza;\n"
           "const char analisi_corpus_dati[] = {\n";
    for (qsizetype i = 0; i < dati.size(); ++i) {
        cpp += QByteArray::number(static_cast<signed char>(dati[i]));
        cpp += (i % 24 == 23) ? ",\n" : ",";
    }
    cpp += "0};\nconst std::size_t analisi_corpus_lunghezza = " + QByteArray::number(dati.size()) + ";\n";
    QSaveFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(cpp) == cpp.size() && file.commit();
}

// Checks the file and prints what is wrong with it; the exit status of the check.
int controlla(const QString &tsv, QTextStream &err, corpus::FileFrasi &letto)
{
    letto = corpus::leggiFile(tsv);
    if (letto.valido())
        return 0;
    err << tsv << ": " << letto.problema << "\n";
    return letto.esito == corpus::FileFrasi::Esito::NonValido ? 1 : 2;
}

// Copies the file byte for byte into the user's data folder, through a
// temporary file renamed into place: the program never sees half a file.
int installa(const QString &tsv, QTextStream &out, QTextStream &err)
{
    corpus::FileFrasi letto;
    if (const int esito = controlla(tsv, err, letto); esito != 0)
        return esito;
    const QString destinazione = corpus::fileFrasiUtente();
    QSaveFile file(destinazione);
    const bool scritto = QDir().mkpath(QFileInfo(destinazione).absolutePath()) && file.open(QIODevice::WriteOnly)
                         && file.write(letto.contenuto) == letto.contenuto.size() && file.commit();
    if (!scritto) {
        err << destinazione << ": impossibile scrivere il file (" << file.errorString() << ")\n";
        return 2;
    }
    out << "Frasi installate in " << destinazione << "\n"
        << "Il programma le userà dal suo prossimo avvio.\n";
    return 0;
}

int inUso(QTextStream &out)
{
    const QString percorso = corpus::fileFrasiInUso();
    if (percorso.isEmpty()) {
        out << "frasi incorporate\n";
        return 0;
    }
    out << percorso << "\n";
    const corpus::FileFrasi letto = corpus::leggiFile(percorso);
    if (letto.valido())
        return 0;
    out << letto.problema << "\n"
        << "Il programma userebbe invece le frasi incorporate.\n";
    return 1;
}

int rimuovi(QTextStream &out, QTextStream &err)
{
    const QString percorso = corpus::fileFrasiUtente();
    if (!QFileInfo::exists(percorso)) {
        out << "Nessun file da togliere: " << percorso << " non c'è.\n";
        return 0;
    }
    QFile file(percorso);
    if (!file.remove()) {
        err << percorso << ": impossibile togliere il file (" << file.errorString() << ")\n";
        return 2;
    }
    out << "Tolto " << percorso << "\n";
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    enum class Azione { Controlla, Installa, InUso, Rimuovi } azione = Azione::Controlla;
    int azioni = 0;
    bool silenzioso = false;
    QString cpp;
    QString tsv;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--silenzioso")) {
            silenzioso = true;
        } else if (arg == QLatin1String("--genera-cpp")) {
            if (i + 1 >= argc)
                return usoSbagliato(err, QStringLiteral("--genera-cpp vuole il nome del file da scrivere"));
            cpp = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--installa")) {
            azione = Azione::Installa;
            ++azioni;
        } else if (arg == QLatin1String("--in-uso")) {
            azione = Azione::InUso;
            ++azioni;
        } else if (arg == QLatin1String("--rimuovi")) {
            azione = Azione::Rimuovi;
            ++azioni;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            aiuto(out);
            return 0;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usoSbagliato(err, QStringLiteral("opzione sconosciuta %1").arg(arg));
        } else if (!tsv.isEmpty()) {
            return usoSbagliato(err, QStringLiteral("un solo file di frasi alla volta"));
        } else {
            tsv = arg;
        }
    }
    if (azioni > 1 || (azione != Azione::Controlla && (silenzioso || !cpp.isEmpty())))
        return usoSbagliato(err, QStringLiteral("--installa, --in-uso e --rimuovi vanno date da sole"));
    switch (azione) {
    case Azione::InUso:
    case Azione::Rimuovi:
        if (!tsv.isEmpty())
            return usoSbagliato(err, QStringLiteral("--in-uso e --rimuovi non vogliono un file"));
        return azione == Azione::InUso ? inUso(out) : rimuovi(out, err);
    case Azione::Installa:
        if (tsv.isEmpty())
            return usoSbagliato(err, QStringLiteral("--installa vuole il file di frasi da installare"));
        return installa(tsv, out, err);
    case Azione::Controlla:
        break;
    }
    if (tsv.isEmpty())
        return usoSbagliato(err, QStringLiteral("manca il file di frasi da controllare"));

    corpus::FileFrasi letto;
    if (const int esito = controlla(tsv, err, letto); esito != 0)
        return esito;
    if (!silenzioso)
        out << corpus::rapporto(corpus::calcola(*letto.corpus));
    if (!cpp.isEmpty() && !scriviCpp(cpp, letto.contenuto)) {
        err << cpp << ": impossibile scrivere il file\n";
        return 2;
    }
    return 0;
}
