#pragma once

// A command button as the windows are designed with: its caption wraps onto
// more lines when the button is narrower than the text, and its back colour
// shows under any style. A caption that would not fit even so is drawn in the
// largest smaller size that fits, with a margin inside the bevel.

#include <QFont>
#include <QPushButton>
#include <QStaticText>

namespace platform {

class CommandButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

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
