// The plot tree's pop-up menus: the right click acts on the node under the mouse; deleting with
// its questions; switching between current and all records; new and changed plots and groups.
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

TEST_F(BaumMenueTest, RechtsklickWaehltDenKnotenUnterDerMaus)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1002")); // Beet A is selected and shown
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1003")); // the right click is on Beet B
    EXPECT_EQ(trv->currentItem(), knoten("Fl1003"));
    EXPECT_EQ(w().strAktFlaechenNr + "/" + w().strAktGruppierungNr, "Fl1003/1000");
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie rechts die Analysenwerte ein für: Beet B");
    EXPECT_TRUE(menueOffen(3));
}

// The delete commands of the menus one after the other: the question each asks, what its answer
// does to the file and the tree; "No" and "Cancel" are the defaults.
// What a deletion takes with it: loeschen_test.cpp.
TEST_F(BaumMenueTest, LoeschenMitIhrenFragen)
{
    const QString flaeche = "Flächen löschen|" + kFlaecheLoeschenFrage + "|Ja,Nein|Nein";
    const QString gruppe = "Humavera|" + kGruppeLoeschenFrage + "|Ja,Nein,Abbrechen|Abbrechen";
    const QString analyse = "Analyse löschen|Soll die Analyse vom 18.04.2024 der Fläche „Beet A“ gelöscht werden?|Ja,Nein|Nein";
    const QString alle = "Fl1000:0 Fl1001:1000 Fl1002:1001 Fl1003:1000 Fl1004:0 Fl1005:0";
    const struct {
        const char* knoten;
        int menue;
        const char* punkt;
        QMessageBox::StandardButton antwort; // NoButton: Enter
        QString frage, flaechen;
    } schritte[] = {
        {"Fl1004", 3, "mnuFlaLoeschen", QMessageBox::No, flaeche, alle},
        {"Fl1004", 3, "mnuFlaLoeschen", QMessageBox::NoButton, flaeche, alle},
        {"Fl1001", 2, "mnuGrpLoeschen", QMessageBox::Cancel, gruppe, alle},
        {"Fl1003", 3, "mnuFlaLoeschen", QMessageBox::Yes, flaeche, "Fl1000:0 Fl1001:1000 Fl1002:1001 Fl1004:0 Fl1005:0"},
        // "No" dissolves the group: Beet A moves up into Garten
        {"Fl1001", 2, "mnuGrpLoeschen", QMessageBox::No, gruppe, "Fl1000:0 Fl1002:1000 Fl1004:0 Fl1005:0"},
        // an analysis too: Enter answers "Nein" and keeps it
        {"An1000", 7, "mnuAnalyseLoeschen", QMessageBox::NoButton, analyse, "Fl1000:0 Fl1002:1000 Fl1004:0 Fl1005:0"},
        {"An1000", 7, "mnuAnalyseLoeschen", QMessageBox::Yes, analyse, "Fl1000:0 Fl1002:1000 Fl1004:0 Fl1005:0"},
        {"Fl1000", 2, "mnuGrpLoeschen", QMessageBox::Yes, gruppe, "Fl1004:0 Fl1005:0"},
    };
    sichtbar(knoten("Fl1002"));
    for (const auto& s : schritte) {
        SCOPED_TRACE(s.knoten);
        ASSERT_NO_FATAL_FAILURE(rechtsKlicken(s.knoten));
        test::Frage f;
        if (s.antwort != QMessageBox::NoButton)
            antworten(s.antwort, &f);
        else
            QTimer::singleShot(0, [&f] {
                f.gesehen = QApplication::activeModalWidget() != nullptr;
                if (f.gesehen)
                    QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
            });
        ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(s.menue, s.punkt));
        EXPECT_EQ(f.gesehen, !s.frage.isEmpty());
        if (!f.titel.isEmpty()) {
            EXPECT_EQ(QStringList({f.titel, f.text, f.beschriftungen.join(','), f.beschriftungen.value(
                                   f.standard == QMessageBox::No ? 1 : 2)}).join('|'), s.frage);
            EXPECT_EQ(f.symbol, QMessageBox::NoIcon);
        }
        QStringList zeilen;
        for (const QString& z : wert("SELECT group_concat(FlaechenNr || ':' || GruppierungNr, ' ') FROM "
                                     "(SELECT * FROM FlaechenID ORDER BY FlaechenNr)").toString().split(' ')) {
            zeilen << z;
            // the tree shows the file (current records only), with the view kept
            QTreeWidgetItem* k = knoten(z.section(':', 0, 0));
            if (z != "Fl1005:0" && z.section(':', 1) != "0") {
                ASSERT_NE(k, nullptr) << z.toStdString();
                EXPECT_EQ(k->parent(), knoten("Fl" + z.section(':', 1))) << z.toStdString();
                EXPECT_TRUE(k->parent()->isExpanded()) << z.toStdString();
            }
        }
        EXPECT_EQ(zeilen.join(' '), s.flaechen);
        const bool bleibt = QString(s.knoten).startsWith("An") ? s.antwort != QMessageBox::Yes
                                                                : s.flaechen.contains(QString(s.knoten) + ":");
        EXPECT_EQ(knoten(s.knoten) != nullptr, bleibt) << "im Baum";
        if (QString(s.knoten).startsWith("An")) {
            EXPECT_EQ(anzahl("AnalysenID", "AnalysenNr = 'An1000'"), bleibt ? 1 : 0);
        }
    }
    EXPECT_EQ(anzahl("AnalysenID"), 0);
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

    // an analysis: its own menu and number (the value typed on the plot is dropped on the way)
    antworten(QMessageBox::No);
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("An1000"));
    EXPECT_TRUE(menueOffen(7) && !menueOffen(3));
    EXPECT_EQ(w().strAktAnalysenNr + "/" + w().strAktFlaechenNr + "/" + w().strAktGruppierungNr, "An1000/Fl1002/1001");
    menueSchliessen();

    // the page moved on to another date meanwhile: the right click shows that analysis again,
    // so that a store afterwards cannot write the typed values into it
    seite->dtpProbenahme()->setDate(QDate(2025, 3, 1));
    ASSERT_EQ(w().strAktAnalysenNr, "x");
    werteTippen({"9", "40", "40", "", "7"});
    QTest::mouseClick(seite->lblBodenart(2), Qt::LeftButton);
    antworten(QMessageBox::No);
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("An1000"));
    EXPECT_EQ(w().strAktAnalysenNr, "An1000");
    EXPECT_EQ(seite->dtpProbenahme()->date(), QDate(2024, 4, 18));
    EXPECT_EQ(seite->txtWert(3)->text(), "12");
    menueSchliessen();
    QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(wert("SELECT P2O5 FROM AnalysenID WHERE AnalysenNr = 'An1000'").toDouble(), 12);
    EXPECT_EQ(anzahl("AnalysenID"), 2);
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
    EXPECT_EQ(haupt->menuePunkt("mnuUmschalt")->text(), "Alles anzeigen");
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
    ASSERT_NE(knoten("Fl1007"), nullptr);
    EXPECT_EQ(trv->currentItem(), knoten("Fl1007"));
    EXPECT_FALSE(knoten("Fl1007")->isExpanded());
    EXPECT_TRUE(knoten("Fl1003")->isExpanded()); // the group dialog keeps the view
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1007");
}

TEST_F(BaumMenueTest, GruppeAendern)
{
    ASSERT_NO_FATAL_FAILURE(rechtsKlicken("Fl1001"));
    ASSERT_NO_FATAL_FAILURE(menuePunktKlicken(2, "mnuGrpAendern"));
    auto* g = fenster().fensterAls<frmFlaecheGruppe>("frmFlaecheGruppe");
    ASSERT_NE(g, nullptr);
    EXPECT_FALSE(g->neu());
    EXPECT_EQ(g->windowTitle() + "|" + g->txtBezeichnung()->text() + "|" + g->imgAktuellerDatensatz()->schluessel(),
              "Änderungen an Untergruppe vornehmen|Untergruppe|chb1");
    tippen(g->txtBezeichnung(), "Hinten");
    QTest::mouseClick(g->imgAktuellerDatensatz(), Qt::LeftButton);
    EXPECT_EQ(g->imgAktuellerDatensatz()->schluessel(), "chb0");
    QTest::mouseClick(g->cmbSpeichern(), Qt::LeftButton);
    EXPECT_EQ(wert("SELECT Bezeichnung || AktuellerDatensatz FROM FlaechenID WHERE FlaechenNr = 'Fl1001'").toString(), "Hinten0");
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
