#include "app/applicazione.h"

#include "platform/design.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <QStyleFactory>

namespace {

// The program's icon in the PNG sizes rendered at build time
// (packaging/CMakeLists.txt); Qt takes each file's size from the file.
QIcon iconaDelProgramma()
{
    QIcon icona;
    QDirIterator png(QStringLiteral(":/icona"), {QStringLiteral("*.png")});
    while (png.hasNext())
        icona.addFile(png.next());
    return icona;
}

}  // namespace

void preparaApplicazione()
{
    // Fusion paints buttons with their palette, so the answer buttons show
    // their colours on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    platform::installFontSubstitutions();

    // Every window carries the icon, and the desktop groups them under the
    // menu entry: by the desktop file's name (ANALISI_APP_ID, given by the
    // build) on Wayland, by the window class, which X takes from the
    // application name, through the entry's StartupWMClass. The name is set
    // so that the class stays the same whatever the program was started as.
    QApplication::setWindowIcon(iconaDelProgramma());
    QGuiApplication::setDesktopFileName(QStringLiteral(ANALISI_APP_ID));
    QCoreApplication::setApplicationName(QStringLiteral("analisi-articoli"));
}
