// The plot tree's pop-up menus: the right click acts on the node under the mouse; deleting with
// its questions; switching between current and all records; deleting an analysis.
#include "frame/mdizentral.h"
#include "plots/loeschungen.h"
#include "plots/frmflaeche.h"
#include "plots/frmflaechegruppe.h"
#include "seitenfixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

using namespace kav;

namespace {

class BaumMenueTest : public test::SeitenTest {
protected:
    // Garten > Untergruppe > Beet A (analysis 18.04.2024); Garten > Beet B (analysis 01.03.2025);
    // Rasen at the top; Alt at the top, not current.
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            gruppe("Fl1000", "Garten");
            gruppe("Fl1001", "Untergruppe", 1000);
            flaeche("Fl1002", "Beet A", 1001);
            flaeche("Fl1003", "Beet B", 1000);
            flaeche("Fl1004", "Rasen", 0);
            flaeche("Fl1005", "Alt", 0, false, 1, 1, 0, 1);
            analyse("An1000", "Fl1002", QDate(2024, 4, 18));
            analyse("An1001", "Fl1003", QDate(2025, 3, 1));
        }));
    }
    QStringList offeneKnoten() const
    {
        QStringList l;
        for (QTreeWidgetItemIterator it(trv); *it; ++it)
            if ((*it)->isExpanded())
                l << trv->key(*it);
        return l;
    }
};

} // namespace

TEST_F(BaumMenueTest, RechtsklickLoeschtNurDenKnotenUnterDerMaus)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002")); // Beet A is selected and shown
    ASSERT_EQ(w().strAktFlaechenNr, "Fl1002");
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1003")); // the right click is on Beet B
    EXPECT_EQ(trv->currentItem(), knoten("Fl1003"));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1003");
    EXPECT_EQ(w().strAktGruppierungNr, "1000");
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie rechts die Analysenwerte ein für: Beet B");
    ASSERT_TRUE(menueOffen(3));

    test::Frage f;
    antworten(QMessageBox::Yes, &f);
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(3, "mnuFlaLoeschen"));
    ASSERT_TRUE(f.gesehen);
    EXPECT_EQ(f.titel, "Flächen löschen");
    EXPECT_EQ(f.text, kFlaecheLoeschenFrage);
    EXPECT_EQ(f.knoepfe, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(f.standard, QMessageBox::No);
    EXPECT_EQ(f.symbol, QMessageBox::NoIcon);
    EXPECT_EQ(f.beschriftungen, QStringList({"Ja", "Nein"}));

    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr = 'Fl1003'"), 0);
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1001'"), 0);
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr = 'Fl1002'"), 1);
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1000'"), 1);
    EXPECT_EQ(knoten("Fl1003"), nullptr);
    ASSERT_NE(knoten("Fl1002"), nullptr);
    EXPECT_TRUE(knoten("Fl1000")->isExpanded()); // the view is kept
}

TEST_F(BaumMenueTest, NeinUndAbbrechenSindVorgabeUndAendernNichts)
{
    const long long flaechen = anzahl("FlaechenID");
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1004"));
    test::Frage f;
    antworten(QMessageBox::No, &f);
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(3, "mnuFlaLoeschen"));
    EXPECT_EQ(f.standard, QMessageBox::No);
    EXPECT_EQ(anzahl("FlaechenID"), flaechen);

    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_TRUE(menueOffen(2));
    test::Frage g;
    antworten(QMessageBox::Cancel, &g);
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(2, "mnuGrpLoeschen"));
    ASSERT_TRUE(g.gesehen);
    EXPECT_EQ(g.titel, "Humavera");
    EXPECT_EQ(g.text, kGruppeLoeschenFrage);
    EXPECT_EQ(g.knoepfe, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(g.standard, QMessageBox::Cancel);
    EXPECT_EQ(g.beschriftungen, QStringList({"Ja", "Nein", "Abbrechen"}));
    EXPECT_EQ(anzahl("FlaechenID"), flaechen);
    ASSERT_NE(knoten("Fl1002"), nullptr);
    EXPECT_EQ(knoten("Fl1002")->parent(), knoten("Fl1001"));

    // Enter on the question takes the default: nothing is deleted
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1004"));
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Return);
    });
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(3, "mnuFlaLoeschen"));
    EXPECT_EQ(anzahl("FlaechenID"), flaechen);
}

TEST_F(BaumMenueTest, GruppeAufloesenUndMitInhaltLoeschen)
{
    sichtbar(knoten("Fl1002")); // Garten and Untergruppe open
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    antworten(QMessageBox::No); // dissolve: Beet A moves up into Garten
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(2, "mnuGrpLoeschen"));
    EXPECT_EQ(anzahl("FlaechenID", "FlaechenNr = 'Fl1001'"), 0);
    EXPECT_EQ(wert("SELECT GruppierungNr FROM FlaechenID WHERE FlaechenNr = 'Fl1002'").toLongLong(), 1000);
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1000'"), 1);
    ASSERT_NE(knoten("Fl1002"), nullptr);
    EXPECT_EQ(knoten("Fl1002")->parent(), knoten("Fl1000"));
    EXPECT_TRUE(knoten("Fl1000")->isExpanded());

    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1000"));
    antworten(QMessageBox::Yes); // with everything below it
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(2, "mnuGrpLoeschen"));
    EXPECT_EQ(anzahl("FlaechenID"), 2); // Rasen and Alt
    EXPECT_EQ(anzahl("AnalysenID"), 0);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen"), 0);
    EXPECT_EQ(knoten("Fl1000"), nullptr);
    ASSERT_NE(knoten("Fl1004"), nullptr);
}

