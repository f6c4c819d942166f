// A monkey at the keyboard: from a seed it clicks whatever control of whatever
// window is open, clicks bare spots, resizes and closes windows and moves the
// clock on (across midnight, and now and then back), and after every event it
// checks what must always hold in a lesson. FINE and the close of the last
// window end the lesson; the monkey then starts a fresh one.
//
// A failure prints the seed and the events of the lesson that failed. Replay:
//   ANALISI_MONKEY_SEED=<seed> ANALISI_MONKEY_EVENTS=<n> build/bin/test_monkey
// ANALISI_MONKEY_TRACE=1 prints every event as it happens.

#include "app/iniziale.h"
#include "classification/lezione.h"
#include "exercise/formb.h"
#include "platform/clock.h"
#include "platform/design.h"
#include "screens/frm_errori.h"
#include "tests/support/lesson.h"
#include "tests/support/oracle.h"
#include "tests/support/test_main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

namespace {

constexpr int defaultEvents = 1500;
constexpr int eventsShownOnFailure = 400;

// The question the exercise window shows at rest, read off its usable
// buttons (test::Lesson::stepOnScreen); nothing when they match no step.
using Step = std::optional<Passo>;

const char *stepName(Step step)
{
    if (!step)
        return "unknown";
    switch (*step) {
    case Passo::AttesaPrimoVia: return "waiting";
    case Passo::Variabilita: return "variability";
    case Passo::ParteVariabile: return "variable part";
    case Passo::ParteInvariabile: return "invariable part";
    case Passo::Tipo: return "kind";
    case Passo::Genere: return "gender";
    case Passo::Numero: return "number";
    case Passo::FraseCompletata: return "complete";
    case Passo::FrasiFinite: return "all done";
    }
    return "?";
}

bool isQuestion(Step step)
{
    return step && test::oracle::isQuestion(*step);
}

// The draw of the next sentence follows the monkey's seed rather than the
// clock, so that a seed replays the same lesson.
class SeededRandom final : public platform::Random
{
public:
    void seed(float) override {}
    float next() override { return static_cast<float>(engine() >> 40) * (1.0f / 16777216.0f); }
    std::mt19937_64 engine;
};

QString envString(const char *name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

// What a click on an answer button at rest should do.
struct Prediction {
    bool answer = false;  // the button answers the question on screen
    bool right = false;
    int category = 0;     // error category of a wrong answer
};

class Monkey
{
public:
    Monkey(quint64 seed, int events)
        : seed_(seed), target_(events), rng_(seed)
    {
    }

    bool run()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        startLesson();
        QObject context;
        context_ = &context;
        schedule();
        loop_.exec();
        context_ = nullptr;
        lesson_.reset();
        return failure_.isEmpty();
    }

    QString report() const
    {
        QString text = QStringLiteral("monkey seed %1 failed at event %2 (lesson %3, its event %4):\n  %5\n")
                           .arg(seed_)
                           .arg(done_)
                           .arg(lessons_)
                           .arg(log_.size())
                           .arg(failure_);
        const qsizetype first = std::max<qsizetype>(0, log_.size() - eventsShownOnFailure);
        if (first > 0)
            text += QStringLiteral("  ... %1 earlier events of this lesson\n").arg(first);
        for (qsizetype i = first; i < log_.size(); ++i)
            text += QStringLiteral("  %1\n").arg(log_[i]);
        text += QStringLiteral("replay: ANALISI_MONKEY_SEED=%1 ANALISI_MONKEY_EVENTS=%2 test_monkey\n").arg(seed_).arg(done_);
        return text;
    }

    QString summary() const
    {
        return QStringLiteral("seed %1: %2 events, %3 lessons, %4 answers (%5 wrong), %6 series rated, "
                              "%7 sentences completed, %8 runs through every sentence")
            .arg(seed_)
            .arg(done_)
            .arg(lessons_)
            .arg(answers_)
            .arg(wrongAnswers_)
            .arg(seriesEnded_)
            .arg(sentencesCompleted_)
            .arg(allDone_);
    }

private:
    // ---- random choices ----------------------------------------------------

    int below(int count) { return count <= 1 ? 0 : static_cast<int>(rng_() % static_cast<quint64>(count)); }
    double uniform() { return static_cast<double>(rng_() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return uniform() < p; }
    template <typename T>
    T pick(const std::vector<T> &items) { return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))]; }

    // ---- the event loop ----------------------------------------------------

    void schedule()
    {
        QTimer::singleShot(0, context_, [this] { runEvent(); });
    }

    void runEvent()
    {
        if (finished_)
            return;
        // An event fired from within another event is only taken when a modal
        // window has opened meanwhile (the results over a suspended handler);
        // otherwise it waits, e.g. out of the feedback second.
        QWidget *modal = QApplication::activeModalWidget();
        if (!acting_.empty() && (!modal || modal == acting_.back())) {
            schedule();
            return;
        }
        schedule();
        acting_.push_back(modal);
        ++done_;
        perform();
        acting_.pop_back();
        const bool atRest = acting_.empty();
        check(atRest);

        if (atRest && failure_.isEmpty() && lessonOver())
            startLesson();
        if (atRest && done_ % 10000 == 0 && failure_.isEmpty())
            std::fprintf(stderr, "monkey seed %llu: %d events\n", static_cast<unsigned long long>(seed_), done_);
        if (!failure_.isEmpty() || done_ >= target_)
            finish();
    }

    void finish()
    {
        finished_ = true;
        // Let suspended handlers return: a modal window closes as from its frame.
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        loop_.quit();
    }

    void fail(const QString &why)
    {
        if (failure_.isEmpty())
            failure_ = why;
    }

    void note(const QString &event)
    {
        const QString line = QStringLiteral("#%1 %2").arg(done_).arg(event);
        if (trace_)
            std::fprintf(stderr, "%s\n", qPrintable(line));
        log_.append(line);
    }

    // ---- lessons -----------------------------------------------------------

    void startLesson()
    {
        lesson_.reset();
        lesson_ = std::make_unique<test::Lesson>();
        random_.engine.seed(rng_());
        platform::setRandom(&random_);
        ++lessons_;
        log_.clear();
        model_ = Model{};
        // Each lesson its own temper: how often it ends, how often it knows the answer.
        fineWeight_ = pick(std::vector<double>{0.02, 0.1, 0.5});
        knowsAnswer_ = pick(std::vector<double>{0.3, 0.6, 0.9});
        lesson_->clock.seconds = static_cast<float>(below(86400));
        lesson_->clock.duringWait = [this] { clickDuringFeedback(); };
        note(QStringLiteral("lesson %1 starts at %2 s").arg(lessons_).arg(lesson_->clock.seconds));
        Iniziale *start = Iniziale::istanza();
        start->show();
        // Its six seconds are an event of their own here.
        start->Timer1->stop();
    }

    bool lessonOver()
    {
        if (lesson_->programEnds > 0)
            return true;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                return false;
        note(QStringLiteral("no window left: the program ends"));
        return true;
    }

    FormB *form() const
    {
        return FormB::esiste() ? FormB::istanza() : nullptr;
    }

    // The exercise window once it is up; its own timer is stopped so that the
    // ticks come as events.
    FormB *liveForm()
    {
        FormB *f = form();
        if (f && f->Timer1->isActive()) {
            f->Timer1->stop();
            model_.formLoaded = true;
            model_.bestTime = Modulo1.tempomigliore;
        }
        return f;
    }

    static std::vector<QWidget *> windows()
    {
        std::vector<QWidget *> open;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                open.push_back(w);
        // A stable order, so that a seed replays.
        std::sort(open.begin(), open.end(), [](QWidget *a, QWidget *b) {
            return QString::fromLatin1(a->metaObject()->className()) < QString::fromLatin1(b->metaObject()->className());
        });
        return open;
    }

    QString name(const QWidget *w) const
    {
        if (FormB *f = form(); f && w->window() == f) {
            auto inArray = [&](const auto &array, const char *label) -> QString {
                for (int i = array.lbound; i <= array.ubound; ++i)
                    if (array(i) == w)
                        return QStringLiteral("FormB.%1(%2)").arg(QLatin1String(label)).arg(i);
                return {};
            };
            for (const QString &found : {inArray(f->Com, "Com"), inArray(f->art, "art"), inArray(f->Masfem, "Masfem"),
                                         inArray(f->Singplu, "Singplu")})
                if (!found.isEmpty())
                    return found;
            if (w == f->Com10) return QStringLiteral("FormB.Com10");
            if (w == f->Com11) return QStringLiteral("FormB.Com11");
        }
        QString label = w->objectName();
        if (const auto *b = qobject_cast<const QAbstractButton *>(w); b && label.isEmpty())
            label = QLatin1Char('"') + b->text() + QLatin1Char('"');
        if (w->isWindow())
            return QString::fromLatin1(w->metaObject()->className());
        return QStringLiteral("%1.%2").arg(QString::fromLatin1(w->window()->metaObject()->className()),
                                           label.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : label);
    }

    // ---- events ------------------------------------------------------------

    void perform()
    {
        const double roll = uniform();
        if (roll < 0.72)
            clickButton();
        else if (roll < 0.80)
            clickSpot();
        else if (roll < 0.89)
            moveClock();
        else if (roll < 0.94)
            resizeWindow();
        else if (roll < 0.955)
            closeWindow();
        else if (roll < 0.97)
            pressEscape();
        else if (roll < 0.985)
            pressSpace();
        else
            startTimeout();
    }

    // A button is clicked where the pupil would: at its centre, which must
    // show the button itself inside its window.
    static bool reachable(QAbstractButton *b)
    {
        QWidget *window = b->window();
        if (!window->isVisible() || !test::usable(b))
            return false;
        const QPoint centre = b->mapTo(window, b->rect().center());
        // The window system may hold the window at another size than the one
        // last asked for; the click must land inside both.
        const QWindow *handle = window->windowHandle();
        if (!window->rect().contains(centre) || !handle || !QRect(QPoint(), handle->size()).contains(centre))
            return false;
        QWidget *hit = window->childAt(centre);
        return hit == b || (hit && b->isAncestorOf(hit));
    }

    std::vector<QAbstractButton *> reachableButtons() const
    {
        std::vector<QAbstractButton *> found;
        for (QWidget *w : windows())
            for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
                if (reachable(b))
                    found.push_back(b);
        return found;
    }

    double weight(QAbstractButton *b) const
    {
        if (FormB *f = form(); f && b->window() == f) {
            if (b == f->FINE)
                return fineWeight_;
            if (b == f->VIA)
                return 20.0;
            if (b == f->comaiuto || b == f->Command8)
                return 1.0;
            return 10.0;
        }
        return 5.0;
    }

    // A click brings its window to the front and gives it the keyboard, as
    // the window manager does.
    static void activate(QWidget *window)
    {
        if (QApplication::activeWindow() == window)
            return;
        window->activateWindow();
        QCoreApplication::processEvents();
    }

    void clickButton()
    {
        const std::vector<QAbstractButton *> buttons = reachableButtons();
        if (buttons.empty()) {
            note(QStringLiteral("nothing to click"));
            return;
        }
        QAbstractButton *target = nullptr;
        // Now and then the pupil knows the answer.
        if (QAbstractButton *right = rightAnswer(); right && chance(knowsAnswer_)
            && std::find(buttons.begin(), buttons.end(), right) != buttons.end())
            target = right;
        if (!target) {
            double total = 0.0;
            for (QAbstractButton *b : buttons)
                total += weight(b);
            double at = uniform() * total;
            for (QAbstractButton *b : buttons) {
                target = b;
                at -= weight(b);
                if (at < 0.0)
                    break;
            }
        }
        click(target);
    }

    void clickSpot()
    {
        const std::vector<QWidget *> open = windows();
        if (open.empty())
            return;
        QWidget *window = pick(open);
        const QSize size = window->size().boundedTo(window->windowHandle()->size());
        const QPoint spot(below(std::max(1, size.width())), below(std::max(1, size.height())));
        QWidget *hit = window->childAt(spot);
        while (hit && !qobject_cast<QAbstractButton *>(hit) && hit != window)
            hit = hit->parentWidget();
        if (auto *b = qobject_cast<QAbstractButton *>(hit); b && test::usable(b)) {
            click(b, spot);
            return;
        }
        note(QStringLiteral("click at (%1, %2) of %3 on %4")
                 .arg(spot.x())
                 .arg(spot.y())
                 .arg(name(window), hit ? name(hit) : QStringLiteral("the background")));
        if (!QApplication::activeModalWidget() || window == QApplication::activeModalWidget())
            activate(window);
        const Snapshot before = snapshot();
        // Off the buttons nothing happens, but on the start window's background.
        const bool startWindow = qobject_cast<Iniziale *>(window) != nullptr;
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, spot);
        // cppcheck-suppress knownConditionTrueFalse ; the click may change the lesson behind its back
        if (!startWindow && snapshot() != before)
            fail(QStringLiteral("a click off the buttons changed the lesson"));
    }

    // Clicks `target`, at `spot` of its window or else at its centre; or,
    // with `bySpace`, presses the space bar on it, the button with the focus.
    void click(QAbstractButton *target, std::optional<QPoint> spot = std::nullopt, bool bySpace = false)
    {
        QWidget *modal = QApplication::activeModalWidget();
        const bool blocked = modal && target->window() != modal;
        const bool atRest = acting_.size() == 1 && !modal;
        const Step before = atRest ? currentStep() : std::nullopt;
        const Prediction prediction = atRest ? predict(target, before) : Prediction{};
        const int position = Modulo1.posparola;
        const int row = Modulo1.numfrase;
        note(QStringLiteral("%1 %2%3%4")
                 .arg(bySpace ? QStringLiteral("space bar on") : QStringLiteral("click"), name(target), blocked ? QStringLiteral(" (behind the modal window)") : QString(),
                      prediction.answer ? (prediction.right ? QStringLiteral(" (right)") : QStringLiteral(" (wrong)"))
                                        : QString()));

        FormB *f = form();
        const bool closesRun = f && target == f->FINE;
        FRM_ERRORI *review = FRM_ERRORI::esistente();
        const bool chartOnly = review && target == review->Command2;
        const bool showsErrors = f && target == f->Command8;
        // A wrong answer is logged before the series can end, so the error
        // log already holds it while the results window is up.
        if (prediction.answer && !prediction.right) {
            ++model_.totalErrors;
            ++model_.errorsByCategory[static_cast<std::size_t>(prediction.category)];
        }
        int delivered = 0;
        QPointer<QAbstractButton> guard(target);
        const auto connection = QObject::connect(target, &QAbstractButton::clicked, target, [&delivered] { ++delivered; });
        QWidget *window = target->window();
        if (!bySpace && !blocked)
            activate(window);
        if (bySpace)
            QTest::keyClick(window->windowHandle(), Qt::Key_Space);
        else
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              spot.value_or(target->mapTo(window, target->rect().center())));
        if (guard)
            QObject::disconnect(connection);

        if (blocked) {
            if (delivered != 0)
                fail(QStringLiteral("%1 took a click behind a modal window").arg(name(target)));
            return;
        }
        if (delivered != 1) {
            fail(QStringLiteral("%1 was usable but took %2 clicks").arg(name(target)).arg(delivered));
            return;
        }
        if (closesRun)
            note(QStringLiteral("FINE: the lesson ends"));
        if (chartOnly)
            model_.expectSeries(0, 0);
        if (showsErrors && atRest)
            checkErrorReview();
        if (prediction.answer)
            answered(prediction, before, row, position);
    }

    void clickDuringFeedback()
    {
        if (!chance(0.05))
            return;
        const std::vector<QAbstractButton *> buttons = reachableButtons();
        if (buttons.empty())
            return;
        QAbstractButton *target = pick(buttons);
        note(QStringLiteral("  during the feedback second: click %1").arg(name(target)));
        int delivered = 0;
        std::vector<QMetaObject::Connection> spies;
        for (QWidget *w : windows())
            for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
                spies.push_back(QObject::connect(b, &QAbstractButton::clicked, b, [&delivered] { ++delivered; }));
        test::Lesson::click(target);
        for (const auto &spy : spies)
            QObject::disconnect(spy);
        if (delivered != 0)
            fail(QStringLiteral("a click during the feedback second reached %1").arg(name(target)));
    }

    void moveClock()
    {
        test::FakeClock &clock = lesson_->clock;
        const double roll = uniform();
        if (roll < 0.6) {
            clock.advance(below(3000));
        } else if (roll < 0.8) {
            clock.advance(below(120000));
        } else if (roll < 0.88) {
            clock.seconds = platform::secondsPerDay - static_cast<float>(uniform() * 5.0);
        } else if (roll < 0.95) {
            clock.advance(below(86399000));
        } else {
            // Set back, as by hand or by a time server.
            float back = clock.seconds - static_cast<float>(uniform() * 3600.0);
            if (back < 0.0f)
                back += platform::secondsPerDay;
            clock.seconds = back;
        }
        note(QStringLiteral("clock at %1 s, tick").arg(static_cast<double>(clock.seconds), 0, 'f', 3));
        if (FormB *f = liveForm())
            f->Timer1_Timer();
    }

    void resizeWindow()
    {
        const std::vector<QWidget *> open = windows();
        if (open.empty())
            return;
        QWidget *window = pick(open);
        if (chance(0.2)) {
            note(QStringLiteral("maximise %1").arg(name(window)));
            window->setWindowState(window->windowState() | Qt::WindowMaximized);
            QCoreApplication::processEvents();
            return;
        }
        // A maximised window is restored before it can be dragged to a size.
        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
        QSize size;
        if (chance(0.3))
            size = QSize(1 + below(200), 1 + below(200));
        else
            size = QSize(200 + below(1800), 150 + below(1200));
        note(QStringLiteral("resize %1 to %2x%3").arg(name(window)).arg(size.width()).arg(size.height()));
        window->resize(size);
        QCoreApplication::processEvents();
    }

    void closeWindow()
    {
        const std::vector<QWidget *> open = windows();
        if (open.empty())
            return;
        QWidget *window = pick(open);
        FormB *f = form();
        // The exercise window is rarely closed: it ends the lesson.
        if (window == f && !chance(fineWeight_ / 5.0)) {
            note(QStringLiteral("close %1: thought better of it").arg(name(window)));
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && window != modal) {
            // The window system sends no close to a window a modal one blocks.
            note(QStringLiteral("close %1: blocked by the modal window").arg(name(window)));
            return;
        }
        note(QStringLiteral("close %1").arg(name(window)));
        window->close();
        QCoreApplication::processEvents();
    }

    // The keyboard: the space bar presses the button that has the focus.
    void pressSpace()
    {
        // Keys go to the active window only.
        QWidget *window = QApplication::activeWindow();
        if (!window || !window->isVisible()) {
            note(QStringLiteral("space bar: no window is active"));
            return;
        }
        auto *focused = qobject_cast<QAbstractButton *>(window->focusWidget());
        if (!focused || !test::usable(focused)) {
            note(QStringLiteral("space bar on %1: no button has the focus").arg(name(window)));
            const Snapshot before = snapshot();
            QTest::keyClick(window->windowHandle(), Qt::Key_Space);
            // cppcheck-suppress knownConditionTrueFalse ; the key may change the lesson behind its back
            if (snapshot() != before)
                fail(QStringLiteral("the space bar with no button in focus changed the lesson"));
            return;
        }
        click(focused, std::nullopt, true);
    }

    void pressEscape()
    {
        QWidget *window = QApplication::activeModalWidget();
        if (!window) {
            const std::vector<QWidget *> open = windows();
            if (open.empty())
                return;
            window = pick(open);
        }
        note(QStringLiteral("Escape on %1").arg(name(window)));
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    }

    void startTimeout()
    {
        Iniziale *start = Iniziale::esistente();
        if (!start || !start->isVisible()) {
            moveClock();
            return;
        }
        note(QStringLiteral("the start window's six seconds run out"));
        start->Timer1_Timer();
        // A real tick returns to the event loop, which takes the start window
        // down and puts the exercise window up.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // ---- what the lesson should do -------------------------------------------

    // The model the monkey keeps of the run, independent of the product's counters.
    struct Model {
        bool formLoaded = false;
        int domande = 0;
        int errori = 0;
        std::array<int, 21> errorsByCategory{};
        int totalErrors = 0;
        int bestTime = 200;
        std::array<int, 5> levelCounts{};
        std::array<int, 5> expectedLevels{};  // series rated at levels 1..5
        void expectSeries(int answers, int errors)
        {
            domande = answers;
            errori = errors;
        }
    };

    Step currentStep() const { return test::Lesson::stepOnScreen(form()); }

    static int code() { return Modulo1.partediscorso(Modulo1.numfrase, Modulo1.posparola); }

    // The table value the step on screen asks for.
    static int expected(Step step)
    {
        return step ? test::oracle::expectedCode(*step, Modulo1.numfrase, Modulo1.posparola) : 0;
    }

    Prediction predict(QAbstractButton *b, Step step) const
    {
        FormB *f = form();
        Prediction p;
        if (!f || b->window() != f || !isQuestion(step))
            return p;
        auto indexIn = [b](const auto &array) {
            for (int i = array.lbound; i <= array.ubound; ++i)
                if (array(i) == b)
                    return i;
            return 0;
        };
        int pressed = 0;
        if (b == f->Com10 || b == f->Com11)
            pressed = b == f->Com10 ? 10 : 11;
        else
            pressed = std::max({indexIn(f->Com), indexIn(f->art), indexIn(f->Masfem), indexIn(f->Singplu)});
        if (pressed == 0)
            return p;
        const int s = Modulo1.numfrase;
        const int w = Modulo1.posparola;
        p.answer = true;
        p.right = test::Lesson::buttonFor(f, *step, test::oracle::rightButton(*step, s, w)) == b;
        p.category = test::oracle::errorCategory(*step, pressed, s, w);
        return p;
    }

    void answered(const Prediction &prediction, Step before, int row, int position)
    {
        ++answers_;
        const int seriesLength = Modulo1.lunghezzaserie;
        if (!prediction.right)
            ++wrongAnswers_;
        const int answersNow = model_.domande + 1;
        if (answersNow >= seriesLength) {
            ++seriesEnded_;
            // 0 errors: level 5 ... 4 or more: level 1; each row stops at ten.
            const int errors = model_.errori + (prediction.right ? 0 : 1);
            const int level = errors >= 4 ? 1 : 5 - errors;
            int &count = model_.expectedLevels[static_cast<std::size_t>(level - 1)];
            count = std::min(count + 1, 10);
            model_.expectSeries(0, 0);
        } else {
            model_.expectSeries(answersNow, model_.errori + (prediction.right ? 0 : 1));
        }

        // Where the question must stand now.
        const Step now = currentStep();
        Step want = before;
        int wantPosition = position;
        if (prediction.right) {
            const test::oracle::Next next = test::oracle::afterRight(*before, row, position, Modulo1.modoanalisi);
            want = next.step;
            wantPosition = next.position;
        }
        if (want == Passo::FraseCompletata && now == Passo::FraseCompletata)
            ++sentencesCompleted_;
        if (now != want) {
            fail(QStringLiteral("after a %1 answer in step \"%2\" (row %3, word %4) the step is \"%5\", not \"%6\"")
                     .arg(prediction.right ? QStringLiteral("right") : QStringLiteral("wrong"),
                          QLatin1String(stepName(before)))
                     .arg(row)
                     .arg(position)
                     .arg(QLatin1String(stepName(now)), QLatin1String(stepName(want))));
            return;
        }
        if (wantPosition >= 0 && Modulo1.posparola != wantPosition)
            fail(QStringLiteral("after a %1 answer in step \"%2\" the word is %3, not %4")
                     .arg(prediction.right ? QStringLiteral("right") : QStringLiteral("wrong"),
                          QLatin1String(stepName(before)))
                     .arg(Modulo1.posparola)
                     .arg(wantPosition));
    }

    // ---- invariants ------------------------------------------------------------

    struct Snapshot {
        int numfrase, posparola, domande, errori;
        Step step;
        bool operator!=(const Snapshot &o) const
        {
            return numfrase != o.numfrase || posparola != o.posparola || domande != o.domande || errori != o.errori
                   || step != o.step;
        }
    };
    Snapshot snapshot() const
    {
        return {Modulo1.numfrase, Modulo1.posparola, Modulo1.domande, Modulo1.errori,
                acting_.size() <= 1 && !QApplication::activeModalWidget() ? currentStep() : std::nullopt};
    }

    static int countOf(const char *className)
    {
        int count = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && qstrcmp(w->metaObject()->className(), className) == 0)
                ++count;
        return count;
    }

    static bool wholeSecondsIn(const QString &text, bool emptyAllowed)
    {
        if (text.isEmpty())
            return emptyAllowed;
        bool ok = false;
        const int value = text.toInt(&ok);
        return ok && value >= 0 && value < 86400;
    }

    void check(bool atRest)
    {
        if (!failure_.isEmpty())
            return;
        const StatoEsercizio &m = Modulo1;

        int formBs = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            formBs += qobject_cast<FormB *>(w) ? 1 : 0;
        const bool ending = lesson_->programEnds > 0;
        if (formBs > 1)
            return fail(QStringLiteral("%1 exercise windows").arg(formBs));
        if (model_.formLoaded && formBs != 1 && !ending)
            return fail(QStringLiteral("the exercise window is gone but the lesson goes on"));
        if (countOf("Iniziale") > 0 && formBs > 0)
            return fail(QStringLiteral("the start window is still up beside the exercise"));
        if (countOf("FRM_ERRORI") > 1 || countOf("Formaiuto") > 1 || countOf("classificaform") > 1)
            return fail(QStringLiteral("a second error review, help or results window"));

        FormB *f = liveForm();
        if (!model_.formLoaded || !f)
            return;

        if (m.numfrasi < 1 || m.numfrasi > 101 || m.numfrase < 0 || m.numfrase >= m.numfrasi)
            return fail(QStringLiteral("numfrase %1 with numfrasi %2").arg(m.numfrase).arg(m.numfrasi));
        const bool resultsUp = countOf("classificaform") > 0;
        if (m.domande < 0 || (!resultsUp && m.domande > m.lunghezzaserie))
            return fail(QStringLiteral("domande %1 with no results window open").arg(m.domande));
        if (m.errori < 0 || m.errori > m.domande)
            return fail(QStringLiteral("errori %1 > domande %2").arg(m.errori).arg(m.domande));
        const int logged = std::accumulate(m.erroripercategoria.begin(), m.erroripercategoria.end(), 0);
        if (logged != model_.totalErrors || m.erroripercategoria != model_.errorsByCategory)
            return fail(QStringLiteral("the error log holds %1 errors, %2 were made (or in the wrong category)")
                            .arg(logged)
                            .arg(model_.totalErrors));
        const std::array<int, 5> levels{m.contaoccorre, m.contasufficiente, m.contabuono, m.contadistinto, m.contaottimo};
        for (std::size_t i = 0; i < levels.size(); ++i) {
            if (levels[i] < 0 || levels[i] > 10 || levels[i] < model_.levelCounts[i])
                return fail(QStringLiteral("level counter %1 is %2").arg(i + 1).arg(levels[i]));
            model_.levelCounts[i] = levels[i];
        }
        if (m.tempomigliore < 0 || m.tempomigliore > model_.bestTime)
            return fail(QStringLiteral("best time went from %1 to %2").arg(model_.bestTime).arg(m.tempomigliore));
        model_.bestTime = m.tempomigliore;
        if (!wholeSecondsIn(f->Lbclock->text(), false) || !wholeSecondsIn(f->MOSTRATEMPO->text(), true))
            return fail(QStringLiteral("clock shows \"%1\", time \"%2\"").arg(f->Lbclock->text(), f->MOSTRATEMPO->text()));

        if (!atRest || QApplication::activeModalWidget() || !f->isVisible() || ending)
            return;

        if (m.domande != model_.domande || m.errori != model_.errori)
            return fail(QStringLiteral("series at %1 answers, %2 errors; %3 and %4 were made")
                            .arg(m.domande)
                            .arg(m.errori)
                            .arg(model_.domande)
                            .arg(model_.errori));
        if (levels != model_.expectedLevels)
            return fail(QStringLiteral("level counters %1 %2 %3 %4 %5 (levels 1..5) disagree with the series rated")
                            .arg(levels[0]).arg(levels[1]).arg(levels[2]).arg(levels[3]).arg(levels[4]));
        if (m.domande > 0) {
            const int percent = m.errori * 100 / m.domande;
            if (f->Lrisposte->text() != QString::number(m.domande) || f->Lerrori->text() != QString::number(m.errori)
                || f->Lpercentuale->text() != QString::number(percent))
                return fail(QStringLiteral("statistics show %1 / %2 / %3%")
                                .arg(f->Lrisposte->text(), f->Lerrori->text(), f->Lpercentuale->text()));
        }

        const Step shown = currentStep();
        const int n = m.partediscorso(m.numfrase, 0);
        if (!shown)
            return fail(QStringLiteral("the usable buttons match no step of the question"));
        // The lesson's rules stand where the screen does, and agree with the
        // sentence tables on the right answer.
        if (m.passo != *shown)
            return fail(QStringLiteral("the screen asks \"%1\", the lesson's rules are at \"%2\"")
                            .arg(QLatin1String(stepName(shown)), QLatin1String(stepName(m.passo))));
        if (lezione::rispostaGiusta() != test::oracle::rightButton(*shown, m.numfrase, m.posparola))
            return fail(QStringLiteral("in step \"%1\" the lesson's right answer is %2, the tables say %3")
                            .arg(QLatin1String(stepName(shown)))
                            .arg(lezione::rispostaGiusta())
                            .arg(test::oracle::rightButton(*shown, m.numfrase, m.posparola)));
        if (shown == Passo::FrasiFinite) {
            if (!f->AVVISO->text().startsWith(QStringLiteral("TUTTE")))
                return fail(QStringLiteral("nothing to answer, yet the sentences are not all done"));
            if (!sawAllDone_) {
                sawAllDone_ = true;
                ++allDone_;
            }
            return;
        }
        sawAllDone_ = false;
        if (shown == Passo::AttesaPrimoVia)
            return;
        if (m.frasiusate[static_cast<std::size_t>(m.numfrase)] != 1)
            return fail(QStringLiteral("row %1 on screen is not marked as drawn").arg(m.numfrase));
        if (shown == Passo::FraseCompletata) {
            if (m.posparola < 1 || m.posparola > n + 1)
                return fail(QStringLiteral("posparola %1 past a complete sentence of %2 words").arg(m.posparola).arg(n));
            return;
        }
        if (m.posparola < 1 || m.posparola > n)
            return fail(QStringLiteral("posparola %1 in a sentence of %2 words").arg(m.posparola).arg(n));
        if (m.modoanalisi == 1 && code() != 1)
            return fail(QStringLiteral("\"solo articoli\" asks about word %1, code %2").arg(m.posparola).arg(code()));
        if (m.rispostaesatta != expected(shown))
            return fail(QStringLiteral("shown \"%1\" expects %2, the corpus says %3")
                            .arg(QLatin1String(stepName(shown)))
                            .arg(m.rispostaesatta)
                            .arg(expected(shown)));
        const bool variableOk = shown != Passo::ParteVariabile || (code() >= 1 && code() <= 5);
        const bool invariableOk = shown != Passo::ParteInvariabile || (code() >= 6 && code() <= 9);
        const bool articleOk = (shown != Passo::Tipo && shown != Passo::Genere && shown != Passo::Numero) || code() == 1;
        if (!variableOk || !invariableOk || !articleOk)
            return fail(QStringLiteral("shown \"%1\" on a word of code %2").arg(QLatin1String(stepName(shown))).arg(code()));
        if (platform::foreColor(f->Lbmostra(m.posparola)) != QColor(255, 0, 0))
            return fail(QStringLiteral("the word in question (%1) is not red").arg(m.posparola));
    }

    // "mostra errori" shows the errors of the run so far, a category without
    // errors as nothing.
    void checkErrorReview()
    {
        const FRM_ERRORI *review = FRM_ERRORI::esistente();
        if (!review || !review->isVisible())
            return fail(QStringLiteral("\"mostra errori\" left no error review open"));
        for (int i = 1; i <= 11; ++i) {
            const int made = model_.errorsByCategory[static_cast<std::size_t>(i)];
            const QString want = made == 0 ? QString() : QString::number(made);
            if (review->RR(i)->text() != want)
                return fail(QStringLiteral("the error review shows \"%1\" for category %2, not \"%3\"")
                                .arg(review->RR(i)->text())
                                .arg(i)
                                .arg(want));
        }
    }

    // The right button for the question on screen, if one is open.
    QAbstractButton *rightAnswer() const
    {
        FormB *f = form();
        if (!f || QApplication::activeModalWidget() || acting_.size() != 1)
            return nullptr;
        const Step shown = currentStep();
        if (!isQuestion(shown))
            return nullptr;
        return test::Lesson::buttonFor(f, *shown, test::oracle::rightButton(*shown, Modulo1.numfrase, Modulo1.posparola));
    }

    const quint64 seed_;
    const int target_;
    std::mt19937_64 rng_;
    const bool trace_ = !qgetenv("ANALISI_MONKEY_TRACE").isEmpty();
    std::unique_ptr<test::Lesson> lesson_;
    SeededRandom random_;
    QEventLoop loop_;
    QObject *context_ = nullptr;
    std::vector<QWidget *> acting_;  // the modal window (or none) each running event started under
    bool finished_ = false;
    QString failure_;
    QStringList log_;
    Model model_;
    double fineWeight_ = 0.1;
    double knowsAnswer_ = 0.5;
    bool sawAllDone_ = false;

    int done_ = 0;
    int lessons_ = 0;
    int answers_ = 0;
    int wrongAnswers_ = 0;
    int seriesEnded_ = 0;
    int sentencesCompleted_ = 0;
    int allDone_ = 0;
};

}  // namespace

