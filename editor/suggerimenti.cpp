#include "editor/suggerimenti.h"

#include "editor/parole.h"

#include <array>

namespace editor {

namespace {

struct FormaArticolo {
    const char *forma;
    Annotazione annotazione;  // gender 0: the noun's, for an elided form
};

// The article forms and their kind, gender and number.
constexpr std::array<FormaArticolo, 18> formeArticolo = {{
    {"il", {1, 1, 1, 1}},     {"lo", {1, 1, 1, 1}},     {"la", {1, 1, 2, 1}},    {"l'", {1, 1, 0, 1}},
    {"i", {1, 1, 1, 2}},      {"gli", {1, 1, 1, 2}},    {"le", {1, 1, 2, 2}},    {"un", {1, 2, 1, 1}},
    {"uno", {1, 2, 1, 1}},    {"una", {1, 2, 2, 1}},    {"un'", {1, 2, 2, 1}},   {"del", {1, 3, 1, 1}},
    {"dello", {1, 3, 1, 1}},  {"della", {1, 3, 2, 1}},  {"dell'", {1, 3, 0, 1}}, {"dei", {1, 3, 1, 2}},
    {"degli", {1, 3, 1, 2}},  {"delle", {1, 3, 2, 2}},
}};

const QString partitivoOPreposizione = QStringLiteral(
    "Partitivo o preposizione articolata? È un articolo partitivo (tipo 3) solo quando indica una "
    "quantità indefinita, cioè quando si può sostituire con «un po' di» oppure «alcuni/alcune»: "
    "«del pane fresco», «degli spinaci». Negli altri casi è una preposizione articolata (codice 7): "
    "«lo sportello del forno», «le foglie degli alberi».");
const QString articoloOPronome = QStringLiteral(
    "Articolo o pronome? È un articolo quando accompagna un nome («raccoglie le ghiande»); è un "
    "pronome quando sta al posto di un nome, di solito davanti al verbo («e le nasconde»).");
const QString genereElisione = QStringLiteral(
    " Con l'elisione il genere è quello della forma intera, cioè quello del nome: «lo (l') intervallo» "
    "è maschile, «la (l') isola» è femminile.");
const QString articoloONumerale = QStringLiteral(
    "Articolo o numerale? «un» e «una» sono articoli solo quando non contano: «un bambino», "
    "«Un sabato». Se si può leggere il numero «uno» («tra un anno», «ho un fratello e due "
    "sorelle»), meglio cambiare la frase.");
const QString chePronomeOCongiunzione = QStringLiteral(
    "«che» relativo è un pronome (codice 4): «una farfalla gialla che volava», dove sta per «la "
    "quale». «che» congiunzione («penso che…») ha il codice 8.");

}  // namespace

bool Annotazione::completa() const
{
    if (codice < corpus::Articolo || codice > corpus::Esclamazione)
        return false;
    if (codice != corpus::Articolo)
        return tipo == 0 && genere == 0 && numero == 0;
    return tipo >= 1 && tipo <= 3 && genere >= 1 && genere <= 2 && numero >= 1 && numero <= 2;
}

QString regolaPratica(const QString &testo)
{
    const QString forma = chiave(testo);
    static const QStringList partitivi = {QStringLiteral("del"), QStringLiteral("dello"), QStringLiteral("della"),
                                          QStringLiteral("dell'"), QStringLiteral("dei"), QStringLiteral("degli"),
                                          QStringLiteral("delle")};
    static const QStringList pronomi = {QStringLiteral("lo"), QStringLiteral("la"), QStringLiteral("gli"),
                                        QStringLiteral("le")};
    if (partitivi.contains(forma))
        return partitivoOPreposizione;
    if (pronomi.contains(forma))
        return articoloOPronome;
    if (forma == QLatin1String("l'"))
        return articoloOPronome + genereElisione;
    if (forma == QLatin1String("un") || forma == QLatin1String("una"))
        return articoloONumerale;
    if (forma == QLatin1String("che"))
        return chePronomeOCongiunzione;
    return {};
}

bool formaAmbigua(const QString &testo)
{
    return !regolaPratica(testo).isEmpty();
}

Suggeritore::Suggeritore(const corpus::Corpus &riferimento)
{
    for (const corpus::Frase &frase : riferimento.frasi)
        for (const corpus::Parola &parola : frase.parole) {
            const Annotazione annotazione{parola.codice, parola.tipo, parola.genere, parola.numero};
            std::vector<Lettura> &letture = letture_[chiave(parola.testo)];
            auto trovata = std::find_if(letture.begin(), letture.end(),
                                        [&](const Lettura &l) { return l.annotazione == annotazione; });
            if (trovata == letture.end())
                trovata = letture.insert(letture.end(), Lettura{annotazione, 0});
            ++trovata->volte;
        }
}

Suggerimento Suggeritore::suggerisci(const QString &testo) const
{
    const QString forma = chiave(testo);
    Suggerimento suggerimento;
    suggerimento.regolaPratica = regolaPratica(testo);
    const auto letture = letture_.constFind(forma);
    if (letture != letture_.cend() && !letture->empty()) {
        const Lettura *migliore = &letture->front();
        for (const Lettura &lettura : *letture) {
            suggerimento.occorrenze += lettura.volte;
            // On a tie the article wins: the teacher confirms it anyway.
            const bool articolo = lettura.annotazione.codice == corpus::Articolo
                                  && migliore->annotazione.codice != corpus::Articolo;
            if (lettura.volte > migliore->volte || (lettura.volte == migliore->volte && articolo))
                migliore = &lettura;
        }
        suggerimento.annotazione = migliore->annotazione;
        suggerimento.sicuro = letture->size() == 1;
    } else {
        for (const FormaArticolo &articolo : formeArticolo)
            if (forma == QLatin1String(articolo.forma))
                suggerimento.annotazione = articolo.annotazione;
        suggerimento.sicuro = suggerimento.annotazione.codice != 0;
    }
    // An elided article takes the gender of its noun, which only the teacher knows.
    if (suggerimento.annotazione.codice == corpus::Articolo && !formaIntera(forma, 1).isEmpty()
        && !formaIntera(forma, 2).isEmpty())
        suggerimento.annotazione.genere = 0;
    suggerimento.sicuro = suggerimento.sicuro && suggerimento.annotazione.completa()
                          && suggerimento.regolaPratica.isEmpty();
    return suggerimento;
}

}  // namespace editor
