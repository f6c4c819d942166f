#include "tests/support/oracle.h"

namespace test::oracle {

namespace {

constexpr int article = 1;
constexpr int firstInvariable = 6;

int codeAt(int row, int position)
{
    return Modulo1.partediscorso(row, position);
}

// The first article after `from`, or 0 when the sentence has none left.
int nextArticle(int row, int from)
{
    const int n = codeAt(row, 0);
    for (int p = from + 1; p <= n; ++p)
        if (codeAt(row, p) == article)
            return p;
    return 0;
}

}  // namespace

bool isQuestion(Passo step)
{
    return step >= Passo::Variabilita && step <= Passo::Numero;
}

int expectedCode(Passo step, int row, int position)
{
    switch (step) {
    case Passo::Tipo: return Modulo1.tipoarticolo(row, position);
    case Passo::Genere: return Modulo1.genere(row, position);
    case Passo::Numero: return Modulo1.numero(row, position);
    default: return codeAt(row, position);
    }
}

int rightButton(Passo step, int row, int position)
{
    if (!isQuestion(step))
        return 0;
    if (step == Passo::Variabilita)
        return codeAt(row, position) < firstInvariable ? 10 : 11;
    return expectedCode(step, row, position);
}

int errorCategory(Passo step, int pressed, int row, int position)
{
    switch (step) {
    case Passo::Variabilita: return pressed;
    case Passo::ParteVariabile:
    case Passo::ParteInvariabile: return codeAt(row, position);
    default: return article;
    }
}

Next afterRight(Passo step, int row, int position, int mode)
{
    const int code = codeAt(row, position);
    switch (step) {
    case Passo::Variabilita: return {code < firstInvariable ? Passo::ParteVariabile : Passo::ParteInvariabile, position};
    case Passo::ParteVariabile:
        if (code == article)
            return {Passo::Tipo, position};
        break;
    case Passo::Tipo: return {Passo::Genere, position};
    case Passo::Genere: return {Passo::Numero, position};
    case Passo::Numero:
        if (mode == 1) {
            const int next = nextArticle(row, position);
            return next == 0 ? Next{Passo::FraseCompletata, -1} : Next{Passo::Variabilita, next};
        }
        break;
    case Passo::ParteInvariabile: break;
    default: return {step, position};
    }
    // The word is done: the next one, or the end of the sentence.
    return {position + 1 > codeAt(row, 0) ? Passo::FraseCompletata : Passo::Variabilita, position + 1};
}

}  // namespace test::oracle
