#include "corpus/corpus.h"

#include <QStringDecoder>

#include <array>
#include <string_view>

namespace corpus {

int Corpus::frasiPiene() const
{
    int piene = 0;
    for (const Frase &frase : frasi)
        piene += frase.vuota() ? 0 : 1;
    return piene;
}

QString descrizione(Regola regola)
{
    switch (regola) {
    case Regola::Formato:
        return QStringLiteral("formato della linea");
    case Regola::NumeroParole:
        return QStringLiteral("una frase ha da 1 a 22 parole");
    case Regola::ParolaCompleta:
        return QStringLiteral("ogni parola ha un testo non vuoto e un codice da 1 a 9");
    case Regola::NienteOltreLaFine:
        return QStringLiteral("le posizioni vanno da 1 a n senza buchi");
    case Regola::DatiArticolo:
        return QStringLiteral("tipo, genere e numero ci sono per gli articoli e solo per loro");
    case Regola::IndeterminativoSingolare:
        return QStringLiteral("l'articolo indeterminativo è sempre singolare");
    case Regola::AlmenoUnArticolo:
        return QStringLiteral("ogni frase contiene almeno un articolo");
    case Regola::NonFinisceConArticolo:
        return QStringLiteral("nessuna frase termina con un articolo");
    }
    return {};
}

QString Errore::messaggio() const
{
    QString dove = frase >= 0 ? QStringLiteral("frase %1").arg(frase) : QStringLiteral("file");
    if (posizione >= 0)
        dove += QStringLiteral(", posizione %1").arg(posizione);
    if (linea > 0)
        dove += QStringLiteral(" (linea %1)").arg(linea);
    return QStringLiteral("%1: regola %2, %3: %4")
        .arg(dove)
        .arg(static_cast<int>(regola))
        .arg(descrizione(regola), dettaglio);
}

namespace {

constexpr std::size_t campiCompleti = 7;
constexpr std::size_t campiMinimi = 4;  // without the three article fields

// A whole non-negative number of at most four digits; empty fields and
// anything else give no value.
std::optional<int> numero(std::string_view campo)
{
    if (campo.empty() || campo.size() > 4)
        return std::nullopt;
    int valore = 0;
    for (char c : campo) {
        if (c < '0' || c > '9')
            return std::nullopt;
        valore = valore * 10 + (c - '0');
    }
    return valore;
}

bool traVirgolette(std::string_view campo)
{
    return campo.size() >= 2 && campo.front() == '"' && campo.back() == '"';
}

// A spreadsheet may quote any field; numbers quoted that way still count.
std::string_view senzaVirgolette(std::string_view campo)
{
    return traVirgolette(campo) ? campo.substr(1, campo.size() - 2) : campo;
}

// A line a spreadsheet writes for an empty row holds nothing but TABs.
bool soloSeparatori(std::string_view linea)
{
    return linea.find_first_not_of("\t ") == std::string_view::npos;
}

// A comment starts with '#'; a spreadsheet quotes the cell when it holds a quote.
bool commento(std::string_view linea)
{
    return linea.starts_with('#') || linea.starts_with("\"#");
}

// What an encoding other than UTF-8 looks like from its first bytes; empty
// when the file may be UTF-8.
QString altraCodifica(std::string_view testo)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(testo[i]); };
    const bool utf16 = testo.size() >= 2
                       && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)
                           || (byte(0) != 0 && byte(1) == 0) || (byte(0) == 0 && byte(1) != 0));
    if (utf16)
        return QStringLiteral("il file è scritto in UTF-16 (come lo salvano alcuni fogli di calcolo "
                              "con \"testo Unicode\"): va salvato in UTF-8");
    if (testo.find('\0') != std::string_view::npos)
        return QStringLiteral("il file contiene byte nulli: non è un file di testo");
    return {};
}

class Lettore
{
public:
    explicit Lettore(Modo modo) : tutti_(modo == Modo::TuttiGliErrori) {}