TEST_F(BaumMenueTest, RechtsklickAufDenGezeigtenKnotenBehaeltDieWerte)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1004"));
    tippen(seite->txtWert(3), "17");
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1004"));
    EXPECT_TRUE(menueOffen(3));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1004");
    EXPECT_EQ(seite->txtWert(3)->text(), "17");
    menueSchliessen();

    // an analysis: its own menu and number
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("An1000"));
    EXPECT_TRUE(menueOffen(7));
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1002");
    EXPECT_EQ(w().strAktGruppierungNr, "1001");
    EXPECT_FALSE(menueOffen(3));
    menueSchliessen();

    // the page moved on to another date meanwhile: the right click shows that analysis again,
    // so that a store afterwards cannot write the typed values into it
    seite->dtpProbenahme()->setDate(QDate(2025, 3, 1));
    ASSERT_EQ(w().strAktAnalysenNr, "x");
    tippen(seite->txtWert(2), "9");
    tippen(seite->txtWert(3), "40");
    tippen(seite->txtWert(4), "40");
    tippen(seite->txtWert(6), "7");
    QTest::mouseClick(seite->lblBodenart(2), Qt::LeftButton);
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("An1000"));
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2024, 4, 18));
    EXPECT_EQ(seite->txtWert(3)->text(), "12");
    menueSchliessen();
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(wert("SELECT P2O5 FROM AnalysenID WHERE AnalysenNr = 'An1000'").toDouble(), 12);
    EXPECT_EQ(anzahl("AnalysenID"), 2);
}

TEST_F(BaumMenueTest, AnalyseLoeschenOhneFrage)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("An1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(7, "mnuAnalyseLoeschen"));
    EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1001'"), 0);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "AnalysenNr = 'An1001'"), 0);
    EXPECT_EQ(knoten("An1001"), nullptr);
    ASSERT_NE(knoten("Fl1003"), nullptr);
    EXPECT_EQ(anzahl("AnalysenID"), 1);
}

TEST_F(BaumMenueTest, UmschaltenZeigtAllesUndZurueckMitDenselbenOffenenKnoten)
{
    ASSERT_TRUE(app().einstellungen.blnAnzeigeAktuellFl);
    EXPECT_EQ(knoten("Fl1005"), nullptr);
    sichtbar(knoten("Fl1002"));
    knoten("Fl1002")->setExpanded(true);
    const QStringList offen = offeneKnoten();

    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl0"));
    ASSERT_TRUE(menueOffen(1));
    EXPECT_EQ(haupt->menuePunkt("mnuUmschalt")->text(), "Alles Anzeigen");
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(1, "mnuUmschalt"));
    EXPECT_FALSE(app().einstellungen.blnAnzeigeAktuellFl);
    EXPECT_NE(knoten("Fl1005"), nullptr);
    EXPECT_EQ(offeneKnoten(), offen);

    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl0"));
    EXPECT_EQ(haupt->menuePunkt("mnuUmschalt")->text(), "Anzeige reduzieren");
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(1, "mnuUmschalt"));
    EXPECT_TRUE(app().einstellungen.blnAnzeigeAktuellFl);
    EXPECT_EQ(knoten("Fl1005"), nullptr);
    EXPECT_EQ(offeneKnoten(), offen);
}

TEST_F(BaumMenueTest, NeueFlaecheAusDemWurzelmenueStehtOben)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001")); // a group first: its number must not stick
    menueSchliessen();
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl0"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(1, "mnuFlaecheE1"));
    auto* d = fenster().fensterAls<frmFlaeche>("frmFlaeche");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->neu());
    EXPECT_FALSE(app().rahmen.blnToolbarAktiv);
    tippen(d->txtBezeichnung(), "Neu");
    tippen(d->txtLaenge(), "3");
    tippen(d->txtBreite(), "2");
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);

    EXPECT_FALSE(fenster().istGeladen("frmFlaeche"));
    EXPECT_TRUE(app().rahmen.blnToolbarAktiv);
    EXPECT_EQ(wert("SELECT GruppierungNr FROM FlaechenID WHERE FlaechenNr = 'Fl1006'").toLongLong(), 0);
    EXPECT_DOUBLE_EQ(wert("SELECT Flaeche FROM FlaechenID WHERE FlaechenNr = 'Fl1006'").toDouble(), 6.0);
    // the new plot is selected and processed by the page
    EXPECT_EQ(trv->currentItem(), knoten("Fl1006"));
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1006");
    EXPECT_FLOAT_EQ(w().sngFlaecheGroesse, 6.0f);
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie rechts die Analysenwerte ein für: Neu");
    EXPECT_TRUE(seite->txtWert(2)->isEnabled());
}

