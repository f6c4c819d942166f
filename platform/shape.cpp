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

void Shape::setFillColor(quint32 bbggrr)
{
    filled_ = true;
    fill_ = vbColor(bbggrr);
    update();
}

void Shape::noFill()
{
    filled_ = false;
    update();
}

void Shape::setBorderColor(quint32 bbggrr)
{
    border_ = vbColor(bbggrr);
    update();
}

void Shape::setBorderWidth(int pixels)
{
    borderWidth_ = std::max(pixels, 0);
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // A circle is the largest one centred in the bounds.
    QRectF bounds = rect();
    if (kind_ == Kind::Circle) {
        const qreal side = std::min(bounds.width(), bounds.height());
        bounds = QRectF(bounds.center().x() - side / 2, bounds.center().y() - side / 2, side, side);
    }
    // The pen is centred on its path: draw half a width inside the bounds.
    const qreal half = borderWidth_ / 2.0;
    const QRectF path = bounds.adjusted(half, half, -half, -half);

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
