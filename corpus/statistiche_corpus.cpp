#include "corpus/statistiche_corpus.h"

#include <QStringList>

#include <algorithm>

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

namespace {

std::size_t indice(int valore)
{
    return static_cast<std::size_t>(valore);
}

// "1, 3 e 7"
QString elenco(const std::vector<int> &numeri)
{
    QStringList parti;
    for (int n : numeri)
        parti << QString::number(n);
    if (parti.size() < 2)
        return parti.join(QString());
    const QString ultimo = parti.takeLast();
    return parti.join(QStringLiteral(", ")) + QStringLiteral(" e ") + ultimo;
}

}  // namespace

int Statistiche::articoliDiTipo(int tipo) const
{
    int somma = 0;
    for (int genere = 1; genere <= 2; ++genere)
        for (int numero = 1; numero <= 2; ++numero)
            somma += articoli[indice(tipo)][indice(genere)][indice(numero)];
    return somma;
}

int Statistiche::articoliDi(int genere, int numero) const
{
    int somma = 0;
    for (int tipo = 1; tipo <= 3; ++tipo)
        somma += articoli[indice(tipo)][indice(genere)][indice(numero)];
    return somma;
}

int Statistiche::parolePerFraseMinimo() const
{
    int minimo = 0;
    for (const auto &[riga, n] : parolePerFrase)
        minimo = minimo == 0 ? n : std::min(minimo, n);
    return minimo;
}

int Statistiche::parolePerFraseMassimo() const
{
    int massimo = 0;
    for (const auto &[riga, n] : parolePerFrase)
        massimo = std::max(massimo, n);
    return massimo;
}

Statistiche calcola(const Corpus &corpus)
{
    Statistiche s;
    s.righe = static_cast<int>(corpus.frasi.size());
    for (std::size_t riga = 0; riga < corpus.frasi.size(); ++riga) {
        const Frase &frase = corpus.frasi[riga];
        if (frase.vuota()) {
            s.righeVuote.push_back(static_cast<int>(riga));
            continue;
        }
        ++s.frasi;
        s.parole += frase.numeroParole();
        s.parolePerFrase[static_cast<int>(riga)] = frase.numeroParole();
        for (const Parola &parola : frase.parole) {
            ++s.perCodice[indice(parola.codice)];
            const QString forma = formaNormalizzata(parola.testo);
            if (parola.codice == Articolo) {
                ++s.articoli[indice(parola.tipo)][indice(parola.genere)][indice(parola.numero)];
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
    testo += QStringLiteral("Il file rispetta tutte le regole.\n\n");

    // The program draws among rows 0..righe-1 and skips the ones left out.
    testo += QStringLiteral("Frasi: %1 (numeri da 0 a %2").arg(s.frasi).arg(s.righe - 1);
    if (s.righeVuote.empty())
        testo += QStringLiteral(", nessuno saltato)\n");
    else
        testo += QStringLiteral("; numeri mancanti, mai estratti: %1)\n").arg(elenco(s.righeVuote));
    testo += QStringLiteral("Parole: %1 (da %2 a %3 per frase)\n")
                 .arg(s.parole)
                 .arg(s.parolePerFraseMinimo())
                 .arg(s.parolePerFraseMassimo());

    testo += QStringLiteral("\nParole per frase:\n");
    for (const auto &[riga, n] : s.parolePerFrase)
        testo += QStringLiteral("  frase %1: %2\n").arg(riga, 3).arg(n, 2);

    testo += QStringLiteral("\nParti del discorso:\n");
    for (std::size_t codice = 1; codice < nomiCodici.size(); ++codice)
        testo += QStringLiteral("  %1 %2%3\n")
                     .arg(codice)
                     .arg(QString::fromLatin1(nomiCodici[codice]), -13)
                     .arg(s.perCodice[codice], 5);

    // One line per kind, one column per gender and number, totals last.
    const auto riga = [](const QString &nome, const std::array<int, 5> &valori) {
        QString linea = QStringLiteral("  %1").arg(nome, -16);
        for (int v : valori)
            linea += QStringLiteral("%1").arg(v, 11);
        return linea + QLatin1Char('\n');
    };
    testo += QStringLiteral("\nArticoli per tipo, genere e numero:\n");
    QString generi = QStringLiteral("  %1").arg(QString(), -16);
    QString numeri = generi;
    for (std::size_t genere = 1; genere <= 2; ++genere)
        for (std::size_t numero = 1; numero <= 2; ++numero) {
            generi += QStringLiteral("%1").arg(QString::fromLatin1(nomiGeneri[genere]), 11);
            numeri += QStringLiteral("%1").arg(QString::fromLatin1(nomiNumeri[numero]), 11);
        }
    testo += generi + QLatin1Char('\n');
    testo += numeri + QStringLiteral("%1\n").arg(QStringLiteral("totale"), 11);
    for (std::size_t tipo = 1; tipo <= 3; ++tipo)
        testo += riga(QString::fromLatin1(nomiTipi[tipo]),
                      {s.articoli[tipo][1][1], s.articoli[tipo][1][2], s.articoli[tipo][2][1],
                       s.articoli[tipo][2][2], s.articoliDiTipo(static_cast<int>(tipo))});
    testo += riga(QStringLiteral("totale"),
                  {s.articoliDi(1, 1), s.articoliDi(1, 2), s.articoliDi(2, 1), s.articoliDi(2, 2),
                   s.perCodice[Articolo]});

    testo += QStringLiteral("\nForme degli articoli:\n");
    for (const auto &[forma, quante] : s.formeArticolo)
        testo += QStringLiteral("  %1: %2\n").arg(forma).arg(quante);

    testo += QStringLiteral("\nDel, dello, della, dei, degli, delle come preposizioni articolate (codice 7):\n");
    if (s.formeComePreposizione.empty())
        testo += QStringLiteral("  nessuna\n");
    for (const auto &[forma, quante] : s.formeComePreposizione)
        testo += QStringLiteral("  %1: %2\n").arg(forma).arg(quante);
    return testo;
}

}  // namespace corpus
