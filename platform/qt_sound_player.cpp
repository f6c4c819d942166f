#include "platform/qt_sound_player.h"

#include "platform/wav_file.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

const QElapsedTimer &sinceStart()
{
    static const QElapsedTimer timer = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return timer;
}

// Windows shown and not drawn since. Only such a window is worth holding a
// cue back for: one that is minimised, covered or otherwise off the screen
// has been drawn already and may stay unexposed for as long as the pupil
// likes. Watched from the moment the application object exists, so that no
// window escapes it whenever the first cue comes.
class FirstFrames final : public QObject
{
public:
    explicit FirstFrames(QObject *application)
        : QObject(application)
    {
        application->installEventFilter(this);
        current = this;
    }

    // The one watching the running application, if any.
    static inline QPointer<FirstFrames> current;

    bool awaited(const QWindow *window) const { return awaited_.contains(window); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWindowType())
            return false;
        auto *window = static_cast<QWindow *>(watched);
        if (event->type() == QEvent::Show) {
            awaited_.insert(window);
            connect(window, &QObject::destroyed, this, &FirstFrames::forget, Qt::UniqueConnection);
        } else if ((event->type() == QEvent::Expose && window->isExposed()) || event->type() == QEvent::Hide) {
            awaited_.remove(window);
        }
        return false;
    }

private:
    // Called from the window's QObject destructor, when it is no QWindow any
    // longer: the set keeps plain objects, so nothing is cast here.
    void forget(QObject *window) { awaited_.remove(window); }

    QSet<const QObject *> awaited_;
};

void watchFirstFrames()
{
    new FirstFrames(QCoreApplication::instance());
}

// A window that has been shown but not drawn yet; a minimised one is not on
// its way to the screen.
QWindow *windowBeforeItsFirstFrame()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    const FirstFrames *watch = FirstFrames::current.data();
    for (QWindow *window : QGuiApplication::topLevelWindows())
        if (window->isVisible() && !window->isExposed() && !(window->windowStates() & Qt::WindowMinimized)
            && (!watch || watch->awaited(window)))
            return window;
    return nullptr;
}

// A function shared by several timers, run by the first of them to fire.
std::function<void()> runOnce(std::shared_ptr<std::function<void()>> once)
{
    return [once = std::move(once)] {
        if (*once)
            std::exchange(*once, {})();
    };
}

// Calls `then` from the event loop once `window` has been exposed (and so
// drawn), or after `longestWaitMs` if it never is.
class AfterFirstFrame final : public QObject
{
public:
    AfterFirstFrame(QWindow *window, QObject *owner, std::function<void()> then)
        : QObject(owner), then_(std::move(then))
    {
        constexpr int longestWaitMs = 250;
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, &AfterFirstFrame::done);
        QTimer::singleShot(longestWaitMs, this, &AfterFirstFrame::done);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window draws itself while it handles the exposure; `then` is
        // queued behind that.
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            done();
        return false;
    }

private:
    void done()
    {
        if (!then_)
            return;
        QMetaObject::invokeMethod(parent(), std::exchange(then_, {}), Qt::QueuedConnection);
        deleteLater();
    }

    std::function<void()> then_;
};

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstFrames)

namespace platform {

// One audio sink and the samples it reads. Created on the first cue, owned
// by the application object.
class QtSoundPlayer::Output final : public QObject
{
public:
    explicit Output(QObject *parent)
        : QObject(parent)
    {
    }
    ~Output() override { stop(); }

