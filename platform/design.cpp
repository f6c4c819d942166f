#include "platform/design.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

double logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

QHash<QString, QString> &installedFamilies()
{
    static QHash<QString, QString> chosen;
    return chosen;
}

// The design family if it is installed, else the first installed face of its
// substitutes. Asking the font database for a family it lacks makes it sort
// every face on the machine for fallbacks (once per family, style and script)
// before it gets to the substitutes; naming the face that will be used skips
// that search.
QString installedFamily(const QString &family)
{
    const auto known = installedFamilies().constFind(family);
    if (known != installedFamilies().constEnd())
        return *known;
    // A family made by more than one foundry is listed once per foundry, as
    // "Name [foundry]".
    QStringList installed = QFontDatabase::families();
    for (QString &name : installed) {
        const qsizetype foundry = name.indexOf(QLatin1String(" ["));
        if (foundry > 0 && name.endsWith(QLatin1Char(']')))
            name.truncate(foundry);
    }
    QString choice = family;
    if (!installed.contains(family, Qt::CaseInsensitive)) {
        for (const QString &substitute : QFont::substitutes(family)) {
            if (installed.contains(substitute, Qt::CaseInsensitive)) {
                choice = substitute;
                break;
            }
        }
    }
    installedFamilies().insert(family, choice);
    return choice;
}

bool isButton(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) != nullptr;
}

}  // namespace

int twips(double length)
{
    return static_cast<int>(std::lround(length * logicalDpi() / twipsPerInch));
}

QRect twipsRect(double left, double top, double width, double height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

void placeTwips(QWidget *widget, double left, double top, double width, double height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

QColor designColor(quint32 bbggrr)
{
    if (bbggrr & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (bbggrr & 0xFFu) {
        case 0x12:  // button text
            return palette.color(QPalette::ButtonText);
        case 0x0F:  // button face
            return palette.color(QPalette::Button);
        case 0x05:  // window background
            return palette.color(QPalette::Window);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    return {static_cast<int>(bbggrr & 0xFFu), static_cast<int>((bbggrr >> 8) & 0xFFu),
            static_cast<int>((bbggrr >> 16) & 0xFFu)};
}

void setBackColor(QWidget *widget, quint32 bbggrr)
{
    QPalette palette = widget->palette();
    const QColor colour = designColor(bbggrr);
    if (isButton(widget)) {
        palette.setColor(QPalette::Button, colour);
    } else {
        palette.setColor(QPalette::Window, colour);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

QColor backColor(const QWidget *widget)
{
    return widget->palette().color(isButton(widget) ? QPalette::Button : QPalette::Window);
}

void setForeColor(QWidget *widget, quint32 bbggrr)
{
    QPalette palette = widget->palette();
    palette.setColor(isButton(widget) ? QPalette::ButtonText : QPalette::WindowText, designColor(bbggrr));
    widget->setPalette(palette);
}

QColor foreColor(const QWidget *widget)
{
    return widget->palette().color(isButton(widget) ? QPalette::ButtonText : QPalette::WindowText);
}

namespace {

const char *const dimensionataAlTesto = "dimensionataAlTesto";

}  // namespace

void sizeToText(QLabel *label)
{
    label->setProperty(dimensionataAlTesto, true);
    const QSize testo = label->sizeHint();
    const QRect box = label->geometry();
    const Qt::Alignment allineamento = label->alignment();
    int left = box.left();
    if (allineamento & Qt::AlignHCenter)
        left = box.left() + (box.width() - testo.width()) / 2;
    else if (allineamento & Qt::AlignRight)
        left = box.right() + 1 - testo.width();
    label->setGeometry(left, box.top(), testo.width(), testo.height());
}

bool sizedToText(const QWidget *widget)
{
    return widget->property(dimensionataAlTesto).toBool();
}

QFont largestFittingFont(QFont font, const std::function<bool(const QFont &)> &fits)
{
    if (fits(font))
        return font;
    // Every size tried sets up a font engine of its own (a fontconfig match
    // of a few million instructions), so few sizes are tried: steps that
    // double from the size as laid out (most texts need a pixel or two less),
    // then halving between the last two. A text that fits at a size fits at
    // every smaller one.
    int tooLarge = QFontInfo(font).pixelSize();
    int fitting = 0;
    for (int step = 1; fitting == 0; step *= 2) {
        const int size = std::max(1, tooLarge - step);
        font.setPixelSize(size);
        if (fits(font) || size == 1)
            fitting = size;  // the smallest size also when nothing fits
        else
            tooLarge = size;
    }
    while (tooLarge - fitting > 1) {
        const int middle = fitting + (tooLarge - fitting) / 2;
        font.setPixelSize(middle);
        (fits(font) ? fitting : tooLarge) = middle;
    }
    font.setPixelSize(fitting);
    return font;
}

void fitWrappedText(QLabel *label)
{
    const QRect box = label->contentsRect();
    const int flags = static_cast<int>(label->alignment()) | Qt::TextWordWrap;
    const QString testo = label->text();
    label->setFont(largestFittingFont(label->font(), [&](const QFont &font) {
        return box.contains(QFontMetrics(font).boundingRect(box, flags, testo));
    }));
}

QFont designFont(const QString &family, double points, int weight)
{
    QFont font(installedFamily(family));
    font.setPointSizeF(points);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

void installFontSubstitutions()
{
    // Liberation Sans shares Arial's metrics; it also stands in for the old
    // bitmap "MS Sans Serif". URW Bookman is the free Bookman face.
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Bookman Old Style"),
                               {QStringLiteral("URW Bookman"), QStringLiteral("URW Bookman L")});
    installedFamilies().clear();
}

}  // namespace platform
