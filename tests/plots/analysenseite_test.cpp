// The analysis page driven through its controls: selection by mouse and keyboard, typed values and
// their sentences, storing, the sampling date, the layout pass.
#include "frame/frmtoolbar.h"
#include "frame/mdizentral.h"
#include "seitenfixture.h"
#include "services/server.h"

#include <QKeyEvent>
#include <QLabel>
#include <QRandomGenerator>
#include <QLineEdit>

using namespace kav;

namespace {

const QString kEingabe = "Geben Sie rechts die Analysenwerte ein für: ";
const QString kWerte = "Analysenwerte für die Fläche: ";
const QString kAuswahl = "Wählen Sie eine Fläche aus oder geben Sie eine neue Fläche ein.";

class AnalysenSeiteTest : public test::SeitenTest {
protected:
    // Garten (group) > Beet (plot, analysis of 18.04.2024) and Rasen (plot at the top).
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            gruppe("Fl1000", "Garten");
            flaeche("Fl1001", "Beet", 1000, true, 4, 2.5, 1, 2);
            flaeche("Fl1002", "Rasen", 0, true, 10, 6, 0, 4);
            analyse("An1000", "Fl1001", QDate(2024, 4, 18), 1, 4, 3, 12, 15, 8, 6.5);
        }));
    }

    bool eingabeFrei() const
    {
        bool alle = true, keins = true;
        for (QWidget* x : std::initializer_list<QWidget*>{seite->cobBodenart(), seite->dtpProbenahme(), seite->cmbSpeichern(),
                                                          seite->cmbSenden(), seite->cmbWeiter(), seite->imgBodenart(0),
                                                          seite->lblBodenart(2), seite->lblEinheit(3), seite->txtWert(2),
                                                          seite->txtWert(6)}) {
            alle = alle && x->isEnabled();
            keins = keins && !x->isEnabled();
        }
        EXPECT_TRUE(alle || keins) << "teils frei, teils gesperrt";
        return alle;
    }
    QStringList werte() const
    {
        QStringList l;
        for (int i = 2; i <= 6; ++i)
            l << seite->txtWert(i)->text();
        return l;
    }
    QStringList saetze() const
    {
        QStringList l;
        for (int i = 0; i <= 4; ++i)
            l << seite->lblEinstufung(i)->text();
        return l;
    }
    QString bodenBilder() const
    {
        QString s;
        for (int i = 0; i <= 2; ++i)
            s += seite->imgBodenart(i)->schluessel() == "opb1" ? "1" : "0";
        return s;
    }
    // Nothing on the page: values, sentences, soil group, soil type.
    void erwarteLeer()
    {
        EXPECT_EQ(werte(), QStringList({"", "", "", "", ""}));
        EXPECT_EQ(saetze(), QStringList({"", "", "", "", ""}));
        EXPECT_EQ(w().intBodenart, 4);
        EXPECT_EQ(bodenBilder(), "000");
        EXPECT_EQ(seite->cobBodenart()->currentIndex(), -1);
    }
};

} // namespace

TEST_F(AnalysenSeiteTest, LadenOhneAuswahlSperrtDieEingabe)
{
    EXPECT_FALSE(eingabeFrei());
    EXPECT_EQ(seite->lblFlaeche()->text(), kAuswahl);
    EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2026, 12, 6)); // today of the program's clock
    EXPECT_EQ(seite->cobBodenart()->count(), 7);
    EXPECT_EQ(seite->cobBodenart()->itemText(1), "schwach lehmiger Sand (l'S)");
    EXPECT_EQ(seite->cobBodenart()->currentIndex(), -1);
    erwarteLeer();
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
}

