// The program's benchmark probe for answers and the corpus. It links the
// same library as the program and, depending on its first argument, does:
//
//   risposte <n>       <n> judged answers, right and wrong mixed, with a clock
//                      that lets the feedback second pass at once; the
//                      memory is read after 100 of them, half-way and at the
//                      end, each time after --quiete seconds of rest
//   corpus <n>         reads and checks the built-in sentences <n> times
//
// bench/run.sh starts it and puts the figures together.

#include "bench/primo_disegno.h"

#include "app/applicazione.h"
#include "classification/lezione.h"
#include "classification/riempimento.h"
#include "corpus/corpus.h"
#include "corpus/corpus_incorporato.h"
#include "exercise/formb.h"
#include "platform/clock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

// ---- answers ----------------------------------------------------------------

// Wall time, paused and resumed around what does not belong to the figure.
// Under callgrind it can also switch the collection, so that the count covers
// exactly what the wall time covers.
class Cronometro
{
public:
    bool callgrind = false;

    void avvia()
    {
        accumulato_ = 0;
        accumulatoCpu_ = 0;
        sospeso_ = false;
        riprendi();
    }
    void pausa()
    {
        if (!attivo_)
            return;
        accumulato_ += bench::monotonoNs() - inizio_;
        accumulatoCpu_ += cpuNs() - inizioCpu_;
        attivo_ = false;
        if (callgrind)
            CALLGRIND_TOGGLE_COLLECT;
    }
    void riprendi()
    {
        if (attivo_ || finito_)
            return;
        if (callgrind)
            CALLGRIND_TOGGLE_COLLECT;
        attivo_ = true;
        inizio_ = bench::monotonoNs();
        inizioCpu_ = cpuNs();
    }
    // Pauses for a stretch that belongs to someone else; resume() undoes only
    // a pause made here.
    void sospendi()
    {
        sospeso_ = attivo_;
        pausa();
    }
    void riattiva()
    {
        if (sospeso_)
            riprendi();
        sospeso_ = false;
    }
    void ferma()
    {
        pausa();
        finito_ = true;
    }
    void azzera() { finito_ = false; }
    double us() const { return static_cast<double>(accumulato_) / 1000.0; }
    // Processor time of this thread over the same stretches: what is left
    // of us() once waiting (for the window system, for the processor) is
    // taken out.
    double cpuUs() const { return static_cast<double>(accumulatoCpu_) / 1000.0; }

private:
    bool attivo_ = false;
    bool sospeso_ = false;
    bool finito_ = false;
    std::int64_t inizio_ = 0;
    std::int64_t accumulato_ = 0;
    std::int64_t inizioCpu_ = 0;
    std::int64_t accumulatoCpu_ = 0;

    static std::int64_t cpuNs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    }
};

// Two views of one answer. `gestore`: the program's own work from the click
// until its handler returns, without the feedback second (the wait and the
// frame drawn during it). `schermo`: everything from the click until the
// window shows the outcome, both frames included. Neither counts the time the
// results window is up: that belongs to the pupil reading it.
struct Cronometri {
    Cronometro gestore;
    Cronometro schermo;
};

// The feedback second passes at once, but what the real wait does for the
// window in that second (drawing the message) still happens, outside the
// handler's figure.
class OrologioIstantaneo final : public platform::Clock
{
public:
    explicit OrologioIstantaneo(Cronometri &c)
        : c_(c)
    {
    }
    float secondsSinceMidnight() override { return secondi_; }
    std::int64_t monotonicMs() override { return ms_; }
    void wait(int ms) override
    {
        c_.gestore.sospendi();
        QCoreApplication::processEvents();
        ms_ += ms;
        secondi_ += static_cast<float>(ms) / 1000.0f;
        if (secondi_ >= platform::secondsPerDay)
            secondi_ -= platform::secondsPerDay;
        c_.gestore.riattiva();
    }

private:
    Cronometri &c_;
    float secondi_ = 36000.0f;
    std::int64_t ms_ = 0;
};

// Presses "PROSEGUI" on every results window once it has been painted.
class ChiudiRisultati final : public QObject
{
public:
    explicit ChiudiRisultati(Cronometri &c)
        : c_(c)
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
                c_.gestore.sospendi();
                c_.schermo.sospendi();
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
                c_.gestore.riattiva();
                c_.schermo.riattiva();
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

    Cronometri &c_;
    QPointer<QWidget> aperta_;
};

