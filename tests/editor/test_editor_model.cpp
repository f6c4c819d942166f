// The editor's model without windows: splitting a typed sentence, joining and
// splitting positions, elided articles, the suggestions, the reader's rules
// live, saving, the round trip of the built-in file and a broken file repaired.

#include "corpus/corpus_incorporato.h"
#include "corpus/file_frasi.h"
#include "editor/documento.h"
#include "editor/parole.h"
#include "file_prova.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using editor::Annotazione;

Q_DECLARE_METATYPE(editor::Annotazione)
using editor::Documento;

using prova::leggiTutto;
using prova::scriviFile;

namespace {

QByteArrayList lineeDiParole(const QByteArray &file)
{
    QByteArrayList linee;
    for (const QByteArray &linea : file.split('\n'))
        if (!linea.isEmpty() && !linea.startsWith('#'))
            linee << linea;
    return linee;
}

}  // namespace

class TestEditorModel : public QObject
{
    Q_OBJECT

    editor::Suggeritore suggeritore{corpus::corpusIncorporato()};
    QTemporaryDir dati;

    // A document with one sentence typed on one line.
    Documento conFrase(const QString &riga)
    {
        Documento documento(suggeritore);
        documento.aggiungiFrase(0);
        documento.scriviFrase(0, riga);
        return documento;
    }