TEST_F(BaumMenueTest, NeueFlaecheUndGruppeAusDemGruppenmenue)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(2, "mnuNeueFlache"));
    auto* d = fenster().fensterAls<frmFlaeche>("frmFlaeche");
    ASSERT_NE(d, nullptr);
    tippen(d->txtBezeichnung(), "Tief");
    QTest::mouseClick(d->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(wert("SELECT GruppierungNr FROM FlaechenID WHERE FlaechenNr = 'Fl1006'").toLongLong(), 1001);
    EXPECT_EQ(knoten("Fl1006")->parent(), knoten("Fl1001"));
    EXPECT_TRUE(knoten("Fl1001")->isExpanded());
    EXPECT_TRUE(knoten("Fl1000")->isExpanded());
    EXPECT_EQ(trv->currentItem(), knoten("Fl1006"));

    knoten("Fl1003")->setExpanded(true);
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(2, "mnuGruEbene2"));
    auto* g = fenster().fensterAls<frmFlaecheGruppe>("frmFlaecheGruppe");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmFlaeche"); // the plot dialog's help topic
    tippen(g->txtBezeichnung(), "Ecke");
    QTest::mouseClick(g->lblAktuellerDatensatz(), Qt::LeftButton); // switched off: a new group is current anyway
    QTest::mouseClick(g->cmbSpeichern(), Qt::LeftButton);
    EXPECT_FALSE(fenster().istGeladen("frmFlaecheGruppe"));
    EXPECT_TRUE(app().rahmen.strAktivesFenster.isEmpty());
    EXPECT_EQ(wert("SELECT GruppierungNr FROM FlaechenID WHERE FlaechenNr = 'Fl1007'").toLongLong(), 1001);
    EXPECT_EQ(wert("SELECT AktuellerDatensatz FROM FlaechenID WHERE FlaechenNr = 'Fl1007'").toInt(), 1);
    EXPECT_EQ(wert("SELECT Gliederungspunkt FROM FlaechenID WHERE FlaechenNr = 'Fl1007'").toInt(), 1);
    ASSERT_NE(knoten("Fl1007"), nullptr);
    EXPECT_EQ(trv->currentItem(), knoten("Fl1007"));
    EXPECT_FALSE(knoten("Fl1007")->isExpanded());
    EXPECT_TRUE(knoten("Fl1003")->isExpanded()); // the group dialog keeps the view
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1007");
}

TEST_F(BaumMenueTest, GruppeAendern)
{
    sql::exec(db(), "UPDATE FlaechenID SET LetzteAenderung = '2024-01-02 10:00:00' WHERE FlaechenNr = 'Fl1001'");
    const QString geaendert = "2024-01-02 10:00:00";
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(2, "mnuGrpAendern"));
    auto* g = fenster().fensterAls<frmFlaecheGruppe>("frmFlaecheGruppe");
    ASSERT_NE(g, nullptr);
    EXPECT_FALSE(g->neu());
    EXPECT_EQ(g->txtBezeichnung()->text(), "Untergruppe");
    EXPECT_EQ(g->windowTitle(), "Änderungen an Untergruppe vornehmen");
    EXPECT_EQ(g->imgAktuellerDatensatz()->schluessel(), "chb1");
    tippen(g->txtBezeichnung(), "Hinten");
    QTest::mouseClick(g->imgAktuellerDatensatz(), Qt::LeftButton);
    EXPECT_EQ(g->imgAktuellerDatensatz()->schluessel(), "chb0");
    QTest::mouseClick(g->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(wert("SELECT Bezeichnung FROM FlaechenID WHERE FlaechenNr = 'Fl1001'").toString(), "Hinten");
    EXPECT_EQ(wert("SELECT AktuellerDatensatz FROM FlaechenID WHERE FlaechenNr = 'Fl1001'").toInt(), 0);
    EXPECT_EQ(wert("SELECT LetzteAenderung FROM FlaechenID WHERE FlaechenNr = 'Fl1001'").toString(), geaendert);
    // no longer current: gone from the tree, which shows current records only
    EXPECT_EQ(knoten("Fl1001"), nullptr);
}

TEST_F(BaumMenueTest, AufklappenPerPfeilVerarbeitetNichts)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1004"));
    tippen(seite->txtWert(3), "17");
    QTreeWidgetItem* garten = knoten("Fl1000");
    garten->setExpanded(false);
    const QRect r = trv->visualItemRect(garten);
    // the arrow left of the text
    QTest::mouseClick(trv->viewport(), Qt::LeftButton, {}, QPoint(r.left() - trv->indentation() / 2, r.center().y()));
    EXPECT_TRUE(garten->isExpanded());
    EXPECT_EQ(trv->bildSchluessel(garten), "Flaeche");
    EXPECT_EQ(seite->txtWert(3)->text(), "17");
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1004");
    garten->setExpanded(false);
    EXPECT_EQ(trv->bildSchluessel(garten), "FlaecheGrp");
}
