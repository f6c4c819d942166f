// The editor's windows driven as a teacher does, with clicks and keys on the
// offscreen platform: typing and annotating a sentence, saving, the live
// rules, "Prova", closing with unsaved changes, a broken file repaired.

#include "corpus/corpus_incorporato.h"
#include "corpus/file_frasi.h"
#include "editor/finestra_editor.h"
#include "editor/finestra_riparazione.h"
#include "editor/identita.h"
#include "file_prova.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using editor::FinestraEditor;

using prova::leggiTutto;
using prova::scriviFile;

namespace {

void clicSuRiga(QTableWidget *tabella, int riga)
{
    QTest::mouseClick(tabella->viewport(), Qt::LeftButton, {}, tabella->visualItemRect(tabella->item(riga, 0)).center());
}

void clicSuVoce(QListWidget *elenco, int riga)
{
    QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, elenco->visualItemRect(elenco->item(riga)).center());
}

// Presses the button `testo` of the modal question once it shows.
void rispondi(const QString &testo)
{
    QTimer::singleShot(0, [testo] {
        auto *domanda = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(domanda);
        for (QAbstractButton *pulsante : domanda->buttons())
            if (pulsante->text() == testo)
                QTest::mouseClick(pulsante, Qt::LeftButton);
    });
}

}  // namespace

class TestEditorWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dati;
    std::unique_ptr<FinestraEditor> finestra;
    QStringList avviati;  // the command lines "Prova" started

    template <typename T>
    T *trova(const char *nome) const
    {
        T *w = finestra->findChild<T *>(QString::fromLatin1(nome));
        if (!w)
            qFatal("no control %s", nome);
        return w;
    }

    QPushButton *pulsante(const char *nome) const { return trova<QPushButton>(nome); }

    // The message the window shows last, closed once read.
    QString messaggio()
    {
        auto *box = finestra->findChild<QMessageBox *>(QStringLiteral("messaggio"));
        if (!box)
            return {};
        QString testo = box->text();
        box->setObjectName(QString());
        box->close();
        return testo;
    }

    void scriviFrase(const QString &riga)
    {
        QTest::mouseClick(pulsante("nuova"), Qt::LeftButton);
        auto *campo = trova<QLineEdit>("rigaFrase");
        QVERIFY(campo->hasFocus());
        QTest::keyClicks(campo, riga);
        QTest::keyClick(campo, Qt::Key_Return);
    }

    void apriFinestra()
    {
        finestra = std::make_unique<FinestraEditor>();
        finestra->avviaProgramma = [this](const QString &programma, const QStringList &argomenti) {
            avviati << programma + QLatin1Char(' ') + argomenti.join(QLatin1Char(' '));
            return true;
        };
        finestra->show();
        QVERIFY(QTest::qWaitForWindowExposed(finestra.get()));
        QApplication::setActiveWindow(finestra.get());
        finestra->apriIniziale();
    }

    QString fileUtente() const { return dati->filePath(QStringLiteral("utente/analisi-articoli/frasi.tsv")); }

