#pragma once

// Keeps a window's controls in proportion to the window. A window registers
// its controls by index when it loads; registraescala records their design
// geometry and font sizes against the window's design size, maximises the
// window and scales them to it; riscala, on every resize, scales them again
// from the recorded values, never from the current ones, so nothing drifts.
//
// The state belongs to the window that registered last.

#include <QPointer>
#include <QWidget>

#include <vector>

namespace ridimschermo {

inline int numcontrolli = 0;
inline QPointer<QWidget> finestra;
inline double larghezzarif = 0.0;
inline double altezzarif = 0.0;
inline std::vector<QPointer<QWidget>> controlli;
inline std::vector<double> sinistra, alto, larghezza, altezza, carattere;

// Empties the tables and sizes them for indexes 0..numcontrolli.
void preparaarray();

// Stores `controllo` at `indice` (1..numcontrolli).
void registra(int indice, QWidget *controllo);

// Records the design values of finestra and its controls, maximises the
// window and scales the controls to it.
void registraescala();

// Scales the registered controls to the current size of finestra. Does
// nothing before registraescala has recorded the reference size.
void riscala();

// Client size of the window when maximised on its screen.
QSize dimensioneMassimizzata(const QWidget *window);

}  // namespace ridimschermo
