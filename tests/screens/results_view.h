#pragma once

// What the results window shows, read while it is up, and a way to play the
// exercise until a series ends. The window is always left with "PROSEGUI"
// (or the given way out) before anything is checked, so a failed check never
// leaves a modal window waiting.

#include "classification/modulo1.h"
#include "exercise/formb.h"
#include "platform/design.h"
#include "screens/classificaform.h"
#include "tests/support/captions.h"
#include "tests/support/lesson.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <array>
#include <functional>

namespace test {

struct ResultsView {
    bool opened = false;
    QWidget *owner = nullptr;
    bool wasInstance = false;  // classificaform::aperta() pointed at it
    QString risultato;
    QColor risultatoBack;
    QString nuovoRecord;
    QString trecord;
    // Circles shown per row, OTTIMO to OCCORRE ESERCITARSI; -1 when the
    // shown ones are not the leftmost.
    std::array<int, 5> rows{};
    // Per row: label back colour, circle fill and circle border agree.
    std::array<QColor, 5> rowColours{};
    bool rowColoursAgree = true;
    // Captions that do not fit inside their controls.
    QStringList clipped;
};

inline ResultsView readResults(classificaform *f)
{
    ResultsView v;
    v.opened = true;
    v.owner = f->parentWidget();
    v.wasInstance = classificaform::aperta() == f;
    v.risultato = f->RISULTATO->text();
    v.risultatoBack = platform::backColor(f->RISULTATO);
    v.nuovoRecord = f->LbNuovoRecord->text();
    v.trecord = f->LbTrecord->text();
    const std::array<const platform::ControlArray<platform::Shape, 1, 10> *, 5> rows = {
        &f->ShOttimo, &f->ShDistinto, &f->ShBuono, &f->ShSufficiente, &f->ShOccorre};
    const std::array<QLabel *, 5> labels = {f->LbOttimo, f->LbDistinto, f->LbBuono, f->LbSufficiente, f->LbOccorre};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        int leading = 0;
        int total = 0;
        for (int i = 1; i <= 10; ++i) {
            const platform::Shape *circle = (*rows[r])(i);
            if (shown(circle)) {
                ++total;
                if (leading == i - 1)
                    leading = i;
            }
            const QColor colour = platform::backColor(labels[r]);
            if (circle->fillColor() != colour || circle->borderColor() != colour || !circle->filled())
                v.rowColoursAgree = false;
        }
        v.rows[r] = leading == total ? total : -1;
        v.rowColours[r] = platform::backColor(labels[r]);
    }
    v.clipped = captionsOutside(f);
    return v;
}

// How the results window is left.
enum class Leave { Prosegui, CloseWindow, Escape };

inline void leaveResults(QWidget *modal, Leave how)
{
    auto *f = qobject_cast<classificaform *>(modal);
    switch (how) {
    case Leave::Prosegui:
        Lesson::click(f->Command1);
        break;
    case Leave::CloseWindow:
        modal->close();  // as the title bar's close does
        break;
    case Leave::Escape:
        QTest::keyClick(modal, Qt::Key_Escape);
        break;
    }
}

// Arms the next results window to be read and then left.
inline void expectResults(ResultsView &view, Leave how = Leave::Prosegui,
                          std::function<void()> whileOpen = {})
{
    Lesson::onNextModal([&view, how, whileOpen = std::move(whileOpen)](QWidget *modal) {
        if (auto *f = qobject_cast<classificaform *>(modal))
            view = readResults(f);
        if (whileOpen)
            whileOpen();
        leaveResults(modal, how);
    });
}

// Opens the results window directly, as the end of a series or the error
// review does, and returns what it showed.
inline ResultsView openResults(QWidget *owner, Leave how = Leave::Prosegui)
{
    ResultsView view;
    expectResults(view, how);
    classificaform::mostra(owner);
    return view;
}

// `rows` copies of one short sentence with an article, nouns, a verb and a
// preposition: "La gatta dorme sul tetto."
inline QByteArray testSentences(int rows = 60)
{
    QByteArray tsv;
    for (int r = 0; r < rows; ++r) {
        const QByteArray row = QByteArray::number(r);
        tsv += row + "\t1\t\"La \"\t1\t1\t2\t1\n";
        tsv += row + "\t2\t\"gatta \"\t2\t\t\t\n";
        tsv += row + "\t3\t\"dorme \"\t5\t\t\t\n";
        tsv += row + "\t4\t\"sul \"\t7\t\t\t\n";
        tsv += row + "\t5\t\"tetto.\"\t2\t\t\t\n";
    }
    return tsv;
}

// Opens the exercise window in "analisi completa" on the test sentences.
inline FormB *openOnTestSentences(Lesson &lesson)
{
    FormB *form = lesson.open(0);
    lesson.useCorpus(testSentences());
    return form;
}

// Plays in the exercise window until `answers` more answers are given, the
// first `wrong` of them wrong. Sentences are drawn from `nextRow` on.
inline void play(Lesson &lesson, int answers, int wrong, int &nextRow)
{
    for (int given = 0; given < answers;) {
        if (shown(lesson.form->VIA)) {
            lesson.start(nextRow++);
            continue;
        }
        const bool ok = given < wrong ? lesson.answerWrong() : lesson.answerRight();
        if (!ok)
            qFatal("no question open after %d answers", given);
        ++given;
    }
}

}  // namespace test
