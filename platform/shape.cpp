#include "platform/shape.h"

#include "platform/design.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace platform {

Shape::Shape(Kind kind, QWidget *parent)
    : QWidget(parent)
    , kind_(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

int Shape::margin() const
{
    return borderWidth_ > 1 ? (borderWidth_ + 1) / 2 : 0;
}

void Shape::setBounds(const QRect &outline)
{
    const int m = margin();
    setGeometry(outline.adjusted(-m, -m, m, m));
}

QRect Shape::bounds() const
{
    const int m = margin();
    return geometry().adjusted(m, m, -m, -m);
}

void Shape::setFillColor(quint32 bbggrr)
{
    filled_ = true;
    fill_ = designColor(bbggrr);
    update();
}

void Shape::noFill()
{
    filled_ = false;
    update();
}

void Shape::setBorderColor(quint32 bbggrr)
{
    border_ = designColor(bbggrr);
    update();
}

void Shape::setBorderWidth(int pixels)
{
    const QRect outline = bounds();
    borderWidth_ = std::max(pixels, 0);
    setBounds(outline);
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The outline in the widget's own coordinates.
    const int m = margin();
    QRectF outline = QRectF(rect()).adjusted(m, m, -m, -m);
    // A circle is the largest one centred in the outline.
    if (kind_ == Kind::Circle) {
        const qreal side = std::min(outline.width(), outline.height());
        outline = QRectF(outline.center().x() - side / 2, outline.center().y() - side / 2, side, side);
    }
    // The pen is centred on the path: a thin border goes half a pixel in,
    // onto the outline's outermost pixels; a wide one runs along the outline.
    const QRectF path = borderWidth_ <= 1 ? outline.adjusted(0.5, 0.5, -0.5, -0.5) : outline;

    if (borderWidth_ > 0) {
        QPen pen(border_);
        pen.setWidthF(borderWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(filled_ ? QBrush(fill_) : QBrush(Qt::NoBrush));
    if (kind_ == Kind::Circle)
        painter.drawEllipse(path);
    else
        painter.drawRect(path);
}

}  // namespace platform
