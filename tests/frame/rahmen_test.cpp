// Page switching, caption, breadcrumb and title strip.
#include "frame/frmbrotkrume.h"
#include "frame/frmintro.h"
#include "frame/frmtitel.h"
#include "frame/seitenwechsel.h"
#include "frame/titelzeilen.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"
#include "services/sql.h"

using namespace kav;

using SeitenTest = test::RahmenTest;

TEST_F(SeitenTest, TitelSetzenWartetAufDasEndeDesIntros)
{
    starten();
    app().rahmen.strFensterZeigen = "Lexikon";
    TitelSetzen();
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera"); // the intro is loaded
    fenster().entladen("frmIntro");
    TitelSetzen();
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Lexikon");
}

TEST_F(SeitenTest, ProgrammStartenJeSchrittschluessel)
{
    const struct { const char* schritt; const char* seite; const char* danach; const char* titel; } faelle[] = {
        {"Analysenwerte", "frmAnalysenWerte", "Analysenwerte", "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen"},
        {"Kein", "frmAnalysenWerte", "Analysenwerte", "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen"},
        {"NPK3", "frmNPK", "NPK", "Kav - Humavera - Düngerbedarfsberechnung - Flächenauswahl"},
        {"Lexikon", "frmLexikon", "Lexikon", "Kav - Humavera - Lexikon"},
        {"Fremd", nullptr, "Fremd", "Kav - Humavera"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.schritt);
        starten();
        app().rahmen.strFensterZeigen = f.schritt;
        ProgrammStarten();
        EXPECT_EQ(app().rahmen.strFensterZeigen, f.danach);
        EXPECT_EQ(haupt->windowTitle(), f.titel);
        EXPECT_EQ(app().rahmen.blnToolbarAktiv, f.seite != nullptr);
        if (f.seite) {
            EXPECT_TRUE(fenster().istGeladen(f.seite) && fenster().istGeladen("frmToolbar"));
            EXPECT_FALSE(fenster().istGeladen("frmIntro"));
        } else {
            EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral"}));
        }
    }
    // the wizard's first page fails to open: the start goes to the analysis page
    starten();
    fenster().klasseAnmelden("frmNPK", []() -> forms::Fenster* { throw forms::FormsFehler("kaputt"); });
    app().rahmen.strFensterZeigen = "NPK";
    ProgrammStarten();
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmToolbar", "frmAnalysenWerte", "frmBrotkrume"}));
}

TEST_F(SeitenTest, FormulareEntladenLaesstRahmenStehen)
{
    starten();
    ProgrammStarten();
    for (const char* n : {"frmTitel", "frmEinstellungen", "frmUeberKav"})
        fenster().zeigen(n);
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmUeberKav");
    FormulareEntladen();
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmToolbar", "frmBrotkrume"}));
    EXPECT_TRUE(app().rahmen.strAktivesFenster.isEmpty());
}

TEST_F(SeitenTest, BrotkrumeJeSchrittWirdBeiBedarfGeladen)
{
    starten();
    fenster().entladen("frmIntro");
    EXPECT_FALSE(fenster().istGeladen("frmBrotkrume"));
    const struct { const char* schritt; const char* bilder[6]; } faelle[] = {
        {"MKEditor", {"OK", "Aktiv", "", "", "", ""}},
        {"NPK4", {"OK", "OK", "OK", "OK", "OK", "Aktiv"}},
        {"NPK", {"Aktiv", "", "", "", "", ""}},
        {"NPK2b", {"OK", "OK", "OK", "Aktiv", "", ""}},
        {"Lexikon", {"Aktiv", "", "", "", "", ""}},
    };
    for (const auto& f : faelle) {
        BrotkrumeAktualisieren(f.schritt);
        auto* bk = fenster().fensterAls<frmBrotkrume>("frmBrotkrume");
        ASSERT_NE(bk, nullptr);
        EXPECT_FALSE(bk->isHidden());
        for (int i = 0; i < 6; ++i) {
            const QString erwartet = QString::fromLatin1(f.bilder[i]);
            EXPECT_EQ(bk->imgBrotkrume(i)->schluessel(), erwartet) << f.schritt << " " << i;
            EXPECT_EQ(bk->imgBrotkrume(i)->istLeer(), erwartet.isEmpty()) << f.schritt << " " << i;
            EXPECT_EQ(bk->lblBrotkrume(i)->font().bold(), erwartet == "Aktiv") << f.schritt << " " << i;
        }
    }
    EXPECT_EQ(fenster().fensterAls<frmBrotkrume>("frmBrotkrume")->lblBrotkrume(3)->text(), "4. Kompost, Mist");
}

class TitelTest : public test::RahmenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RahmenTest::SetUp());
        starten();
        ProgrammStarten();
        const QSqlDatabase d = app().db->cnDaten();
        sql::exec(d, "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung) VALUES (?, ?)", {"Fl1001", "Gemüsebeet Süd"});
        sql::exec(d, "INSERT INTO AnalysenID (AnalysenNr, Datum) VALUES (?, ?)", {"An1001", "2024-05-03"});
        // crop rows of our own, whatever the shipped reference data hold
        const QSqlDatabase k = app().db->cnKav();
        sql::exec(k, "DELETE FROM KulturID WHERE KulturNr IN ('Ku1010', 'Ku1089')");
        const QString neu = "INSERT INTO KulturID (KulturNr, Bezeichnung, GruppierungNr, Gliederungspunkt) VALUES (?, ?, ?, ?)";
        sql::exec(k, neu, {"Ku1010", "Kopfsalat", 1007, 0});
        sql::exec(k, neu, {"Ku1089", "Gespeicherte Mischkulturen", 0, 1});
    }
    frmTitel* titel(const QString& kultur, const QString& flaeche, const QString& analyse)
    {
        app().bedarf.strAktKulturNr = kultur;
        app().bedarf.strAktFlaechenNr = flaeche;
        app().bedarf.strAktAnalysenNr = analyse;
        FormulareEntladen();
        fenster().zeigen("frmTitel");
        return fenster().fensterAls<frmTitel>("frmTitel");
    }
    static QStringList zeilen(frmTitel* t) { return {t->lblTitel(1)->text(), t->lblTitel(2)->text(), t->lblTitel(3)->text()}; }
};

TEST_F(TitelTest, DreiZeilenAusDenDatenbanken)
{
    frmTitel* t = titel("Ku1010", "Fl1001", "An1001"); // group 1007
    EXPECT_EQ(zeilen(t), QStringList({"Kopfsalat", "Gemüsebeet Süd", "vom: 03.05.2024"}));
    EXPECT_EQ(QStringList({t->imgTitel(1)->schluessel(), t->imgTitel(2)->schluessel(), t->imgTitel(3)->schluessel()}),
              QStringList({"Gr1001", "Flaeche", "Datum"}));
    EXPECT_FALSE(t->imgTitel(3)->istLeer());
}

TEST_F(TitelTest, GruppeOhneBildUndFehlendeZeilen)
{
    frmTitel* t = titel("ID061220260915300001", "Fl9999", "x"); // a mixed-culture plan: the plans folder, group 0
    EXPECT_EQ(zeilen(t), QStringList({"Gespeicherte Mischkulturen", "", ""}));
    EXPECT_TRUE(t->imgTitel(1)->istLeer()); // "Gr0" is no picture
    EXPECT_EQ(gruppenBild(1008), "Gr1001");
    EXPECT_FALSE(t->imlTitel().enthaelt("Gr0"));
}
