// The program on the desktop: every window carries the icon in all its
// sizes, and the desktop file names what the program sets (its own name as
// the desktop file name, the window class as StartupWMClass). Run a second
// time on an X server (-platform xcb under Xvfb), where each window must also
// have the _NET_WM_ICON property and that class.

#include "app/iniziale.h"
#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "screens/formaiuto.h"
#include "screens/frm_errori.h"
#include "tests/support/lesson.h"
#include "tests/support/test_main.h"

#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace {

enum class Window { Start, Exercise, Results, ErrorReview, Help };

// The value of `key` in the desktop file, empty if it has none.
QString desktopEntry(const QString &key)
{
    QFile file(QStringLiteral(DESKTOP_FILE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString prefix = key + QLatin1Char('=');
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    return {};
}

// WM_CLASS and the start of _NET_WM_ICON of `window` on the X server, as
// xprop prints them; -len keeps it from drawing every icon as a picture.
QString xProperties(const QWidget *window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("-len"), QStringLiteral("128"),
                                          QStringLiteral("WM_CLASS"), QStringLiteral("_NET_WM_ICON")});
    if (!xprop.waitForFinished())
        return QStringLiteral("xprop (x11-utils) did not run");
    return QString::fromUtf8(xprop.readAllStandardOutput());
}

void checkWindow(const QWidget *window)
{
    QVERIFY(window->isVisible());
    const QIcon icon = window->windowIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    QCOMPARE(icon.availableSizes(), sizes);

    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // The class is the second string of WM_CLASS. Asked again until the
    // window system has the window (event processing flushes our requests).
    const QRegularExpression expected(
        QStringLiteral("WM_CLASS\\(STRING\\) = \"[^\"]*\", \"%1\"\n_NET_WM_ICON\\(CARDINAL\\) = ")
            .arg(QRegularExpression::escape(desktopEntry(QStringLiteral("StartupWMClass")))));
    QString properties;
    QTRY_VERIFY2(expected.match(properties = xProperties(window)).hasMatch(), qPrintable(properties));
}

}  // namespace

Q_DECLARE_METATYPE(Window)

class TestDesktopEntry : public QObject
{
    Q_OBJECT

private slots:
    void desktopFile()
    {
        QCOMPARE(QGuiApplication::desktopFileName() + QLatin1String(".desktop"),
                 QFileInfo(QStringLiteral(DESKTOP_FILE)).fileName());
        QCOMPARE(desktopEntry(QStringLiteral("Icon")), QGuiApplication::desktopFileName());
        // X takes the window class from the application name.
        QCOMPARE(desktopEntry(QStringLiteral("StartupWMClass")), QCoreApplication::applicationName());
    }

    void everyWindowHasTheIcon_data()
    {
        QTest::addColumn<Window>("window");
        QTest::newRow("start") << Window::Start;
        QTest::newRow("exercise") << Window::Exercise;
        QTest::newRow("results") << Window::Results;
        QTest::newRow("error review") << Window::ErrorReview;
        QTest::newRow("help") << Window::Help;
    }

    void everyWindowHasTheIcon()
    {
        QFETCH(Window, window);
        test::Lesson lesson;
        switch (window) {
        case Window::Start:
            Iniziale::istanza()->show();
            checkWindow(Iniziale::istanza());
            return;
        case Window::Exercise:
            checkWindow(lesson.open());
            return;
        case Window::Results:
            // Checked while it is up, then left as a pupil leaves it.
            test::Lesson::onNextModal([](QWidget *results) {
                checkWindow(results);
                qobject_cast<classificaform *>(results)->Command1->click();
            });
            classificaform::mostra(lesson.open());
            return;
        case Window::ErrorReview:
            lesson.open();
            FRM_ERRORI::istanza()->show();
            checkWindow(FRM_ERRORI::istanza());
            return;
        case Window::Help:
            lesson.open();
            Formaiuto::istanza()->show();
            checkWindow(Formaiuto::istanza());
            return;
        }
    }
};

ANALISI_TEST_MAIN(TestDesktopEntry)
#include "test_desktop_entry.moc"