    static QStringList difetti(const Documento &documento)
    {
        QStringList messaggi;
        for (const auto &difetto : documento.verifica().difetti)
            messaggi << difetto.messaggio;
        return messaggi;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dati.isValid());
        qputenv("XDG_DATA_HOME", dati.filePath(QStringLiteral("utente")).toUtf8());
        qputenv("XDG_DATA_DIRS", dati.filePath(QStringLiteral("sistema")).toUtf8());
    }

    void splitsATypedSentence_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QStringList>("parole");
        QTest::newRow("blanks typed become trailing blanks")
            << "Le  nubi sul mare." << QStringList{"Le  ", "nubi ", "sul ", "mare."};
        QTest::newRow("punctuation joins the word before")
            << "la torta , che mangeremo ?" << QStringList{"la ", "torta, ", "che ", "mangeremo?"};
        QTest::newRow("elided words, typographic apostrophe too")
            << QString::fromUtf8("l'acqua e l\u2019isola") << QStringList{"l' ", "acqua ", "e ", "l' ", "isola"};
        QTest::newRow("a full form stays one word")
            << "la (l') isola sulla ( sull') erba" << QStringList{"la (l') ", "isola ", "sulla ( sull') ", "erba"};
        QTest::newRow("at most six trailing blanks") << "a          b" << QStringList{"a      ", "b"};
        QTest::newRow("an apostrophe at the end stays") << "un po' di latte"
                                                        << QStringList{"un ", "po' ", "di ", "latte"};
    }
    void splitsATypedSentence()
    {
        QFETCH(QString, riga);
        QFETCH(QStringList, parole);
        QCOMPARE(editor::divideFrase(riga), parole);
    }

    void writesTheFullFormOfAnElidedWord_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("genere");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("l' feminine") << "l' " << 2 << "la (l') ";
        QTest::newRow("L' masculine keeps the capital") << "L'" << 1 << "Lo (L')";
        QTest::newRow("un' only feminine") << "un' " << 2 << "una (un') ";
        QTest::newRow("un' has no masculine") << "un'" << 1 << "un'";
        QTest::newRow("the gender changes again") << "la (l')   " << 1 << "lo (l')   ";
        QTest::newRow("the inner blank is kept") << "sulla ( sull')" << 2 << "sulla ( sull')";
        QTest::newRow("not elided") << "casa " << 2 << "casa ";
    }
    void writesTheFullFormOfAnElidedWord()
    {
        QFETCH(QString, testo);
        QFETCH(int, genere);
        QFETCH(QString, atteso);
        QCOMPARE(editor::testoConGenere(testo, genere), atteso);
    }

    void elidedArticleTakesItsFormOnceTheGenderIsConfirmed()
    {
        Documento documento = conFrase(QStringLiteral("L'acqua è fresca."));
        const editor::ParolaEditor &articolo = documento.frase(0).parole[0];
        QCOMPARE(articolo.testo, QStringLiteral("L' "));
        QCOMPARE(articolo.annotazione, (Annotazione{1, 1, 0, 1}));  // the gender is the noun's
        QVERIFY(!documento.conferma(0, 0));
        QVERIFY(documento.annota(0, 0, {1, 1, 2, 1}));
        QCOMPARE(documento.frase(0).parole[0].testo, QStringLiteral("La (L') "));
        QVERIFY(documento.frase(0).parole[0].confermata);
        QCOMPARE(editor::leggibile(documento.frase(0).testi()), QString::fromUtf8("L'acqua è fresca."));
    }

    void joinsAndSplitsPositions()
    {
        Documento documento = conFrase(QStringLiteral("Oggi ho comperato delle mele."));
        QVERIFY(documento.unisci(0, 1));
        QCOMPARE(documento.frase(0).testi(), (QStringList{"Oggi ", "ho comperato ", "delle ", "mele."}));
        QCOMPARE(documento.frase(0).parole[1].annotazione.codice, 5);  // as in the built-in sentence 25
        QVERIFY(!documento.unisci(0, 3));  // nothing after the last word
        QVERIFY(documento.dividi(0, 1));
        QCOMPARE(documento.frase(0).testi(), (QStringList{"Oggi ", "ho ", "comperato ", "delle ", "mele."}));
        QVERIFY(!documento.dividi(0, 0));
    }

    void suggests_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<Annotazione>("annotazione");
        QTest::addColumn<bool>("sicuro");
        QTest::addColumn<QString>("regola");
        QTest::newRow("article of the built-in file") << "Il   " << Annotazione{1, 1, 1, 1} << true << "";
        QTest::newRow("noun with punctuation") << "mare," << Annotazione{2, 0, 0, 0} << true << "";
        QTest::newRow("compound verb") << "ho comperato" << Annotazione{5, 0, 0, 0} << true << "";
        QTest::newRow("article form only") << "uno " << Annotazione{1, 2, 1, 1} << true << "";
        QTest::newRow("unknown word") << "zebra" << Annotazione{} << false << "";
        QTest::newRow("del") << "del " << Annotazione{1, 3, 1, 1} << false << "un po' di";
        QTest::newRow("dell' prepositional") << "dell'" << Annotazione{7, 0, 0, 0} << false << "alcuni/alcune";
        QTest::newRow("l' without gender") << "l'" << Annotazione{1, 1, 0, 1} << false << "pronome";
        QTest::newRow("le") << "le " << Annotazione{1, 1, 2, 2} << false << "pronome";
        QTest::newRow("una") << "una" << Annotazione{1, 2, 2, 1} << false << "numerale";
        QTest::newRow("che") << "che " << Annotazione{4, 0, 0, 0} << false << "pronome";
    }
    void suggests()
    {
        QFETCH(QString, testo);
        QFETCH(Annotazione, annotazione);
        QFETCH(bool, sicuro);
        QFETCH(QString, regola);
        const editor::Suggerimento s = suggeritore.suggerisci(testo);
        QCOMPARE(s.annotazione, annotazione);
        QCOMPARE(s.sicuro, sicuro);
        QCOMPARE(s.regolaPratica.isEmpty(), regola.isEmpty());
        QVERIFY2(s.regolaPratica.contains(regola), qPrintable(s.regolaPratica));
    }

    void ambiguousFormsAreNeverConfirmedAutomatically()
    {
        Documento documento = conFrase(QStringLiteral("Il nonno dello zio prepara del pane e lo porta a un amico che gli dà"));
        documento.aggiungiFrase(1);
        documento.scriviFrase(1, QStringLiteral("della farina, degli spinaci, dei limoni, delle uova, l'acqua, una mela e le noci."));
        documento.confermaSuggerimentiSicuri();
        QStringList daConfermare;
        for (const auto &parola : documento.verifica().daConfermare)
            daConfermare << editor::chiave(parola.testo);
        for (const char *forma : {"dello", "del", "lo", "un", "che", "gli", "della", "degli", "dei", "delle", "l'",
                                  "una", "le"})
            QVERIFY2(daConfermare.contains(QLatin1String(forma)), forma);
        QVERIFY(!daConfermare.contains(QStringLiteral("il")));
        QVERIFY(!daConfermare.contains(QStringLiteral("nonno")));
    }

    void checksTheReadersRulesLive_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<int>("posizione");  // word to annotate, -1 none
        QTest::addColumn<Annotazione>("annotazione");
        QTest::addColumn<QString>("regola");
        QTest::newRow("valid") << "Il nonno dormiva." << -1 << Annotazione{} << "";
        QTest::newRow("no article") << "Il nonno dormiva." << 0 << Annotazione{2, 0, 0, 0} << "regola 6";
        QTest::newRow("ends with an article") << "Dormiva il" << -1 << Annotazione{} << "regola 7";
        QTest::newRow("plural indefinite") << "Il nonno dormiva." << 0 << Annotazione{1, 2, 1, 2} << "regola 5";
        QTest::newRow("no part of speech") << "Il nonno zzzz." << -1 << Annotazione{} << "regola 2";
        QTest::newRow("a quote in the text") << "Il \"nonno\" dormiva." << -1 << Annotazione{} << "regola 0";
        QTest::newRow("no words") << "" << -1 << Annotazione{} << "regola 1";
    }
    void checksTheReadersRulesLive()
    {
        QFETCH(QString, riga);
        QFETCH(int, posizione);
        QFETCH(Annotazione, annotazione);
        QFETCH(QString, regola);
        Documento documento = conFrase(riga);
        documento.confermaSuggerimentiSicuri();
        if (posizione >= 0)
            documento.annota(0, posizione, annotazione);
        const QStringList messaggi = difetti(documento);
        if (regola.isEmpty()) {
            QVERIFY2(messaggi.isEmpty(), qPrintable(messaggi.join('\n')));
            return;
        }
        QVERIFY2(messaggi.size() == 1, qPrintable(messaggi.join(QLatin1Char('\n'))));
        QVERIFY2(messaggi[0].startsWith(QStringLiteral("frase 0")), qPrintable(messaggi[0]));
        QVERIFY2(messaggi[0].contains(regola), qPrintable(messaggi[0]));
        QCOMPARE(documento.verifica().diFrase(0).size(), std::size_t{1});
    }

    void saysALimitBeforeItIsReached()
    {
        Documento documento(suggeritore);
        for (int i = 0; i < 97; ++i)
            QVERIFY(documento.aggiungiFrase(i));
        QVERIFY(documento.limiteFrasi().contains(QStringLiteral("ancora 4")));
        for (int i = 97; i < 101; ++i)
            QVERIFY(documento.aggiungiFrase(i));
        QVERIFY(documento.limiteFrasi().contains(QStringLiteral("è il massimo")));
        QVERIFY(!documento.aggiungiFrase(101));
        QVERIFY(!documento.duplicaFrase(0));

        const QString ventuno = QStringLiteral("la ").repeated(20) + QStringLiteral("fine");
        QVERIFY(documento.scriviFrase(0, ventuno));
        QVERIFY(documento.limiteParole(0).contains(QStringLiteral("ancora una")));
        QVERIFY(Documento::limiteParoleRiga(ventuno + " e basta").contains(QStringLiteral("troppe")));
        QVERIFY(!documento.scriviFrase(0, ventuno + " e basta"));
        QVERIFY(documento.unisci(0, 0));  // 20 positions
        QVERIFY(documento.cambiaTesto(0, 19, QStringLiteral("fine e basta qui")));
        QVERIFY(!documento.dividi(0, 19));  // would make 23
        QVERIFY(documento.cambiaTesto(0, 19, QStringLiteral("fine e basta")));
        QVERIFY(documento.dividi(0, 19));
        QCOMPARE(documento.frase(0).numeroParole(), 22);
    }

    void savesOnlyAValidFileAtomicallyWithABackup()
    {
        Documento documento = conFrase(QStringLiteral("Il nonno prepara del pane."));
        const QString percorso = dati.filePath(QStringLiteral("salvato.tsv"));
        scriviFile(percorso, "vecchio\n");
        editor::Salvataggio esito = editor::salva(documento, percorso);
        QVERIFY(!esito.riuscito);
        QVERIFY2(esito.messaggio.contains(QStringLiteral("frase 0, posizione 4: \"del \"")), qPrintable(esito.messaggio));
        QCOMPARE(leggiTutto(percorso), QByteArray("vecchio\n"));

        documento.confermaSuggerimentiSicuri();
        QVERIFY(documento.conferma(0, 3));
        esito = editor::salva(documento, percorso);
        QVERIFY2(esito.riuscito, qPrintable(esito.messaggio));
        QCOMPARE(leggiTutto(percorso), documento.testo());
        QCOMPARE(leggiTutto(percorso + ".bak"), QByteArray("vecchio\n"));
        QVERIFY(corpus::leggiFile(percorso).valido());
        QVERIFY(!documento.modificato);
    }

    void saveOfTheBuiltInCopyOrASystemFileGoesToTheUsersFolder()
    {
        Documento documento(suggeritore);
        documento.caricaCorpus(corpus::corpusIncorporato());
        QCOMPARE(editor::destinazioneSalva(documento), corpus::fileFrasiUtente());
        documento.origine = editor::Origine::InUso;
        documento.percorso = dati.filePath(QStringLiteral("sistema/analisi-articoli/frasi.tsv"));
        QCOMPARE(editor::destinazioneSalva(documento), corpus::fileFrasiUtente());
        const editor::Salvataggio esito = editor::salva(documento, editor::destinazioneSalva(documento));
        QVERIFY2(esito.messaggio.contains(QStringLiteral("cartella dei dati dell'utente")), qPrintable(esito.messaggio));
        QCOMPARE(corpus::fileFrasiInUso(), corpus::fileFrasiUtente());
        QVERIFY(QFile::remove(corpus::fileFrasiUtente()));
    }

    void theBuiltInFileKeepsEverySentenceLine()
    {
        const editor::Apertura apertura = editor::apri(QStringLiteral(FILE_FRASI));
        QCOMPARE(apertura.esito, editor::Apertura::Esito::Aperto);
        Documento documento(suggeritore);
        documento.caricaCorpus(apertura.corpus);
        const QString percorso = dati.filePath(QStringLiteral("giro.tsv"));
        QVERIFY(editor::salva(documento, percorso).riuscito);
        const QByteArray originale = leggiTutto(QStringLiteral(FILE_FRASI));
        QCOMPARE(lineeDiParole(leggiTutto(percorso)), lineeDiParole(originale));
        // The comments are written again, and come out as the file has them.
        QCOMPARE(leggiTutto(percorso), originale);
    }

    void aBrokenFileOpensWithEveryFaultAndIsRepaired()
    {
        const QString percorso = dati.filePath(QStringLiteral("rotto.tsv"));
        scriviFile(percorso, "0\t1\t\"Il \"\t1\t1\t1\t1\n"
                             "0\t2\t\"cane.\"\t2\t\t\t\n"
                             "1\t1\t\"Un \"\t1\t2\t1\t2\n"
                             "1\t2\t\"gatto.\"\t2\t1\t\t\n");
        const editor::Apertura apertura = editor::apri(percorso);
        QCOMPARE(apertura.esito, editor::Apertura::Esito::DaRiparare);
        QCOMPARE(apertura.errori.size(), std::size_t{2});
        QCOMPARE(apertura.errori[0].linea, 3);
        QCOMPARE(apertura.errori[1].linea, 4);
        QString testo = apertura.testo;
        testo.replace(QStringLiteral("\t2\t1\t2\n"), QStringLiteral("\t2\t1\t1\n"));
        QVERIFY(!editor::verificaTesto(testo).valido());
        testo.replace(QStringLiteral("\t2\t1\t\t\n"), QStringLiteral("\t2\t\t\t\n"));
        const corpus::Risultato riparato = editor::verificaTesto(testo);
        QVERIFY(riparato.valido());
        Documento documento(suggeritore);
        documento.caricaCorpus(*riparato.corpus);
        QCOMPARE(documento.numeroFrasi(), 2);
        QVERIFY(editor::salva(documento, percorso).riuscito);
    }

    void refusesAFileOverTheSizeLimit()
    {
        const QString percorso = dati.filePath(QStringLiteral("grande.tsv"));
        scriviFile(percorso, QByteArray(corpus::maxByteFile + 1, '#'));
        const editor::Apertura apertura = editor::apri(percorso);
        QCOMPARE(apertura.esito, editor::Apertura::Esito::Rifiutato);
        QVERIFY2(apertura.problema.contains(QStringLiteral("1 MiB")), qPrintable(apertura.problema));
    }
};

QTEST_GUILESS_MAIN(TestEditorModel)
#include "test_editor_model.moc"