TEST_F(AnalysenSeiteTest, MausauswahlSetztNummernUndFreigabe)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl0"));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl0");
    EXPECT_EQ(w().strAktGruppierungNr, "0");
    EXPECT_FALSE(eingabeFrei());
    EXPECT_EQ(seite->lblFlaeche()->text(), kAuswahl);

    ASSERT_NO_FATAL_FAILURE(klicken("Fl1000"));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1000");
    EXPECT_EQ(w().strAktGruppierungNr, "1000");
    EXPECT_EQ(w().strAktAnalysenNr, "x");
    EXPECT_FALSE(eingabeFrei());

    // a plot without an analysis on the picker's date: empty page, heading with its name
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    EXPECT_TRUE(eingabeFrei());
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1001");
    EXPECT_EQ(w().strAktGruppierungNr, "1000");
    EXPECT_EQ(w().strAktAnalysenNr, "x");
    EXPECT_FLOAT_EQ(w().sngFlaecheGroesse, 10.0f);
    EXPECT_EQ(w().intFlaecheNutzung, 2);
    EXPECT_EQ(w().intFlaecheKompost, 1);
    EXPECT_EQ(seite->lblFlaeche()->text(), kEingabe + "Beet");
    erwarteLeer();

    // an analysis: its date, values, soil group and soil type, rated
    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    EXPECT_TRUE(eingabeFrei());
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1001");
    EXPECT_EQ(w().strAktGruppierungNr, "1000");
    EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2024, 4, 18));
    EXPECT_EQ(seite->lblFlaeche()->text(), kWerte + "Beet");
    EXPECT_EQ(werte(), QStringList({"3", "12", "15", "8", "6,5"}));
    EXPECT_EQ(w().intBodenart, 1);
    EXPECT_EQ(bodenBilder(), "010");
    EXPECT_EQ(seite->cobBodenart()->currentIndex(), 3);
    EXPECT_EQ(saetze(), QStringList({"Ihr Boden ist schwach mit org. Substanz versorgt.",
                                     "Ihr Boden ist optimal mit Phosphat versorgt.",
                                     "Ihr Boden ist optimal mit Kalium versorgt.",
                                     "Ihr Boden ist schwach mit Magnesium versorgt.",
                                     "Der pH-Wert ihres Bodens ist optimal."}));

    // now the picker stands on 18.04.2024: clicking the plot shows that analysis
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    EXPECT_EQ(w().strAktGruppierungNr, "0");
    EXPECT_EQ(w().strAktAnalysenNr, "x");
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(seite->lblFlaeche()->text(), kWerte + "Beet");
    EXPECT_EQ(werte()[4], "6,5");

    // back on a group: the page forgets the soil group as well
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1000"));
    erwarteLeer();
    EXPECT_FALSE(eingabeFrei());
}

TEST_F(AnalysenSeiteTest, TastaturauswahlTutWasEinKlickTut)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl0"));
    ASSERT_NO_FATAL_FAILURE(perTasteZu("Fl1000"));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1000");
    EXPECT_EQ(w().strAktGruppierungNr, "1000");
    EXPECT_FALSE(eingabeFrei());

    ASSERT_NO_FATAL_FAILURE(perTasteZu("An1000"));
    EXPECT_TRUE(eingabeFrei());
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2024, 4, 18));
    EXPECT_EQ(werte()[0], "3");

    // to the other plot: its own numbers, no values of the first plot left behind
    ASSERT_NO_FATAL_FAILURE(perTasteZu("Fl1002"));
    EXPECT_TRUE(eingabeFrei());
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1002");
    EXPECT_EQ(w().strAktGruppierungNr, "0");
    EXPECT_EQ(w().strAktAnalysenNr, "x");
    EXPECT_FLOAT_EQ(w().sngFlaecheGroesse, 60.0f);
    EXPECT_EQ(w().intFlaecheNutzung, 4);
    EXPECT_EQ(w().intFlaecheKompost, 0);
    EXPECT_EQ(seite->lblFlaeche()->text(), kEingabe + "Rasen");
    erwarteLeer();

    // a store after the keyboard move goes to the plot shown
    tippen(seite->txtWert(2), "2");
    tippen(seite->txtWert(3), "20");
    tippen(seite->txtWert(4), "20");
    tippen(seite->txtWert(6), "6");
    QTest::mouseClick(seite->lblBodenart(2), Qt::LeftButton);
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 1);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1001'"), 1);
    EXPECT_EQ(wert("SELECT Bodenart FROM AnalysenID WHERE AnalysenNr = 'An1001'").toInt(), 2);

    // keys that do not move the selection leave typed values alone
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    tippen(seite->txtWert(2), "7");
    trv->setFocus();
    QTest::keyClick(trv, Qt::Key_Shift);
    EXPECT_EQ(seite->txtWert(2)->text(), "7");
}

