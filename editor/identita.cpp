#include "editor/identita.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>

void preparaEditor()
{
    // X takes the window class from the application name (StartupWMClass of
    // the menu entry); Wayland compositors go by the desktop file's name.
    QCoreApplication::setApplicationName(QStringLiteral("editor-frasi"));
    QCoreApplication::setApplicationVersion(QStringLiteral(EDITOR_VERSIONE));
    QGuiApplication::setDesktopFileName(QStringLiteral(EDITOR_APP_ID));
    // The program's icon, rendered into PNG sizes at build time
    // (packaging/CMakeLists.txt).
    QIcon icona;
    QDirIterator png(QStringLiteral(":/icona"), {QStringLiteral("*.png")});
    while (png.hasNext())
        icona.addFile(png.next());
    QApplication::setWindowIcon(icona);
}