    Risultato leggi(std::string_view testo)
    {
        if (testo.substr(0, 3) == "\xEF\xBB\xBF")  // a UTF-8 BOM, as some editors write
            testo.remove_prefix(3);
        // Nothing in a file of another encoding would read as it should.
        if (const QString codifica = altraCodifica(testo); !codifica.isEmpty()) {
            registra(Errore{-1, -1, 1, Regola::Formato, codifica});
            testo = {};
        }

        std::size_t inizio = 0;
        while (inizio <= testo.size() && continua()) {
            std::size_t fine = testo.find('\n', inizio);
            if (fine == std::string_view::npos)
                fine = testo.size();
            std::string_view linea = testo.substr(inizio, fine - inizio);
            if (!linea.empty() && linea.back() == '\r')
                linea.remove_suffix(1);
            ++numeroLinea_;
            if (!commento(linea) && !soloSeparatori(linea))
                leggiLinea(linea);
            inizio = fine + 1;
        }
        if (continua())
            chiudiFrase();
        if (errori_.empty() && corpus_.frasi.empty())
            registra(Errore{-1, -1, 0, Regola::NumeroParole, QStringLiteral("il file non contiene frasi")});

        Risultato risultato;
        if (errori_.empty()) {
            risultato.corpus = std::move(corpus_);
        } else {
            risultato.errore = errori_.front();
            risultato.errori = std::move(errori_);
        }
        return risultato;
    }

private:
    bool continua() const { return tutti_ || errori_.empty(); }

    void registra(Errore errore)
    {
        if (continua())
            errori_.push_back(std::move(errore));
    }

    void sbaglia(int frase, int posizione, Regola regola, const QString &dettaglio)
    {
        registra(Errore{frase, posizione, numeroLinea_, regola, dettaglio});
    }

    void leggiLinea(std::string_view linea)
    {
        std::array<std::string_view, campiCompleti> campi;
        std::size_t quanti = 0;
        std::size_t inizio = 0;
        for (;;) {
            const std::size_t tab = linea.find('\t', inizio);
            const std::string_view campo = linea.substr(inizio, tab == std::string_view::npos ? std::string_view::npos : tab - inizio);
            if (quanti == campiCompleti) {
                sbaglia(-1, -1, Regola::Formato, QStringLiteral("più di 7 campi separati da TAB"));
                return;
            }
            campi[quanti++] = campo;
            if (tab == std::string_view::npos)
                break;
            inizio = tab + 1;
        }
        const bool primaLinea = !lineeLette_;
        lineeLette_ = true;
        if (primaLinea && quanti >= 2 && QByteArrayView(senzaVirgolette(campi[0])).trimmed().compare("frase", Qt::CaseInsensitive) == 0)
            return;  // the header line of a spreadsheet
        if (quanti < campiMinimi) {
            sbaglia(-1, -1, Regola::Formato, campiMancanti(linea, quanti));
            return;
        }

        const std::optional<int> riga = numero(senzaVirgolette(campi[0]));
        if (!riga || *riga > ultimaFrase) {
            sbaglia(-1, -1, Regola::Formato, QStringLiteral("il numero della frase deve essere da 0 a %1").arg(ultimaFrase));
            return;
        }
        const std::optional<int> posizione = numero(senzaVirgolette(campi[1]));
        if (!posizione || *posizione < 1) {
            sbaglia(*riga, -1, Regola::Formato, QStringLiteral("la posizione deve essere un numero da 1 a %1").arg(maxParole));
            return;
        }
        if (!entraNellaFrase(*riga, *posizione))
            return;

        // From here on the word holds its place in the sentence even when a
        // field is wrong, so that reporting every fault does not also report
        // the positions after it as out of place.
        Parola parola;
        leggiParola(campi, quanti, *riga, *posizione, parola);
        if (frase_.parole.empty())
            frase_.parole.reserve(maxParole);
        frase_.parole.push_back(std::move(parola));
        lineaUltimaParola_ = numeroLinea_;
    }

    static QString campiMancanti(std::string_view linea, std::size_t quanti)
    {
        if (quanti == 1)
            return linea.find(' ') != std::string_view::npos
                       ? QStringLiteral("la linea non ha nessun TAB: i campi vanno separati da caratteri TAB, "
                                        "non da spazi (alcuni editor cambiano i TAB in spazi)")
                       : QStringLiteral("la linea non ha nessun TAB: servono da 4 a 7 campi separati da caratteri TAB");
        return QStringLiteral("la linea ha solo %1 campi: ne servono da 4 a 7 separati da caratteri TAB "
                              "(frase, posizione, testo, codice, e per gli articoli tipo, genere, numero)")
            .arg(quanti);
    }

