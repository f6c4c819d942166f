#pragma once

// Captions, colours and trail texts of the answer buttons, in one table. The
// code a button answers equals its index in its group. A key stands for the
// button it names only while that button is shown and usable, so "I" and "P",
// each the key of two buttons, never meet: the variability and the kind, the
// kind and the number are asked at different steps.

#include <QtGlobal>

#include <array>

namespace pulsanti {

struct Voce {
    int indice;
    const char *caption;  // on the button
    quint32 colore;       // back colour, 0x00BBGGRR
    const char *traccia;  // what the classification trail shows once it is found
    char tasto;           // the key that presses it, named in its tooltip
};

// display(1): "PARTE VARIABILE" (Com10) and "PARTE  INVARIABILE" (Com11).
inline constexpr std::array<Voce, 2> variabilita = {{
    {10, "PARTE VARIABILE", 0x0000FFFFu, "Parte variabile", 'V'},
    {11, "PARTE  INVARIABILE", 0x008080FFu, "Parte invariabile", 'I'},
}};

// display(2): the parts of speech, Com(1..9).
inline constexpr std::array<Voce, 9> partiDelDiscorso = {{
    {1, "Articolo", 0x00C0E0FFu, "Articolo", '1'},
    {2, "Nome", 0x0080C0FFu, "Nome", '2'},
    {3, "Aggettivo", 0x00C0FFFFu, "Aggettivo", '3'},
    {4, "Pronome", 0x0080FFFFu, "Pronome", '4'},
    {5, "Verbo", 0x0080FF80u, "Verbo", '5'},
    {6, "Avverbio  e locuzione avv.", 0x0000C0C0u, "Avverbio  e locuzione avv.", '6'},
    {7, "Preposizione  e locuzione prep.", 0x0000FF00u, "Preposizione  e locuzione prep.", '7'},
    {8, "Congiunzione  e locuzione cong.", 0x00FF8080u, "Congiunzione  e locuzione cong.", '8'},
    {9, "Esclamazione  e locuzione escl.", 0x00FF00FFu, "Esclamazione  e locuzione escl.", '9'},
}};

// display(3): art(1..3).
inline constexpr std::array<Voce, 3> tipi = {{
    {1, "Determinativo", 0x00C0FFC0u, "determinativo", 'D'},
    {2, "Indeterminativo", 0x00C0FFFFu, "indeterminativo", 'I'},
    {3, "Partitivo", 0x00628CAEu, "partitivo", 'P'},
}};

// display(4): Masfem(1..2).
inline constexpr std::array<Voce, 2> generi = {{
    {1, "Maschile", 0x00FFFF00u, "Maschile", 'M'},
    {2, "Femminile", 0x00A9AAE4u, "Femminile", 'F'},
}};

// display(5): Singplu(1..2).
inline constexpr std::array<Voce, 2> numeri = {{
    {1, "Singolare", 0x00FFFFFFu, "Singolare", 'S'},
    {2, "Plurale", 0x00FFC0FFu, "Plurale", 'P'},
}};

// Entry of a group by its 1-based index (Com10/Com11 by 10 and 11).
template <std::size_t N>
constexpr const Voce &voce(const std::array<Voce, N> &gruppo, int indice)
{
    return gruppo[static_cast<std::size_t>(indice - gruppo[0].indice)];
}

// Colours of the sentence and of the window.
inline constexpr quint32 parolaCorrente = 0x000000FFu;   // red
inline constexpr quint32 parolaDaMostrare = 0x00004000u; // dark green
inline constexpr quint32 sfondoErrore = 0x00C0C0FFu;     // pink
inline constexpr quint32 sfondoFinestra = 0x00C0FFC0u;   // light green
inline constexpr quint32 displayPrimo = 0x0000FFFFu;     // display(1) before use: yellow
inline constexpr quint32 displayAltri = 0x00FF0000u;     // display(2..5) before use: blue

}  // namespace pulsanti
