#include "editor/finestra_riparazione.h"

#include "editor/documento.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace editor {

FinestraRiparazione::FinestraRiparazione(const QString &percorso, const QString &testo, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Correggere il file di frasi"));
    auto *spiegazione = new QLabel(
        QStringLiteral("Il file %1 non rispetta tutte le regole. Qui sotto c'è il file così com'è, e sotto "
                       "ancora ogni errore con la sua linea: un clic su un errore porta alla linea. Quando il "
                       "file rispetta tutte le regole, «Usa il file corretto» lo apre nell'editor.")
            .arg(percorso));
    spiegazione->setWordWrap(true);
    testo_ = new QPlainTextEdit;
    testo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    testo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    testo_->setPlainText(testo);
    errori_ = new QListWidget;
    esito_ = new QLabel;
    auto *pulsanti = new QDialogButtonBox;
    usa_ = pulsanti->addButton(QStringLiteral("Usa il file corretto"), QDialogButtonBox::AcceptRole);
    pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(spiegazione);
    layout->addWidget(testo_, 3);
    layout->addWidget(esito_);
    layout->addWidget(errori_, 1);
    layout->addWidget(pulsanti);
    resize(900, 650);

    connect(testo_, &QPlainTextEdit::textChanged, this, &FinestraRiparazione::verifica);
    connect(errori_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *voce) { vaiAllaLinea(voce->data(Qt::UserRole).toInt()); });
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    verifica();
}

void FinestraRiparazione::verifica()
{
    corpus::Risultato risultato = verificaTesto(testo_->toPlainText());
    corpus_ = std::move(risultato.corpus);
    errori_->clear();
    for (const corpus::Errore &errore : risultato.errori) {
        auto *voce = new QListWidgetItem(QStringLiteral("linea %1 — %2").arg(errore.linea).arg(errore.messaggio()),
                                         errori_);
        voce->setData(Qt::UserRole, errore.linea);
    }
    esito_->setText(corpus_ ? QStringLiteral("Il file ora rispetta tutte le regole.")
                            : QStringLiteral("Errori: %1").arg(risultato.errori.size()));
    usa_->setEnabled(corpus_.has_value());
}

void FinestraRiparazione::vaiAllaLinea(int linea)
{
    const QTextBlock blocco = testo_->document()->findBlockByNumber(linea - 1);
    if (!blocco.isValid())
        return;
    QTextCursor cursore(blocco);
    cursore.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    testo_->setTextCursor(cursore);
    testo_->setFocus();
}

}  // namespace editor
