#pragma once

// A command button as the windows are designed with: its caption wraps onto
// more lines when the button is narrower than the text, and its back colour
// shows under any style. A caption that would not fit even so is drawn in the
// largest smaller size that fits, with a margin inside the bevel.
//
// From the keyboard: Space and Return press it, the arrow keys move the focus
// along the tab chain as Tab and Shift+Tab do, and its shortcut presses it at
// once (no delayed animated click: a press is either taken now or dropped).
// Focused, it wears an outline that stands out on any face and any window.

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QStaticText>

namespace platform {

class CommandButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

    // The focus outline: black has a contrast of at least 3:1 with every face
    // and window colour of the program (tests/exercise/test_keyboard.cpp
    // computes it over the caption table).
    static constexpr QRgb focusColor = 0xFF000000u;
    static constexpr int focusWidth = 3;

    // Where the caption may stand: inside the bevel, with a margin all round.
    QRect captionArea() const;
    // The font the caption is drawn in: the button's own, or the largest
    // smaller size of it in which the caption fits captionArea().
    QFont captionFont();

    // A button locked for a moment (during the feedback after an answer)
    // looks disabled while it stays enabled.
    void setLockedLook(bool locked);
    bool lockedLook() const { return lockedLook_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    // The caption laid out in captionArea(), kept until the text, the font or
    // the size changes: a button is repainted on every press and every
    // enable or disable, its caption rarely changes.
    const QStaticText &didascalia();

    QStaticText didascalia_;
    QString testoDisposto_;
    QFont fontDisposto_;
    QSize areaDisposta_;
    QFont fontDidascalia_;
    bool lockedLook_ = false;
};

}  // namespace platform
