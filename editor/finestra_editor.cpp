#include "editor/finestra_editor.h"

#include "classification/pulsanti.h"
#include "corpus/corpus_incorporato.h"
#include "corpus/file_frasi.h"
#include "editor/finestra_riparazione.h"
#include "editor/parole.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

namespace editor {

namespace {

const QColor coloreDifetto(0xFF, 0xC0, 0xC0);
const QColor coloreDaConfermare(0xFF, 0xF0, 0xA0);

QPushButton *pulsante(const QString &testo, const char *nome)
{
    auto *p = new QPushButton(testo);
    p->setObjectName(QString::fromLatin1(nome));
    return p;
}

// A list of the drill's button captions; the item's data is the code.
template <std::size_t N>
QComboBox *elencoCaption(const std::array<pulsanti::Voce, N> &gruppo, const char *nome)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(nome));
    combo->addItem(QStringLiteral("—"), 0);
    for (const pulsanti::Voce &voce : gruppo)
        combo->addItem(QString::fromUtf8(voce.caption), voce.indice);
    return combo;
}

template <std::size_t N>
QString caption(const std::array<pulsanti::Voce, N> &gruppo, int indice)
{
    return indice >= gruppo.front().indice && indice <= gruppo.back().indice
               ? QString::fromUtf8(pulsanti::voce(gruppo, indice).caption)
               : QString();
}

void scegli(QComboBox *combo, int valore)
{
    combo->setCurrentIndex(std::max(0, combo->findData(valore)));
}

}  // namespace

FinestraEditor::FinestraEditor(QWidget *parent)
    : QMainWindow(parent), suggeritore_(corpus::corpusIncorporato()), documento_(suggeritore_)
{
    chiediFileDaAprire = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Apri un file di frasi"), QDir::homePath(),
                                            QStringLiteral("File di frasi (*.tsv *.txt);;Tutti i file (*)"));
    };
    chiediFileDaSalvare = [this](const QString &proposta) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Salva il file di frasi"), proposta,
                                            QStringLiteral("File di frasi (*.tsv)"));
    };
    avviaProgramma = [](const QString &programma, const QStringList &argomenti) {
        return QProcess::startDetached(programma, argomenti);
    };
    costruisci();
}

FinestraEditor::~FinestraEditor()
{
    // The controls go while the document still exists: a field that loses
    // the focus as it goes must not write into a document already gone.
    aggiornando_ = true;
    delete takeCentralWidget();
}

void FinestraEditor::costruisci()
{
    setObjectName(QStringLiteral("FinestraEditor"));
    auto *menuFile = menuBar()->addMenu(QStringLiteral("&File"));
    azioneApri_ = menuFile->addAction(QStringLiteral("Apri…"), this, &FinestraEditor::apri);
    azioneApri_->setShortcut(QKeySequence::Open);
    azioneSalva_ = menuFile->addAction(QStringLiteral("Salva"), this, &FinestraEditor::salva);
    azioneSalva_->setShortcut(QKeySequence::Save);
    azioneSalvaConNome_ = menuFile->addAction(QStringLiteral("Salva con nome…"), this, &FinestraEditor::salvaConNome);
    azioneSalvaConNome_->setShortcut(QKeySequence::SaveAs);
    menuFile->addSeparator();
    azioneProva_ = menuFile->addAction(QStringLiteral("Prova"), this, &FinestraEditor::prova);
    azioneProva_->setShortcut(Qt::Key_F5);
    menuFile->addSeparator();
    menuFile->addAction(QStringLiteral("Esci"), this, &QWidget::close)->setShortcut(QKeySequence::Quit);
    auto *barra = addToolBar(QStringLiteral("File"));
    barra->setObjectName(QStringLiteral("barra"));
    barra->setMovable(false);
    barra->addActions({azioneApri_, azioneSalva_, azioneSalvaConNome_, azioneProva_});
    for (QAction *azione : barra->actions())
        barra->widgetForAction(azione)->setObjectName(azione->text());

    auto *destra = new QSplitter(Qt::Vertical);
    destra->addWidget(costruisciParole());
    destra->addWidget(costruisciAnalisi());
    schede_ = new QTabWidget;
    difetti_ = new QListWidget;
    difetti_->setObjectName(QStringLiteral("difetti"));
    statistiche_ = new QPlainTextEdit;
    statistiche_->setObjectName(QStringLiteral("statistiche"));
    statistiche_->setReadOnly(true);
    statistiche_->setLineWrapMode(QPlainTextEdit::NoWrap);
    statistiche_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    schede_->addTab(difetti_, QStringLiteral("Errori"));
    schede_->addTab(statistiche_, QStringLiteral("Statistiche"));
    destra->addWidget(schede_);

    auto *centro = new QSplitter(Qt::Horizontal);
    centro->addWidget(costruisciFrasi());
    centro->addWidget(destra);
    centro->setStretchFactor(1, 2);
    setCentralWidget(centro);
    esito_ = new QLabel;
    esito_->setObjectName(QStringLiteral("esito"));
    statusBar()->addWidget(esito_, 1);
    resize(1200, 800);

    connect(difetti_, &QListWidget::itemClicked, this, [this](QListWidgetItem *voce) {
        scegliFrase(voce->data(Qt::UserRole).toInt());
        scegliParola(voce->data(Qt::UserRole + 1).toInt());
    });
}

