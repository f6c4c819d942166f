#include "platform/ridimschermo.h"

#include "platform/design.h"

#include <QLabel>
#include <QScreen>

#include <cmath>

namespace ridimschermo {

namespace {

int scala(double valore, double rapporto)
{
    return static_cast<int>(std::lround(valore * rapporto));
}

void scalaA(double larghezzaFinestra, double altezzaFinestra)
{
    if (larghezzarif <= 0.0 || altezzarif <= 0.0)
        return;
    const double rx = larghezzaFinestra / larghezzarif;
    const double ry = altezzaFinestra / altezzarif;
    for (int i = 1; i <= numcontrolli; ++i) {
        QWidget *controllo = controlli[static_cast<std::size_t>(i)];
        if (!controllo)
            continue;
        const auto k = static_cast<std::size_t>(i);
        controllo->setGeometry(scala(sinistra[k], rx), scala(alto[k], ry), scala(larghezza[k], rx),
                               scala(altezza[k], ry));
        QFont font = controllo->font();
        font.setPointSizeF(std::max(1.0, carattere[k] * ry));
        controllo->setFont(font);
        // The box follows the width, the font the height: on a screen
        // narrower than the design's proportions a text would overflow its
        // box. A label sized to its text takes the size of its text in the
        // scaled font; one whose text wraps in its box keeps the box, and its
        // text takes a smaller font where the scaled one would overflow.
        if (auto *etichetta = qobject_cast<QLabel *>(controllo)) {
            if (platform::sizedToText(etichetta))
                platform::sizeToText(etichetta);
            else if (etichetta->wordWrap())
                platform::fitWrappedText(etichetta);
        }
    }
}

}  // namespace

void preparaarray()
{
    const auto n = static_cast<std::size_t>(std::max(numcontrolli, 0)) + 1;
    larghezzarif = 0.0;
    altezzarif = 0.0;
    controlli.assign(n, nullptr);
    for (auto *tabella : {&sinistra, &alto, &larghezza, &altezza, &carattere})
        tabella->assign(n, 0.0);
}

void registra(int indice, QWidget *controllo)
{
    if (indice >= 1 && indice <= numcontrolli)
        controlli[static_cast<std::size_t>(indice)] = controllo;
}

QSize dimensioneMassimizzata(const QWidget *window)
{
    const QScreen *screen = window->screen();
    return screen ? screen->availableGeometry().size() : window->size();
}

void registraescala()
{
    if (!finestra)
        return;
    // The reference is the design size, so that the layout drawn in twips
    // fills whatever screen the window is maximised on.
    larghezzarif = finestra->width();
    altezzarif = finestra->height();
    for (int i = 1; i <= numcontrolli; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QWidget *controllo = controlli[k];
        if (!controllo)
            continue;
        sinistra[k] = controllo->x();
        alto[k] = controllo->y();
        larghezza[k] = controllo->width();
        altezza[k] = controllo->height();
        carattere[k] = controllo->font().pointSizeF();
    }

    // Without a window manager a maximised window keeps its size: give it the
    // screen's available area first, then the maximised state.
    const QScreen *screen = finestra->screen();
    if (screen)
        finestra->setGeometry(screen->availableGeometry());
    finestra->setWindowState(finestra->windowState() | Qt::WindowMaximized);
    scalaA(finestra->width(), finestra->height());
}

void riscala()
{
    if (finestra)
        scalaA(finestra->width(), finestra->height());
}

}  // namespace ridimschermo
