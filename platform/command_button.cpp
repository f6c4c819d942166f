#include "platform/command_button.h"

#include <QPainter>

namespace platform {

namespace {

// The bevel of a command button: light above and left, dark below and right;
// pressed, a flat dark frame instead.
const QColor bevelLuce(255, 255, 255);
const QColor bevelMezzaLuce(223, 223, 223);
const QColor bevelOmbra(128, 128, 128);
const QColor bevelBuio(0, 0, 0);

// One-pixel edges as filled rectangles: the cheapest way the raster engine
// draws a line.
void cornice(QPainter &p, const QRect &r, const QColor &sopra, const QColor &sotto)
{
    p.fillRect(r.left(), r.top(), r.width() - 1, 1, sopra);
    p.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, sopra);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, sotto);
    p.fillRect(r.right(), r.top(), 1, r.height() - 1, sotto);
}

}  // namespace

CommandButton::CommandButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // Every pixel is painted below, so nothing behind needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CommandButton::paintEvent(QPaintEvent *)
{
    // Drawn by hand rather than through the style: a flat face in the back
    // colour and a square bevel are all a command button shows, and the
    // style's rounded, shaded faces cost a cached image per colour, size and
    // state, which every change of the window's colours throws away.
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, palette().color(QPalette::Button));

    const bool premuto = isDown() || isChecked();
    if (hasFocus() || premuto) {
        cornice(p, r, bevelBuio, bevelBuio);
        r.adjust(1, 1, -1, -1);
    }
    if (premuto) {
        cornice(p, r, bevelOmbra, bevelOmbra);
    } else {
        cornice(p, r, bevelLuce, bevelBuio);
        cornice(p, r.adjusted(1, 1, -1, -1), bevelMezzaLuce, bevelOmbra);
    }

    // The caption wraps onto more lines when the button is too narrow and
    // stands centred both ways.
    const QRect testo = r.adjusted(4, 4, -4, -4);
    const QStaticText &righe = didascalia(testo.width());
    QPointF dove(testo.left(), testo.top() + (testo.height() - righe.size().height()) / 2.0);
    if (premuto)
        dove += QPointF(1, 1);
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        p.drawStaticText(dove, righe);
    } else {
        // Greyed out, with a light relief below.
        p.setPen(bevelLuce);
        p.drawStaticText(dove + QPointF(1, 1), righe);
        p.setPen(bevelOmbra);
        p.drawStaticText(dove, righe);
    }
    if (hasFocus()) {
        QPen puntini(bevelBuio, 1, Qt::DotLine);
        p.setPen(puntini);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

const QStaticText &CommandButton::didascalia(int larghezza)
{
    if (larghezza != larghezzaDisposta_ || text() != testoDisposto_ || font() != fontDisposto_) {
        larghezzaDisposta_ = larghezza;
        testoDisposto_ = text();
        fontDisposto_ = font();
        didascalia_ = QStaticText(testoDisposto_);
        didascalia_.setTextFormat(Qt::PlainText);
        didascalia_.setTextWidth(larghezza);
        didascalia_.setTextOption(QTextOption(Qt::AlignHCenter));
        didascalia_.prepare(QTransform(), fontDisposto_);
    }
    return didascalia_;
}

}  // namespace platform