QtMessageHandler previousHandler = nullptr;

class TestMonkey : public QObject
{
    Q_OBJECT

public:
    TestMonkey()
    {
        // A long run outlasts QTest's five minutes per test function.
        if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
            qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    }

private slots:
    void initTestCase()
    {
        // The headless platform says so at every "mostra errori" and "Aiuto ?";
        // thousands of them would hide the rest.
        previousHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("does not support raise()")))
                previousHandler(type, context, text);
        });
    }

    void randomLessonsKeepEveryInvariant_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<int>("events");
        bool eventsOk = false;
        int events = envString("ANALISI_MONKEY_EVENTS").toInt(&eventsOk);
        if (!eventsOk || events <= 0)
            events = defaultEvents;
        bool seedOk = false;
        const quint64 seed = envString("ANALISI_MONKEY_SEED").toULongLong(&seedOk);
        if (seedOk) {
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed << events;
            return;
        }
        for (quint64 s : {1u, 2u, 3u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(s))) << s << events;
    }

    void randomLessonsKeepEveryInvariant()
    {
        QFETCH(quint64, seed);
        QFETCH(int, events);
        QElapsedTimer elapsed;
        elapsed.start();
        Monkey monkey(seed, events);
        const bool passed = monkey.run();
        if (!passed)
            QFAIL(qPrintable(monkey.report()));
        std::fprintf(stderr, "%s in %.1f s\n", qPrintable(monkey.summary()), static_cast<double>(elapsed.elapsed()) / 1000.0);
    }
};

ANALISI_TEST_MAIN(TestMonkey)
#include "test_monkey.moc"
