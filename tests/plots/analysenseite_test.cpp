// The analysis page driven through its controls: selection by mouse and keyboard, typed values and
// their sentences, storing, the sampling date, the layout pass. The sentences themselves, the stored
// rows and the server row are the core's (einstufung_test, flaechendaten_test, analysesenden_test).
#include "frame/frmtoolbar.h"
#include "frame/mdizentral.h"
#include "plots/einstufung.h"
#include "plots/frmflaeche.h"
#include "seitenfixture.h"
#include "services/server.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace kav;

namespace {

const QString kEingabe = "Geben Sie rechts die Analysenwerte ein für: ";
const QString kWerte = "Analysenwerte für die Fläche: ";
const QString kAuswahl = "Wählen Sie eine Fläche aus oder geben Sie eine neue Fläche ein.";
const QStringList kLeer = {"", "", "", "", ""};

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
    // The sentences the rating gives for the values and the soil group on the page.
    QStringList bewertet() const
    {
        const QStringList w = werte();
        const AnalysenSaetze s = AnalysenWerteEinstufen({w[0], w[1], w[2], w[3], w[4]}, app().bedarf.intBodenart, app().gebiet);
        return QStringList(s.begin(), s.end());
    }
    // The soil group, its three pictures (1 chosen) and the position in the list of soil types.
    QString boden() const
    {
        QString s = QString::number(app().bedarf.intBodenart) + " ";
        for (int i = 0; i <= 2; ++i)
            s += seite->imgBodenart(i)->schluessel() == "opb1" ? "1" : "0";
        return s + " " + QString::number(seite->cobBodenart()->currentIndex());
    }
    // Nothing on the page: values, sentences, soil group, soil type.
    void erwarteLeer()
    {
        EXPECT_EQ(werte(), kLeer);
        EXPECT_EQ(saetze(), kLeer);
        EXPECT_EQ(boden(), "4 000 -1");
    }
};

} // namespace

