// editor-frasi: the teacher's editor of the drill's sentence file.

#include "editor/finestra_editor.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDirIterator>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("editor-frasi"));
    QCoreApplication::setApplicationVersion(QStringLiteral(EDITOR_VERSIONE));
    QGuiApplication::setDesktopFileName(QStringLiteral(EDITOR_APP_ID));
    // The program's icon, rendered into PNG sizes at build time.
    QIcon icona;
    QDirIterator png(QStringLiteral(":/icona"), {QStringLiteral("*.png")});
    while (png.hasNext())
        icona.addFile(png.next());
    QApplication::setWindowIcon(icona);

    QCommandLineParser opzioni;
    opzioni.setApplicationDescription(QStringLiteral("Editor delle frasi di analisi-articoli"));
    opzioni.addHelpOption();
    opzioni.addVersionOption();
    opzioni.addPositionalArgument(QStringLiteral("FILE"),
                                  QStringLiteral("il file di frasi da aprire (altrimenti quello che usa il programma)"),
                                  QStringLiteral("[FILE]"));
    opzioni.process(app);

    editor::FinestraEditor finestra;
    finestra.show();
    finestra.apriIniziale(opzioni.positionalArguments().value(0));
    return QApplication::exec();
}
