#pragma once

// Shared by the start-up probe and the yardstick: the moment a window's first
// frame has been painted and handed to the window system, reported on
// standard output as "dipinto <ns>" on CLOCK_MONOTONIC, so that the launcher
// (which took the same clock just before it started the process) can tell
// how long the way from process start to a visible window was.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <utility>

namespace bench {

inline std::int64_t monotonoNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Watches every paint of the application; the first one that lands in a
// window accepted by `finestraGiusta` arms `poi`, which runs once the paint
// cycle that contains it (children and the flush to the screen included) has
// returned to the event loop.
class PrimoDisegno final : public QObject
{
public:
    PrimoDisegno(std::function<bool(const QWidget *)> finestraGiusta, std::function<void()> poi)
        : finestraGiusta_(std::move(finestraGiusta)), poi_(std::move(poi))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (!armato_ && evento->type() == QEvent::Paint && oggetto->isWidgetType()) {
            const auto *widget = static_cast<const QWidget *>(oggetto);
            if (finestraGiusta_(widget->window())) {
                armato_ = true;
                QCoreApplication::instance()->removeEventFilter(this);
                QTimer::singleShot(0, this, [this] { poi_(); });
            }
        }
        return false;
    }

private:
    std::function<bool(const QWidget *)> finestraGiusta_;
    std::function<void()> poi_;
    bool armato_ = false;
};

// Tells the launcher the time of the frame and leaves at once: what comes
// after the first frame is not start-up, and tearing down is not measured.
[[noreturn]] inline void riferisciEdEsci()
{
    std::printf("dipinto %lld\n", static_cast<long long>(monotonoNs()));
    std::fflush(stdout);
    std::_Exit(0);
}

}  // namespace bench