// A click and the keys that move the selection onto a node do the same.
TEST_F(AnalysenSeiteTest, MausUndTastaturWaehlenGleich)
{
    const QStringList analyse = {"3", "12", "15", "8", "6,5"};
    const struct { const char* knoten, *nummern; bool frei; QString ueberschrift; QStringList werte; } schritte[] = {
        {"Fl0", "Fl0/0/", false, kAuswahl, kLeer},
        {"Fl1000", "Fl1000/1000/x", false, kAuswahl, kLeer},
        // a plot without an analysis on the picker's date: empty page, heading with its name
        {"Fl1001", "Fl1001/1000/x", true, kEingabe + "Beet", kLeer},
        // an analysis: its date and values; the picker now stands on 18.04.2024
        {"An1000", "Fl1001/1000/An1000", true, kWerte + "Beet", analyse},
        // to the other plot: its own numbers, no values of the first plot left behind
        {"Fl1002", "Fl1002/0/x", true, kEingabe + "Rasen", kLeer},
        // the plot again shows the analysis of the picker's date
        {"Fl1001", "Fl1001/1000/An1000", true, kWerte + "Beet", analyse},
        // back on a group: the page forgets the soil group as well
        {"Fl1000", "Fl1000/1000/x", false, kAuswahl, kLeer},
    };
    for (const bool maus : {true, false}) {
        ASSERT_NO_FATAL_FAILURE(seiteStarten()); // loaded without a choice: input locked
        EXPECT_FALSE(eingabeFrei());
        EXPECT_EQ(seite->lblFlaeche()->text(), kAuswahl);
        EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2026, 12, 6)); // today of the program's clock
        EXPECT_EQ(seite->cobBodenart()->itemText(1), "schwach lehmiger Sand (l'S)");
        erwarteLeer();
        for (const auto& s : schritte) {
            SCOPED_TRACE(std::string(maus ? "Maus " : "Tasten ") + s.knoten);
            if (maus || s.knoten == std::string("Fl0"))
                ASSERT_NO_FATAL_FAILURE(klicken(s.knoten));
            else
                ASSERT_NO_FATAL_FAILURE(perTasteZu(s.knoten));
            EXPECT_EQ(w().strAktFlaechenNr + "/" + w().strAktGruppierungNr + "/" + w().strAktAnalysenNr, s.nummern);
            EXPECT_EQ(eingabeFrei(), s.frei);
            EXPECT_EQ(seite->lblFlaeche()->text(), s.ueberschrift);
            EXPECT_EQ(werte(), s.werte);
            const bool mit = s.werte == analyse;
            EXPECT_EQ(saetze(), mit ? bewertet() : kLeer);
            EXPECT_EQ(boden(), mit ? "1 010 3" : "4 000 -1");
            EXPECT_TRUE(!mit || seite->dtpProbenahme()->date() == QDate(2024, 4, 18));
        }
    }
    // the plot's own values reach the shared state
    ASSERT_NO_FATAL_FAILURE(perTasteZu("Fl1002"));
    EXPECT_EQ(QString("%1 %2 %3").arg(w().sngFlaecheGroesse).arg(w().intFlaecheNutzung).arg(w().intFlaecheKompost), "60 4 0");

    // a store after the keyboard move goes to the plot shown
    werteTippen({"2", "20", "20", "", "6"});
    QTest::mouseClick(seite->lblBodenart(2), Qt::LeftButton);
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 1);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1001'"), 1);

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
    // the pH sentence comes as the third character is typed, before the field is left
    werteTippen({"3", "12", "25", "8", "6,5"});
    EXPECT_TRUE(seite->txtWert(6)->hasFocus());
    EXPECT_EQ(saetze(), bewertet()); // no soil group yet: organic matter and phosphate only
    EXPECT_TRUE(saetze()[2].isEmpty());
    EXPECT_FALSE(saetze()[1].isEmpty());

    // soil type "schluffiger Lehm" (position 4): medium
    seite->cobBodenart()->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(seite->cobBodenart(), Qt::Key_Down);
    EXPECT_EQ(boden(), "1 010 4");
    EXPECT_EQ(saetze(), bewertet());
    EXPECT_FALSE(saetze()[4].isEmpty());

    // the "leicht" caption and the "schwer" picture set the group directly; the list keeps its choice
    QTest::mouseClick(seite->lblBodenart(0), Qt::LeftButton);
    EXPECT_EQ(boden(), "0 100 4");
    EXPECT_EQ(saetze(), bewertet());
    QTest::mouseClick(seite->imgBodenart(2), Qt::LeftButton);
    EXPECT_EQ(boden(), "2 001 4");
    EXPECT_EQ(saetze(), bewertet());

    // a single 7 rates only when the field is left; so does a change of organic matter
    const QString vorher = saetze()[4];
    tippen(seite->txtWert(6), "7");
    EXPECT_EQ(saetze()[4], vorher);
    tippen(seite->txtWert(2), "40"); // moor soil from more than 30 %
    seite->txtWert(3)->setFocus();
    EXPECT_EQ(saetze(), bewertet());
    EXPECT_NE(saetze()[4], vorher);

    // the input filter: letters never reach a value box
    tippen(seite->txtWert(3), "1a2");
    EXPECT_EQ(seite->txtWert(3)->text(), "12");
    // Enter goes on to the next value, from pH to the save button
    seite->txtWert(5)->setFocus();
    QTest::keyClick(seite->txtWert(5), Qt::Key_Return);
    EXPECT_TRUE(seite->txtWert(6)->hasFocus());
    QTest::keyClick(seite->txtWert(6), Qt::Key_Return);
    EXPECT_TRUE(seite->cmbSpeichern()->hasFocus());
    // Tab and Shift+Tab leave the sampling date for the controls after and before it in reading order:
    // the chosen soil group, the tree (the captions come after the page's buttons)
    for (const auto& [mod, danach] : {std::pair<Qt::KeyboardModifier, QWidget*>(Qt::NoModifier, seite->imgBodenart(2)),
                                      {Qt::ShiftModifier, trv}}) {
        seite->dtpProbenahme()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(seite->dtpProbenahme(), Qt::Key_Tab, mod);
        EXPECT_EQ(QApplication::focusWidget(), danach);
    }
}

TEST_F(AnalysenSeiteTest, SpeichernSchreibtEinmalUndKlapptDenPfadAuf)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    werteTippen({"2,5", "18", "21", "", "6,2"});
    QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
    // collapse everything first: the store must open the way to the plot again
    trv->collapseAll();
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);

    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1001' AND AnalysenNr = 'An1001'"), 1);
    EXPECT_EQ(w().strAktAnalysenNr, "An1001");
    EXPECT_FLOAT_EQ(w().sngPH, 6.2f);
    ASSERT_NE(knoten("An1001"), nullptr);
    EXPECT_EQ(knoten("An1001")->parent(), knoten("Fl1001"));
    EXPECT_TRUE(knoten("Fl1001")->isExpanded());
    EXPECT_TRUE(knoten("Fl1000")->isExpanded());
    EXPECT_TRUE(eingabeFrei()); // enabled again after the rebuild
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
    EXPECT_DOUBLE_EQ(wert("SELECT pH FROM AnalysenID WHERE AnalysenNr = 'An1001'").toDouble(), 6.8);
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
}

