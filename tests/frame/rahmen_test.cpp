// Page switching, caption, breadcrumb and title strip.
#include "frame/frmbrotkrume.h"
#include "frame/frmintro.h"
#include "frame/frmtitel.h"
#include "frame/seitenwechsel.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"
#include "services/sql.h"

using namespace kav;

using SeitenTest = test::RahmenTest;

TEST_F(SeitenTest, TitelSetzenWartetAufDasEndeDesIntros)
{
    starten();
    Rahmen& r = app().rahmen;
    r.strFensterZeigen = "Lexikon";
    TitelSetzen();
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera"); // the intro is loaded
    fenster().entladen("frmIntro");
    TitelSetzen();
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Lexikon");
    r.strFensterZeigen = "Kein";
    TitelSetzen();
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera");
}

TEST_F(SeitenTest, ProgrammStartenJeSchrittschluessel)
{
    struct Fall {
        const char* schritt;
        const char* seite;
        const char* danach;
        const char* titel;
    };
    const Fall faelle[] = {
        {"Analysenwerte", "frmAnalysenWerte", "Analysenwerte", "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen"},
        {"Kein", "frmAnalysenWerte", "Analysenwerte", "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen"},
        {"NPK3", "frmNPK", "NPK", "Kav - Humavera - Düngerbedarfsberechnung - Flächenauswahl"},
        {"Lexikon", "frmLexikon", "Lexikon", "Kav - Humavera - Lexikon"},
        {"Fremd", nullptr, "Fremd", "Kav - Humavera"},
    };
    for (const Fall& f : faelle) {
        starten();
        app().rahmen.strFensterZeigen = f.schritt;
        ProgrammStarten();
        EXPECT_FALSE(fenster().istGeladen("frmIntro")) << f.schritt;
        EXPECT_EQ(app().rahmen.strFensterZeigen, f.danach) << f.schritt;
        EXPECT_EQ(haupt->windowTitle(), f.titel) << f.schritt;
        if (f.seite) {
            EXPECT_TRUE(fenster().istGeladen(f.seite)) << f.schritt;
            EXPECT_TRUE(fenster().istGeladen("frmToolbar"));
            EXPECT_TRUE(app().rahmen.blnToolbarAktiv);
        } else {
            EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral"})) << f.schritt;
        }
    }
}

TEST_F(SeitenTest, ProgrammStartenFaengtEinenFehlerAb)
{
    starten();
    // the wizard's first page fails to open: the start goes to the analysis page
    fenster().klasseAnmelden("frmNPK", []() -> forms::Fenster* { throw forms::FormsFehler("kaputt"); });
    app().rahmen.strFensterZeigen = "NPK";
    ProgrammStarten();
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte"));
    EXPECT_FALSE(fenster().istGeladen("frmIntro"));
}

TEST_F(SeitenTest, IntroStartetNurEinmal)
{
    starten();
    auto* intro = fenster().fensterAls<frmIntro>("frmIntro");
    ASSERT_NE(intro, nullptr);
    EXPECT_TRUE(intro->timIntro().isActive());
    EXPECT_EQ(intro->timIntro().interval(), 10000);
    QTimer& timer = intro->timIntro();
    emit intro->picIntro()->doppelklick();
    EXPECT_FALSE(timer.isActive()); // the timer goes with the window
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte"));
}

TEST_F(SeitenTest, FormulareEntladenLaesstRahmenStehen)
{
    starten();
    ProgrammStarten();
    fenster().zeigen("frmTitel");
    fenster().zeigen("frmEinstellungen");
    fenster().zeigen("frmUeberKav");
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmUeberKav");
    FormulareEntladen();
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmToolbar", "frmBrotkrume"}));
    EXPECT_TRUE(app().rahmen.strAktivesFenster.isEmpty());
}

TEST_F(SeitenTest, BrotkrumeJeSchritt)
{
    starten();
    ProgrammStarten();
    auto* bk = fenster().fensterAls<frmBrotkrume>("frmBrotkrume");
    ASSERT_NE(bk, nullptr);
    EXPECT_FALSE(bk->isHidden());
    struct Fall {
        const char* schritt;
        const char* bilder[6];
    };
    const Fall faelle[] = {
        {"NPK4", {"OK", "OK", "OK", "OK", "OK", "Aktiv"}},
        {"NPK", {"Aktiv", "", "", "", "", ""}},
        {"Analysenwerte", {"Aktiv", "", "", "", "", ""}},
        {"MKEditor", {"OK", "Aktiv", "", "", "", ""}},
        {"NPK2b", {"OK", "OK", "OK", "Aktiv", "", ""}},
        {"Lexikon", {"Aktiv", "", "", "", "", ""}},
    };
    for (const Fall& f : faelle) {
        BrotkrumeAktualisieren(f.schritt);
        for (int i = 0; i < 6; ++i) {
            const QString erwartet = QString::fromLatin1(f.bilder[i]);
            EXPECT_EQ(bk->imgBrotkrume(i)->schluessel(), erwartet) << f.schritt << " " << i;
            EXPECT_EQ(bk->imgBrotkrume(i)->istLeer(), erwartet.isEmpty()) << f.schritt << " " << i;
            EXPECT_EQ(bk->lblBrotkrume(i)->font().bold(), erwartet == "Aktiv") << f.schritt << " " << i;
        }
    }
    EXPECT_EQ(bk->lblBrotkrume(3)->text(), "4. Kompost,Mist");
}