TEST_F(AnalysenSeiteTest, GetippteWerteUndBodenartZeigenDieSaetze)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    tippen(seite->txtWert(2), "3");
    tippen(seite->txtWert(3), "12");
    tippen(seite->txtWert(4), "25");
    tippen(seite->txtWert(5), "8");
    // the pH sentence comes as the third character is typed, before the field is left
    tippen(seite->txtWert(6), "6,5");
    EXPECT_TRUE(seite->txtWert(6)->hasFocus());
    // no soil group yet: organic matter and phosphate only
    EXPECT_EQ(saetze(), QStringList({"Ihr Boden ist schwach mit org. Substanz versorgt.",
                                     "Ihr Boden ist optimal mit Phosphat versorgt.", "", "", ""}));

    // soil type "schluffiger Lehm" (position 4): medium
    seite->cobBodenart()->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(seite->cobBodenart(), Qt::Key_Down);
    EXPECT_EQ(seite->cobBodenart()->currentIndex(), 4);
    EXPECT_EQ(w().intBodenart, 1);
    EXPECT_EQ(bodenBilder(), "010");
    EXPECT_EQ(saetze(), QStringList({"Ihr Boden ist schwach mit org. Substanz versorgt.",
                                     "Ihr Boden ist optimal mit Phosphat versorgt.",
                                     "Ihr Boden ist hoch mit Kalium versorgt.",
                                     "Ihr Boden ist schwach mit Magnesium versorgt.",
                                     "Der pH-Wert ihres Bodens ist optimal."}));

    // the "leicht" caption sets the group directly; the list keeps its choice
    QTest::mouseClick(seite->lblBodenart(0), Qt::LeftButton);
    EXPECT_EQ(w().intBodenart, 0);
    EXPECT_EQ(bodenBilder(), "100");
    EXPECT_EQ(seite->cobBodenart()->currentIndex(), 4);
    EXPECT_EQ(saetze()[2], "Ihr Boden ist hoch mit Kalium versorgt.");
    EXPECT_EQ(saetze()[3], "Ihr Boden ist optimal mit Magnesium versorgt.");
    EXPECT_EQ(saetze()[4], "Der pH-Wert ihres Bodens ein wenig zu hoch.\n\r Optimal wäre ein Bereich von 5,8 bis 6,3.");

    QTest::mouseClick(seite->imgBodenart(2), Qt::LeftButton);
    EXPECT_EQ(w().intBodenart, 2);
    EXPECT_EQ(saetze()[2], "Ihr Boden ist optimal mit Kalium versorgt.");

    // a single 7 rates only when the field is left
    tippen(seite->txtWert(6), "7");
    EXPECT_EQ(saetze()[4], "Der pH-Wert ihres Bodens ist optimal.");
    tippen(seite->txtWert(2), "40"); // moor soil from more than 30 %
    EXPECT_EQ(saetze()[4], "Der pH-Wert ihres Bodens ist optimal.");
    seite->txtWert(3)->setFocus();
    EXPECT_EQ(saetze()[0], "Ihr Boden ist sehr hoch mit org. Substanz versorgt.");
    EXPECT_EQ(saetze()[4], "Der pH-Wert ihres Bodens recht hoch.");

    // the input filter: letters never reach a value box
    tippen(seite->txtWert(3), "1a2");
    EXPECT_EQ(seite->txtWert(3)->text(), "12");
    // Enter goes on to the next value, from pH to the save button
    seite->txtWert(5)->setFocus();
    QTest::keyClick(seite->txtWert(5), Qt::Key_Return);
    EXPECT_TRUE(seite->txtWert(6)->hasFocus());
    QTest::keyClick(seite->txtWert(6), Qt::Key_Return);
    EXPECT_TRUE(seite->cmbSpeichern()->hasFocus());
}

