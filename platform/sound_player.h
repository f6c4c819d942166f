#pragma once

// Plays a sound cue by name: the file "<cue>.wav" in the "suoni" folder of the
// program. Fire and forget: play() returns at once, a new cue cuts the one
// still playing, and a cue that cannot be played is silent.

#include <QString>

#include <functional>

namespace platform {

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &cue) = 0;
    // Calls `then` from the event loop once the cue asked for last has been
    // heard to its end; soon when nothing is playing.
    virtual void whenQuiet(std::function<void()> then);
};

SoundPlayer &soundPlayer();
// Installs `replacement` (not owned); nullptr goes back to the real player.
void setSoundPlayer(SoundPlayer *replacement);

}  // namespace platform
