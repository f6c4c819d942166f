#pragma once

// The exercise window: the sentence, one word per label in a staircase, the
// word to classify in red, the answer buttons, the classification trail and
// the statistics. Its handlers ask the lesson's rules (classification/lezione.h)
// what a press means and show the answer. One class in several files, each
// named after what it holds: formb.cpp (controls and loading),
// formb_frasi.cpp (VIA, FINE), formb_risposte.cpp (the answer handlers),
// formb_statistiche.cpp (the counts and the end of a series) and
// formb_orologio.cpp (the clock and the feedback second).

#include "classification/lezione.h"
#include "platform/control_array.h"

#include <QWidget>

#include <cstdint>

namespace pulsanti {
struct Voce;
}

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

class FormB final : public QWidget
{
    Q_OBJECT

public:
    // The one exercise window, created and loaded on first reference.
    static FormB *istanza();
    static bool esiste();

    ~FormB() override;

    // Controls, named and numbered as the handlers use them.
    QLabel *AVVISO = nullptr;
    QLabel *gratifica = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Lrisposte = nullptr;
    QLabel *Lerrori = nullptr;
    QLabel *MOSTRATEMPO = nullptr;
    QLabel *Lpercentuale = nullptr;
    QLabel *Lbclock = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *FRASE_INTERA_B = nullptr;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QGroupBox *Frame5 = nullptr;
    QPushButton *comaiuto = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *VIA = nullptr;
    QPushButton *FINE = nullptr;
    QPushButton *Com10 = nullptr;
    QPushButton *Com11 = nullptr;
    platform::ControlArray<QPushButton, 1, 9> Com;
    platform::ControlArray<QPushButton, 1, 3> art;
    platform::ControlArray<QPushButton, 1, 2> Masfem;
    platform::ControlArray<QPushButton, 1, 2> Singplu;
    platform::ControlArray<QLabel, 1, 22> Lbmostra;
    platform::ControlArray<QLabel, 1, 5> display;
    QTimer *Timer1 = nullptr;

    // Sentence flow.
    void VIA_Click();
    void FINE_Click();
    void nascondipulsanti();

    // Clock and feedback.
    void Timer1_Timer();
    void flash(const QString &messaggio);

    // Answer handlers.
    void Com10_Click();
    void Com11_Click();
    void com_Click(int Index);
    void art_Click(int Index);
    void Masfem_Click(int Index);
    void Singplu_Click(int Index);

    // Statistics.
    void aggiornastatistiche();
    void classifica(std::int16_t errori);

    // The other windows.
    void Command8_Click();
    void comaiuto_Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Closing the exercise window from its frame ends the program, as "FINE"
    // does: the other windows cannot lead anywhere without it.
    void closeEvent(QCloseEvent *event) override;

private:
    FormB();
    void creaControlli();
    void Form_Load();
    void registraControlli();

    // Shared by the six answer handlers.
    void rispondiVariabilita(int indice);
    bool giudica(lezione::Gruppo gruppo, int indice);
    void rispostaEsatta(const QString &lode);
    void rispostaSbagliata(int categoria);
    void mostraTraccia(int passo, const pulsanti::Voce &voce);
    void aggiornaTempo();
    void mostraParolaSeguente();
    void mostraArticoloSeguente();
    void fraseCompletata();
    void nascondiParti(int da, int a);
    void apriVariabilita();
    void setAnswerButtonsEnabled(bool abilitati);
    void setAnswerButtonsLockedLook(bool bloccati);
    // Keyboard focus on the first answer button of the open question, or on
    // VIA once the sentence is done.
    void mettiFuoco();

    template <typename Gruppo>
    static void mostraGruppo(const Gruppo &gruppo, bool visibile)
    {
        for (QWidget *controllo : gruppo)
            controllo->setVisible(visibile);
    }
};