QWidget *FinestraEditor::costruisciFrasi()
{
    elencoFrasi_ = new QListWidget;
    elencoFrasi_->setObjectName(QStringLiteral("frasi"));
    nuova_ = pulsante(QStringLiteral("Nuova"), "nuova");
    duplica_ = pulsante(QStringLiteral("Duplica"), "duplica");
    elimina_ = pulsante(QStringLiteral("Elimina"), "elimina");
    su_ = pulsante(QStringLiteral("Su"), "su");
    giu_ = pulsante(QStringLiteral("Giù"), "giu");
    limiteFrasi_ = new QLabel;
    limiteFrasi_->setObjectName(QStringLiteral("limiteFrasi"));
    limiteFrasi_->setWordWrap(true);

    auto *pannello = new QWidget;
    auto *layout = new QVBoxLayout(pannello);
    layout->addWidget(new QLabel(QStringLiteral("Frasi")));
    layout->addWidget(elencoFrasi_);
    auto *riga = new QHBoxLayout;
    for (QPushButton *p : {nuova_, duplica_, elimina_, su_, giu_})
        riga->addWidget(p);
    layout->addLayout(riga);
    layout->addWidget(limiteFrasi_);

    connect(elencoFrasi_, &QListWidget::currentRowChanged, this, [this](int riga) {
        if (!aggiornando_)
            scegliFrase(riga);
    });
    connect(nuova_, &QPushButton::clicked, this, [this] {
        if (documento_.aggiungiFrase(fraseCorrente_ + 1)) {
            scegliFrase(fraseCorrente_ + 1);
            rigaFrase_->setFocus();
        }
    });
    connect(duplica_, &QPushButton::clicked, this, [this] {
        if (documento_.duplicaFrase(fraseCorrente_))
            scegliFrase(fraseCorrente_ + 1);
    });
    connect(elimina_, &QPushButton::clicked, this, [this] {
        if (documento_.eliminaFrase(fraseCorrente_))
            scegliFrase(std::min(fraseCorrente_, documento_.numeroFrasi() - 1));
    });
    connect(su_, &QPushButton::clicked, this, [this] {
        if (documento_.spostaFrase(fraseCorrente_, fraseCorrente_ - 1))
            scegliFrase(fraseCorrente_ - 1);
    });
    connect(giu_, &QPushButton::clicked, this, [this] {
        if (documento_.spostaFrase(fraseCorrente_, fraseCorrente_ + 1))
            scegliFrase(fraseCorrente_ + 1);
    });
    return pannello;
}

