#pragma once

// A command button as the windows are designed with: its caption wraps onto
// more lines when the button is narrower than the text, and its back colour
// shows under any style.

#include <QPushButton>

namespace platform {

class CommandButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace platform
