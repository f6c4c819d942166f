#pragma once

// The error review: for each kind of question, how many errors the pupil has
// made since the program started, beside the caption of the button for it
// (the caption tables of classification/pulsanti.h). At most one is open;
// closing it destroys it.

#include "platform/control_array.h"

#include <QWidget>

class QLabel;
class QPushButton;

class FRM_ERRORI final : public QWidget
{
    Q_OBJECT

public:
    // The one review, created and loaded on first reference.
    static FRM_ERRORI *istanza();
    // The review if it is open, without creating it.
    static FRM_ERRORI *esistente();

    // Shows the errors of the run so far: a snapshot, later errors show at
    // the next call. A category without errors shows nothing rather than "0".
    void mostraConteggi();

    ~FRM_ERRORI() override;

    void Command1_Click();  // "CHIUDI FINESTRA"
    void Command2_Click();  // "mostra classifica"

    // Row i: the errors of category i and its name; 1..9 parts of speech,
    // 10 "PARTE VARIABILE", 11 "PARTE  INVARIABILE".
    platform::ControlArray<QLabel, 1, 11> RR;
    platform::ControlArray<QLabel, 1, 11> Lberrori;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

private:
    FRM_ERRORI();
    void creaControlli();
    void Form_Load();
};