QWidget *FinestraEditor::costruisciParole()
{
    rigaFrase_ = new QLineEdit;
    rigaFrase_->setObjectName(QStringLiteral("rigaFrase"));
    rigaFrase_->setPlaceholderText(QStringLiteral("Scrivi qui la frase, poi premi Invio"));
    dividiFrase_ = pulsante(QStringLiteral("Dividi in parole"), "dividiFrase");
    limiteParole_ = new QLabel;
    limiteParole_->setObjectName(QStringLiteral("limiteParole"));
    parole_ = new QTableWidget(0, 6);
    parole_->setObjectName(QStringLiteral("parole"));
    parole_->setHorizontalHeaderLabels({QStringLiteral("Testo"), QStringLiteral("Parte del discorso"),
                                        QStringLiteral("Tipo"), QStringLiteral("Genere"), QStringLiteral("Numero"),
                                        QStringLiteral("Analisi")});
    parole_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    parole_->setSelectionBehavior(QAbstractItemView::SelectRows);
    parole_->setSelectionMode(QAbstractItemView::SingleSelection);
    parole_->horizontalHeader()->setStretchLastSection(true);
    unisci_ = pulsante(QStringLiteral("Unisci con la successiva"), "unisci");
    dividi_ = pulsante(QStringLiteral("Dividi"), "dividi");
    eliminaParola_ = pulsante(QStringLiteral("Elimina parola"), "eliminaParola");
    confermaSicuri_ = pulsante(QStringLiteral("Conferma i suggerimenti sicuri"), "confermaSicuri");
    confermaSicuri_->setToolTip(QStringLiteral("Conferma le parole che nelle frasi incorporate hanno sempre la "
                                               "stessa analisi; le forme ambigue restano da confermare una per una"));

    auto *pannello = new QWidget;
    auto *layout = new QVBoxLayout(pannello);
    auto *riga = new QHBoxLayout;
    riga->addWidget(new QLabel(QStringLiteral("Frase:")));
    riga->addWidget(rigaFrase_, 1);
    riga->addWidget(dividiFrase_);
    layout->addLayout(riga);
    layout->addWidget(limiteParole_);
    layout->addWidget(parole_);
    auto *pulsantiParole = new QHBoxLayout;
    for (QPushButton *p : {unisci_, dividi_, eliminaParola_, confermaSicuri_})
        pulsantiParole->addWidget(p);
    pulsantiParole->addStretch();
    layout->addLayout(pulsantiParole);

    const auto scrivi = [this] {
        if (!documento_.scriviFrase(fraseCorrente_, rigaFrase_->text())) {
            limiteParole_->setText(Documento::limiteParoleRiga(rigaFrase_->text()));
            return;
        }
        aggiorna();
        scegliParola(0);
    };
    connect(rigaFrase_, &QLineEdit::returnPressed, this, scrivi);
    connect(dividiFrase_, &QPushButton::clicked, this, scrivi);
    connect(rigaFrase_, &QLineEdit::textEdited, this, [this](const QString &riga) {
        limiteParole_->setText(Documento::limiteParoleRiga(riga));
        dividiFrase_->setEnabled(fraseCorrente_ >= 0 && divideFrase(riga).size() <= corpus::maxParole);
    });
    connect(parole_, &QTableWidget::currentCellChanged, this, [this](int riga) {
        if (!aggiornando_)
            scegliParola(riga);
    });
    connect(unisci_, &QPushButton::clicked, this, [this] {
        if (documento_.unisci(fraseCorrente_, parolaCorrente_))
            aggiorna();
    });
    connect(dividi_, &QPushButton::clicked, this, [this] {
        if (documento_.dividi(fraseCorrente_, parolaCorrente_))
            aggiorna();
    });
    connect(eliminaParola_, &QPushButton::clicked, this, [this] {
        if (documento_.eliminaParola(fraseCorrente_, parolaCorrente_))
            scegliParola(std::min(parolaCorrente_, documento_.frase(fraseCorrente_).numeroParole() - 1));
    });
    connect(confermaSicuri_, &QPushButton::clicked, this, [this] {
        const int confermate = documento_.confermaSuggerimentiSicuri();
        aggiorna();
        esito_->setText(QStringLiteral("Suggerimenti confermati: %1. ").arg(confermate) + esito_->text());
    });
    return pannello;
}

