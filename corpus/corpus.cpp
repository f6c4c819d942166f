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
constexpr std::size_t campiSenzaArticolo = 4;

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

class Lettore
{
public:
    Risultato leggi(std::string_view testo)
    {
        std::size_t inizio = 0;
        while (inizio <= testo.size() && !errore_) {
            std::size_t fine = testo.find('\n', inizio);
            if (fine == std::string_view::npos)
                fine = testo.size();
            std::string_view linea = testo.substr(inizio, fine - inizio);
            if (!linea.empty() && linea.back() == '\r')
                linea.remove_suffix(1);
            ++numeroLinea_;
            if (!linea.empty() && linea.front() != '#')
                leggiLinea(linea);
            inizio = fine + 1;
        }
        if (!errore_)
            chiudiFrase();
        if (!errore_ && corpus_.frasi.empty())
            errore_ = Errore{-1, -1, 0, Regola::NumeroParole, QStringLiteral("il file non contiene frasi")};

        Risultato risultato;
        if (errore_)
            risultato.errore = std::move(errore_);
        else
            risultato.corpus = std::move(corpus_);
        return risultato;
    }

private:
    void sbaglia(int frase, int posizione, Regola regola, const QString &dettaglio)
    {
        if (!errore_)
            errore_ = Errore{frase, posizione, numeroLinea_, regola, dettaglio};
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
                sbaglia(-1, -1, Regola::Formato, QStringLiteral("più di 7 campi separati da tabulazioni"));
                return;
            }
            campi[quanti++] = campo;
            if (tab == std::string_view::npos)
                break;
            inizio = tab + 1;
        }
        if (quanti != campiCompleti && quanti != campiSenzaArticolo) {
            sbaglia(-1, -1, Regola::Formato,
                    QStringLiteral("%1 campi: ne servono 7 (riga, posizione, testo, codice, tipo, genere, numero)").arg(quanti));
            return;
        }

        const std::optional<int> riga = numero(campi[0]);
        if (!riga || *riga > ultimaFrase) {
            sbaglia(-1, -1, Regola::Formato, QStringLiteral("il numero della frase deve essere da 0 a %1").arg(ultimaFrase));
            return;
        }
        const std::optional<int> posizione = numero(campi[1]);
        if (!posizione || *posizione < 1) {
            sbaglia(*riga, -1, Regola::Formato, QStringLiteral("la posizione deve essere un numero da 1 a %1").arg(maxParole));
            return;
        }
        if (!entraNellaFrase(*riga, *posizione))
            return;

        Parola parola;
        if (!leggiTesto(campi[2], *riga, *posizione, parola.testo))
            return;
        const std::optional<int> codice = numero(campi[3]);
        if (!codice) {
            sbaglia(*riga, *posizione, Regola::Formato, QStringLiteral("il codice deve essere un numero"));
            return;
        }
        parola.codice = *codice;
        if (parola.testo.isEmpty() || parola.codice < Articolo || parola.codice > Esclamazione) {
            sbaglia(*riga, *posizione, Regola::ParolaCompleta,
                    parola.testo.isEmpty() ? QStringLiteral("testo vuoto")
                                           : QStringLiteral("codice %1").arg(parola.codice));
            return;
        }
        if (!leggiArticolo(quanti == campiCompleti ? campi.data() + 4 : nullptr, *riga, *posizione, parola))
            return;
        if (frase_.parole.empty())
            frase_.parole.reserve(maxParole);
        frase_.parole.push_back(std::move(parola));
    }

    // Keeps the rows in ascending order and the positions of a row without gaps.
    bool entraNellaFrase(int riga, int posizione)
    {
        if (riga != rigaCorrente_) {
            if (riga < rigaCorrente_ || (riga < static_cast<int>(corpus_.frasi.size()))) {
                sbaglia(riga, posizione, Regola::Formato,
                        QStringLiteral("le frasi vanno in ordine crescente, ciascuna in linee consecutive"));
                return false;
            }
            chiudiFrase();
            if (errore_)
                return false;
            rigaCorrente_ = riga;
        }
        const int attesa = frase_.numeroParole() + 1;
        if (posizione > maxParole) {
            sbaglia(riga, posizione, Regola::NumeroParole, QStringLiteral("più di %1 parole").arg(maxParole));
            return false;
        }
        if (posizione < attesa) {
            sbaglia(riga, posizione, Regola::Formato, QStringLiteral("posizione ripetuta o fuori ordine"));
            return false;
        }
        if (posizione > attesa) {
            sbaglia(riga, posizione, Regola::NienteOltreLaFine, QStringLiteral("manca la posizione %1").arg(attesa));
            return false;
        }
        return true;
    }

    bool leggiTesto(std::string_view campo, int riga, int posizione, QString &testo)
    {
        if (campo.size() < 2 || campo.front() != '"' || campo.back() != '"') {
            sbaglia(riga, posizione, Regola::Formato, QStringLiteral("il testo va scritto tra virgolette doppie"));
            return false;
        }
        campo = campo.substr(1, campo.size() - 2);
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
        // decoder, one for the whole file, is kept for the others. It only
        // ever sees valid text before this one (reading stops at the first
        // error), so an error it reports belongs to this field.
        if (soloAscii) {
            testo = QString::fromLatin1(byte);
            return true;
        }
        testo = decodifica_(byte);
        if (decodifica_.hasError()) {
            sbaglia(riga, posizione, Regola::Formato, QStringLiteral("il testo non è UTF-8 valido"));
            return false;
        }
        return true;
    }

    bool leggiArticolo(const std::string_view *campi, int riga, int posizione, Parola &parola)
    {
        std::array<std::optional<int>, 3> valori;
        for (std::size_t i = 0; campi && i < valori.size(); ++i) {
            if (campi[i].empty())
                continue;
            valori[i] = numero(campi[i]);
            if (!valori[i]) {
                sbaglia(riga, posizione, Regola::Formato, QStringLiteral("tipo, genere e numero devono essere numeri"));
                return false;
            }
        }
        const bool qualcuno = valori[0] || valori[1] || valori[2];
        if (parola.codice != Articolo) {
            if (qualcuno) {
                sbaglia(riga, posizione, Regola::DatiArticolo,
                        QStringLiteral("la parola non è un articolo ma ha tipo, genere o numero"));
                return false;
            }
            return true;
        }
        if (!valori[0] || !valori[1] || !valori[2]) {
            sbaglia(riga, posizione, Regola::DatiArticolo, QStringLiteral("all'articolo manca tipo, genere o numero"));
            return false;
        }
        parola.tipo = *valori[0];
        parola.genere = *valori[1];
        parola.numero = *valori[2];
        if (parola.tipo < 1 || parola.tipo > 3 || parola.genere < 1 || parola.genere > 2
            || parola.numero < 1 || parola.numero > 2) {
            sbaglia(riga, posizione, Regola::DatiArticolo,
                    QStringLiteral("tipo da 1 a 3, genere e numero da 1 a 2"));
            return false;
        }
        if (parola.tipo == 2 && parola.numero != 1) {
            sbaglia(riga, posizione, Regola::IndeterminativoSingolare, QStringLiteral("indeterminativo plurale"));
            return false;
        }
        return true;
    }

    // Checks the rules that concern a whole sentence and stores it.
    void chiudiFrase()
    {
        if (rigaCorrente_ < 0)
            return;
        const int n = frase_.numeroParole();
        bool articolo = false;
        for (const Parola &parola : frase_.parole)
            articolo = articolo || parola.codice == Articolo;
        if (!articolo) {
            errore_ = Errore{rigaCorrente_, -1, 0, Regola::AlmenoUnArticolo, QStringLiteral("nessun articolo")};
            return;
        }
        if (frase_.parole.back().codice == Articolo) {
            errore_ = Errore{rigaCorrente_, n, 0, Regola::NonFinisceConArticolo,
                             QStringLiteral("l'ultima parola è un articolo")};
            return;
        }
        corpus_.frasi.resize(static_cast<std::size_t>(rigaCorrente_) + 1);
        corpus_.frasi[static_cast<std::size_t>(rigaCorrente_)] = std::move(frase_);
        frase_ = Frase{};
        rigaCorrente_ = -1;
    }

    Corpus corpus_;
    Frase frase_;
    QStringDecoder decodifica_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    int rigaCorrente_ = -1;
    int numeroLinea_ = 0;
    std::optional<Errore> errore_;
};

}  // namespace

Risultato leggi(QByteArrayView contenuto)
{
    return Lettore().leggi(std::string_view(contenuto.data(), static_cast<std::size_t>(contenuto.size())));
}

}  // namespace corpus
