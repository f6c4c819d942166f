#include "app/avvio.h"

#include "app/iniziale.h"
#include "corpus/corpus_incorporato.h"
#include "corpus/file_frasi.h"

#include <QCommandLineParser>
#include <QMessageBox>
#include <QTextStream>

#include <cstdio>

namespace {

const char *const testoAiuto =
    "uso: analisi-articoli [--frasi FILE]\n"
    "\n"
    "Esercizi di analisi grammaticale degli articoli.\n"
    "\n"
    "Le frasi dell'esercizio vengono dal primo di questi file che esiste:\n"
    "  1. il FILE dato con --frasi;\n"
    "  2. analisi-articoli/frasi.tsv nella cartella dei dati dell'utente\n"
    "     ($XDG_DATA_HOME, di solito ~/.local/share);\n"
    "  3. analisi-articoli/frasi.tsv in una cartella dei dati del sistema\n"
    "     ($XDG_DATA_DIRS, di solito /usr/local/share e /usr/share).\n"
    "Se non ce n'è nessuno, usa le frasi incorporate nel programma. Il file si\n"
    "legge una volta sola, all'avvio. Se non si può usare, una finestra dice\n"
    "perché e la lezione prosegue con le frasi incorporate.\n"
    "Per controllare un file e installarlo: verifica-corpus --help\n"
    "\n"
    "Opzioni:\n"
    "  --frasi FILE   usa le frasi del FILE\n"
    "  -h, --help     mostra questo aiuto ed esce\n"
    "  -v, --version  mostra la versione ed esce\n";

}  // namespace

RigaDiComando leggiRigaDiComando(const QStringList &argomenti)
{
    QCommandLineParser parser;
    // "-frasi" is read as --frasi, and an unknown "-xyz" is named whole.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption frasi(QStringLiteral("frasi"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption aiuto(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versione(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({frasi, aiuto, versione});

    RigaDiComando riga;
    riga.azione = RigaDiComando::Azione::Sbagliata;
    // parse(), not process(): process() would exit by itself, with English texts.
    if (!parser.parse(argomenti)) {
        const QStringList sconosciute = parser.unknownOptionNames();
        if (!sconosciute.isEmpty()) {
            const QString &nome = sconosciute.first();
            riga.messaggio = QStringLiteral("opzione sconosciuta: %1%2")
                                 .arg(nome.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), nome);
        } else {
            riga.messaggio = QStringLiteral("l'opzione --frasi vuole il nome di un file");
        }
        return riga;
    }
    if (parser.isSet(aiuto)) {
        riga.azione = RigaDiComando::Azione::Aiuto;
    } else if (parser.isSet(versione)) {
        riga.azione = RigaDiComando::Azione::Versione;
    } else if (!parser.positionalArguments().isEmpty()) {
        riga.messaggio = QStringLiteral("argomento inatteso: %1 (un file di frasi si dà con --frasi FILE)")
                             .arg(parser.positionalArguments().first());
    } else if (parser.values(frasi).size() > 1) {
        riga.messaggio = QStringLiteral("un solo file di frasi alla volta");
    } else if (parser.isSet(frasi) && parser.value(frasi).isEmpty()) {
        riga.messaggio = QStringLiteral("l'opzione --frasi vuole il nome di un file");
    } else {
        riga.azione = RigaDiComando::Azione::Avvia;
        riga.frasi = parser.value(frasi);
    }
    return riga;
}

int rispondi(const RigaDiComando &riga)
{
    switch (riga.azione) {
    case RigaDiComando::Azione::Aiuto:
        QTextStream(stdout) << testoAiuto;
        return 0;
    case RigaDiComando::Azione::Versione:
        QTextStream(stdout) << "analisi-articoli " << ANALISI_VERSIONE << "\n";
        return 0;
    case RigaDiComando::Azione::Sbagliata:
        QTextStream(stderr) << "analisi-articoli: " << riga.messaggio << "\n"
                            << "Per l'aiuto: analisi-articoli --help\n";
        return 2;
    case RigaDiComando::Azione::Avvia:
        break;
    }
    return 0;
}

bool caricaFrasi(const QString &scelto)
{
    const QString percorso = corpus::fileFrasiInUso(scelto);
    if (percorso.isEmpty())
        return true;
    corpus::FileFrasi letto = corpus::leggiFile(percorso);
    if (letto.valido()) {
        corpus::usaCorpus(std::move(*letto.corpus));
        return true;
    }
    QMessageBox messaggio(QMessageBox::Warning, QStringLiteral("Frasi dell'insegnante"),
                          QStringLiteral("Le frasi del file\n%1\nnon si possono usare:\n%2\n\n"
                                         "La lezione prosegue con le frasi incorporate nel programma.")
                              .arg(percorso, letto.problema),
                          QMessageBox::Ok);
    messaggio.setObjectName(QStringLiteral("MessaggioFrasi"));
    messaggio.exec();
    return false;
}

void avvia(const QString &frasi)
{
    // Any message about the sentence file comes and goes before the start
    // window exists, so its timer and its cue start after it.
    caricaFrasi(frasi);
    Iniziale::istanza()->show();
}
