#include "platform/command_button.h"

#include "platform/design.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>

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

// The bevel takes three pixels at most (the dark frame of a focused or
// pressed button and two lines of relief); the caption keeps three more clear
// of it.
constexpr int spessoreBevel = 3;
constexpr int margineDidascalia = 3;

// The caption laid out as it is drawn: wrapped at word boundaries to
// `larghezza`, centred, the leading of each line included.
QSizeF misuraDidascalia(const QString &testo, const QFont &font, qreal larghezza)
{
    QTextLayout layout(testo, font);
    QTextOption opzioni(Qt::AlignHCenter);
    opzioni.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(opzioni);
    qreal altezza = 0;
    qreal piuLarga = 0;
    layout.beginLayout();
    for (QTextLine riga = layout.createLine(); riga.isValid(); riga = layout.createLine()) {
        riga.setLeadingIncluded(true);
        riga.setLineWidth(larghezza);
        altezza += riga.height();
        piuLarga = std::max(piuLarga, riga.naturalTextWidth());
    }
    layout.endLayout();
    return {piuLarga, altezza};
}

bool entra(const QString &testo, const QFont &font, const QSize &area)
{
    const QSizeF misura = misuraDidascalia(testo, font, area.width());
    return misura.width() <= area.width() && misura.height() <= area.height();
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
    const QRect testo = captionArea();
    const QStaticText &righe = didascalia();
    QPointF dove(testo.left(), testo.top() + (testo.height() - righe.size().height()) / 2.0);
    if (premuto)
        dove += QPointF(1, 1);
    p.setFont(fontDidascalia_);
    if (isEnabled() && !lockedLook_) {
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

QRect CommandButton::captionArea() const
{
    const int bordo = spessoreBevel + margineDidascalia;
    return rect().adjusted(bordo, bordo, -bordo, -bordo);
}

QFont CommandButton::captionFont()
{
    didascalia();
    return fontDidascalia_;
}

void CommandButton::setLockedLook(bool locked)
{
    if (locked == lockedLook_)
        return;
    lockedLook_ = locked;
    update();
}

const QStaticText &CommandButton::didascalia()
{
    const QSize area = captionArea().size();
    if (area != areaDisposta_ || text() != testoDisposto_ || font() != fontDisposto_) {
        areaDisposta_ = area;
        testoDisposto_ = text();
        fontDisposto_ = font();
        // A caption too large for its button, as on a screen narrower than
        // the design's proportions, is drawn smaller, pixel by pixel, until
        // it fits; the button's own font stays.
        fontDidascalia_ = largestFittingFont(fontDisposto_, [this, area](const QFont &font) {
            return entra(testoDisposto_, font, area);
        });
        didascalia_ = QStaticText(testoDisposto_);
        didascalia_.setTextFormat(Qt::PlainText);
        didascalia_.setTextWidth(area.width());
        didascalia_.setTextOption(QTextOption(Qt::AlignHCenter));
        didascalia_.prepare(QTransform(), fontDidascalia_);
    }
    return didascalia_;
}

}  // namespace platform