QWidget *FinestraEditor::costruisciAnalisi()
{
    testoParola_ = new QLineEdit;
    testoParola_->setObjectName(QStringLiteral("testoParola"));
    testoParola_->setToolTip(QStringLiteral("Il testo come lo vede l'alunno, spazi finali compresi"));
    parte_ = elencoCaption(pulsanti::partiDelDiscorso, "parte");
    tipo_ = elencoCaption(pulsanti::tipi, "tipo");
    genere_ = elencoCaption(pulsanti::generi, "genere");
    numero_ = elencoCaption(pulsanti::numeri, "numero");
    conferma_ = pulsante(QStringLiteral("Conferma"), "conferma");
    statoParola_ = new QLabel;
    statoParola_->setObjectName(QStringLiteral("statoParola"));
    statoParola_->setWordWrap(true);
    regolaPratica_ = new QLabel;
    regolaPratica_->setObjectName(QStringLiteral("regolaPratica"));
    regolaPratica_->setWordWrap(true);

    auto *gruppo = new QGroupBox(QStringLiteral("Analisi della parola"));
    auto *colonne = new QHBoxLayout(gruppo);
    auto *campi = new QFormLayout;
    campi->addRow(QStringLiteral("Testo"), testoParola_);
    campi->addRow(QStringLiteral("Parte del discorso"), parte_);
    campi->addRow(QStringLiteral("Tipo"), tipo_);
    campi->addRow(QStringLiteral("Genere"), genere_);
    campi->addRow(QStringLiteral("Numero"), numero_);
    campi->addRow(QString(), conferma_);
    colonne->addLayout(campi, 1);
    auto *note = new QVBoxLayout;
    note->addWidget(statoParola_);
    note->addWidget(regolaPratica_);
    note->addStretch();
    colonne->addLayout(note, 1);

    connect(testoParola_, &QLineEdit::editingFinished, this, [this] {
        if (!aggiornando_ && documento_.cambiaTesto(fraseCorrente_, parolaCorrente_, testoParola_->text()))
            aggiorna();
    });
    for (QComboBox *combo : {parte_, tipo_, genere_, numero_})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!aggiornando_)
                annotaDaPannello();
        });
    connect(conferma_, &QPushButton::clicked, this, [this] {
        if (documento_.conferma(fraseCorrente_, parolaCorrente_))
            aggiorna();
        else
            statoParola_->setText(QStringLiteral("Per confermare serve la parte del discorso e, per un articolo, "
                                                 "anche tipo, genere e numero."));
    });
    return gruppo;
}

void FinestraEditor::annotaDaPannello()
{
    Annotazione annotazione{parte_->currentData().toInt(), 0, 0, 0};
    if (annotazione.codice == corpus::Articolo) {
        annotazione.tipo = tipo_->currentData().toInt();
        annotazione.genere = genere_->currentData().toInt();
        annotazione.numero = numero_->currentData().toInt();
    }
    if (documento_.annota(fraseCorrente_, parolaCorrente_, annotazione))
        aggiorna();
}

void FinestraEditor::scegliFrase(int indice)
{
    fraseCorrente_ = documento_.numeroFrasi() == 0 ? -1 : std::clamp(indice, 0, documento_.numeroFrasi() - 1);
    parolaCorrente_ = fraseCorrente_ >= 0 && documento_.frase(fraseCorrente_).numeroParole() > 0 ? 0 : -1;
    aggiorna();
    rigaFrase_->setText(fraseCorrente_ >= 0 ? leggibile(documento_.frase(fraseCorrente_).testi()) : QString());
}

