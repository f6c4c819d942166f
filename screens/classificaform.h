#pragma once

// The results window: the level of the last series, how many series of the
// run reached each level, and the best time of an error-free series. It only
// draws: the lesson's rules close the series (classification/lezione.h). It
// is built afresh at every opening and destroyed once it has closed.

#include "classification/lezione.h"
#include "platform/control_array.h"
#include "platform/shape.h"

#include <QDialog>

class QLabel;
class QPushButton;

class classificaform final : public QDialog
{
    Q_OBJECT

public:
    // Closes the series rated in Modulo1.livello (lezione::chiudiSerie),
    // builds the window that shows it, shows it modally over `owner` and
    // returns once it has closed and been destroyed.
    static void mostra(QWidget *owner);
    // The window while it is up, or nullptr.
    static classificaform *aperta();

    ~classificaform() override;

    void Command1_Click();  // "PROSEGUI"

    // Closing from the title bar or with Escape goes the way of "PROSEGUI".
    void reject() override;

    platform::Shape *Shape1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *RISULTATO = nullptr;
    QLabel *LbNuovoRecord = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LbTrecord = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *LbOttimo = nullptr;
    QLabel *LbDistinto = nullptr;
    QLabel *LbBuono = nullptr;
    QLabel *LbSufficiente = nullptr;
    QLabel *LbOccorre = nullptr;
    platform::ControlArray<platform::Shape, 1, 10> ShOttimo;
    platform::ControlArray<platform::Shape, 1, 10> ShDistinto;
    platform::ControlArray<platform::Shape, 1, 10> ShBuono;
    platform::ControlArray<platform::Shape, 1, 10> ShSufficiente;
    platform::ControlArray<platform::Shape, 1, 10> ShOccorre;
    QPushButton *Command1 = nullptr;

private:
    classificaform(QWidget *owner, const lezione::Chiusura &chiusura);
    void creaControlli();
    void Form_Load(const lezione::Chiusura &chiusura);
};
