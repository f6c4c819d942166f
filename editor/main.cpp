// editor-frasi: the teacher's editor of the drill's sentence file.

#include "editor/finestra_editor.h"
#include "editor/identita.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    preparaEditor();

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