void FinestraEditor::scegliParola(int posizione)
{
    const int parole = fraseCorrente_ >= 0 ? documento_.frase(fraseCorrente_).numeroParole() : 0;
    parolaCorrente_ = parole == 0 ? -1 : std::clamp(posizione, 0, parole - 1);
    aggiorna();
}

void FinestraEditor::aggiorna()
{
    aggiornando_ = true;
    if (fraseCorrente_ >= documento_.numeroFrasi())
        fraseCorrente_ = documento_.numeroFrasi() - 1;
    const int parole = fraseCorrente_ >= 0 ? documento_.frase(fraseCorrente_).numeroParole() : 0;
    if (parolaCorrente_ >= parole)
        parolaCorrente_ = parole - 1;
    const Verifica verifica = documento_.verifica();
    aggiornaFrasi(verifica);
    aggiornaParole(verifica);
    aggiornaAnalisi();
    aggiornaDifetti(verifica);
    statistiche_->setPlainText(corpus::rapporto(documento_.statistiche()));
    azioneProva_->setEnabled(verifica.valida());
    azioneProva_->setToolTip(verifica.valida() ? QStringLiteral("Prova le frasi nel programma, senza salvarle")
                                               : QStringLiteral("Si può provare solo un file senza errori e con "
                                                                "tutte le parole confermate"));
    const QString nome = documento_.percorso.isEmpty() ? QStringLiteral("copia delle frasi incorporate")
                                                       : documento_.percorso;
    setWindowTitle(QStringLiteral("%1%2 — Editor delle frasi").arg(nome, documento_.modificato ? "*" : ""));
    aggiornando_ = false;
}

void FinestraEditor::aggiornaFrasi(const Verifica &verifica)
{
    std::vector<bool> daConfermare(static_cast<std::size_t>(documento_.numeroFrasi()), false);
    for (const auto &parola : verifica.daConfermare)
        daConfermare[static_cast<std::size_t>(parola.frase)] = true;
    elencoFrasi_->clear();
    for (int f = 0; f < documento_.numeroFrasi(); ++f) {
        const auto difetti = verifica.diFrase(f);
        QString testo = QStringLiteral("%1: %2").arg(f).arg(leggibile(documento_.frase(f).testi()));
        auto *voce = new QListWidgetItem(elencoFrasi_);
        if (!difetti.empty()) {
            QStringList messaggi;
            for (const auto *difetto : difetti)
                messaggi << difetto->messaggio;
            voce->setToolTip(messaggi.join(QLatin1Char('\n')));
            voce->setBackground(coloreDifetto);
            testo = QStringLiteral("⚠ ") + testo;
        } else if (daConfermare[static_cast<std::size_t>(f)]) {
            voce->setToolTip(QStringLiteral("Ci sono parole con l'analisi da confermare"));
            voce->setBackground(coloreDaConfermare);
            testo = QStringLiteral("? ") + testo;
        }
        voce->setText(testo);
    }
    elencoFrasi_->setCurrentRow(fraseCorrente_);
    const bool pieno = documento_.numeroFrasi() > corpus::ultimaFrase;
    nuova_->setEnabled(!pieno);
    duplica_->setEnabled(!pieno && fraseCorrente_ >= 0);
    elimina_->setEnabled(fraseCorrente_ >= 0);
    su_->setEnabled(fraseCorrente_ > 0);
    giu_->setEnabled(fraseCorrente_ >= 0 && fraseCorrente_ + 1 < documento_.numeroFrasi());
    limiteFrasi_->setText(documento_.limiteFrasi());
}