// Without a soil group neither saving, "Weiter" nor sending stores anything; with one, sending
// without a connection stores all the same.
TEST_F(AnalysenSeiteTest, OhneBodengruppeNichtsGespeichertOhneServerNurLokal)
{
    ASSERT_NO_FATAL_FAILURE(klicken("An1000")); // soil group 1 on the page
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002")); // an empty page forgets it
    werteTippen({"3", "12", "15", "", "6,5"});
    for (QToolButton* knopf : {seite->cmbSpeichern(), seite->cmbWeiter(), seite->cmbSenden()})
        QTest::mouseClick(knopf, Qt::LeftButton);
    ASSERT_EQ(protokoll.meldungen.size(), 3);
    EXPECT_EQ(protokoll.meldungen[0].nr, 103);
    EXPECT_EQ(protokoll.meldungen[2].nr, 103);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte"); // "Weiter" stays on the page
    EXPECT_TRUE(seite->txtWert(2)->isEnabled());
    EXPECT_TRUE(seite->cmbSenden()->isEnabled());
    EXPECT_FALSE(seite->cmbWeiter()->isEnabled());

    QTest::mouseClick(seite->imgBodenart(0), Qt::LeftButton);
    QTest::mouseClick(seite->cmbSenden(), Qt::LeftButton);
    EXPECT_EQ(protokoll.meldungen.size(), 4); // no connection
    EXPECT_EQ(anzahl("AnalysenID"), 2);
    ASSERT_NE(knoten(w().strAktAnalysenNr), nullptr);
    EXPECT_TRUE(seite->cmbSenden()->isEnabled());
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

// A sampling date before 1950 or after today is refused on the page with the range; date, values
// and soil group stay as typed. "Weiter" with an analysis more than five calendar years old shows
// the notice the plot step shows (this way skips that step); a younger one does not.
TEST_F(AnalysenSeiteTest, ProbennahmeImBereichUndWeiterMitAlterAnalyse)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    seite->dtpProbenahme()->setDate(QDate(1900, 1, 7));
    werteTippen({"3", "12", "15", "", "6,5"});
    QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
    for (QToolButton* knopf : {seite->cmbSpeichern(), seite->cmbWeiter()}) {
        protokoll.meldungen.clear();
        QTest::mouseClick(knopf, Qt::LeftButton);
        ASSERT_EQ(protokoll.meldungen.size(), 1);
        EXPECT_TRUE(protokoll.meldungen[0].text.startsWith(
            "Das Datum der Probennahme 07.01.1900 liegt außerhalb des möglichen Bereichs vom 01.01.1950 bis heute"));
        EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 0);
        EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(1900, 1, 7));
        EXPECT_EQ(werte(), QStringList({"3", "12", "15", "", "6,5"}));
        EXPECT_EQ(app().bedarf.intBodenart, 1);
        EXPECT_TRUE(seite->ungespeichert());
    }
    // a new plot does not take the refused date on: it starts at today
    antworten(QMessageBox::No); // the typing refused goes
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl0"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(1, "mnuFlaecheE1"));
    auto* dialog = fenster().fensterAls<frmFlaeche>("frmFlaeche");
    ASSERT_NE(dialog, nullptr);
    tippen(dialog->txtBezeichnung(), "Hochbeet");
    QTest::keyClick(dialog->txtBezeichnung(), Qt::Key_Return);
    ASSERT_FALSE(fenster().istGeladen("frmFlaeche"));
    EXPECT_NE(w().strAktFlaechenNr, "Fl1002");
    EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2026, 12, 6));

    for (const auto& [datum, hinweis] : {std::pair{QDate(2020, 12, 31), true}, {QDate(2021, 1, 1), false}}) {
        SCOPED_TRACE(datum.year());
        fenster().entladen("frmAlteAnalyse");
        if (!analysenSeite()) { // back from the crop step by the navigation bar
            QTest::mouseClick(fenster().fensterAls<frmToolbar>("frmToolbar")->cmbMenu(1), Qt::LeftButton);
            seite = analysenSeite();
            ASSERT_NE(seite, nullptr);
            trv = seite->trvFlaechen();
        }
        antworten(QMessageBox::No); // the refused typing goes
        ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
        seite->dtpProbenahme()->setDate(datum);
        werteTippen({"3", "12", "15", "", "6,5"});
        QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
        QTest::mouseClick(seite->cmbWeiter(), Qt::LeftButton);
        ASSERT_TRUE(fenster().istGeladen("frmNPK1"));
        EXPECT_EQ(fenster().istGeladen("frmAlteAnalyse"), hinweis);
        if (hinweis) {
            QWidget* w = fenster().fenster("frmAlteAnalyse")->widget();
            EXPECT_TRUE(w->isVisible() && w->parentWidget() == haupt.get());
        }
    }
}