bool usabile(const QWidget *w)
{
    return w && w->isVisibleTo(w->window()) && w->isEnabled();
}

// The button that answers the open question right, as the lesson's rules
// say, or nullptr if none is open.
QAbstractButton *pulsanteGiusto(FormB *f)
{
    const int codice = lezione::rispostaGiusta();
    switch (Modulo1.passo) {
    case Passo::Variabilita: return codice == 10 ? f->Com10 : f->Com11;
    case Passo::ParteVariabile:
    case Passo::ParteInvariabile: return f->Com(codice);
    case Passo::Tipo: return f->art(codice);
    case Passo::Genere: return f->Masfem(codice);
    case Passo::Numero: return f->Singplu(codice);
    default: return nullptr;
    }
}

// Another open button of the same question, drawn at random.
template <typename Generatore>
QAbstractButton *pulsanteSbagliato(FormB *f, QAbstractButton *giusto, Generatore &g)
{
    if (giusto == f->Com10)
        return f->Com11;
    if (giusto == f->Com11)
        return f->Com10;
    static std::vector<QAbstractButton *> altri = [] {
        std::vector<QAbstractButton *> spazio;
        spazio.reserve(16);
        return spazio;
    }();
    altri.clear();
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

bool tutteUsate()
{
    for (int riga = 0; riga < Modulo1.numfrasi; ++riga)
        if (Modulo1.partediscorso(riga, 0) > 0 && Modulo1.frasiusate[static_cast<std::size_t>(riga)] == 0)
            return false;
    return true;
}

// A real click through the window system, as the pupil's mouse makes it.
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

void stampa(const char *nome, std::vector<double> tempi)
{
    if (tempi.empty())
        return;
    std::sort(tempi.begin(), tempi.end());
    std::printf("risposte %s_median_us=%.1f %s_p99_us=%.1f %s_max_us=%.1f %s_n=%zu\n", nome, percentile(tempi, 0.5),
                nome, percentile(tempi, 0.99), nome, tempi.back(), nome, tempi.size());
}

int risposte(int argc, char **argv)
{
    const char *uso = "risposte <n> [--quiete <seconds>] [--callgrind gestore|schermo]\n";
    if (argc < 3) {
        std::fprintf(stderr, "%s", uso);
        return 2;
    }
    const int quante = std::atoi(argv[2]);
    constexpr int riscaldo = 100;  // memory baseline; not counted by callgrind
    if (quante <= riscaldo) {
        std::fprintf(stderr, "risposte: more than %d answers\n", riscaldo);
        return 2;
    }
    Cronometri c;
    Cronometro *contato = nullptr;
    int quieteS = 0;
    for (int i = 3; i < argc; i += 2) {
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s", uso);
            return 2;
        }
        if (std::strcmp(argv[i], "--callgrind") == 0) {
            contato = std::strcmp(argv[i + 1], "gestore") == 0 ? &c.gestore : &c.schermo;
        } else if (std::strcmp(argv[i], "--quiete") == 0) {
            quieteS = std::atoi(argv[i + 1]);
        } else {
            std::fprintf(stderr, "%s", uso);
            return 2;
        }
    }
    // Before a memory reading the lesson rests this long with the event loop
    // running: what the sound server still owes replies for (every stream
    // closed is drained, and the reply may only come at the 30 s timeout of
    // the sound library) is then settled, and only what stays is counted.
    auto aRiposo = [quieteS] {
        if (quieteS <= 0)
            return memoria();
        const std::int64_t fine = bench::monotonoNs() + std::int64_t{quieteS} * 1'000'000'000;
        while (bench::monotonoNs() < fine)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        return memoria();
    };

    int argcQt = 1;
    char nome[] = "analisi-articoli";
    char *argvQt[] = {nome, nullptr};
    QApplication app(argcQt, argvQt);
    preparaApplicazione();
    OrologioIstantaneo orologio(c);
    platform::setClock(&orologio);
    ChiudiRisultati chiudi(c);

    Modulo1.modoanalisi = 0;
    FormB *f = FormB::istanza();
    f->show();
    if (!QTest::qWaitForWindowExposed(f)) {
        std::fprintf(stderr, "risposte: the exercise window never showed\n");
        return 1;
    }
    // Connected after the window's own handlers, so it runs once they return.
    for (QPushButton *b : f->findChildren<QPushButton *>())
        QObject::connect(b, &QAbstractButton::clicked, b, [&c] { c.gestore.ferma(); });

    std::minstd_rand g(20240611u);
    std::bernoulli_distribution sbaglia(0.25);
    std::vector<double> gestoreUs;
    std::vector<double> schermoUs;
    gestoreUs.reserve(static_cast<std::size_t>(quante));
    schermoUs.reserve(static_cast<std::size_t>(quante));
    // The same two views, split by whether the answer closed a series (and
    // so built and tore down the results window) or not.
    std::vector<double> gestoreSenzaUs;
    std::vector<double> gestoreConUs;
    std::vector<double> schermoConUs;
    std::vector<double> gestoreCpuUs;
    std::vector<double> schermoCpuUs;
    // Reserved now: the bench allocates nothing of its own between the two
    // memory readings.
    for (std::vector<double> *v : {&gestoreSenzaUs, &gestoreConUs, &schermoConUs, &gestoreCpuUs, &schermoCpuUs})
        v->reserve(static_cast<std::size_t>(quante));
    int sbagliate = 0;
    int frasi = 0;
    int giri = 1;
    Memoria dopoRiscaldo;
    Memoria aMeta;

    while (static_cast<int>(gestoreUs.size()) < quante) {
        QAbstractButton *giusto = pulsanteGiusto(f);
        if (!giusto) {
            if (tutteUsate()) {
                // Every sentence has been used: a new run, in the other mode.
                ++giri;
                Modulo1.frasiusate.fill(0);
                Modulo1.modoanalisi = 1 - Modulo1.modoanalisi;
                f->VIA->show();
            }
            c.gestore.ferma();
            clicca(f->VIA);
            ++frasi;
            if (!pulsanteGiusto(f) && !tutteUsate()) {
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

        const bool conta = gestoreUs.size() >= riscaldo;
        c.gestore.callgrind = contato == &c.gestore && conta;
        c.schermo.callgrind = contato == &c.schermo && conta;
        const int risultatiPrima = chiudi.aperte;
        c.gestore.azzera();
        c.schermo.azzera();
        c.schermo.avvia();
        c.gestore.avvia();
        clicca(premuto);
        QCoreApplication::processEvents();  // the frame that shows the outcome
        c.gestore.ferma();
        c.schermo.ferma();
        gestoreUs.push_back(c.gestore.us());
        schermoUs.push_back(c.schermo.us());
        gestoreCpuUs.push_back(c.gestore.cpuUs());
        schermoCpuUs.push_back(c.schermo.cpuUs());
        if (chiudi.aperte == risultatiPrima) {
            gestoreSenzaUs.push_back(c.gestore.us());
        } else {
            gestoreConUs.push_back(c.gestore.us());
            schermoConUs.push_back(c.schermo.us());
        }

        if (gestoreUs.size() == riscaldo)
            dopoRiscaldo = aRiposo();
        if (gestoreUs.size() == static_cast<std::size_t>(quante / 2))
            aMeta = aRiposo();
    }
    const Memoria allaFine = aRiposo();

    std::printf("risposte n=%d sbagliate=%d frasi=%d giri=%d serie=%d\n", quante, sbagliate, frasi, giri,
                chiudi.aperte);
    stampa("gestore", gestoreUs);
    stampa("schermo", schermoUs);
    stampa("gestore_cpu", gestoreCpuUs);
    stampa("schermo_cpu", schermoCpuUs);
    stampa("gestore_senza_risultati", gestoreSenzaUs);
    stampa("gestore_con_risultati", gestoreConUs);
    stampa("schermo_con_risultati", schermoConUs);
    std::printf("risposte rss_inizio_kb=%ld rss_meta_kb=%ld rss_fine_kb=%ld heap_inizio_kb=%ld heap_meta_kb=%ld "
                "heap_fine_kb=%ld\n",
                dopoRiscaldo.rssKb, aMeta.rssKb, allaFine.rssKb, dopoRiscaldo.heapKb, aMeta.heapKb, allaFine.heapKb);
    std::printf("risposte quiete_s=%d callgrind_contate=%d\n", quieteS, quante - riscaldo);
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
    if (argc >= 2 && std::strcmp(argv[1], "risposte") == 0)
        return risposte(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "corpus") == 0)
        return leggiCorpus(argc, argv);
    std::fprintf(stderr,
                 "usage: %s risposte <n> [--callgrind gestore|schermo]\n"
                 "       %s corpus <n>\n",
                 argv[0], argv[0]);
    return 2;
}
