#include "platform/input_lock.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform {

InputLock::InputLock()
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputLock::~InputLock()
{
    // Input that reached the queue while locked goes through the filter too.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputLock::isInput(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

bool InputLock::eventFilter(QObject *watched, QEvent *event)
{
    if (isInput(event)) {
        if (event->type() == QEvent::Close)
            event->ignore();
        ++dropped_;
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace platform
