#pragma once

// Whether every caption of a window can be read whole: its text, on however
// many lines it takes, inside its control.

#include "platform/command_button.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>

namespace test {

// A command button's bevel is at most three pixels deep; its caption keeps
// at least three more clear of it.
inline constexpr int bevel = 3;
inline constexpr int margineDidascalia = 3;

// The captions of `window`'s labels, command buttons and frames that do not
// fit, as "name: text (needed size in available size)".
inline QStringList captionsOutside(const QWidget *window)
{
    QStringList fuori;
    auto annota = [&fuori](const QObject *controllo, const QString &testo, QSize serve, QSize disponibile) {
        fuori.append(QStringLiteral("%1: \"%2\" (%3x%4 in %5x%6)")
                         .arg(controllo->objectName(), testo)
                         .arg(serve.width())
                         .arg(serve.height())
                         .arg(disponibile.width())
                         .arg(disponibile.height()));
    };
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const int flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect box = label->contentsRect();
        const QRect serve = label->fontMetrics().boundingRect(box, flags, label->text());
        if (!box.contains(serve))
            annota(label, label->text(), serve.size(), box.size());
    }
    for (platform::CommandButton *button : window->findChildren<platform::CommandButton *>()) {
        const int bordo = bevel + margineDidascalia;
        const QRect area = button->rect().adjusted(bordo, bordo, -bordo, -bordo);
        const QRect serve = QFontMetrics(button->captionFont())
                                .boundingRect(area, Qt::AlignHCenter | Qt::TextWordWrap, button->text());
        if (serve.width() > area.width() || serve.height() > area.height())
            annota(button, button->text(), serve.size(), area.size());
    }
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>()) {
        const QSize serve = QFontMetrics(frame->font()).size(0, frame->title());
        if (serve.width() > frame->width() - 2 * bevel)
            annota(frame, frame->title(), serve, frame->size());
    }
    return fuori;
}

}  // namespace test