// New values typed under a date that was refused: the date typed next corrects it, without a question,
// and the values are stored under it.
TEST_F(AnalysenSeiteTest, AbgewiesenesDatumWirdKorrigiertOhneFrage)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    seite->dtpProbenahme()->setDate(QDate(1900, 1, 7));
    werteTippen({"3", "12", "15", "", "6,5"});
    QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    ASSERT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 0);
    test::Frage f;
    antworten(QMessageBox::Cancel, &f);
    seite->dtpProbenahme()->setDate(QDate(2026, 4, 1));
    EXPECT_FALSE(f.gesehen);
    EXPECT_EQ(werte(), QStringList({"3", "12", "15", "", "6,5"}));
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(wert("SELECT Datum FROM ZOFlaechenAnalysen WHERE FlaechenNr = 'Fl1002'").toString(), "2026-04-01");
}

// Storing and sending (here without a server: stored, not sent) keep the tree as the user left it:
// the groups open stay open, the node shown stays selected and in view, far down a long tree too.
TEST_F(AnalysenSeiteTest, SpeichernUndSendenBehaltenDenBaum)
{
    for (int i = 0; i < 40; ++i)
        flaeche(QString("Fl%1").arg(2000 + i), QString("Parzelle %1").arg(i, 2, 10, QChar('0')));
    flaeche("Fl2100", "Zucchini");
    analyse("An2100", "Fl2100", QDate(2024, 4, 18));
    seite->baumAuffrischen();
    knoten("Fl1000")->setExpanded(true); // Garten open, Beet closed
    for (const auto& [knopf, key] : {std::pair{seite->cmbSenden(), "An2100"}, {seite->cmbSpeichern(), "An2100"},
                                     {seite->cmbSenden(), "Fl2100"}}) {
        SCOPED_TRACE(std::string(key) + " " + knopf->objectName().toStdString());
        ASSERT_NO_FATAL_FAILURE(klicken(key));
        tippen(seite->txtWert(6), "6,9");
        protokoll.meldungen.clear();
        QTest::mouseClick(knopf, Qt::LeftButton);
        EXPECT_EQ(protokoll.meldungen.size(), knopf == seite->cmbSenden() ? 1 : 0); // no connection
        EXPECT_DOUBLE_EQ(wert("SELECT pH FROM AnalysenID WHERE AnalysenNr = 'An2100'").toDouble(), 6.9);
        EXPECT_TRUE(knoten("Fl1000")->isExpanded());
        EXPECT_FALSE(knoten("Fl1001")->isExpanded());
        EXPECT_TRUE(knoten("Fl2100")->isExpanded());
        ASSERT_EQ(trv->currentItem(), knoten(key));
        EXPECT_EQ(haupt->focusWidget(), trv); // the node stored has the focus
        EXPECT_TRUE(trv->viewport()->rect().contains(trv->visualItemRect(trv->currentItem()))) << "im Blick";
        trv->scrollToTop();
    }
}

TEST_F(AnalysenSeiteTest, DatumswechselZeigtDieAnalyseOderLeert)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    tippen(seite->txtWert(2), "9"); // typed and dropped, then the date changes: the analysis of that date shows
    antworten(QMessageBox::No);
    seite->dtpProbenahme()->setDate(QDate(2024, 4, 18));
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(werte(), QStringList({"3", "12", "15", "8", "6,5"}));
    EXPECT_EQ(seite->lblFlaeche()->text(), kWerte + "Beet");
    EXPECT_EQ(boden(), "1 010 3");

    seite->dtpProbenahme()->setDate(QDate(2024, 4, 19));
    EXPECT_EQ(w().strAktAnalysenNr, "x");
    erwarteLeer();
    EXPECT_EQ(seite->lblFlaeche()->text(), kEingabe + "Beet");
    EXPECT_TRUE(eingabeFrei());
}