void FinestraEditor::aggiornaParole(const Verifica &verifica)
{
    const int numero = fraseCorrente_ >= 0 ? documento_.frase(fraseCorrente_).numeroParole() : 0;
    parole_->setRowCount(numero);
    std::vector<QString> difettiParola(static_cast<std::size_t>(numero));
    QStringList difettiFrase;
    for (const auto *difetto : verifica.diFrase(fraseCorrente_)) {
        if (difetto->posizione >= 0 && difetto->posizione < numero)
            difettiParola[static_cast<std::size_t>(difetto->posizione)] = difetto->messaggio;
        else
            difettiFrase << difetto->messaggio;
    }
    for (int p = 0; p < numero; ++p) {
        const ParolaEditor &parola = documento_.frase(fraseCorrente_).parole[static_cast<std::size_t>(p)];
        const Annotazione &a = parola.annotazione;
        const bool articolo = a.codice == corpus::Articolo;
        QString analisi = parola.confermata ? QStringLiteral("confermata")
                          : a.codice == 0   ? QStringLiteral("da fare")
                                            : QStringLiteral("suggerita: da confermare");
        if (!parola.confermata && formaAmbigua(parola.testo))
            analisi += QStringLiteral(" (forma ambigua)");
        const auto &difetto = difettiParola[static_cast<std::size_t>(p)];
        if (!difetto.isEmpty())
            analisi = difetto;
        const QStringList celle = {QLatin1Char('"') + parola.testo + QLatin1Char('"'),
                                   caption(pulsanti::partiDelDiscorso, a.codice),
                                   articolo ? caption(pulsanti::tipi, a.tipo) : QString(),
                                   articolo ? caption(pulsanti::generi, a.genere) : QString(),
                                   articolo ? caption(pulsanti::numeri, a.numero) : QString(),
                                   analisi};
        for (int c = 0; c < celle.size(); ++c) {
            auto *cella = new QTableWidgetItem(celle[c]);
            if (!difetto.isEmpty())
                cella->setBackground(coloreDifetto);
            else if (!parola.confermata)
                cella->setBackground(coloreDaConfermare);
            parole_->setItem(p, c, cella);
        }
    }
    parole_->resizeColumnsToContents();
    if (parolaCorrente_ >= 0)
        parole_->setCurrentCell(parolaCorrente_, 0);
    QString limite = fraseCorrente_ >= 0 ? documento_.limiteParole(fraseCorrente_) : QString();
    if (!difettiFrase.isEmpty())
        limite += QLatin1Char('\n') + difettiFrase.join(QLatin1Char('\n'));
    limiteParole_->setText(limite);
    rigaFrase_->setEnabled(fraseCorrente_ >= 0);
    dividiFrase_->setEnabled(fraseCorrente_ >= 0);
    unisci_->setEnabled(parolaCorrente_ >= 0 && parolaCorrente_ + 1 < numero);
    dividi_->setEnabled(parolaCorrente_ >= 0
                        && divideFrase(documento_.frase(fraseCorrente_).parole[static_cast<std::size_t>(parolaCorrente_)].testo)
                                   .size() > 1);
    eliminaParola_->setEnabled(parolaCorrente_ >= 0);
    confermaSicuri_->setEnabled(!verifica.daConfermare.empty());
}

void FinestraEditor::aggiornaAnalisi()
{
    const bool c = parolaCorrente_ >= 0;
    for (QWidget *w : std::initializer_list<QWidget *>{testoParola_, parte_, conferma_})
        w->setEnabled(c);
    if (!c) {
        testoParola_->clear();
        for (QComboBox *combo : {parte_, tipo_, genere_, numero_}) {
            combo->setCurrentIndex(0);
            combo->setEnabled(false);
        }
        statoParola_->clear();
        regolaPratica_->clear();
        return;
    }
    const ParolaEditor &parola = documento_.frase(fraseCorrente_).parole[static_cast<std::size_t>(parolaCorrente_)];
    const Annotazione &a = parola.annotazione;
    if (!testoParola_->hasFocus())
        testoParola_->setText(parola.testo);
    scegli(parte_, a.codice);
    scegli(tipo_, a.tipo);
    scegli(genere_, a.genere);
    scegli(numero_, a.numero);
    for (QComboBox *combo : {tipo_, genere_, numero_})
        combo->setEnabled(a.codice == corpus::Articolo);
    conferma_->setEnabled(!parola.confermata);

    const Suggerimento s = documento_.suggerimento(fraseCorrente_, parolaCorrente_);
    QString stato;
    if (parola.confermata)
        stato = QStringLiteral("Analisi confermata.");
    else if (a.codice == 0)
        stato = QStringLiteral("Nessun suggerimento: scegli la parte del discorso.");
    else
        stato = QStringLiteral("Suggerimento, da confermare") +
                (s.occorrenze > 0 ? QStringLiteral(" (la parola compare %1 volte nelle frasi incorporate).").arg(s.occorrenze)
                                  : QStringLiteral(" (dalle forme degli articoli)."));
    const std::optional<Elisione> e = elisione(parola.testo);
    if (a.codice == corpus::Articolo && a.genere == 0 && e)
        stato += QStringLiteral(" Scegli il genere: l'articolo verrà scritto con la forma intera, come «la (l')».");
    else if (a.codice != corpus::Articolo && e && e->intera.isEmpty() && !formaIntera(e->elisa, 2).isEmpty())
        stato += QStringLiteral(" Nel testo si può scrivere anche la forma intera, come «alla (all')».");
    statoParola_->setText(stato);
    regolaPratica_->setText(s.regolaPratica);
}

