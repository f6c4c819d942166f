// Starts programs over and over and measures, for each, the time from the
// start of the process to its first frame and its peak resident memory.
//
//   analisi-lancio <runs> <warm-up runs> -- <label> <program> [args...] [-- <label> <program> ...]
//
// The programs take turns, run after run, so that a slow spell of the
// machine falls on all of them alike. Each must print "dipinto <ns>" (its
// CLOCK_MONOTONIC reading at the first frame) and exit. Output, one line per
// label:
//   <label> median_ms=<> min_ms=<> max_ms=<> cpu_ms=<median> peak_rss_kb=<median> runs=<>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Programma {
    std::string etichetta;
    std::vector<char *> argomenti;  // null-terminated
    std::vector<double> ms;
    std::vector<double> cpuMs;
    std::vector<long> rssKb;
};

long long monotonoNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

// One run: milliseconds to the first frame, processor time of the whole run
// (it ends at that frame) and peak RSS in kB; false when the program failed or
// reported no frame.
bool esegui(const Programma &p, double &ms, double &cpuMs, long &rssKb)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return false;
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&azioni, tubo[0]);
    posix_spawn_file_actions_addclose(&azioni, tubo[1]);

    const long long inizio = monotonoNs();
    pid_t pid = 0;
    const int errore = posix_spawn(&pid, p.argomenti[0], &azioni, nullptr, p.argomenti.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    close(tubo[1]);
    if (errore != 0) {
        std::fprintf(stderr, "%s: cannot start %s: %s\n", p.etichetta.c_str(), p.argomenti[0], std::strerror(errore));
        close(tubo[0]);
        return false;
    }

    std::string uscita;
    char blocco[4096];
    for (ssize_t n; (n = read(tubo[0], blocco, sizeof blocco)) > 0;)
        uscita.append(blocco, static_cast<std::size_t>(n));
    close(tubo[0]);

    int stato = 0;
    rusage uso{};
    wait4(pid, &stato, 0, &uso);
    const std::size_t dove = uscita.rfind("dipinto ");
    if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0 || dove == std::string::npos) {
        std::fprintf(stderr, "%s: no first frame reported (status %d)\n", p.etichetta.c_str(), stato);
        return false;
    }
    const long long dipinto = std::atoll(uscita.c_str() + dove + 8);
    ms = static_cast<double>(dipinto - inizio) / 1e6;
    rssKb = uso.ru_maxrss;
    cpuMs = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3
            + static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
    return true;
}

template <typename T>
T mediana(std::vector<T> valori)
{
    std::sort(valori.begin(), valori.end());
    const std::size_t n = valori.size();
    return n % 2 ? valori[n / 2] : (valori[n / 2 - 1] + valori[n / 2]) / 2;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 6 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: %s <runs> <warm-up runs> -- <label> <program> [args...] [-- ...]\n", argv[0]);
        return 2;
    }
    const int volte = std::atoi(argv[1]);
    const int riscaldo = std::atoi(argv[2]);

    std::vector<Programma> programmi;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            programmi.emplace_back();
            continue;
        }
        Programma &p = programmi.back();
        if (p.etichetta.empty())
            p.etichetta = argv[i];
        else
            p.argomenti.push_back(argv[i]);
    }
    for (Programma &p : programmi) {
        if (p.argomenti.empty()) {
            std::fprintf(stderr, "%s: no program given\n", p.etichetta.c_str());
            return 2;
        }
        p.argomenti.push_back(nullptr);
    }

    for (int giro = 0; giro < riscaldo + volte; ++giro) {
        for (Programma &p : programmi) {
            double ms = 0;
            double cpuMs = 0;
            long rss = 0;
            if (!esegui(p, ms, cpuMs, rss))
                return 1;
            if (giro >= riscaldo) {
                p.ms.push_back(ms);
                p.cpuMs.push_back(cpuMs);
                p.rssKb.push_back(rss);
            }
        }
    }

    for (const Programma &p : programmi) {
        std::printf("%s median_ms=%.1f min_ms=%.1f max_ms=%.1f cpu_ms=%.1f peak_rss_kb=%ld runs=%zu\n",
                    p.etichetta.c_str(), mediana(p.ms), *std::min_element(p.ms.begin(), p.ms.end()),
                    *std::max_element(p.ms.begin(), p.ms.end()), mediana(p.cpuMs), mediana(p.rssKb), p.ms.size());
    }
    return 0;
}