    // False when there is nothing to play it on.
    bool start(const WavAudio &audio)
    {
        stop();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        QAudioFormat format;
        format.setSampleRate(audio.sampleRate);
        format.setChannelCount(audio.channels);
        format.setSampleFormat(audio.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            return false;

        samples_.setData(audio.samples);
        samples_.open(QIODevice::ReadOnly);
        sink_ = new QAudioSink(device, format, this);
        // The sink is left alone when it runs out of samples: what it has
        // passed on is still being played, and stopping it would cut that off.
        sink_->start(&samples_);
        if (sink_->error() != QAudio::NoError) {
            stop();
            return false;
        }
        return true;
    }

    void stop()
    {
        if (sink_) {
            sink_->stop();
            delete sink_;
            sink_ = nullptr;
        }
        samples_.close();
    }

private:
    QAudioSink *sink_ = nullptr;
    QBuffer samples_;
};

QtSoundPlayer::QtSoundPlayer(QString soundFolder)
    : folder_(std::move(soundFolder))
{
}

QtSoundPlayer::~QtSoundPlayer()
{
    delete output_.data();
}

QString QtSoundPlayer::folderFor(const QString &applicationFolder)
{
    const QDir application(applicationFolder);
    QString beside = application.filePath(QStringLiteral("suoni"));
    if (QFileInfo(beside).isDir())
        return beside;
    // ANALISI_SOUNDS_FROM_BIN: e.g. "../share/analisi-articoli/suoni", set by the build.
    return QDir::cleanPath(application.filePath(QStringLiteral(ANALISI_SOUNDS_FROM_BIN)));
}

QString QtSoundPlayer::defaultFolder()
{
    return folderFor(QCoreApplication::applicationDirPath());
}

QString QtSoundPlayer::fileFor(const QString &cue) const
{
    return QDir(folder_).filePath(cue + QStringLiteral(".wav"));
}

void QtSoundPlayer::play(const QString &cue)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application || quitting_)
        return;
    if (!output_) {
        output_ = new Output(application);
        QObject::connect(application, &QCoreApplication::aboutToQuit, output_, [this] {
            quitting_ = true;
            output_->stop();
            output_->deleteLater();
        });
    }
    pending_ = cue;
    lastCue_ = cue;
    state_ = State::Queued;
    // Cues asked for before the event loop comes round collapse into the
    // last one, as if each had cut off the one before.
    if (!scheduled_) {
        scheduled_ = true;
        QMetaObject::invokeMethod(output_, [this] { playPending(); }, Qt::QueuedConnection);
    }
}

void QtSoundPlayer::playPending()
{
    // A window on its way to the screen comes first: opening the audio
    // output, or a new stream on it, takes milliseconds that its first frame
    // would otherwise wait for. The cue (or a later one, collapsing into it)
    // follows the frame.
    if (QWindow *window = windowBeforeItsFirstFrame(); window && !afterFrame_) {
        afterFrame_ = true;
        new AfterFirstFrame(window, output_, [this] { playPending(); });
        return;
    }
    afterFrame_ = false;
    scheduled_ = false;
    const QString cue = std::exchange(pending_, QString());
    output_->stop();
    const WavCheck check = readWavFile(fileFor(cue));
    if (!check.ok()) {
        state_ = check.problem == WavProblem::Unreadable ? State::Missing : State::Rejected;
    } else {
        state_ = output_->start(*check.audio) ? State::Playing : State::NoOutput;
        if (state_ == State::Playing)
            playingUntilMs_ = sinceStart().elapsed() + static_cast<qint64>(check.audio->seconds() * 1000.0);
    }
    // Whoever waits hears at once of a cue that cannot play.
    notifyWhenQuiet();
}

void QtSoundPlayer::whenQuiet(std::function<void()> then)
{
    // The caller hears back once, whichever comes first: the cue's end, or
    // the longest wait, even should the queued cue never reach the output.
    auto once = std::make_shared<std::function<void()>>(std::move(then));
    whenQuiet_ = once;
    QTimer::singleShot(longestQuietWaitMs, Qt::PreciseTimer, QCoreApplication::instance(), runOnce(once));
    // A queued cue first goes to the output; it reports back from there.
    if (!scheduled_)
        notifyWhenQuiet();
}

void QtSoundPlayer::notifyWhenQuiet()
{
    const std::shared_ptr<std::function<void()>> once = std::exchange(whenQuiet_, {});
    if (!once)
        return;
    // The sink plays on a little after it has taken the last sample.
    constexpr qint64 afterglowMs = 150;
    const qint64 left = state_ == State::Playing ? playingUntilMs_ - sinceStart().elapsed() + afterglowMs : 0;
    QTimer::singleShot(static_cast<int>(std::clamp<qint64>(left, 0, longestQuietWaitMs)), Qt::PreciseTimer,
                       QCoreApplication::instance(), runOnce(once));
}

void SoundPlayer::whenQuiet(std::function<void()> then)
{
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(then));
}

namespace {
SoundPlayer *installed = nullptr;
}

SoundPlayer &soundPlayer()
{
    if (installed)
        return *installed;
    // The program's own player goes with the application object, never with
    // the static destructors: when the window system loses its display it
    // calls exit() with the application still alive, and the static
    // destructors then run while the audio stack is coming apart. Left
    // alone at that point, the player and its output simply end with the
    // process.
    static QtSoundPlayer *real = nullptr;
    if (!real) {
        real = new QtSoundPlayer(QtSoundPlayer::defaultFolder());
        if (QCoreApplication *application = QCoreApplication::instance())
            QObject::connect(application, &QObject::destroyed, [] { delete std::exchange(real, nullptr); });
    }
    return *real;
}

void setSoundPlayer(SoundPlayer *replacement)
{
    installed = replacement;
}

}  // namespace platform
