#pragma once

// The state of a lesson: every variable the rules and the windows read and
// write. Nothing here is saved; it all starts afresh with the program and is
// gone when it ends. No window lives here: each window keeps its own
// instance.
//
// Values that may be "empty" start at 0, which is how an empty value reads.

#include <QString>

#include <array>
#include <cstdint>

// A corpus table: rows 0..100, positions 0..22. Reading outside the bounds
// gives the empty value, so no index can leave the table.
template <typename T>
class TabellaCorpus
{
public:
    static constexpr int ultimaRiga = 100;
    static constexpr int ultimaPosizione = 22;

    T operator()(int riga, int posizione) const
    {
        return dentro(riga, posizione) ? celle_[cella(riga, posizione)] : T{};
    }
    void imposta(int riga, int posizione, T valore)
    {
        if (dentro(riga, posizione))
            celle_[cella(riga, posizione)] = std::move(valore);
    }

private:
    static bool dentro(int riga, int posizione)
    {
        return riga >= 0 && riga <= ultimaRiga && posizione >= 0 && posizione <= ultimaPosizione;
    }
    static std::size_t cella(int riga, int posizione)
    {
        return static_cast<std::size_t>(riga) * colonne + static_cast<std::size_t>(posizione);
    }

    static constexpr std::size_t colonne = ultimaPosizione + 1;
    std::array<T, (ultimaRiga + 1) * colonne> celle_{};
};

// The question the word in red is at, and the two rests of a lesson.
enum class Passo {
    AttesaPrimoVia,    // before the first VIA: only VIA
    Variabilita,       // "PARTE VARIABILE" or "PARTE  INVARIABILE"
    ParteVariabile,    // Com(1..5)
    ParteInvariabile,  // Com(6..9)
    Tipo,              // art(1..3)
    Genere,            // Masfem(1..2)
    Numero,            // Singplu(1..2)
    FraseCompletata,   // the sentence is done: VIA for the next
    FrasiFinite,       // every sentence has been drawn
};

struct StatoEsercizio {
    // The question under way.
    int risposta = 0;         // code of the button just pressed (10 and 11 for the variability buttons)
    int modoanalisi = 0;      // 0 "analisi completa", 1 "solo articoli"
    int posparola = 0;        // position 1..22 of the word being classified
    int rispostaesatta = 0;   // code expected for the current question
    int categoriaerrore = 0;  // error category of the article sub-questions
    int numfrase = 0;         // row of the current sentence
    int numfrasi = 0;         // rows the draw chooses among
    Passo passo = Passo::AttesaPrimoVia;

    // The series and the run.
    int domande = 0;          // answers in the current series
    int errori = 0;           // wrong answers in the current series
    int lunghezzaserie = 0;   // answers per series
    int livello = 0;          // level of the last series, 1..5; 6: show the chart only
    int contaottimo = 0;
    int contadistinto = 0;
    int contabuono = 0;
    int contasufficiente = 0;
    int contaoccorre = 0;
    std::int16_t tempomigliore = 0;  // best error-free series, whole seconds
    float inizioesercizio = 0.0f;    // clock reading at the first "VIA"
    float inizioserie = 0.0f;        // clock reading at the start of the series
    bool avviato = false;            // the first "VIA" has been pressed

    // The corpus tables.
    TabellaCorpus<QString> testoparola;
    TabellaCorpus<int> partediscorso;  // position 0: word count of the row
    TabellaCorpus<int> tipoarticolo;
    TabellaCorpus<int> genere;
    TabellaCorpus<int> numero;

    std::array<int, 101> frasiusate{};         // 1 once the row has been drawn
    std::array<int, 21> erroripercategoria{};  // errors per question category, 1..11 used
};

extern StatoEsercizio Modulo1;
