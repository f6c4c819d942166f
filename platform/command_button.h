#pragma once

// A command button as the windows are designed with: its caption wraps onto
// more lines when the button is narrower than the text, and its back colour
// shows under any style.

#include <QFont>
#include <QPushButton>
#include <QStaticText>

namespace platform {

class CommandButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The caption laid out for `larghezza` pixels, kept until the text, the
    // font or the width changes: a button is repainted on every press and
    // every enable or disable, its caption rarely changes.
    const QStaticText &didascalia(int larghezza);

    QStaticText didascalia_;
    QString testoDisposto_;
    QFont fontDisposto_;
    int larghezzaDisposta_ = -1;
};

}  // namespace platform
