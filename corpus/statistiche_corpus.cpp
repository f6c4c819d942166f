#include "corpus/statistiche_corpus.h"

#include <QStringList>

namespace corpus {

namespace {

const std::array<const char *, 10> nomiCodici = {
    "", "Articolo", "Nome", "Aggettivo", "Pronome", "Verbo",
    "Avverbio", "Preposizione", "Congiunzione", "Esclamazione"};
const std::array<const char *, 4> nomiTipi = {"", "determinativo", "indeterminativo", "partitivo"};
const std::array<const char *, 3> nomiGeneri = {"", "maschile", "femminile"};
const std::array<const char *, 3> nomiNumeri = {"", "singolare", "plurale"};

const QStringList formeArticolate = {
    QStringLiteral("del"), QStringLiteral("dello"), QStringLiteral("della"),
    QStringLiteral("dei"), QStringLiteral("degli"), QStringLiteral("delle")};

}  // namespace

QString formaNormalizzata(const QString &testo)
{
    return testo.trimmed().toLower();
}

int Statistiche::articoliDiTipo(int tipo) const
{
    int somma = 0;
    for (int genere = 1; genere <= 2; ++genere)
        for (int numero = 1; numero <= 2; ++numero)
            somma += articoli[static_cast<std::size_t>(tipo)][static_cast<std::size_t>(genere)][static_cast<std::size_t>(numero)];
    return somma;
}

Statistiche calcola(const Corpus &corpus)
{
    Statistiche s;
    for (std::size_t riga = 0; riga < corpus.frasi.size(); ++riga) {
        const Frase &frase = corpus.frasi[riga];
        if (frase.vuota())
            continue;
        ++s.frasi;
        s.parole += frase.numeroParole();
        s.parolePerFrase[static_cast<int>(riga)] = frase.numeroParole();
        for (const Parola &parola : frase.parole) {
            ++s.perCodice[static_cast<std::size_t>(parola.codice)];
            const QString forma = formaNormalizzata(parola.testo);
            if (parola.codice == Articolo) {
                ++s.articoli[static_cast<std::size_t>(parola.tipo)][static_cast<std::size_t>(parola.genere)]
                            [static_cast<std::size_t>(parola.numero)];
                ++s.formeArticolo[forma];
            } else if (parola.codice == Preposizione) {
                const QString base = forma.section(QLatin1Char(' '), 0, 0);
                if (formeArticolate.contains(base))
                    ++s.formeComePreposizione[base];
            }
        }
    }
    return s;
}

QString rapporto(const Statistiche &s)
{
    QString testo;
    testo += QStringLiteral("Frasi: %1\nParole: %2\n\nParole per frase:\n").arg(s.frasi).arg(s.parole);
    for (const auto &[riga, n] : s.parolePerFrase)
        testo += QStringLiteral("  frase %1: %2\n").arg(riga, 3).arg(n);
    testo += QStringLiteral("\nParti del discorso:\n");
    for (std::size_t codice = 1; codice < nomiCodici.size(); ++codice)
        testo += QStringLiteral("  %1 %2: %3\n")
                     .arg(codice)
                     .arg(QString::fromLatin1(nomiCodici[codice]), -13)
                     .arg(s.perCodice[codice]);
    testo += QStringLiteral("\nArticoli per tipo, genere e numero:\n");
    for (std::size_t tipo = 1; tipo <= 3; ++tipo) {
        testo += QStringLiteral("  %1: %2\n")
                     .arg(QString::fromLatin1(nomiTipi[tipo]))
                     .arg(s.articoliDiTipo(static_cast<int>(tipo)));
        for (std::size_t genere = 1; genere <= 2; ++genere)
            for (std::size_t numero = 1; numero <= 2; ++numero)
                if (const int quanti = s.articoli[tipo][genere][numero])
                    testo += QStringLiteral("    %1 %2: %3\n")
                                 .arg(QString::fromLatin1(nomiGeneri[genere]),
                                      QString::fromLatin1(nomiNumeri[numero]))
                                 .arg(quanti);
    }
    testo += QStringLiteral("\nForme degli articoli:\n");
    for (const auto &[forma, quante] : s.formeArticolo)
        testo += QStringLiteral("  %1: %2\n").arg(forma).arg(quante);
    return testo;
}

}  // namespace corpus
