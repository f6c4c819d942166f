// libFuzzer target over the sentence-file reader. Any bytes must be read or
// refused without a crash, a leak or undefined behaviour. What is accepted
// must keep every rule of the sentence file (checked here afresh, not with
// the reader's own code), fill the lesson's tables as the rules promise, and
// read back the same when written out again.

#include "classification/modulo1.h"
#include "classification/riempimento.h"
#include "corpus/corpus.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void broken(const char *rule, int row, int position)
{
    std::fprintf(stderr, "accepted corpus breaks \"%s\" at row %d, position %d\n", rule, row, position);
    std::abort();
}

void expect(bool holds, const char *rule, int row = -1, int position = -1)
{
    if (!holds)
        broken(rule, row, position);
}

void checkRules(const corpus::Corpus &c)
{
    expect(!c.frasi.empty() && c.frasi.size() <= static_cast<std::size_t>(corpus::ultimaFrase) + 1, "rows 0..100");
    expect(!c.frasi.back().vuota(), "the last row kept is filled");
    expect(c.frasiPiene() >= 1, "at least one sentence");
    for (std::size_t s = 0; s < c.frasi.size(); ++s) {
        const auto &parole = c.frasi[s].parole;
        const int row = static_cast<int>(s);
        if (parole.empty())
            continue;
        expect(parole.size() <= static_cast<std::size_t>(corpus::maxParole), "1 <= n <= 22", row);
        bool article = false;
        for (std::size_t p = 0; p < parole.size(); ++p) {
            const corpus::Parola &w = parole[p];
            const int position = static_cast<int>(p) + 1;
            expect(!w.testo.isEmpty(), "text not empty", row, position);
            expect(w.codice >= 1 && w.codice <= 9, "code 1..9", row, position);
            for (QChar ch : w.testo)
                expect(ch != QLatin1Char('"') && ch.unicode() >= 0x20, "no quote or control character", row, position);
            if (w.codice == 1) {
                article = true;
                expect(w.tipo >= 1 && w.tipo <= 3 && w.genere >= 1 && w.genere <= 2 && w.numero >= 1 && w.numero <= 2,
                       "an article has kind, gender and number", row, position);
                expect(w.tipo != 2 || w.numero == 1, "indeterminativo is singular", row, position);
            } else {
                expect(w.tipo == 0 && w.genere == 0 && w.numero == 0, "only articles have kind, gender, number", row,
                       position);
            }
        }
        expect(article, "at least one article", row);
        expect(parole.back().codice != 1, "no sentence ends with an article", row, static_cast<int>(parole.size()));
    }
}

void checkTables(const corpus::Corpus &c)
{
    // The tables are big; keep them off the stack.
    auto stato = std::make_unique<StatoEsercizio>();
    riempiTabelle(c, *stato);
    expect(stato->numfrasi == static_cast<int>(c.frasi.size()), "numfrasi is the number of rows");
    for (int s = 0; s < stato->numfrasi; ++s) {
        const int n = c.frasi[static_cast<std::size_t>(s)].numeroParole();
        expect(stato->partediscorso(s, 0) == n, "word count at position 0", s);
        for (int p = 1; p <= 22; ++p) {
            const int code = stato->partediscorso(s, p);
            if (p <= n) {
                expect(code >= 1 && code <= 9 && !stato->testoparola(s, p).isEmpty(), "a word at 1..n", s, p);
            } else {
                expect(code == 0 && stato->testoparola(s, p).isEmpty(), "nothing past n", s, p);
            }
            if (code != 1)
                expect(stato->tipoarticolo(s, p) == 0 && stato->genere(s, p) == 0 && stato->numero(s, p) == 0,
                       "article cells empty for other words", s, p);
        }
    }
}

QByteArray written(const corpus::Corpus &c)
{
    QByteArray out;
    for (std::size_t s = 0; s < c.frasi.size(); ++s) {
        int position = 0;
        for (const corpus::Parola &w : c.frasi[s].parole) {
            out += QByteArray::number(static_cast<int>(s)) + '\t' + QByteArray::number(++position) + "\t\""
                   + w.testo.toUtf8() + "\"\t" + QByteArray::number(w.codice);
            if (w.codice == 1)
                out += '\t' + QByteArray::number(w.tipo) + '\t' + QByteArray::number(w.genere) + '\t'
                       + QByteArray::number(w.numero);
            else
                out += "\t\t\t";
            out += '\n';
        }
    }
    return out;
}

bool same(const corpus::Corpus &a, const corpus::Corpus &b)
{
    if (a.frasi.size() != b.frasi.size())
        return false;
    for (std::size_t s = 0; s < a.frasi.size(); ++s) {
        const auto &x = a.frasi[s].parole;
        const auto &y = b.frasi[s].parole;
        if (x.size() != y.size())
            return false;
        for (std::size_t p = 0; p < x.size(); ++p)
            if (x[p].testo != y[p].testo || x[p].codice != y[p].codice || x[p].tipo != y[p].tipo
                || x[p].genere != y[p].genere || x[p].numero != y[p].numero)
                return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const corpus::Risultato letto =
        corpus::leggi(QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    expect(letto.corpus.has_value() != letto.errore.has_value(), "either a corpus or an error");
    // Reading on past every fault finds the same first one, and loads nothing either.
    const corpus::Risultato tutti = corpus::leggi(
        QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)), corpus::Modo::TuttiGliErrori);
    expect(tutti.valido() == letto.valido() && tutti.errori.empty() == letto.valido(), "every fault: same verdict");
    expect(letto.valido() || tutti.errore->messaggio() == letto.errore->messaggio(), "every fault: same first fault");
    if (!letto.corpus) {
        const corpus::Errore &e = *letto.errore;
        expect(!e.messaggio().isEmpty(), "an error has a message");
        expect(e.frase >= -1 && e.frase <= corpus::ultimaFrase, "the error names a row 0..100", e.frase);
        expect(e.posizione >= -1 && e.posizione <= 9999, "the error names a readable position", e.frase, e.posizione);
        return 0;
    }
    checkRules(*letto.corpus);
    checkTables(*letto.corpus);
    const corpus::Risultato riletto = corpus::leggi(written(*letto.corpus));
    expect(riletto.valido() && same(*letto.corpus, *riletto.corpus), "what was read reads back the same");
    return 0;
}
