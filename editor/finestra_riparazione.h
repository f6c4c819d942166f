#pragma once

// A sentence file that breaks rules, as text: every fault with its line, the
// reader's verdict again at every change, and the repaired file handed back
// once it keeps every rule.

#include "corpus/corpus.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace editor {

class FinestraRiparazione : public QDialog
{
    Q_OBJECT

public:
    FinestraRiparazione(const QString &percorso, const QString &testo, QWidget *parent = nullptr);

    // The sentences of the repaired text, once it keeps every rule.
    const std::optional<corpus::Corpus> &corpusRiparato() const { return corpus_; }

    QPlainTextEdit *testo() const { return testo_; }
    QListWidget *errori() const { return errori_; }
    QPushButton *usa() const { return usa_; }

private:
    void verifica();
    void vaiAllaLinea(int linea);

    QPlainTextEdit *testo_;
    QListWidget *errori_;
    QLabel *esito_;
    QPushButton *usa_;
    std::optional<corpus::Corpus> corpus_;
};

}  // namespace editor