TEST_F(SeitenTest, BrotkrumeWirdBeiBedarfGeladen)
{
    starten();
    fenster().entladen("frmIntro");
    EXPECT_FALSE(fenster().istGeladen("frmBrotkrume"));
    BrotkrumeAktualisieren("NPK1");
    ASSERT_TRUE(fenster().istGeladen("frmBrotkrume"));
    EXPECT_EQ(fenster().fensterAls<frmBrotkrume>("frmBrotkrume")->imgBrotkrume(1)->schluessel(), "Aktiv");
}

class TitelTest : public test::RahmenTest {
protected:
    void SetUp() override
    {
        RahmenTest::SetUp();
        starten();
        ProgrammStarten();
        const QSqlDatabase d = app().db->cnDaten();
        sql::exec(d, "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, ?)", {"Fl1001", "Gemüsebeet Süd"});
        sql::exec(d, "INSERT INTO AnalysenID (AnalysenNr, Datum) VALUES (?, ?)", {"An1001", "2024-05-03"});
        // crop rows of our own, whatever the shipped reference data hold
        const QSqlDatabase k = app().db->cnKav();
        sql::exec(k, "DELETE FROM KulturID WHERE KulturNr IN ('Ku1010', 'Ku1089')");
        sql::exec(k, "INSERT INTO KulturID (KulturNr, Bezeichnung, GruppierungNr, Gliederungspunkt) VALUES (?, ?, ?, ?)",
                  {"Ku1010", "Kopfsalat", 1007, 0});
        sql::exec(k, "INSERT INTO KulturID (KulturNr, Bezeichnung, GruppierungNr, Gliederungspunkt) VALUES (?, ?, ?, ?)",
                  {"Ku1089", "Gespeicherte Mischkulturen", 0, 1});
    }
    frmTitel* titel()
    {
        FormulareEntladen();
        fenster().zeigen("frmTitel");
        return fenster().fensterAls<frmTitel>("frmTitel");
    }
};

TEST_F(TitelTest, DreiZeilenAusDenDatenbanken)
{
    WizardState& w = app().bedarf;
    w.strAktKulturNr = "Ku1010"; // group 1007
    w.strAktFlaechenNr = "Fl1001";
    w.strAktAnalysenNr = "An1001";
    frmTitel* t = titel();
    EXPECT_EQ(t->lblTitel(1)->text(), "Kopfsalat");
    EXPECT_EQ(t->imgTitel(1)->schluessel(), "Gr1001");
    EXPECT_EQ(t->lblTitel(2)->text(), "Gemüsebeet Süd");
    EXPECT_EQ(t->imgTitel(2)->schluessel(), "Flaeche");
    EXPECT_EQ(t->lblTitel(3)->text(), "vom: 03.05.2024");
    EXPECT_EQ(t->imgTitel(3)->schluessel(), "Datum");
    EXPECT_FALSE(t->imgTitel(3)->istLeer());
}

TEST_F(TitelTest, GruppeOhneBildUndFehlendeZeilen)
{
    WizardState& w = app().bedarf;
    w.strAktKulturNr = "ID061220260915300001"; // a mixed-culture plan: the plans folder, group 0
    w.strAktFlaechenNr = "Fl9999";
    w.strAktAnalysenNr = "x";
    frmTitel* t = titel();
    EXPECT_EQ(t->lblTitel(1)->text(), "Gespeicherte Mischkulturen");
    EXPECT_TRUE(t->imgTitel(1)->istLeer()); // "Gr0" is no picture
    EXPECT_TRUE(t->lblTitel(2)->text().isEmpty());
    EXPECT_TRUE(t->lblTitel(3)->text().isEmpty());
    EXPECT_EQ(frmTitel::gruppenBild(1006), "Gr1006");
    EXPECT_EQ(frmTitel::gruppenBild(1008), "Gr1001");
    EXPECT_TRUE(t->imlTitel().enthaelt("Gr1006"));
    EXPECT_EQ(t->imlTitel().tag("Gr1006"), "Obst");
    EXPECT_FALSE(t->imlTitel().enthaelt("Gr0"));
}

TEST_F(TitelTest, BilderFolgenNurDerStreifengroesse)
{
    app().bedarf.strAktKulturNr = "Ku1010";
    frmTitel* t = titel();
    Rahmen& r = app().rahmen;
    r.sngBreiteStart = 15000;
    r.sngHoeheStart = 12000;
    for (int n = 0; n < 4; ++n) {
        ArbeitsbereichAnordnen();
        EXPECT_DOUBLE_EQ(forms::Tw(t->imgTitel(1)).Width(), 600) << n; // TW / 25, not shrinking
    }
    // a low strip caps the side so that it fits: two thirds of the strip's height
    r.sngHoeheStart = 6000; // strip 600 high
    ArbeitsbereichAnordnen();
    EXPECT_DOUBLE_EQ(forms::Tw(t->imgTitel(2)).Width(), 400);
    const double tsw = forms::Tw(t).ScaleWidth();
    EXPECT_NEAR(forms::Tw(t->imgTitel(2)).Left(), 2 * tsw / 18 + 400 + 50 + 15000.0 / 4, 1e-9);
    EXPECT_TRUE(t->lblTitel(1)->font().bold());
}
