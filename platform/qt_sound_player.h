#pragma once

// The real player: Qt Multimedia, one sound at a time, files "<cue>.wav"
// found in the "suoni" folder beside the executable or, for an installed
// program, in its data folder (see folderFor()).
//
// play() only notes the cue and returns. Reading the file and opening the
// audio output happen a moment later from the event loop, and after the
// first frame of any window that is just being shown (a minimised window, or
// one drawn before and now covered, holds nothing back), so neither a window
// nor an answer ever waits for the sound system, and nothing of Qt
// Multimedia is touched before the first cue. A new cue stops the one
// still playing. A cue whose file is missing or fails the wave check is
// silent, and so is every cue on a machine without an audio output.
//
// The samples go to an audio sink of our own rather than through
// QSoundEffect: that one stops its output as soon as it has handed over the
// last sample, so the last tenth of a second of every sound was never heard,
// and a file that promises more data than it holds leaves it loading forever.
//
// The audio objects belong to the application object and go with it (at the
// latest when it quits), never at static destruction time, where tearing
// down a sound output can hang or crash the process. The program's own
// player (soundPlayer()) goes with the application object too.
//
// whenQuiet() answers once the cue has played, at once when it cannot play
// (missing, refused, no output), and never later than longestQuietWaitMs.

#include "platform/sound_player.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

class QtSoundPlayer final : public SoundPlayer
{
public:
    // What became of the last cue.
    enum class State {
        Idle,      // no cue yet
        Queued,    // waiting for the event loop
        Missing,   // no file (or no folder) for the cue
        Rejected,  // the file failed the wave check
        NoOutput,  // a good file, but no audio output to play it on
        Playing,   // handed to the audio output
    };

    explicit QtSoundPlayer(QString soundFolder);
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer &) = delete;
    QtSoundPlayer &operator=(const QtSoundPlayer &) = delete;

    void play(const QString &cue) override;
    void whenQuiet(std::function<void()> then) override;

    QString fileFor(const QString &cue) const;
    State state() const { return state_; }
    QString lastCue() const { return lastCue_; }

    // The folder of the sound cues for a program whose executable is in
    // `applicationFolder`, looked for in this order:
    //   1. <applicationFolder>/suoni, if that folder exists: a portable
    //      folder, or the build tree;
    //   2. otherwise <applicationFolder>/../share/analisi-articoli/suoni,
    //      where an installed program keeps them (the path from the install's
    //      bin folder to its data folder, as the build was configured).
    static QString folderFor(const QString &applicationFolder);
    // folderFor() the folder of the running executable.
    static QString defaultFolder();

    // whenQuiet() never keeps its caller longer than this, whatever the file says.
    static constexpr int longestQuietWaitMs = 3000;

private:
    class Output;

    void playPending();
    void notifyWhenQuiet();

    QString folder_;
    QPointer<Output> output_;
    QString pending_;
    // Shared with the timers that call it, so that it runs once whichever fires first.
    std::shared_ptr<std::function<void()>> whenQuiet_;
    qint64 playingUntilMs_ = 0;  // monotonic end of the cue handed to the output
    QString lastCue_;
    State state_ = State::Idle;
    bool scheduled_ = false;
    bool afterFrame_ = false;  // the pending cue has waited for a window's first frame
    bool quitting_ = false;
};

}  // namespace platform
