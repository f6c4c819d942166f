#include "platform/audio.h"

#include "platform/clock.h"
#include "platform/random.h"
#include "platform/sound_player.h"

#include <array>

namespace audio {

void suona(const QString &nome)
{
    platform::soundPlayer().play(nome);
}

void suonaesatto(const QString &nome)
{
    if (nome != QLatin1String("esatto")) {
        suona(QStringLiteral("congafine"));
        return;
    }
    static const std::array<QString, 5> lodi = {
        QStringLiteral("esatto"), QStringLiteral("esatto2"), QStringLiteral("esatto3"),
        QStringLiteral("esatto4"), QStringLiteral("esatto5")};
    platform::random().seed(platform::clock().secondsSinceMidnight());
    suona(lodi[static_cast<std::size_t>(platform::drawBelow(platform::random(), 5))]);
}

}  // namespace audio
