#include "platform/qt_sound_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

QtSoundPlayer::QtSoundPlayer(QString soundFolder)
    : folder_(std::move(soundFolder))
{
}

QtSoundPlayer::~QtSoundPlayer() = default;

QString QtSoundPlayer::defaultFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("suoni"));
}

QString QtSoundPlayer::fileFor(const QString &cue) const
{
    return QDir(folder_).filePath(cue + QStringLiteral(".wav"));
}

void QtSoundPlayer::play(const QString &cue)
{
    const QString path = fileFor(cue);
    if (!QFileInfo(path).isFile()) {
        if (effect_)
            effect_->stop();
        return;
    }
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(path));
    effect_->play();
}

namespace {
SoundPlayer *installed = nullptr;
}

SoundPlayer &soundPlayer()
{
    if (installed)
        return *installed;
    static QtSoundPlayer real(QtSoundPlayer::defaultFolder());
    return real;
}

void setSoundPlayer(SoundPlayer *replacement)
{
    installed = replacement;
}

}  // namespace platform
