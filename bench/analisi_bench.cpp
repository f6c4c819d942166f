// The program's benchmark probe. It links the same library as the program
// and, depending on its first argument, does one of:
//
//   avvio iniziale     the program's own start-up; leaves at the start
//                      window's first frame ("dipinto <ns>" on stdout)
//   avvio esercizio    the same, then "solo articoli" and "VIA" at once; leaves
//                      at the exercise window's first frame with a sentence
//   risposte <n>       <n> judged answers, right and wrong mixed, with a clock
//                      that lets the feedback second pass at once
//   corpus <n>         reads and checks the built-in sentences <n> times
//
// bench/run.sh starts it and puts the figures together.

#include "bench/primo_disegno.h"

#include "app/applicazione.h"
#include "app/iniziale.h"
#include "corpus/corpus.h"
#include "corpus/corpus_incorporato.h"
#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "exercise/riempimento.h"
#include "platform/clock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include <malloc.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

namespace {

// ---- start-up ---------------------------------------------------------------

int avvio(const char *fin_dove)
{
    const bool finoAllEsercizio = std::strcmp(fin_dove, "esercizio") == 0;
    if (!finoAllEsercizio && std::strcmp(fin_dove, "iniziale") != 0) {
        std::fprintf(stderr, "avvio: 'iniziale' or 'esercizio'\n");
        return 2;
    }

    // Exactly what main() does, with the program's own (empty) command line.
    int argc = 1;
    char nome[] = "analisi-articoli";
    char *argv[] = {nome, nullptr};
    QApplication app(argc, argv);

    bool viaPremuto = false;
    std::unique_ptr<bench::PrimoDisegno> sullEsercizio;
    bench::PrimoDisegno sullIniziale(
        [](const QWidget *w) { return qobject_cast<const Iniziale *>(w) != nullptr; },
        [&] {
            if (!finoAllEsercizio)
                bench::riferisciEdEsci();
            // The quickest pupil: "solo articoli" and "VIA" as soon as the
            // start window is up.
            sullEsercizio = std::make_unique<bench::PrimoDisegno>(
                [&](const QWidget *w) { return viaPremuto && qobject_cast<const FormB *>(w) != nullptr; },
                [] { bench::riferisciEdEsci(); });
            Iniziale::istanza()->Command2_Click();
            FormB::istanza()->VIA->click();
            viaPremuto = true;
        });

    preparaApplicazione();
    Iniziale::istanza()->show();
    return QApplication::exec();
}

// ---- answers ----------------------------------------------------------------

// The feedback second passes at once; everything else is the real thing.
class OrologioIstantaneo final : public platform::Clock
{
public:
    float secondsSinceMidnight() override { return secondi_; }
    std::int64_t monotonicMs() override { return ms_; }
    void wait(int ms) override
    {
        ms_ += ms;
        secondi_ += static_cast<float>(ms) / 1000.0f;
        if (secondi_ >= platform::secondsPerDay)
            secondi_ -= platform::secondsPerDay;
    }

private:
    float secondi_ = 36000.0f;
    std::int64_t ms_ = 0;
};

// Wall time of the answers, paused while the results window is up (that time
// belongs to the pupil reading it). Under callgrind it also switches the
// collection, so that only the answers themselves are counted.
class Cronometro
{
public:
    bool callgrind = false;