TEST_F(AnalysenSeiteTest, SpeichernSchreibtEinmalUndKlapptDenPfadAuf)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    tippen(seite->txtWert(2), "2,5");
    tippen(seite->txtWert(3), "18");
    tippen(seite->txtWert(4), "21");
    tippen(seite->txtWert(6), "6,2");
    QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
    // collapse everything first: the store must open the way to the plot again
    trv->collapseAll();
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);

    EXPECT_EQ(anzahl("AnalysenID"), 2);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1001' AND AnalysenNr = 'An1001'"), 1);
    EXPECT_EQ(wert("SELECT Mg FROM AnalysenID WHERE AnalysenNr = 'An1001'").toDouble(), -1.0);
    EXPECT_EQ(wert("SELECT Datum FROM AnalysenID WHERE AnalysenNr = 'An1001'").toString(), "2026-12-06");
    EXPECT_EQ(w().strAktAnalysenNr, "An1001");
    EXPECT_FLOAT_EQ(w().sngOS, 2.5f);
    EXPECT_FLOAT_EQ(w().sngMg, -1.0f);
    EXPECT_FLOAT_EQ(w().sngPH, 6.2f);
    ASSERT_NE(knoten("An1001"), nullptr);
    EXPECT_EQ(knoten("An1001")->parent(), knoten("Fl1001"));
    EXPECT_TRUE(knoten("Fl1001")->isExpanded());
    EXPECT_TRUE(knoten("Fl1000")->isExpanded());
    EXPECT_TRUE(eingabeFrei()); // enabled again after the rebuild
    EXPECT_TRUE(seite->cmbSpeichern()->isEnabled());
    EXPECT_EQ(werte(), QStringList({"2,5", "18", "21", "", "6,2"}));

    // Tab into the rebuilt tree (it makes a node current) is no selection: the page stays
    trv->setFocus(Qt::TabFocusReason);
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(trv, &los);
    EXPECT_EQ(werte(), QStringList({"2,5", "18", "21", "", "6,2"}));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1001");

    // a second store of the same page changes that analysis, nothing is added
    tippen(seite->txtWert(6), "6,8");
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(anzahl("AnalysenID"), 2);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen"), 2);
    EXPECT_DOUBLE_EQ(wert("SELECT pH FROM AnalysenID WHERE AnalysenNr = 'An1001'").toDouble(), 6.8);
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
}

TEST_F(AnalysenSeiteTest, OhneBodengruppeWirdNichtsGespeichert)
{
    ASSERT_NO_FATAL_FAILURE(klicken("An1000")); // soil group 1 on the page
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002")); // an empty page forgets it
    tippen(seite->txtWert(2), "3");
    tippen(seite->txtWert(3), "12");
    tippen(seite->txtWert(4), "15");
    tippen(seite->txtWert(6), "6,5");
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].nr, 103);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen"), 1);

    // "Weiter" stays on the page after a failed store
    QTest::mouseClick(seite->cmbWeiter(), Qt::LeftButton);
    EXPECT_EQ(protokoll.meldungen.size(), 2);
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte"));
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
}

TEST_F(AnalysenSeiteTest, WeiterSpeichertUndGehtZumKulturschritt)
{
    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    tippen(seite->txtWert(5), "");
    QTest::mouseClick(seite->cmbWeiter(), Qt::LeftButton);
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK1");
    EXPECT_TRUE(fenster().istGeladen("frmNPK1"));
    EXPECT_FALSE(fenster().istGeladen("frmAnalysenWerte"));
    EXPECT_EQ(wert("SELECT Mg FROM AnalysenID WHERE AnalysenNr = 'An1000'").toDouble(), -1.0);
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_FLOAT_EQ(w().sngK2O, 15.0f);
}

