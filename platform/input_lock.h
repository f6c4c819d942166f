#pragma once

// While an InputLock lives, no window of the program takes a click, a key, the
// wheel or a close request: such events are dropped, not postponed, so a click
// made during the lock is never replayed afterwards.

#include <QObject>

namespace platform {

class InputLock final : public QObject
{
public:
    InputLock();
    ~InputLock() override;

    InputLock(const InputLock &) = delete;
    InputLock &operator=(const InputLock &) = delete;

    static bool isInput(const QEvent *event);
    int dropped() const { return dropped_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int dropped_ = 0;
};

}  // namespace platform