    void leggiParola(const std::array<std::string_view, campiCompleti> &campi, std::size_t quanti, int riga,
                     int posizione, Parola &parola)
    {
        if (!leggiTesto(campi[2], riga, posizione, parola.testo))
            return;
        const std::optional<int> codice = numero(senzaVirgolette(campi[3]));
        if (!codice) {
            sbaglia(riga, posizione, Regola::Formato, QStringLiteral("il codice deve essere un numero"));
            return;
        }
        parola.codice = *codice;
        if (parola.testo.isEmpty() || parola.codice < Articolo || parola.codice > Esclamazione) {
            sbaglia(riga, posizione, Regola::ParolaCompleta,
                    parola.testo.isEmpty() ? QStringLiteral("testo vuoto")
                                           : QStringLiteral("codice %1").arg(parola.codice));
            return;
        }
        std::array<std::string_view, 3> articolo;
        for (std::size_t i = campiMinimi; i < quanti; ++i)
            articolo[i - campiMinimi] = senzaVirgolette(campi[i]);
        leggiArticolo(articolo, riga, posizione, parola);
    }

    // Keeps the rows in ascending order and the positions of a row without gaps.
    bool entraNellaFrase(int riga, int posizione)
    {
        if (riga != rigaCorrente_) {
            if (riga < rigaCorrente_ || riga <= ultimaRiga_) {
                sbaglia(riga, posizione, Regola::Formato,
                        QStringLiteral("le frasi vanno in ordine crescente, ciascuna in linee consecutive"));
                return false;
            }
            chiudiFrase();
            if (!continua())
                return false;
            rigaCorrente_ = riga;
            lineaInizioFrase_ = numeroLinea_;
        }
        const int attesa = ultimaPosizione_ + 1;
        if (posizione > maxParole) {
            if (!troppeParole_)
                sbaglia(riga, posizione, Regola::NumeroParole, QStringLiteral("più di %1 parole").arg(maxParole));
            troppeParole_ = true;
            return false;
        }
        if (posizione < attesa) {
            sbaglia(riga, posizione, Regola::Formato, QStringLiteral("posizione ripetuta o fuori ordine"));
            return false;
        }
        if (posizione > attesa)
            sbaglia(riga, posizione, Regola::NienteOltreLaFine, QStringLiteral("manca la posizione %1").arg(attesa));
        ultimaPosizione_ = posizione;
        return continua();
    }

