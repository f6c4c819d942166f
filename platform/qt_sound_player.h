#pragma once

#include "platform/sound_player.h"

#include <QString>

#include <memory>

class QSoundEffect;

namespace platform {

// The real player: Qt Multimedia, one sound at a time, files found under the
// "suoni" folder beside the executable.
class QtSoundPlayer final : public SoundPlayer
{
public:
    explicit QtSoundPlayer(QString soundFolder);
    ~QtSoundPlayer() override;

    void play(const QString &cue) override;

    QString fileFor(const QString &cue) const;
    QSoundEffect *effect() const { return effect_.get(); }

    // "<application folder>/suoni"
    static QString defaultFolder();

private:
    QString folder_;
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace platform
