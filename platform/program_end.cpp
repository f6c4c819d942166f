#include "platform/program_end.h"

#include "platform/sound_player.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

std::function<void()> &installed()
{
    static std::function<void()> ending;
    return ending;
}

void closeEverything()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        if (window)
            window->hide();
    // The windows are gone at once; the closing cue is let play to its end.
    soundPlayer().whenQuiet([] { QCoreApplication::exit(0); });
}

}  // namespace

void endProgram()
{
    if (installed())
        installed()();
    else
        closeEverything();
}

void setProgramEnd(std::function<void()> ending)
{
    installed() = std::move(ending);
}

}  // namespace platform