private slots:
    void init()
    {
        dati = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", dati->filePath(QStringLiteral("utente")).toUtf8());
        qputenv("XDG_DATA_DIRS", dati->filePath(QStringLiteral("sistema")).toUtf8());
        avviati.clear();
        apriFinestra();
    }

    void cleanup()
    {
        finestra.reset();  // without the question a close would ask
        dati.reset();
    }

    void opensACopyOfTheBuiltInSentencesWithTheirFigures()
    {
        QCOMPARE(trova<QListWidget>("frasi")->count(), corpus::corpusIncorporato().frasiPiene());
        QVERIFY(finestra->windowTitle().contains(QStringLiteral("copia delle frasi incorporate")));
        QVERIFY(trova<QPlainTextEdit>("statistiche")->toPlainText().contains(QStringLiteral("Parole: 604")));
        QCOMPARE(trova<QLabel>("esito")->text(), QStringLiteral("Il file rispetta tutte le regole."));
    }

    void hasItsOwnMenuEntryAndTheProgramsIcon()
    {
        const auto voce = [](const char *file, const QString &chiave) {
            for (const QByteArray &riga : leggiTutto(QString::fromUtf8(file)).split('\n'))
                if (riga.startsWith(chiave.toUtf8() + '='))
                    return QString::fromUtf8(riga.mid(chiave.size() + 1));
            return QString();
        };
        QCOMPARE(QGuiApplication::desktopFileName() + QLatin1String(".desktop"),
                 QFileInfo(QStringLiteral(DESKTOP_EDITOR)).fileName());
        QCOMPARE(voce(DESKTOP_EDITOR, QStringLiteral("Name")), QStringLiteral("Editor delle frasi"));
        QVERIFY(voce(DESKTOP_EDITOR, QStringLiteral("Categories")).startsWith(QStringLiteral("Education;")));
        QCOMPARE(voce(DESKTOP_EDITOR, QStringLiteral("StartupWMClass")), QCoreApplication::applicationName());
        QCOMPARE(voce(DESKTOP_EDITOR, QStringLiteral("Icon")), voce(DESKTOP_PROGRAMMA, QStringLiteral("Icon")));
        QVERIFY(!finestra->windowIcon().availableSizes().isEmpty());
    }

    void opensTheFileTheDrillUsesFirst()
    {
        const QString sistema = dati->filePath(QStringLiteral("sistema/analisi-articoli/frasi.tsv"));
        scriviFile(sistema, "0\t1\t\"Il \"\t1\t1\t1\t1\n0\t2\t\"cane.\"\t2\n");
        apriFinestra();
        QCOMPARE(finestra->documento().percorso, sistema);
        QCOMPARE(trova<QListWidget>("frasi")->count(), 1);
        // A system file is saved into the user's folder, which the drill reads first.
        QTest::keyClick(finestra.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(messaggio().contains(QStringLiteral("cartella dei dati dell'utente")), "no message");
        QCOMPARE(corpus::fileFrasiInUso(), fileUtente());
        QCOMPARE(leggiTutto(sistema), QByteArray("0\t1\t\"Il \"\t1\t1\t1\t1\n0\t2\t\"cane.\"\t2\n"));
    }

    void typesAnnotatesAndSavesASentence()
    {
        scriviFrase(QStringLiteral("L'isola e il mare."));
        auto *parole = trova<QTableWidget>("parole");
        QCOMPARE(parole->rowCount(), 5);
        QCOMPARE(parole->item(0, 0)->text(), QStringLiteral("\"L' \""));
        QTest::mouseClick(pulsante("confermaSicuri"), Qt::LeftButton);
        const auto &frase = finestra->documento().frase(1);
        for (int p = 1; p < 5; ++p)
            QVERIFY(frase.parole[static_cast<std::size_t>(p)].confermata);

        // The elided article waits for its gender, with the rule beside it.
        clicSuRiga(parole, 0);
        QVERIFY(!frase.parole[0].confermata);
        QVERIFY(trova<QLabel>("regolaPratica")->text().contains(QStringLiteral("genere")));
        auto *genere = trova<QComboBox>("genere");
        genere->setFocus();
        QTest::keyClick(genere, Qt::Key_Down);
        QTest::keyClick(genere, Qt::Key_Down);
        QCOMPARE(genere->currentText(), QStringLiteral("Femminile"));
        QCOMPARE(finestra->documento().frase(1).parole[0].testo, QStringLiteral("La (L') "));
        QVERIFY(finestra->documento().frase(1).parole[0].confermata);
        QCOMPARE(trova<QListWidget>("frasi")->item(1)->text(), QStringLiteral("1: L'isola e il mare."));

        QTest::keyClick(finestra.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(messaggio().contains(fileUtente()));
        QVERIFY(leggiTutto(fileUtente()).contains("1\t1\t\"La (L') \"\t1\t1\t2\t1\n"));
        QVERIFY(!finestra->windowTitle().contains(QLatin1Char('*')));
    }

    void saveListsTheWordsStillToConfirm()
    {
        scriviFrase(QStringLiteral("Il nonno prepara del pane."));
        QTest::mouseClick(pulsante("confermaSicuri"), Qt::LeftButton);
        clicSuRiga(trova<QTableWidget>("parole"), 3);
        QVERIFY(trova<QLabel>("regolaPratica")->text().contains(QStringLiteral("un po' di")));
        QTest::keyClick(finestra.get(), Qt::Key_S, Qt::ControlModifier);
        const QString testo = messaggio();
        QVERIFY2(testo.contains(QStringLiteral("frase 1, posizione 4: \"del \"")), qPrintable(testo));
        QVERIFY(!QFile::exists(fileUtente()));

        QTest::mouseClick(pulsante("conferma"), Qt::LeftButton);
        QTest::keyClick(finestra.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(messaggio().contains(QStringLiteral("salvate")));
        QVERIFY(QFile::exists(fileUtente()));
    }

    void aSentenceBreakingARuleSaysWhichAndCannotBeTried()
    {
        scriviFrase(QStringLiteral("Nonno dormiva."));
        QTest::mouseClick(pulsante("confermaSicuri"), Qt::LeftButton);
        const QListWidgetItem *voce = trova<QListWidget>("frasi")->item(1);
        QVERIFY(voce->text().startsWith(QStringLiteral("⚠")));
        QVERIFY2(voce->toolTip().contains(QStringLiteral("regola 6, ogni frase contiene almeno un articolo")),
                 qPrintable(voce->toolTip()));
        QVERIFY(trova<QListWidget>("difetti")->item(0)->text().startsWith(QStringLiteral("frase 1")));
        QTest::keyClick(finestra.get(), Qt::Key_F5);
        QVERIFY(avviati.isEmpty());
    }

    void provaStartsTheDrillOnATemporaryCopyWithoutSaving()
    {
        QTest::mouseClick(pulsante("duplica"), Qt::LeftButton);
        QTest::mouseClick(finestra->findChild<QWidget *>(QStringLiteral("Prova")), Qt::LeftButton);
        QCOMPARE(avviati.size(), 1);
        const QStringList parti = avviati[0].split(QLatin1Char(' '));
        QVERIFY(parti[0].endsWith(QStringLiteral("analisi-articoli")));
        QCOMPARE(parti[1], QStringLiteral("--frasi"));
        QCOMPARE(leggiTutto(parti[2]), finestra->documento().testo());
        QVERIFY(finestra->documento().modificato);
        QVERIFY(!QFile::exists(fileUtente()));
    }

    void reordersJoinsAndSplits()
    {
        auto *frasi = trova<QListWidget>("frasi");
        const QString prima = frasi->item(0)->text().mid(3);
        clicSuVoce(frasi, 1);
        QTest::mouseClick(pulsante("su"), Qt::LeftButton);
        QCOMPARE(frasi->item(1)->text().mid(3), prima);
        QTest::mouseClick(pulsante("elimina"), Qt::LeftButton);
        QCOMPARE(frasi->count(), corpus::corpusIncorporato().frasiPiene() - 1);

        clicSuVoce(frasi, 24);  // "Oggi ho comperato delle mele, ..."
        auto *parole = trova<QTableWidget>("parole");
        const int numero = parole->rowCount();
        clicSuRiga(parole, 1);
        QTest::mouseClick(pulsante("dividi"), Qt::LeftButton);
        QCOMPARE(parole->rowCount(), numero + 1);
        QTest::mouseClick(pulsante("unisci"), Qt::LeftButton);
        QCOMPARE(parole->rowCount(), numero);
        QCOMPARE(parole->item(1, 1)->text(), QStringLiteral("Verbo"));
    }

    void closingWithUnsavedChangesAsks()
    {
        QTest::mouseClick(pulsante("duplica"), Qt::LeftButton);
        rispondi(QStringLiteral("Annulla"));
        QVERIFY(!finestra->close());
        QVERIFY(finestra->isVisible());
        rispondi(QStringLiteral("Non salvare"));
        QVERIFY(finestra->close());
        QVERIFY(!QFile::exists(fileUtente()));
    }

    void aBrokenFileIsRepairedInTheEditor()
    {
        const QString rotto = dati->filePath(QStringLiteral("rotto.tsv"));
        scriviFile(rotto, "0\t1\t\"Il \"\t1\t1\t1\t1\n"
                          "0\t2\t\"cane.\"\t2\n"
                          "1\t1\t\"Un \"\t1\t2\t1\t2\n"
                          "1\t2\t\"gatto.\"\t2\t1\n");
        QVERIFY(finestra->apriFile(rotto, editor::Origine::Scelto));
        auto *riparazione = finestra->findChild<editor::FinestraRiparazione *>(QStringLiteral("riparazione"));
        QVERIFY(riparazione && riparazione->isVisible());
        QCOMPARE(riparazione->errori()->count(), 2);
        QVERIFY(riparazione->errori()->item(0)->text().startsWith(QStringLiteral("linea 3")));
        QVERIFY(!riparazione->usa()->isEnabled());

        // A click on a fault selects its line; what is typed replaces it.
        clicSuVoce(riparazione->errori(), 0);
        QTest::keyClicks(riparazione->testo(), QStringLiteral("1\t1\t\"Un \"\t1\t2\t1\t1"));
        QCOMPARE(riparazione->errori()->count(), 1);
        clicSuVoce(riparazione->errori(), 0);
        QTest::keyClicks(riparazione->testo(), QStringLiteral("1\t2\t\"gatto.\"\t2"));
        QCOMPARE(riparazione->errori()->count(), 0);
        QTest::mouseClick(riparazione->usa(), Qt::LeftButton);

        QCOMPARE(finestra->documento().numeroFrasi(), 2);
        QCOMPARE(finestra->documento().percorso, rotto);
        QVERIFY(finestra->windowTitle().contains(QStringLiteral("rotto.tsv*")));
        QTest::keyClick(finestra.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(corpus::leggiFile(rotto).valido());
        QVERIFY(leggiTutto(rotto + ".bak").contains("\t2\t1\n"));
    }

    void refusesAFileOverTheSizeLimit()
    {
        QString grande = dati->filePath(QStringLiteral("grande.tsv"));
        scriviFile(grande, QByteArray(corpus::maxByteFile + 1, '#'));
        finestra->chiediFileDaAprire = [&grande] { return grande; };
        QTest::keyClick(finestra.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(messaggio().contains(QStringLiteral("1 MiB")));
        QCOMPARE(trova<QListWidget>("frasi")->count(), corpus::corpusIncorporato().frasiPiene());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    preparaEditor();
    TestEditorWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_editor_window.moc"
