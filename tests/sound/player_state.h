#pragma once

// Names of the real player's states, for test messages and for the output
// of play-cue.

#include "platform/qt_sound_player.h"

#include <QString>

namespace test {

inline QString stateName(platform::QtSoundPlayer::State state)
{
    using State = platform::QtSoundPlayer::State;
    switch (state) {
    case State::Idle: return QStringLiteral("Idle");
    case State::Queued: return QStringLiteral("Queued");
    case State::Missing: return QStringLiteral("Missing");
    case State::Rejected: return QStringLiteral("Rejected");
    case State::NoOutput: return QStringLiteral("NoOutput");
    case State::Playing: return QStringLiteral("Playing");
    }
    return QStringLiteral("?");
}

}  // namespace test
