#include "editor/documento.h"

#include "corpus/file_frasi.h"
#include "editor/parole.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <utility>

namespace editor {

namespace {

// The head of the file, as the built-in one starts.
const char intestazione[] =
    "# Frasi del corpus: una riga per parola.\n"
    "# Colonne (separate da un TAB): frase, posizione, \"testo\" con gli spazi finali, codice della parte "
    "del discorso,\n"
    "# tipo di articolo, genere, numero (gli ultimi tre solo per gli articoli, codice 1; altrimenti vuoti).\n"
    "# Codici: 1 articolo, 2 nome, 3 aggettivo, 4 pronome, 5 verbo, 6 avverbio, 7 preposizione, "
    "8 congiunzione, 9 esclamazione.\n"
    "# Tipo: 1 determinativo, 2 indeterminativo, 3 partitivo. Genere: 1 maschile, 2 femminile. "
    "Numero: 1 singolare, 2 plurale.\n"
    "# Le regole di annotazione sono descritte in CONVENZIONI.md.\n";

constexpr int numeroMassimoFrasi = corpus::ultimaFrase + 1;
// How close to a limit the editor starts saying how much is left.
constexpr int avvisoFrasi = 5;
constexpr int avvisoParole = 3;

QByteArray campo(int valore)
{
    return valore == 0 ? QByteArray() : QByteArray::number(valore);
}

bool stessoFile(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

QString limite(const QString &cosa, int quante, int massimo, int avviso, const QString &pieno)
{
    QString testo = QStringLiteral("%1: %2 di %3").arg(cosa).arg(quante).arg(massimo);
    if (quante > massimo)
        testo += QStringLiteral(" — troppe: al massimo %1").arg(massimo);
    else if (quante == massimo)
        testo += QStringLiteral(" — è il massimo: ") + pieno;
    else if (quante > massimo - avviso)
        testo += massimo - quante == 1 ? QStringLiteral(" — se ne può aggiungere ancora una")
                                       : QStringLiteral(" — se ne possono aggiungere ancora %1").arg(massimo - quante);
    return testo;
}

}  // namespace

QStringList FraseEditor::testi() const
{
    QStringList testi;
    for (const ParolaEditor &parola : parole)
        testi << parola.testo;
    return testi;
}

std::vector<const Verifica::Difetto *> Verifica::diFrase(int frase) const
{
    std::vector<const Difetto *> trovati;
    for (const Difetto &difetto : difetti)
        if (difetto.frase == frase)
            trovati.push_back(&difetto);
    return trovati;
}

Documento::Documento(const Suggeritore &suggeritore) : suggeritore_(suggeritore) {}

ParolaEditor Documento::parolaNuova(const QString &testo) const
{
    const Suggerimento s = suggeritore_.suggerisci(testo);
    return ParolaEditor{testo, s.annotazione, false};
}

const ParolaEditor *Documento::parola(int frase, int posizione) const
{
    if (!fraseValida(frase) || posizione < 0 || posizione >= this->frase(frase).numeroParole())
        return nullptr;
    return &this->frase(frase).parole[static_cast<std::size_t>(posizione)];
}

ParolaEditor *Documento::parola(int frase, int posizione)
{
    return const_cast<ParolaEditor *>(std::as_const(*this).parola(frase, posizione));
}

bool Documento::aggiungiFrase(int dove)
{
    if (numeroFrasi() >= numeroMassimoFrasi || dove < 0 || dove > numeroFrasi())
        return false;
    frasi_.insert(frasi_.begin() + dove, FraseEditor{});
    modificato = true;
    return true;
}

bool Documento::duplicaFrase(int indice)
{
    if (numeroFrasi() >= numeroMassimoFrasi || !fraseValida(indice))
        return false;
    const FraseEditor copia = frasi_[static_cast<std::size_t>(indice)];
    frasi_.insert(frasi_.begin() + indice + 1, copia);
    modificato = true;
    return true;
}

bool Documento::eliminaFrase(int indice)
{
    if (!fraseValida(indice))
        return false;
    frasi_.erase(frasi_.begin() + indice);
    modificato = true;
    return true;
}

bool Documento::spostaFrase(int da, int a)
{
    if (!fraseValida(da) || !fraseValida(a) || da == a)
        return false;
    FraseEditor spostata = std::move(frasi_[static_cast<std::size_t>(da)]);
    frasi_.erase(frasi_.begin() + da);
    frasi_.insert(frasi_.begin() + a, std::move(spostata));
    modificato = true;
    return true;
}

bool Documento::scriviFrase(int indice, const QString &riga)
{
    const QStringList testi = divideFrase(riga);
    if (!fraseValida(indice) || testi.size() > corpus::maxParole)
        return false;
    std::vector<ParolaEditor> &vecchie = frasi_[static_cast<std::size_t>(indice)].parole;
    std::vector<ParolaEditor> nuove;
    std::size_t prossima = 0;  // words already there are looked for in order
    for (const QString &scritto : testi) {
        const QString forma = chiave(scritto);
        auto uguale = std::find_if(vecchie.begin() + static_cast<std::ptrdiff_t>(prossima), vecchie.end(),
                                   [&](const ParolaEditor &p) { return chiave(p.testo) == forma; });
        if (uguale == vecchie.end()) {
            nuove.push_back(parolaNuova(scritto));
            continue;
        }
        prossima = static_cast<std::size_t>(uguale - vecchie.begin()) + 1;
        ParolaEditor ritrovata = *uguale;
        // The line shows "l'" for "la (l')" and no trailing blanks: a word
        // typed the same keeps the text the file has.
        const std::optional<Elisione> e = elisione(ritrovata.testo);
        const bool stessaElisione = e && !e->intera.isEmpty() && scritto.trimmed() == e->elisa;
        if (ritrovata.testo.trimmed() != scritto.trimmed() && !stessaElisione)
            ritrovata.testo = scritto;
        nuove.push_back(ritrovata);
    }
    vecchie = std::move(nuove);
    modificato = true;
    return true;
}

bool Documento::unisci(int frase, int posizione)
{
    ParolaEditor *prima = parola(frase, posizione);
    const ParolaEditor *seconda = parola(frase, posizione + 1);
    if (!prima || !seconda)
        return false;
    *prima = parolaNuova(editor::unisci(prima->testo, seconda->testo));
    auto &parole = frasi_[static_cast<std::size_t>(frase)].parole;
    parole.erase(parole.begin() + posizione + 1);
    modificato = true;
    return true;
}

bool Documento::dividi(int frase, int posizione)
{
    const ParolaEditor *intera = parola(frase, posizione);
    if (!intera)
        return false;
    const QStringList testi = divideFrase(intera->testo);
    auto &parole = frasi_[static_cast<std::size_t>(frase)].parole;
    if (testi.size() < 2 || static_cast<int>(parole.size()) + testi.size() - 1 > corpus::maxParole)
        return false;
    std::vector<ParolaEditor> nuove;
    for (const QString &pezzo : testi)
        nuove.push_back(parolaNuova(pezzo));
    parole.erase(parole.begin() + posizione);
    parole.insert(parole.begin() + posizione, nuove.begin(), nuove.end());
    modificato = true;
    return true;
}

bool Documento::eliminaParola(int frase, int posizione)
{
    if (!parola(frase, posizione))
        return false;
    auto &parole = frasi_[static_cast<std::size_t>(frase)].parole;
    parole.erase(parole.begin() + posizione);
    modificato = true;
    return true;
}

bool Documento::cambiaTesto(int frase, int posizione, const QString &testo)
{
    ParolaEditor *p = parola(frase, posizione);
    if (!p)
        return false;
    QString nuovo = testo;
    nuovo.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (nuovo == p->testo)
        return true;
    // Another word gets its own suggestion; the same word keeps its analysis.
    if (chiave(nuovo) != chiave(p->testo))
        *p = parolaNuova(nuovo);
    else
        p->testo = nuovo;
    modificato = true;
    return true;
}

bool Documento::annota(int frase, int posizione, const Annotazione &annotazione)
{
    ParolaEditor *p = parola(frase, posizione);
    if (!p)
        return false;
    p->annotazione = annotazione;
    p->confermata = annotazione.completa();
    if (annotazione.codice == corpus::Articolo && annotazione.genere != 0)
        p->testo = testoConGenere(p->testo, annotazione.genere);
    modificato = true;
    return true;
}

bool Documento::conferma(int frase, int posizione)
{
    const ParolaEditor *p = parola(frase, posizione);
    return p && p->annotazione.completa() && annota(frase, posizione, p->annotazione);
}

int Documento::confermaSuggerimentiSicuri()
{
    int confermate = 0;
    for (int f = 0; f < numeroFrasi(); ++f)
        for (int p = 0; p < frase(f).numeroParole(); ++p) {
            const ParolaEditor &daVedere = frase(f).parole[static_cast<std::size_t>(p)];
            if (daVedere.confermata)
                continue;
            const Suggerimento s = suggeritore_.suggerisci(daVedere.testo);
            if (s.sicuro && s.annotazione == daVedere.annotazione && conferma(f, p))
                ++confermate;
        }
    return confermate;
}

Suggerimento Documento::suggerimento(int frase, int posizione) const
{
    const ParolaEditor *p = parola(frase, posizione);
    return p ? suggeritore_.suggerisci(p->testo) : Suggerimento{};
}

QString Documento::limiteFrasi() const
{
    return limite(QStringLiteral("Frasi"), numeroFrasi(), numeroMassimoFrasi, avvisoFrasi,
                  QStringLiteral("per aggiungerne un'altra bisogna eliminarne una"));
}

QString Documento::limiteParole(int frase) const
{
    return limite(QStringLiteral("Posizioni"), fraseValida(frase) ? this->frase(frase).numeroParole() : 0,
                  corpus::maxParole, avvisoParole,
                  QStringLiteral("per aggiungere una parola bisogna unirne due (un tempo composto, una locuzione)"));
}

QString Documento::limiteParoleRiga(const QString &riga)
{
    return limite(QStringLiteral("Parole"), static_cast<int>(divideFrase(riga).size()), corpus::maxParole,
                  avvisoParole, QStringLiteral("la frase non può essere più lunga"));
}

namespace {

// The file and, for each of its lines, the word it holds.
struct FileScritto {
    QByteArray testo;
    std::vector<std::pair<int, int>> linee;  // line - 1 -> (sentence, position), -1 for the others
};

FileScritto scrivi(const std::vector<FraseEditor> &frasi)
{
    FileScritto file;
    file.testo = intestazione;
    file.linee.assign(static_cast<std::size_t>(file.testo.count('\n')), {-1, -1});
    for (std::size_t f = 0; f < frasi.size(); ++f) {
        const QByteArray riga = QByteArray::number(static_cast<int>(f));
        file.testo += "\n# " + riga + ": " + leggibile(frasi[f].testi()).toUtf8() + '\n';
        file.linee.insert(file.linee.end(), 2, {-1, -1});
        for (std::size_t p = 0; p < frasi[f].parole.size(); ++p) {
            const ParolaEditor &parola = frasi[f].parole[p];
            const Annotazione &a = parola.annotazione;
            file.testo += riga + '\t' + QByteArray::number(static_cast<int>(p) + 1) + "\t\"" + parola.testo.toUtf8()
                          + "\"\t" + QByteArray::number(a.codice) + '\t' + campo(a.tipo) + '\t' + campo(a.genere) + '\t'
                          + campo(a.numero) + '\n';
            file.linee.emplace_back(static_cast<int>(f), static_cast<int>(p));
        }
    }
    return file;
}

}  // namespace

QByteArray Documento::testo() const
{
    return scrivi(frasi_).testo;
}

Verifica Documento::verifica() const
{
    const FileScritto file = scrivi(frasi_);
    Verifica verifica;
    for (int f = 0; f < numeroFrasi(); ++f) {
        // A sentence without words writes no line: the reader would not see it.
        if (frase(f).vuota())
            verifica.difetti.push_back({f, -1,
                                        corpus::Errore{f, -1, 0, corpus::Regola::NumeroParole,
                                                       QStringLiteral("la frase non ha parole")}
                                            .messaggio()});
        for (int p = 0; p < frase(f).numeroParole(); ++p) {
            const ParolaEditor &daVedere = frase(f).parole[static_cast<std::size_t>(p)];
            if (!daVedere.confermata)
                verifica.daConfermare.push_back({f, p, daVedere.testo});
        }
    }
    const corpus::Risultato risultato = corpus::leggi(file.testo, corpus::Modo::TuttiGliErrori);
    for (const corpus::Errore &errore : risultato.errori) {
        Verifica::Difetto difetto{errore.frase, -1, errore.messaggio()};
        const auto linea = static_cast<std::size_t>(errore.linea);
        if (linea >= 1 && linea <= file.linee.size() && file.linee[linea - 1].first >= 0) {
            difetto.frase = file.linee[linea - 1].first;
            if (errore.posizione >= 0)
                difetto.posizione = file.linee[linea - 1].second;
        }
        // An empty sentence is reported once, not also as a file without sentences.
        if (difetto.frase < 0 && errore.linea == 0 && !verifica.difetti.empty())
            continue;
        verifica.difetti.push_back(difetto);
    }
    return verifica;
}

corpus::Statistiche Documento::statistiche() const
{
    corpus::Corpus corpus;
    for (const FraseEditor &scritta : frasi_) {
        corpus::Frase copia;
        for (const ParolaEditor &p : scritta.parole) {
            // A word not yet annotated counts, without a part of speech.
            const Annotazione a = p.annotazione.completa() ? p.annotazione : Annotazione{};
            copia.parole.push_back({p.testo, a.codice, a.tipo, a.genere, a.numero});
        }
        corpus.frasi.push_back(std::move(copia));
    }
    return corpus::calcola(corpus);
}

void Documento::caricaCorpus(const corpus::Corpus &corpus)
{
    frasi_.clear();
    for (const corpus::Frase &letta : corpus.frasi) {
        if (letta.vuota())
            continue;  // a row the file leaves out
        FraseEditor copia;
        for (const corpus::Parola &p : letta.parole)
            copia.parole.push_back(
                {p.testo, {p.codice, p.tipo, p.genere, p.numero}, true});
        frasi_.push_back(std::move(copia));
    }
    modificato = false;
}

Apertura apri(const QString &percorso)
{
    corpus::FileFrasi letto = corpus::leggiFile(percorso, corpus::Modo::TuttiGliErrori);
    Apertura apertura;
    apertura.problema = letto.problema;
    switch (letto.esito) {
    case corpus::FileFrasi::Esito::Valido:
        apertura.esito = Apertura::Esito::Aperto;
        apertura.corpus = std::move(*letto.corpus);
        break;
    case corpus::FileFrasi::Esito::NonValido:
        apertura.esito = Apertura::Esito::DaRiparare;
        apertura.testo = QString::fromUtf8(letto.contenuto);
        apertura.errori = std::move(letto.errori);
        break;
    case corpus::FileFrasi::Esito::NonLeggibile:
        apertura.esito = Apertura::Esito::Rifiutato;
        break;
    }
    return apertura;
}

corpus::Risultato verificaTesto(const QString &testo)
{
    return corpus::leggi(testo.toUtf8(), corpus::Modo::TuttiGliErrori);
}

QString destinazioneSalva(const Documento &documento)
{
    QString utente = corpus::fileFrasiUtente();
    switch (documento.origine) {
    case Origine::Incorporate:
        return utente;
    case Origine::InUso:
        return stessoFile(documento.percorso, utente) ? documento.percorso : utente;
    case Origine::Scelto:
        break;
    }
    return documento.percorso;
}

Salvataggio salva(Documento &documento, const QString &percorso)
{
    Salvataggio esito;
    esito.percorso = percorso;
    const Verifica verifica = documento.verifica();
    if (!verifica.regoleRispettate()) {
        esito.messaggio = QStringLiteral("Il file non è stato salvato: non rispetta tutte le regole.\n\n%1")
                              .arg(verifica.difetti.front().messaggio);
        return esito;
    }
    if (!verifica.daConfermare.empty()) {
        QStringList parole;
        for (const auto &parola : verifica.daConfermare)
            parole << QStringLiteral("frase %1, posizione %2: \"%3\"")
                          .arg(parola.frase)
                          .arg(parola.posizione + 1)
                          .arg(parola.testo);
        esito.messaggio = QStringLiteral("Il file non è stato salvato: queste parole hanno un'analisi suggerita "
                                         "che va ancora confermata.\n\n%1")
                              .arg(parole.join(QLatin1Char('\n')));
        return esito;
    }
    const QByteArray testo = documento.testo();
    if (testo.size() > corpus::maxByteFile) {
        esito.messaggio = QStringLiteral("Il file non è stato salvato: supererebbe 1 MiB.");
        return esito;
    }

    // The temporary file is written in full first; the one it replaces is
    // kept as FILE.bak just before the rename.
    const QFileInfo info(percorso);
    QSaveFile file(percorso);
    const QString copia = percorso + QStringLiteral(".bak");
    bool scritto = QDir().mkpath(info.absolutePath()) && file.open(QIODevice::WriteOnly)
                   && file.write(testo) == testo.size();
    if (scritto && info.exists()) {
        QFile::remove(copia);
        scritto = QFile::copy(percorso, copia);
    }
    scritto = scritto && file.commit();
    if (!scritto) {
        file.cancelWriting();
        esito.messaggio = QStringLiteral("Impossibile scrivere %1 (%2).").arg(percorso, file.errorString());
        return esito;
    }
    esito.riuscito = true;
    esito.messaggio = QStringLiteral("Frasi salvate in %1.").arg(percorso);
    if (documento.origine != Origine::Scelto && stessoFile(percorso, corpus::fileFrasiUtente())
        && !stessoFile(documento.percorso, percorso))
        esito.messaggio += QStringLiteral("\nÈ la cartella dei dati dell'utente, dove il programma cerca le frasi per "
                                          "prime: le userà dal suo prossimo avvio.");
    documento.percorso = percorso;
    documento.origine = Origine::Scelto;
    documento.modificato = false;
    return esito;
}

}  // namespace editor
