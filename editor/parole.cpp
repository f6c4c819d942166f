#include "editor/parole.h"

#include <QRegularExpression>

#include <array>
#include <utility>

namespace editor {

namespace {

struct FormeIntere {
    const char *elisa;
    const char *maschile;
    const char *femminile;
};

// The elided words whose full form the file writes before them.
constexpr std::array<FormeIntere, 10> formeElise = {{
    {"l'", "lo", "la"},
    {"un'", "", "una"},
    {"dell'", "dello", "della"},
    {"all'", "allo", "alla"},
    {"dall'", "dallo", "dalla"},
    {"nell'", "nello", "nella"},
    {"sull'", "sullo", "sulla"},
    {"coll'", "collo", "colla"},
    {"quell'", "quello", "quella"},
    {"bell'", "bello", "bella"},
}};

bool punteggiatura(QChar c)
{
    return c.isPunct() && c != QLatin1Char('\'') && c != QLatin1Char('(') && c != QLatin1Char(')');
}

bool soloPunteggiatura(const QString &parola)
{
    for (QChar c : parola)
        if (!punteggiatura(c))
            return false;
    return !parola.isEmpty();
}

QString spazi(qsizetype quanti)
{
    return {std::min<qsizetype>(quanti, maxSpaziFinali), QLatin1Char(' ')};
}

}  // namespace

QStringList divideFrase(const QString &riga)
{
    QString testo = riga;
    testo.replace(QChar(0x2019), QLatin1Char('\''));  // the typographic apostrophe
    testo.replace(QLatin1Char('\t'), QLatin1Char(' '));

    // Runs of non-blanks, each with the blanks typed after it.
    std::vector<std::pair<QString, qsizetype>> pezzi;
    qsizetype i = 0;
    while (i < testo.size() && testo.at(i).isSpace())
        ++i;
    while (i < testo.size()) {
        const qsizetype inizio = i;
        while (i < testo.size() && !testo.at(i).isSpace())
            ++i;
        const QString parola = testo.mid(inizio, i - inizio);
        const qsizetype dopo = i;
        while (i < testo.size() && testo.at(i).isSpace())
            ++i;
        pezzi.emplace_back(parola, i - dopo);
    }

    std::vector<std::pair<QString, qsizetype>> parole;
    bool dentroParentesi = false;  // inside the "(l')" of "la (l')"
    for (auto &[parola, blank] : pezzi) {
        if (!parole.empty() && (dentroParentesi || parola.startsWith(QLatin1Char('(')))) {
            // "(l')" after its full form, with the blanks between as typed.
            auto &precedente = parole.back();
            precedente.first += QString(precedente.second, QLatin1Char(' ')) + parola;
            precedente.second = blank;
            dentroParentesi = !parola.endsWith(QLatin1Char(')'));
            continue;
        }
        if (!parole.empty() && soloPunteggiatura(parola)) {
            // Punctuation sits right after the word before it.
            parole.back().first += parola;
            parole.back().second = blank;
            continue;
        }
        // "l'acqua" -> "l'" + "acqua", "dell'un'ape" -> three.
        for (qsizetype apostrofo = parola.indexOf(QLatin1Char('\'')); apostrofo > 0 && apostrofo + 1 < parola.size();
             apostrofo = parola.indexOf(QLatin1Char('\''))) {
            if (!parola.at(apostrofo + 1).isLetter())
                break;
            parole.emplace_back(parola.left(apostrofo + 1), 1);
            parola = parola.mid(apostrofo + 1);
        }
        parole.emplace_back(parola, blank);
    }

    QStringList testi;
    for (const auto &[parola, blank] : parole)
        testi << parola + spazi(blank);
    return testi;
}

QString unisci(const QString &primo, const QString &secondo)
{
    return (primo.endsWith(QLatin1Char(' ')) ? primo : primo + QLatin1Char(' ')) + secondo;
}

std::optional<Elisione> elisione(const QString &testo)
{
    static const QRegularExpression conIntera(QStringLiteral("^(\\S+) \\(( *)(\\S+')\\)( *)$"));
    static const QRegularExpression soloElisa(QStringLiteral("^(\\S*\\w')( *)$"),
                                              QRegularExpression::UseUnicodePropertiesOption);
    if (const auto trovato = conIntera.match(testo); trovato.hasMatch())
        return Elisione{trovato.captured(3), trovato.captured(1), trovato.captured(2), trovato.captured(4)};
    if (const auto trovato = soloElisa.match(testo); trovato.hasMatch())
        return Elisione{trovato.captured(1), {}, {}, trovato.captured(2)};
    return std::nullopt;
}

QString formaIntera(const QString &elisa, int genere)
{
    for (const FormeIntere &forme : formeElise)
        if (elisa.compare(QLatin1String(forme.elisa), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(genere == 1 ? forme.maschile : genere == 2 ? forme.femminile : "");
    return {};
}

QString conFormaIntera(const QString &testo, QString intera)
{
    const std::optional<Elisione> e = elisione(testo);
    if (!e || intera.isEmpty())
        return testo;
    intera = intera.toLower();
    if (e->elisa.at(0).isUpper())
        intera[0] = intera.at(0).toUpper();
    if (intera == e->intera)
        return testo;  // keeps "sulla ( sull')" as it is written
    return intera + QStringLiteral(" (") + e->spazioDentro + e->elisa + QLatin1Char(')') + e->spaziFinali;
}

QString testoConGenere(const QString &testo, int genere)
{
    const std::optional<Elisione> e = elisione(testo);
    return e ? conFormaIntera(testo, formaIntera(e->elisa, genere)) : testo;
}

QString chiave(const QString &testo)
{
    if (const std::optional<Elisione> e = elisione(testo); e && !e->intera.isEmpty())
        return e->elisa.toLower();
    QString parola = testo.trimmed();
    while (!parola.isEmpty() && punteggiatura(parola.back()))
        parola.chop(1);
    while (!parola.isEmpty() && punteggiatura(parola.front()))
        parola.remove(0, 1);
    return parola.toLower();
}

QString leggibile(const QStringList &testi)
{
    QString frase;
    bool attaccata = true;  // no blank before the first word, nor after an elided one
    for (const QString &testo : testi) {
        const std::optional<Elisione> e = elisione(testo);
        const bool elisa = e && (!e->intera.isEmpty() || !(formaIntera(e->elisa, 1) + formaIntera(e->elisa, 2)).isEmpty());
        if (!attaccata)
            frase += QLatin1Char(' ');
        frase += elisa ? e->elisa : testo.trimmed();
        attaccata = elisa;
    }
    return frase;
}

}  // namespace editor