void FinestraEditor::aggiornaDifetti(const Verifica &verifica)
{
    difetti_->clear();
    for (const auto &difetto : verifica.difetti) {
        auto *voce = new QListWidgetItem(difetto.messaggio, difetti_);
        voce->setData(Qt::UserRole, difetto.frase);
        voce->setData(Qt::UserRole + 1, difetto.posizione);
    }
    for (const auto &parola : verifica.daConfermare) {
        auto *voce = new QListWidgetItem(QStringLiteral("frase %1, posizione %2: \"%3\" — analisi da confermare")
                                             .arg(parola.frase)
                                             .arg(parola.posizione + 1)
                                             .arg(parola.testo),
                                         difetti_);
        voce->setData(Qt::UserRole, parola.frase);
        voce->setData(Qt::UserRole + 1, parola.posizione);
    }
    const auto errori = static_cast<int>(verifica.difetti.size());
    const auto daConfermare = static_cast<int>(verifica.daConfermare.size());
    schede_->setTabText(0, QStringLiteral("Errori (%1)").arg(errori + daConfermare));
    if (verifica.valida())
        esito_->setText(QStringLiteral("Il file rispetta tutte le regole."));
    else
        esito_->setText(QStringLiteral("Errori: %1. Parole da confermare: %2.").arg(errori).arg(daConfermare));
}

void FinestraEditor::caricaIncorporate()
{
    documento_.caricaCorpus(corpus::corpusIncorporato());
    documento_.origine = Origine::Incorporate;
    documento_.percorso.clear();
    scegliFrase(0);
}

void FinestraEditor::apriIniziale(const QString &scelto)
{
    const QString percorso = corpus::fileFrasiInUso(scelto);
    if (percorso.isEmpty() || !apriFile(percorso, scelto.isEmpty() ? Origine::InUso : Origine::Scelto))
        caricaIncorporate();
}

bool FinestraEditor::apriFile(const QString &percorso, Origine origine)
{
    Apertura apertura = editor::apri(percorso);
    switch (apertura.esito) {
    case Apertura::Esito::Rifiutato:
        mostra(QStringLiteral("File non aperto"), QStringLiteral("%1: %2").arg(percorso, apertura.problema));
        return false;
    case Apertura::Esito::Aperto:
        documento_.caricaCorpus(apertura.corpus);
        break;
    case Apertura::Esito::DaRiparare: {
        // The document shows the file only once it is repaired; until then
        // the editor keeps what it had, or the built-in copy.
        if (documento_.numeroFrasi() == 0)
            caricaIncorporate();
        auto *riparazione = new FinestraRiparazione(percorso, apertura.testo, this);
        riparazione->setObjectName(QStringLiteral("riparazione"));
        riparazione->setAttribute(Qt::WA_DeleteOnClose);
        connect(riparazione, &QDialog::accepted, this, [this, riparazione, percorso, origine] {
            documento_.caricaCorpus(*riparazione->corpusRiparato());
            documento_.origine = origine;
            documento_.percorso = percorso;
            documento_.modificato = true;
            scegliFrase(0);
        });
        riparazione->open();
        return true;
    }
    }
    documento_.origine = origine;
    documento_.percorso = percorso;
    scegliFrase(0);
    return true;
}