    void avvia()
    {
        accumulato_ = 0;
        riprendi();
    }
    void pausa()
    {
        if (!attivo_)
            return;
        accumulato_ += bench::monotonoNs() - inizio_;
        attivo_ = false;
        if (callgrind)
            CALLGRIND_TOGGLE_COLLECT;
    }
    void riprendi()
    {
        if (attivo_)
            return;
        if (callgrind)
            CALLGRIND_TOGGLE_COLLECT;
        attivo_ = true;
        inizio_ = bench::monotonoNs();
    }
    std::int64_t fermaNs()
    {
        pausa();
        return accumulato_;
    }
    bool attivo() const { return attivo_; }

private:
    bool attivo_ = false;
    std::int64_t inizio_ = 0;
    std::int64_t accumulato_ = 0;
};

// Presses "PROSEGUI" on every results window once it has been painted.
class ChiudiRisultati final : public QObject
{
public:
    explicit ChiudiRisultati(Cronometro &crono)
        : crono_(crono)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    int aperte = 0;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (!oggetto->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(oggetto);
        QWidget *finestra = widget->window();
        if (!finestra->isModal() || !qobject_cast<QDialog *>(finestra))
            return false;
        switch (evento->type()) {
        case QEvent::Show:
            if (widget == finestra && !aperta_) {
                aperta_ = finestra;
                ++aperte;
                pausato_ = crono_.attivo();
                crono_.pausa();
                // A window that never paints is closed all the same.
                QTimer::singleShot(2000, finestra, [this] { prosegui(); });
            }
            break;
        case QEvent::Paint:
            if (finestra == aperta_)
                QTimer::singleShot(0, finestra, [this] { prosegui(); });
            break;
        case QEvent::Hide:
            if (widget == finestra && finestra == aperta_) {
                aperta_ = nullptr;
                if (pausato_)
                    crono_.riprendi();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void prosegui()
    {
        QWidget *finestra = aperta_;
        if (!finestra)
            return;
        for (QPushButton *pulsante : finestra->findChildren<QPushButton *>()) {
            if (pulsante->text() == QLatin1String("PROSEGUI") && pulsante->isVisible()) {
                pulsante->click();
                return;
            }
        }
        finestra->close();
    }

    Cronometro &crono_;
    QPointer<QWidget> aperta_;
    bool pausato_ = false;
};

bool usabile(const QWidget *w)
{
    return w && w->isVisibleTo(w->window()) && w->isEnabled();
}

// The button that answers the open question right, or nullptr if none is open.
QAbstractButton *pulsanteGiusto(FormB *f)
{
    const int s = Modulo1.numfrase;
    const int p = Modulo1.posparola;
    if (usabile(f->Com10))
        return Modulo1.partediscorso(s, p) < corpus::Avverbio ? f->Com10 : f->Com11;
    for (QPushButton *b : f->Com)
        if (usabile(b))
            return f->Com(Modulo1.partediscorso(s, p));
    if (usabile(f->art(1)))
        return f->art(Modulo1.tipoarticolo(s, p));
    if (usabile(f->Masfem(1)))
        return f->Masfem(Modulo1.genere(s, p));
    if (usabile(f->Singplu(1)))
        return f->Singplu(Modulo1.numero(s, p));
    return nullptr;
}

// Another open button of the same question, drawn at random.
template <typename Generatore>
QAbstractButton *pulsanteSbagliato(FormB *f, QAbstractButton *giusto, Generatore &g)
{
    if (giusto == f->Com10)
        return f->Com11;
    if (giusto == f->Com11)
        return f->Com10;
    std::vector<QAbstractButton *> altri;
    auto raccogli = [&](const auto &gruppo) {
        if (std::find(gruppo.begin(), gruppo.end(), giusto) == gruppo.end())
            return;
        for (QPushButton *b : gruppo)
            if (b != giusto && usabile(b))
                altri.push_back(b);
    };
    raccogli(f->Com);
    raccogli(f->art);
    raccogli(f->Masfem);
    raccogli(f->Singplu);
    if (altri.empty())
        return nullptr;
    return altri[std::uniform_int_distribution<std::size_t>(0, altri.size() - 1)(g)];
}

void clicca(QAbstractButton *b)
{
    QWidget *finestra = b->window();
    QTest::mouseClick(finestra->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      b->mapTo(finestra, b->rect().center()));
}

struct Memoria {
    long rssKb = 0;
    long heapKb = 0;
};

Memoria memoria()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Memoria m;
    QFile stato(QStringLiteral("/proc/self/status"));
    if (stato.open(QIODevice::ReadOnly)) {
        for (const QByteArray &linea : stato.readAll().split('\n'))
            if (linea.startsWith("VmRSS:"))
                m.rssKb = linea.mid(6).trimmed().split(' ').value(0).toLong();
    }
    const struct mallinfo2 info = mallinfo2();
    m.heapKb = static_cast<long>((info.uordblks + info.hblkhd) / 1024);
    return m;
}

double percentile(const std::vector<double> &ordinati, double quota)
{
    const auto n = static_cast<double>(ordinati.size());
    const auto indice = static_cast<std::size_t>(std::max(0.0, std::ceil(quota * n) - 1.0));
    return ordinati[std::min(indice, ordinati.size() - 1)];
}

int risposte(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "risposte <n> [--callgrind]\n");
        return 2;
    }
    const int quante = std::atoi(argv[2]);
    constexpr int riscaldo = 100;  // memory baseline; not counted by callgrind
    if (quante <= riscaldo) {
        std::fprintf(stderr, "risposte: more than %d answers\n", riscaldo);
        return 2;
    }
    Cronometro crono;
    const bool callgrind = argc > 3 && std::strcmp(argv[3], "--callgrind") == 0;

    int argcQt = 1;
    char nome[] = "analisi-articoli";
    char *argvQt[] = {nome, nullptr};
    QApplication app(argcQt, argvQt);
    preparaApplicazione();
    OrologioIstantaneo orologio;
    platform::setClock(&orologio);
    ChiudiRisultati chiudi(crono);

    Modulo1.modoanalisi = 0;
    FormB *f = FormB::istanza();
    f->show();
    if (!QTest::qWaitForWindowExposed(f)) {
        std::fprintf(stderr, "risposte: the exercise window never showed\n");
        return 1;
    }