TEST_F(AnalysenSeiteTest, DatumswechselZeigtDieAnalyseOderLeert)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    erwarteLeer();
    tippen(seite->txtWert(2), "9"); // typed, then the date changes: the analysis of that date shows
    seite->dtpProbenahme()->setDate(QDate(2024, 4, 18));
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(werte(), QStringList({"3", "12", "15", "8", "6,5"}));
    EXPECT_EQ(seite->lblFlaeche()->text(), kWerte + "Beet");
    EXPECT_EQ(w().intBodenart, 1);

    seite->dtpProbenahme()->setDate(QDate(2024, 4, 19));
    EXPECT_EQ(w().strAktAnalysenNr, "x");
    erwarteLeer();
    EXPECT_EQ(seite->lblFlaeche()->text(), kEingabe + "Beet");
    EXPECT_TRUE(eingabeFrei());
}

TEST_F(AnalysenSeiteTest, NeuanordnungBehaeltDatumWerteUndUeberschrift)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    seite->dtpProbenahme()->setDate(QDate(2023, 5, 1));
    tippen(seite->txtWert(2), "4");
    tippen(seite->txtWert(6), "5,9");
    seite->cobBodenart()->setFocus();
    QTest::keyClick(seite->cobBodenart(), Qt::Key_Down);
    ASSERT_EQ(w().intBodenart, 0);
    const QStringList vorher = werte();
    const QStringList saetzeVorher = saetze();
    const QString ueberschrift = seite->lblFlaeche()->text();
    auto gleich = [&](const char* wann) {
        EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2023, 5, 1)) << wann;
        EXPECT_EQ(werte(), vorher) << wann;
        EXPECT_EQ(saetze(), saetzeVorher) << wann;
        EXPECT_EQ(seite->lblFlaeche()->text(), ueberschrift) << wann;
        EXPECT_EQ(w().intBodenart, 0) << wann;
        EXPECT_EQ(seite->cobBodenart()->currentIndex(), 0) << wann;
    };

    ArbeitsbereichAnordnen("frmAnalysenWerte");
    gleich("Anordnung");
    groesse(1280, 1024);
    haupt->timResize_Timer();
    gleich("Größenänderung");
    app().einstellungen.intRot = 120;
    ArbeitsbereichAnordnen();
    gleich("Farbwechsel");

    // a value caption opens the lexicon at its chapter, over the page
    QTest::mouseClick(seite->lblWert(3), Qt::LeftButton);
    EXPECT_TRUE(fenster().istGeladen("frmLexikon"));
    EXPECT_EQ(app().rahmen.strLexikonAnzeige, "GehaltsklassenPhosphat");
    EXPECT_TRUE(app().rahmen.blnLexikonVonAussen);
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte"));
    gleich("Lexikon");
}

TEST_F(AnalysenSeiteTest, WertbeschriftungenOeffnenIhrKapitel)
{
    const char* const kapitel[7] = {nullptr, "Bodenart", "organischeSubstanz", "GehaltsklassenPhosphat",
                                    "GehaltsklassenKalium", "GehaltsklassenMagnesium", "pHundKalk"};
    for (int i = 1; i <= 6; ++i) {
        fenster().entladen("frmLexikon");
        app().rahmen.blnLexikonVonAussen = false;
        QTest::mouseClick(seite->lblWert(i), Qt::LeftButton);
        EXPECT_EQ(app().rahmen.strLexikonAnzeige, kapitel[i]) << i;
        EXPECT_TRUE(app().rahmen.blnLexikonVonAussen) << i;
        EXPECT_TRUE(fenster().istGeladen("frmLexikon")) << i;
    }
    // the date's caption keeps the chapter
    QTest::mouseClick(seite->lblWert(0), Qt::LeftButton);
    EXPECT_EQ(app().rahmen.strLexikonAnzeige, "pHundKalk");
}

