#pragma once

// The windows are designed in twips (1/1440 inch) with colours written as
// 0x00BBGGRR; these helpers turn both into what Qt works with.

#include <QColor>
#include <QFont>
#include <QRect>

#include <functional>

class QWidget;
class QLabel;

namespace platform {

inline constexpr double twipsPerInch = 1440.0;

// System colour "button text": a colour value with the top bit set names a
// system colour by its index.
inline constexpr quint32 coloreTestoPulsante = 0x80000012u;

// Pixels for a length in twips at the screen's logical resolution.
int twips(double length);
QRect twipsRect(double left, double top, double width, double height);
void placeTwips(QWidget *widget, double left, double top, double width, double height);

QColor designColor(quint32 bbggrr);
inline constexpr quint32 rgb(int red, int green, int blue)
{
    return static_cast<quint32>(red) | (static_cast<quint32>(green) << 8) | (static_cast<quint32>(blue) << 16);
}

// Background of a window, label or button. Labels become opaque.
void setBackColor(QWidget *widget, quint32 bbggrr);
QColor backColor(const QWidget *widget);
// Text colour of a label or button.
void setForeColor(QWidget *widget, quint32 bbggrr);
QColor foreColor(const QWidget *widget);

// A label the designs size to its text: it takes the size its text needs in
// its font, keeping its top and, by its alignment, its left edge, its centre
// or its right edge. Call it again whenever the text or the font changes.
void sizeToText(QLabel *label);
bool sizedToText(const QWidget *widget);

// `font` if `fits` accepts it, else the largest smaller pixel size of it
// that `fits` accepts (at least one pixel).
QFont largestFittingFont(QFont font, const std::function<bool(const QFont &)> &fits);

// A label whose text wraps in a fixed box: its font, else the largest smaller
// size of it in which the whole text fits the box. Call it again whenever the
// text, the font or the box changes.
void fitWrappedText(QLabel *label);

// A font as the designs name it ("MS Sans Serif", "Arial", "Bookman Old Style");
// weight as in the designs: 400 regular, 600 semi-bold, 700 bold, 900 black.
QFont designFont(const QString &family, double points, int weight = 400);

// Maps the design fonts onto metric-compatible free faces where the originals
// are missing. Call once, after the application object exists.
void installFontSubstitutions();

}  // namespace platform
