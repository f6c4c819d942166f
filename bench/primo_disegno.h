#pragma once

// Shared by the start-up probe and the yardstick: the moment a window's first
// frame has been drawn and handed to the window system, reported on standard
// output as "dipinto <ns>" on CLOCK_MONOTONIC, so that the launcher (which
// read the same clock just before it started the process) can tell how long
// the way from process start to a visible window was.

#include <QApplication>
#include <QEvent>
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

// A QApplication that tells when each event it was handed from the event
// loop has been dealt with, everything it set off inside included. A frame
// is drawn and flushed inside the handling of one exposure or update
// request, so the end of that event is the moment the frame is out.
class ApplicazioneCronometrata final : public QApplication
{
public:
    using QApplication::QApplication;

    // Called after every outermost event.
    std::function<void()> dopoOgniEvento;

    bool notify(QObject *destinatario, QEvent *evento) override
    {
        ++profondita_;
        const bool fatto = QApplication::notify(destinatario, evento);
        if (--profondita_ == 0 && dopoOgniEvento)
            dopoOgniEvento();
        return fatto;
    }

private:
    int profondita_ = 0;
};

// Waits for the first paint that lands in a window accepted by
// `finestraGiusta`; once the event that drew it is over, reads the clock and
// hands the reading to `poi`.
class PrimoDisegno final : public QObject
{
public:
    PrimoDisegno(ApplicazioneCronometrata &app, std::function<bool(const QWidget *)> finestraGiusta,
                 std::function<void(std::int64_t)> poi)
        : app_(app), finestraGiusta_(std::move(finestraGiusta)), poi_(std::move(poi))
    {
        app_.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (!dipinto_ && evento->type() == QEvent::Paint && oggetto->isWidgetType()
            && finestraGiusta_(static_cast<const QWidget *>(oggetto)->window())) {
            dipinto_ = true;
            app_.removeEventFilter(this);
            app_.dopoOgniEvento = [this] {
                app_.dopoOgniEvento = nullptr;
                poi_(monotonoNs());
            };
        }
        return false;
    }

private:
    ApplicazioneCronometrata &app_;
    std::function<bool(const QWidget *)> finestraGiusta_;
    std::function<void(std::int64_t)> poi_;
    bool dipinto_ = false;
};

// Tells the launcher the time of the frame and leaves at once: what comes
// after the first frame is not start-up, and tearing down is not measured.
[[noreturn]] inline void riferisciEdEsci(std::int64_t istante)
{
    std::printf("dipinto %lld\n", static_cast<long long>(istante));
    std::fflush(stdout);
    std::_Exit(0);
}

}  // namespace bench