TEST_F(AnalysenSeiteTest, SendenOhneServerBehaeltDieAnalyse)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    tippen(seite->txtWert(2), "3");
    tippen(seite->txtWert(3), "12");
    tippen(seite->txtWert(4), "15");
    tippen(seite->txtWert(6), "6,5");
    QTest::mouseClick(seite->imgBodenart(0), Qt::LeftButton);
    QTest::mouseClick(seite->cmbSenden(), Qt::LeftButton);
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].titel, "Humavera - Daten aktualisieren");
    EXPECT_EQ(protokoll.meldungen[0].text, "Um die Daten zu übertragen, benötigen Sie eine aktive Internetverbindung");
    EXPECT_EQ(anzahl("AnalysenID"), 2); // stored locally all the same
    ASSERT_NE(knoten(w().strAktAnalysenNr), nullptr);
    EXPECT_TRUE(seite->cmbSenden()->isEnabled());

    // a failed store: nothing sent, inputs enabled, "Weiter" disabled
    QTest::mouseClick(seite->imgBodenart(0), Qt::LeftButton);
    tippen(seite->txtWert(4), "");
    QTest::mouseClick(seite->cmbSenden(), Qt::LeftButton);
    ASSERT_EQ(protokoll.meldungen.size(), 2);
    EXPECT_EQ(protokoll.meldungen[1].nr, 103);
    EXPECT_TRUE(seite->txtWert(2)->isEnabled());
    EXPECT_TRUE(seite->cmbSenden()->isEnabled());
    EXPECT_FALSE(seite->cmbWeiter()->isEnabled());
}

TEST_F(AnalysenSeiteTest, KnopfFarbeFolgtDerMaus)
{
    const QColor normal(188, 188, 188), hell(220, 220, 220);
    ASSERT_EQ(forms::BackColor(seite->cmbWeiter()), normal);
    QTest::mouseMove(seite->cmbWeiter());
    QTest::mouseMove(seite->cmbSenden());
    EXPECT_EQ(forms::BackColor(seite->cmbWeiter()), hell);
    EXPECT_EQ(forms::BackColor(seite->cmbSenden()), hell);
    seite->Form_MouseMove(); // over the free area: the first highlighted button only
    EXPECT_EQ(forms::BackColor(seite->cmbWeiter()), normal);
    EXPECT_EQ(forms::BackColor(seite->cmbSenden()), hell);
}

TEST_F(AnalysenSeiteTest, SendenSchreibtEineZeileUndAktualisiertSie)
{
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    app().server = std::make_unique<Server>(cfg);
    QString id; // a program id of its own: every run writes rows of its own
    for (int i = 0; i < 18; ++i)
        id += QChar(u'0' + QRandomGenerator::global()->bounded(10));
    app().einstellungen.strProgrammID = id;
    const auto zeilen = [&] {
        return sql::scalar(app().server->cnServer(kDatenerfassung), "SELECT COUNT(*) FROM analysen WHERE Programmid = ?",
                           {id})
            .toLongLong();
    };

    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    QTest::mouseClick(seite->cmbSenden(), Qt::LeftButton);
    EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join(" / ").toStdString();
    ASSERT_EQ(zeilen(), 1); // the values of the row: see the upload's own tests
    EXPECT_TRUE(knoten("Fl1001")->isExpanded());
    EXPECT_FALSE(seite->txtWert(2)->isEnabled()); // until the next node is chosen
    EXPECT_TRUE(seite->cmbSenden()->isEnabled());

    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    tippen(seite->txtWert(6), "7,1");
    QTest::mouseClick(seite->cmbSenden(), Qt::LeftButton);
    EXPECT_EQ(zeilen(), 1);
    EXPECT_DOUBLE_EQ(sql::scalar(app().server->cnServer(kDatenerfassung), "SELECT ph FROM analysen WHERE Programmid = ?",
                                 {id})
                         .toDouble(),
                     7.1);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
}
