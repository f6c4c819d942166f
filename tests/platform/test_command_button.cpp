// The command button as it paints: its face in its back colour, its caption
// in the text colour (grey when disabled), and a caption that follows every
// change of text, width and font even though its layout is kept between
// paints.

#include "tests/support/test_main.h"

#include "platform/command_button.h"
#include "platform/design.h"

#include <QImage>
#include <QTest>

using platform::CommandButton;
using platform::rgb;

namespace {

const QColor face(255, 255, 128);
const QColor black(0, 0, 0);
const QColor grey(128, 128, 128);

struct Paint {
    QImage image;

    // Pixels of exactly `colour` away from the bevel.
    QRect extentOf(const QColor &colour) const
    {
        QRect found;
        for (int y = 4; y < image.height() - 4; ++y)
            for (int x = 4; x < image.width() - 4; ++x)
                if (image.pixelColor(x, y) == colour)
                    found |= QRect(x, y, 1, 1);
        return found;
    }
};

Paint paint(CommandButton &button)
{
    return {button.grab().toImage()};
}

}  // namespace

class TestCommandButton : public QObject
{
    Q_OBJECT

    CommandButton *make(const QString &caption, QSize size)
    {
        auto *button = new CommandButton(caption);
        button->resize(size);
        button->setFont(platform::designFont(QStringLiteral("Arial"), 12, 700));
        platform::setBackColor(button, rgb(255, 255, 128));
        platform::setForeColor(button, rgb(0, 0, 0));
        buttons_.emplace_back(button);
        return button;
    }

    std::vector<std::unique_ptr<CommandButton>> buttons_;

private slots:
    void cleanup() { buttons_.clear(); }

    void faceShowsTheBackColour()
    {
        CommandButton *button = make(QStringLiteral("VIA"), {160, 60});
        const Paint p = paint(*button);
        QCOMPARE(p.image.pixelColor(6, 6), face);
        QCOMPARE(p.image.pixelColor(button->width() - 7, button->height() - 7), face);
        // The bevel: light above and left, dark below and right.
        QCOMPARE(p.image.pixelColor(button->width() / 2, 0), QColor(255, 255, 255));
        QCOMPARE(p.image.pixelColor(button->width() / 2, button->height() - 1), black);
    }

    void captionIsCentred()
    {
        CommandButton *button = make(QStringLiteral("VIA"), {200, 60});
        const QRect text = paint(*button).extentOf(black);
        QVERIFY(!text.isEmpty());
        QVERIFY(qAbs(text.center().x() - button->width() / 2) <= 2);
        QVERIFY(qAbs(text.center().y() - button->height() / 2) <= 3);
    }

    void disabledCaptionIsGrey()
    {
        CommandButton *button = make(QStringLiteral("Verbo"), {200, 60});
        button->setEnabled(false);
        const Paint p = paint(*button);
        QVERIFY(p.extentOf(black).isEmpty());
        QVERIFY(!p.extentOf(grey).isEmpty());
        button->setEnabled(true);
        QVERIFY(!paint(*button).extentOf(black).isEmpty());
    }

    void newTextIsShown()
    {
        CommandButton *button = make(QStringLiteral("I"), {300, 60});
        const int narrow = paint(*button).extentOf(black).width();
        button->setText(QStringLiteral("PARTE  INVARIABILE"));
        const int wide = paint(*button).extentOf(black).width();
        QVERIFY2(wide > 5 * narrow, qPrintable(QStringLiteral("%1 vs %2").arg(wide).arg(narrow)));
        button->setText(QString());
        QVERIFY(paint(*button).extentOf(black).isEmpty());
    }

    void captionWrapsWhenTheButtonNarrows()
    {
        CommandButton *button = make(QStringLiteral("Avverbio  e locuzione avv."), {400, 80});
        const QRect oneLine = paint(*button).extentOf(black);
        button->resize(120, 80);
        const QRect wrapped = paint(*button).extentOf(black);
        QVERIFY(wrapped.width() < 120);
        QVERIFY2(wrapped.height() > oneLine.height() * 3 / 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(wrapped.height()).arg(oneLine.height())));
        button->resize(400, 80);
        QCOMPARE(paint(*button).extentOf(black).height(), oneLine.height());
    }

    void captionFollowsTheFont()
    {
        CommandButton *button = make(QStringLiteral("FINE"), {300, 100});
        const int small = paint(*button).extentOf(black).height();
        button->setFont(platform::designFont(QStringLiteral("Arial"), 24, 700));
        const int large = paint(*button).extentOf(black).height();
        QVERIFY2(large > small * 3 / 2, qPrintable(QStringLiteral("%1 vs %2").arg(large).arg(small)));
    }
};

ANALISI_TEST_MAIN(TestCommandButton)
#include "test_command_button.moc"
