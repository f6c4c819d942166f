#pragma once

// The editor's window: the sentences on the left, the words of the chosen one
// with their analysis on the right, every fault and the figures of the file
// below. Everything it changes goes through the Documento.

#include "editor/documento.h"
#include "editor/suggerimenti.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QTemporaryDir;

namespace editor {

class FinestraEditor : public QMainWindow
{
    Q_OBJECT

public:
    explicit FinestraEditor(QWidget *parent = nullptr);
    ~FinestraEditor() override;

    // The file the drill would use (or `scelto`), otherwise a copy of the
    // built-in sentences.
    void apriIniziale(const QString &scelto = {});
    // False when the file was refused; a file that breaks rules opens the
    // window that repairs it.
    bool apriFile(const QString &percorso, Origine origine);

    bool salva();
    bool salvaConNome();
    bool prova();

    const Documento &documento() const { return documento_; }
    int fraseCorrente() const { return fraseCorrente_; }
    int parolaCorrente() const { return parolaCorrente_; }
    void scegliFrase(int indice);
    void scegliParola(int posizione);

    // What the program does outside itself: the file dialogs and starting
    // the drill. The tests put their own in.
    std::function<QString()> chiediFileDaAprire;
    std::function<QString(const QString &)> chiediFileDaSalvare;
    std::function<bool(const QString &, const QStringList &)> avviaProgramma;

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void costruisci();
    QWidget *costruisciFrasi();
    QWidget *costruisciParole();
    QWidget *costruisciAnalisi();
    void aggiorna();
    void aggiornaFrasi(const Verifica &verifica);
    void aggiornaParole(const Verifica &verifica);
    void aggiornaAnalisi();
    void aggiornaDifetti(const Verifica &verifica);
    void annotaDaPannello();
    void apri();
    void mostra(const QString &titolo, const QString &messaggio);
    bool puoiAbbandonare();
    bool salvaIn(const QString &percorso);
    void caricaIncorporate();

    // The suggestions learn from the built-in sentences; the document keeps a
    // reference to them.
    Suggeritore suggeritore_;
    Documento documento_;
    int fraseCorrente_ = -1;
    int parolaCorrente_ = -1;
    bool aggiornando_ = false;
    std::unique_ptr<QTemporaryDir> cartellaProva_;
    int prove_ = 0;

    QAction *azioneApri_ = nullptr;
    QAction *azioneSalva_ = nullptr;
    QAction *azioneSalvaConNome_ = nullptr;
    QAction *azioneProva_ = nullptr;

    QListWidget *elencoFrasi_ = nullptr;
    QPushButton *nuova_ = nullptr;
    QPushButton *duplica_ = nullptr;
    QPushButton *elimina_ = nullptr;
    QPushButton *su_ = nullptr;
    QPushButton *giu_ = nullptr;
    QLabel *limiteFrasi_ = nullptr;

    QLineEdit *rigaFrase_ = nullptr;
    QPushButton *dividiFrase_ = nullptr;
    QLabel *limiteParole_ = nullptr;
    QTableWidget *parole_ = nullptr;
    QPushButton *unisci_ = nullptr;
    QPushButton *dividi_ = nullptr;
    QPushButton *eliminaParola_ = nullptr;
    QPushButton *confermaSicuri_ = nullptr;

    QLineEdit *testoParola_ = nullptr;
    QComboBox *parte_ = nullptr;
    QComboBox *tipo_ = nullptr;
    QComboBox *genere_ = nullptr;
    QComboBox *numero_ = nullptr;
    QPushButton *conferma_ = nullptr;
    QLabel *statoParola_ = nullptr;
    QLabel *regolaPratica_ = nullptr;

    QTabWidget *schede_ = nullptr;
    QListWidget *difetti_ = nullptr;
    QPlainTextEdit *statistiche_ = nullptr;
    QLabel *esito_ = nullptr;

};

}  // namespace editor