// A layout pass, a new size, a colour change and the lexicon opened from a value's caption leave
// date, values, sentences, heading and soil type as they are.
TEST_F(AnalysenSeiteTest, NeuanordnungUndLexikonBehaltenDieSeite)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    seite->dtpProbenahme()->setDate(QDate(2023, 5, 1));
    werteTippen({"4", "", "", "", "5,9"});
    seite->cobBodenart()->setFocus();
    QTest::keyClick(seite->cobBodenart(), Qt::Key_Down);
    ASSERT_EQ(boden(), "0 100 0");
    const QStringList vorher = werte() + saetze() + QStringList{seite->lblFlaeche()->text(), boden()};
    const auto gleich = [&](const char* wann) {
        EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2023, 5, 1)) << wann;
        EXPECT_EQ(werte() + saetze() + QStringList({seite->lblFlaeche()->text(), boden()}), vorher) << wann;
    };
    ArbeitsbereichAnordnen("frmAnalysenWerte");
    gleich("Anordnung");
    groesse(1280, 1024);
    haupt->timResize_Timer();
    gleich("Größenänderung");
    app().einstellungen.intRot = 120;
    ArbeitsbereichAnordnen();
    gleich("Farbwechsel");

    // each value caption opens the lexicon at its chapter, over the page; the date's keeps the chapter
    const char* const kapitel[7] = {"", "Bodenart", "organischeSubstanz", "GehaltsklassenPhosphat",
                                    "GehaltsklassenKalium", "GehaltsklassenMagnesium", "pHundKalk"};
    for (int i : {1, 2, 3, 4, 5, 6, 0}) {
        fenster().entladen("frmLexikon");
        app().rahmen.blnLexikonVonAussen = false;
        QTest::mouseClick(seite->lblWert(i), Qt::LeftButton);
        EXPECT_EQ(app().rahmen.strLexikonAnzeige, i ? kapitel[i] : "pHundKalk") << i;
        EXPECT_TRUE(app().rahmen.blnLexikonVonAussen && fenster().istGeladen("frmLexikon")) << i;
    }
    gleich("Lexikon");
}

TEST_F(AnalysenSeiteTest, KnopfFarbeFolgtDerMaus)
{
    const QColor normal(188, 188, 188), hell(220, 220, 220);
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001")); // the buttons take the mouse once a plot is chosen
    ASSERT_TRUE(seite->cmbWeiter()->isEnabled() && seite->cmbSenden()->isEnabled());
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
    const QString id = test::zufallsProgrammId();
    app().einstellungen.strProgrammID = id;
    const auto zeilen = [&] {
        return sql::scalar(app().server->cnServer(kDatenerfassung), "SELECT COUNT(*) FROM analysen WHERE Programmid = ?",
                           {id})
            .toLongLong();
    };

    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    QTest::mouseClick(seite->cmbSenden(), Qt::LeftButton);
    EXPECT_TRUE(protokoll.meldungen.isEmpty()) << protokoll.texte().join(" / ").toStdString();
    ASSERT_EQ(zeilen(), 1);
    EXPECT_TRUE(knoten("Fl1001")->isExpanded());
    EXPECT_EQ(trv->currentItem(), knoten("An1000")); // still chosen
    EXPECT_FALSE(seite->txtWert(2)->isEnabled()); // until the next node is chosen
    EXPECT_TRUE(seite->cmbSenden()->isEnabled());

    ASSERT_NO_FATAL_FAILURE(klicken("An1000"));
    tippen(seite->txtWert(6), "7,1");
    QTest::mouseClick(seite->cmbSenden(), Qt::LeftButton);
    EXPECT_EQ(zeilen(), 1);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
}

// A name with quotes, an ampersand and markup shows as typed (as in the tree): in the page's heading,
// in the question before its analysis is deleted, in every label that shows it.
TEST_F(AnalysenSeiteTest, NamenErscheinenWieGetippt)
{
    const QString name = "Beet \"Nord\" & <b>Süd";
    sql::exec(db(), "UPDATE FlaechenID SET Bezeichnung = ? WHERE FlaechenNr = 'Fl1001'", {name});
    seite->FlaechenBaumFuellen();
    klicken("Fl1001");
    test::Frage f;
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("An1000"));
    antworten(QMessageBox::No, &f);
    menuePunktKlicken(7, "mnuAnalyseLoeschen");
    EXPECT_TRUE(f.text.contains(name) && f.format == Qt::PlainText && seite->lblFlaeche()->text() == kWerte + name);
    for (const QWidget* w : QApplication::allWidgets()) {
        if (auto* l = qobject_cast<const QLabel*>(w); l && l->text().contains(name)) {
            EXPECT_EQ(l->textFormat(), Qt::PlainText) << l->objectName().toStdString();
        }
    }
}

