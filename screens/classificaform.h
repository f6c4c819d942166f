#pragma once

// The results window: the level of the last series, how many series of the
// run reached each level, and the best time of an error-free series.

#include <QDialog>

class classificaform final : public QDialog
{
    Q_OBJECT

public:
    // Builds the window afresh from Modulo1.livello, shows it modally over
    // `owner` and returns once it has closed.
    static void mostra(QWidget *owner);

    void Command1_Click();  // "PROSEGUI"

private:
    explicit classificaform(QWidget *owner);
};
