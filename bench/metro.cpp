// The yardstick: what any Qt Widgets program of this size pays to get its
// first frame on the screen. One maximised window with 70 plain controls (35
// labels, 35 buttons) and nothing else; it leaves after its first paint.
// Links Qt Widgets only, none of the program's code.

#include "bench/primo_disegno.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

int main(int argc, char **argv)
{
    bench::ApplicazioneCronometrata app(argc, argv);

    QWidget finestra;
    finestra.setWindowTitle(QStringLiteral("metro"));
    constexpr int coppie = 35;
    for (int i = 0; i < coppie; ++i) {
        const int colonna = i / 12;
        const int riga = i % 12;
        auto *etichetta = new QLabel(QStringLiteral("etichetta %1").arg(i + 1), &finestra);
        etichetta->setGeometry(20 + 420 * colonna, 20 + 70 * riga, 180, 30);
        auto *pulsante = new QPushButton(QStringLiteral("pulsante %1").arg(i + 1), &finestra);
        pulsante->setGeometry(210 + 420 * colonna, 15 + 70 * riga, 180, 40);
    }

    bench::PrimoDisegno primo(app, [&](const QWidget *w) { return w == &finestra; },
                              [](std::int64_t istante) { bench::riferisciEdEsci(istante); });

    finestra.showMaximized();
    // With no window manager, maximising alone leaves the size as it was.
    if (const QScreen *schermo = finestra.screen())
        finestra.setGeometry(schermo->availableGeometry());
    return QApplication::exec();
}