void FinestraEditor::apri()
{
    if (!puoiAbbandonare())
        return;
    const QString percorso = chiediFileDaAprire();
    if (!percorso.isEmpty())
        apriFile(percorso, Origine::Scelto);
}

bool FinestraEditor::salvaIn(const QString &percorso)
{
    const Salvataggio esito = editor::salva(documento_, percorso);
    mostra(esito.riuscito ? QStringLiteral("Frasi salvate") : QStringLiteral("Frasi non salvate"), esito.messaggio);
    aggiorna();
    return esito.riuscito;
}

bool FinestraEditor::salva()
{
    return salvaIn(destinazioneSalva(documento_));
}

bool FinestraEditor::salvaConNome()
{
    const QString proposta = documento_.percorso.isEmpty() ? QDir::home().filePath(QStringLiteral("frasi.tsv"))
                                                           : documento_.percorso;
    const QString percorso = chiediFileDaSalvare(proposta);
    return !percorso.isEmpty() && salvaIn(percorso);
}

bool FinestraEditor::prova()
{
    if (!documento_.verifica().valida()) {
        mostra(QStringLiteral("Prova"), QStringLiteral("Si può provare solo un file senza errori e con tutte le "
                                                       "parole confermate."));
        return false;
    }
    if (!cartellaProva_)
        cartellaProva_ = std::make_unique<QTemporaryDir>();
    // A file for each trial: a drill started before still has its own.
    const QString copia = cartellaProva_->filePath(QStringLiteral("prova-%1.tsv").arg(++prove_));
    QSaveFile file(copia);
    const QByteArray testo = documento_.testo();
    if (!cartellaProva_->isValid() || !file.open(QIODevice::WriteOnly) || file.write(testo) != testo.size()
        || !file.commit()) {
        mostra(QStringLiteral("Prova"), QStringLiteral("Impossibile scrivere la copia da provare."));
        return false;
    }
    const QString vicino = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("analisi-articoli"));
    const QString programma = QFileInfo(vicino).isExecutable() ? vicino : QStringLiteral("analisi-articoli");
    if (!avviaProgramma(programma, {QStringLiteral("--frasi"), copia})) {
        mostra(QStringLiteral("Prova"), QStringLiteral("Impossibile avviare %1.").arg(programma));
        return false;
    }
    return true;
}

void FinestraEditor::mostra(const QString &titolo, const QString &messaggio)
{
    auto *finestra = new QMessageBox(QMessageBox::Information, titolo, messaggio, QMessageBox::Ok, this);
    finestra->setObjectName(QStringLiteral("messaggio"));
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    finestra->open();
}

bool FinestraEditor::puoiAbbandonare()
{
    if (!documento_.modificato)
        return true;
    QMessageBox domanda(QMessageBox::Question, QStringLiteral("Modifiche non salvate"),
                        QStringLiteral("Le frasi hanno modifiche non salvate. Salvarle?"), QMessageBox::NoButton, this);
    domanda.setObjectName(QStringLiteral("domanda"));
    QPushButton *si = domanda.addButton(QStringLiteral("Salva"), QMessageBox::AcceptRole);
    domanda.addButton(QStringLiteral("Non salvare"), QMessageBox::DestructiveRole);
    QPushButton *annulla = domanda.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    domanda.setDefaultButton(annulla);
    domanda.exec();
    if (domanda.clickedButton() == annulla || domanda.clickedButton() == nullptr)
        return false;
    return domanda.clickedButton() != si || salva();
}

void FinestraEditor::closeEvent(QCloseEvent *evento)
{
    if (puoiAbbandonare())
        evento->accept();
    else
        evento->ignore();
}

}  // namespace editor
