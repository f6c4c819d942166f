#include "app/applicazione.h"

#include "platform/design.h"

#include <QApplication>
#include <QStyleFactory>

void preparaApplicazione()
{
    // Fusion paints buttons with their palette, so the answer buttons show
    // their colours on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    platform::installFontSubstitutions();
}
