#pragma once

// The start window: title, the choice between "analisi completa" and "solo
// articoli", and the credits. It doubles as a splash screen: after six
// seconds, or on a click on its background, the exercise starts in the mode
// already set. Whatever the way out, it opens the exercise window and goes.

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

class Iniziale final : public QWidget
{
    Q_OBJECT

public:
    static Iniziale *istanza();
    // The start window if it is up, without creating it.
    static Iniziale *esistente();

    QLabel *Label1 = nullptr;  // "Analisi grammaticale"
    QLabel *Label2 = nullptr;  // "ARTICOLI"
    QLabel *Label3 = nullptr;  // credit: software development
    QLabel *Label4 = nullptr;  // credit: didactics
    QLabel *Label5 = nullptr;  // instruction
    QLabel *Label6 = nullptr;  // credit: idea
    QPushButton *Command1 = nullptr;  // "analisi completa"
    QPushButton *Command2 = nullptr;  // "solo articoli"
    QTimer *Timer1 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Form_Click();
    void Timer1_Timer();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Iniziale();
    void creaControlli();
    void Form_Load();
    void apriEsercizio();

    bool uscito_ = false;
};
