#include "platform/clock.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTime>
#include <QTimer>

#include <cmath>

namespace platform {

float SystemClock::secondsSinceMidnight()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

std::int64_t SystemClock::monotonicMs()
{
    static QElapsedTimer sinceStart = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return sinceStart.elapsed();
}

void SystemClock::wait(int ms)
{
    const std::int64_t end = monotonicMs() + ms;
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // A timer may fire a little early; go round until the time has passed.
    for (std::int64_t left = ms; left > 0; left = end - monotonicMs()) {
        timer.start(static_cast<int>(left));
        loop.exec();
    }
}

float secondsBetween(float start, float now)
{
    const float difference = std::fmod(now - start, secondsPerDay);
    return difference < 0.0f ? difference + secondsPerDay : difference;
}

namespace {
Clock *installed = nullptr;
}

Clock &clock()
{
    static SystemClock system;
    if (installed)
        return *installed;
    return system;
}

void setClock(Clock *replacement)
{
    installed = replacement;
}

}  // namespace platform