    std::minstd_rand g(20240611u);
    std::bernoulli_distribution sbaglia(0.25);
    std::vector<double> tempiUs;
    tempiUs.reserve(static_cast<std::size_t>(quante));
    std::vector<double> conRisultatiUs;
    int sbagliate = 0;
    int frasi = 0;
    int giri = 1;
    Memoria dopoRiscaldo;

    while (static_cast<int>(tempiUs.size()) < quante) {
        QAbstractButton *giusto = pulsanteGiusto(f);
        if (!giusto) {
            if (!usabile(f->VIA)) {
                // Every sentence has been used: a new run, in the other mode.
                ++giri;
                Modulo1.frasiusate.fill(0);
                Modulo1.modoanalisi = 1 - Modulo1.modoanalisi;
                f->VIA->show();
            }
            clicca(f->VIA);
            ++frasi;
            if (!pulsanteGiusto(f)) {
                std::fprintf(stderr, "risposte: no question after VIA\n");
                return 1;
            }
            continue;
        }
        QAbstractButton *premuto = giusto;
        if (sbaglia(g)) {
            if (QAbstractButton *altro = pulsanteSbagliato(f, giusto, g)) {
                premuto = altro;
                ++sbagliate;
            }
        }

        const int risultatiPrima = chiudi.aperte;
        crono.callgrind = callgrind && tempiUs.size() >= riscaldo;
        crono.avvia();
        clicca(premuto);
        QCoreApplication::processEvents();  // the repaint the answer asked for
        const double us = static_cast<double>(crono.fermaNs()) / 1000.0;
        tempiUs.push_back(us);
        if (chiudi.aperte != risultatiPrima)
            conRisultatiUs.push_back(us);

        if (tempiUs.size() == riscaldo)
            dopoRiscaldo = memoria();
    }
    const Memoria allaFine = memoria();

    std::vector<double> ordinati = tempiUs;
    std::sort(ordinati.begin(), ordinati.end());
    std::sort(conRisultatiUs.begin(), conRisultatiUs.end());
    std::printf("risposte n=%d sbagliate=%d frasi=%d giri=%d serie=%d\n", quante, sbagliate, frasi, giri,
                chiudi.aperte);
    std::printf("risposte median_us=%.1f p99_us=%.1f max_us=%.1f\n", percentile(ordinati, 0.5),
                percentile(ordinati, 0.99), ordinati.back());
    if (!conRisultatiUs.empty())
        std::printf("risposte con_risultati_median_us=%.1f\n", percentile(conRisultatiUs, 0.5));
    std::printf("risposte rss_%d_kb=%ld rss_%d_kb=%ld heap_%d_kb=%ld heap_%d_kb=%ld\n", riscaldo,
                dopoRiscaldo.rssKb, quante, allaFine.rssKb, riscaldo, dopoRiscaldo.heapKb, quante,
                allaFine.heapKb);
    std::printf("risposte callgrind_contate=%d\n", quante - riscaldo);
    std::fflush(stdout);
    std::_Exit(0);
}

// ---- corpus -----------------------------------------------------------------

int leggiCorpus(int argc, char **argv)
{
    const int volte = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (volte < 1)
        return 2;
    std::vector<double> leggiUs;
    std::vector<double> tabelleUs;
    auto stato = std::make_unique<StatoEsercizio>();
    for (int i = 0; i < volte; ++i) {
        const std::int64_t inizio = bench::monotonoNs();
        const corpus::Risultato letto = corpus::leggi(corpus::testoIncorporato());
        const std::int64_t letti = bench::monotonoNs();
        if (!letto.valido()) {
            std::fprintf(stderr, "corpus: built-in sentences rejected\n");
            return 1;
        }
        riempiTabelle(*letto.corpus, *stato);
        const std::int64_t riempite = bench::monotonoNs();
        leggiUs.push_back(static_cast<double>(letti - inizio) / 1000.0);
        tabelleUs.push_back(static_cast<double>(riempite - letti) / 1000.0);
    }
    std::sort(leggiUs.begin(), leggiUs.end());
    std::sort(tabelleUs.begin(), tabelleUs.end());
    std::printf("corpus n=%d byte=%lld frasi=%d\n", volte, static_cast<long long>(corpus::testoIncorporato().size()),
                stato->numfrasi);
    std::printf("corpus leggi_median_us=%.1f leggi_min_us=%.1f tabelle_median_us=%.1f\n",
                percentile(leggiUs, 0.5), leggiUs.front(), percentile(tabelleUs, 0.5));
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "avvio") == 0)
        return avvio(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "risposte") == 0)
        return risposte(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "corpus") == 0)
        return leggiCorpus(argc, argv);
    std::fprintf(stderr,
                 "usage: %s avvio iniziale|esercizio\n"
                 "       %s risposte <n> [--callgrind]\n"
                 "       %s corpus <n>\n",
                 argv[0], argv[0], argv[0]);
    return 2;
}