// A sampling date typed and refused on storing goes with the values dropped by "Nein": the group chosen
// then shows today in its greyed date box, as a plot does.
TEST_F(AnalysenSeiteTest, AbgewiesenesDatumGehtMitDenVerworfenenWerten)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    QDateEdit* datum = seite->dtpProbenahme();
    datum->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(datum, "01.01.1900");
    ASSERT_EQ(datum->date(), QDate(1900, 1, 1));
    werteTippen({"3", "12", "15", "", "6,5"});
    QTest::mouseClick(seite->lblBodenart(1), Qt::LeftButton);
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    ASSERT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 0);
    antworten(QMessageBox::No);
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1000"));
    EXPECT_FALSE(datum->isEnabled());
    EXPECT_EQ(datum->date(), QDate(2026, 12, 6));
}

// A sampling date typed and left unfinished by a click on "Speichern" or "Weiter" (as the window system
// delivers it, or as a test clicks the button itself), or by storing without a click, is refused with
// its message: nothing is stored, the analysis of the date shown keeps its values and the values typed
// stay on the page. Stored deliberately then, they go to the date shown.
TEST_F(AnalysenSeiteTest, UnfertigesDatumSpeichertNichtsUnterDemAltenDatum)
{
    analyse("An1002", "Fl1002", QDate(2026, 12, 6), 1, 4, 3, 12, 15, 8, 6.5); // an analysis of today
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002"));
    ASSERT_EQ(w().strAktAnalysenNr, "An1002");
    QDateEdit* datum = seite->dtpProbenahme();
    tippen(seite->txtWert(6), "7");
    const auto ph = [&] { return wert("SELECT pH FROM AnalysenID WHERE AnalysenNr = 'An1002'").toDouble(); };
    const std::pair<const char*, std::function<void()>> wege[] = {
        {"Klick auf Speichern", [&] { fensterKlick(seite->cmbSpeichern()); }},
        {"Klick auf Weiter", [&] { fensterKlick(seite->cmbWeiter()); }},
        {"Klick auf Speichern, ohne Fenster", [&] { QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton); }},
        {"Speichern ohne Klick", [&] { seite->cmbSpeichern()->click(); }},
    };
    const std::pair<const char*, const char*> unfertig[] = {
        {"010225", "Das Datum „01.02.25“ ist unvollständig: Das Jahr braucht vier Ziffern (TT.MM.JJJJ)."},
        {"01.02.202", "Das Datum „01.02.202“ ist unvollständig: Das Jahr braucht vier Ziffern (TT.MM.JJJJ)."},
        {"0102", "Das Datum „01.02“ ist unvollständig: Es fehlt das Jahr (TT.MM.JJJJ)."},
        {"01.02.", "Das Datum „01.02.“ ist unvollständig: Es fehlt das Jahr (TT.MM.JJJJ)."},
        {"1.1.24", "Das Datum „1.1.24“ ist unvollständig: Das Jahr braucht vier Ziffern (TT.MM.JJJJ)."},
    };
    for (const auto& [wie, verlassen] : wege) {
        for (const auto& [getippt, meldung] : unfertig) {
            SCOPED_TRACE(std::string(wie) + ": " + getippt);
            datum->setFocus(Qt::TabFocusReason);
            QTest::keyClick(datum, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(datum, getippt);
            protokoll.meldungen.clear();
            verlassen();
            QCoreApplication::processEvents();
            EXPECT_EQ(protokoll.texte().join("|").toStdString(),
                      (QString::fromUtf8(meldung) + " Das Datum der Probennahme bleibt der 06.12.2026.").toStdString());
            EXPECT_EQ(datum->date(), QDate(2026, 12, 6));
            EXPECT_EQ(ph(), 6.5);
            EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 1);
            EXPECT_EQ(seite->txtWert(6)->text(), "7");
            EXPECT_TRUE(seite->ungespeichert());
            ASSERT_NE(analysenSeite(), nullptr); // "Weiter" went nowhere
        }
    }
    // stored deliberately: under the date shown
    protokoll.meldungen.clear();
    fensterKlick(seite->cmbSpeichern());
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
    EXPECT_EQ(ph(), 7);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1002'"), 1);
}
