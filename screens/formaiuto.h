#pragma once

// The help window: a reminder about the kinds of clause and the coordinating
// conjunctions, written onto the window line by line on request. At most one
// is open; closing it destroys it.

#include <QStringList>
#include <QWidget>

class QPushButton;

class Formaiuto final : public QWidget
{
    Q_OBJECT

public:
    // The one help window, created and loaded on first reference.
    static Formaiuto *istanza();
    // The help window if it is open, without creating it.
    static Formaiuto *esistente();

    ~Formaiuto() override;

    void Command1_Click();       // "MOSTRA  INFORMAZIONI"
    void Commandchiudi_Click();  // "chiudi"

    // Every line written so far, top to bottom, the first at the top edge.
    QStringList righeScritte() const { return righe_; }
    // Height of one written line, in pixels.
    int altezzaRiga() const;

    QPushButton *Command1 = nullptr;
    QPushButton *Commandchiudi = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Formaiuto();
    void scrivi(const QString &riga);
    void cancella();

    // Kept, not just drawn once, so that the text survives being covered.
    QStringList righe_;
};