    // The text as written in the file ("text"), or as a spreadsheet exports a
    // cell: bare, or quoted with its quotes doubled when it needs quoting.
    bool leggiTesto(std::string_view campo, int riga, int posizione, QString &testo)
    {
        QByteArray sciolto;  // only for a field with doubled quotes
        if (traVirgolette(campo)) {
            campo = campo.substr(1, campo.size() - 2);
            if (campo.find('"') != std::string_view::npos) {
                sciolto.reserve(static_cast<qsizetype>(campo.size()));
                for (std::size_t i = 0; i < campo.size(); ++i) {
                    if (campo[i] == '"' && (i + 1 == campo.size() || campo[++i] != '"')) {
                        sciolto.clear();
                        break;
                    }
                    sciolto += campo[i];
                }
                // A cell that holds the quotes itself: "text" as in this file.
                if (traVirgolette(std::string_view(sciolto.constData(), static_cast<std::size_t>(sciolto.size()))))
                    sciolto = sciolto.mid(1, sciolto.size() - 2);
                if (!sciolto.isEmpty())
                    campo = std::string_view(sciolto.constData(), static_cast<std::size_t>(sciolto.size()));
            }
        }
        bool soloAscii = true;
        for (char c : campo) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || byte < 0x20) {
                sbaglia(riga, posizione, Regola::Formato,
                        QStringLiteral("il testo contiene virgolette o caratteri di controllo"));
                return false;
            }
            soloAscii = soloAscii && byte < 0x80;
        }
        const QByteArrayView byte(campo.data(), static_cast<qsizetype>(campo.size()));
        // Most words are plain ASCII, which is valid UTF-8 as it stands; the
        // decoder, one for the whole file, is kept for the others. It starts
        // afresh after an error, so an error it reports belongs to this field.
        if (soloAscii) {
            testo = QString::fromLatin1(byte);
            return true;
        }
        testo = decodifica_(byte);
        if (decodifica_.hasError()) {
            decodifica_ = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            sbaglia(riga, posizione, Regola::Formato, testoNonUtf8(byte));
            testo.clear();
            return false;
        }
        return true;
    }

    // Accented letters saved by an older editor or a spreadsheet in Latin-1
    // (or Windows-1252) are single bytes from 0xC0 up.
    static QString testoNonUtf8(QByteArrayView byte)
    {
        bool latino = true;
        for (char c : byte) {
            const auto b = static_cast<unsigned char>(c);
            latino = latino && (b < 0x80 || QChar(static_cast<char16_t>(b)).isLetter());
        }
        return latino ? QStringLiteral("il testo non è UTF-8 valido: il file sembra scritto in Latin-1 "
                                       "(ISO-8859-1 o Windows-1252), va salvato in UTF-8 (testo \"%1\")")
                            .arg(QString::fromLatin1(byte))
                      : QStringLiteral("il testo non è UTF-8 valido");
    }

    void leggiArticolo(const std::array<std::string_view, 3> &campi, int riga, int posizione, Parola &parola)
    {
        std::array<std::optional<int>, 3> valori;
        for (std::size_t i = 0; i < valori.size(); ++i) {
            if (campi[i].empty())
                continue;
            valori[i] = numero(campi[i]);
            if (!valori[i]) {
                sbaglia(riga, posizione, Regola::Formato, QStringLiteral("tipo, genere e numero devono essere numeri"));
                return;
            }
        }
        const bool qualcuno = valori[0] || valori[1] || valori[2];
        if (parola.codice != Articolo) {
            if (qualcuno)
                sbaglia(riga, posizione, Regola::DatiArticolo,
                        QStringLiteral("la parola non è un articolo ma ha tipo, genere o numero"));
            return;
        }
        if (!valori[0] || !valori[1] || !valori[2]) {
            sbaglia(riga, posizione, Regola::DatiArticolo, QStringLiteral("all'articolo manca tipo, genere o numero"));
            return;
        }
        parola.tipo = *valori[0];
        parola.genere = *valori[1];
        parola.numero = *valori[2];
        if (parola.tipo < 1 || parola.tipo > 3 || parola.genere < 1 || parola.genere > 2
            || parola.numero < 1 || parola.numero > 2) {
            sbaglia(riga, posizione, Regola::DatiArticolo,
                    QStringLiteral("tipo da 1 a 3, genere e numero da 1 a 2"));
            return;
        }
        if (parola.tipo == 2 && parola.numero != 1)
            sbaglia(riga, posizione, Regola::IndeterminativoSingolare, QStringLiteral("indeterminativo plurale"));
    }

    // Checks the rules that concern a whole sentence and stores it.
    void chiudiFrase()
    {
        if (rigaCorrente_ < 0)
            return;
        bool articolo = false;
        for (const Parola &parola : frase_.parole)
            articolo = articolo || parola.codice == Articolo;
        if (!articolo)
            registra(Errore{rigaCorrente_, -1, lineaInizioFrase_, Regola::AlmenoUnArticolo,
                            QStringLiteral("nessun articolo")});
        else if (frase_.parole.back().codice == Articolo)
            registra(Errore{rigaCorrente_, ultimaPosizione_, lineaUltimaParola_, Regola::NonFinisceConArticolo,
                            QStringLiteral("l'ultima parola è un articolo")});
        if (errori_.empty()) {
            corpus_.frasi.resize(static_cast<std::size_t>(rigaCorrente_) + 1);
            corpus_.frasi[static_cast<std::size_t>(rigaCorrente_)] = std::move(frase_);
        }
        ultimaRiga_ = rigaCorrente_;
        frase_ = Frase{};
        rigaCorrente_ = -1;
        ultimaPosizione_ = 0;
        troppeParole_ = false;
    }

    const bool tutti_;
    Corpus corpus_;
    Frase frase_;
    QStringDecoder decodifica_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    int rigaCorrente_ = -1;
    int ultimaRiga_ = -1;       // the last row closed
    int ultimaPosizione_ = 0;   // of the row being read
    bool troppeParole_ = false;
    bool lineeLette_ = false;
    int numeroLinea_ = 0;
    int lineaInizioFrase_ = 0;
    int lineaUltimaParola_ = 0;
    std::vector<Errore> errori_;
};

}  // namespace

Risultato leggi(QByteArrayView contenuto, Modo modo)
{
    return Lettore(modo).leggi(std::string_view(contenuto.data(), static_cast<std::size_t>(contenuto.size())));
}

}  // namespace corpus
