#include "platform/settingsstore.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/rahmen.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kav;

namespace {

class EinstellungenTest : public ::testing::Test {
protected:
    QString ini() const { return dir.filePath("Kav.ini"); }
    void laden()
    {
        SettingsStore s(ini());
        EinstellungenLaden(s, gebiet, e, r);
    }
    QTemporaryDir dir;
    Gebietsschema gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    Einstellungen e;
    Rahmen r;
};

} // namespace

TEST_F(EinstellungenTest, LeereDateiGibtJedeVorgabe)
{
    laden();
    EXPECT_EQ(e.intDS, 14);
    EXPECT_EQ(e.strDatenAufServer, "Falsch");
    EXPECT_EQ(e.strUpdatebeiStart, "Falsch");
    EXPECT_EQ(e.datLetztesUpdate, QDateTime(QDate(2010, 2, 11), QTime(0, 0)));
    EXPECT_FALSE(e.datLetzteDS.isValid());
    EXPECT_EQ(r.strAnsicht, "2");
    EXPECT_EQ(r.sngHoehe, 0.0f);
    EXPECT_EQ(r.sngBreite, 0.0f);
    EXPECT_EQ(r.sngTop, 0.0f);
    EXPECT_EQ(r.sngLeft, 0.0f);
    EXPECT_EQ(e.intRot, 188);
    EXPECT_EQ(e.intGruen, 188);
    EXPECT_EQ(e.intBlau, 188);
    EXPECT_EQ(e.intRotHell, 220);
    EXPECT_EQ(e.intGruenHell, 220);
    EXPECT_EQ(e.intBlauHell, 220);
    EXPECT_EQ(r.strFensterZeigen, "Analysenwerte");
    EXPECT_EQ(r.strLexikonAnzeige, "Bodenuntersuchung");
    EXPECT_TRUE(e.blnAnzeigeAktuellFl);
    EXPECT_FALSE(e.blnImmerOptimal);
    EXPECT_TRUE(e.strProgrammID.isEmpty());
    EXPECT_TRUE(e.strVersion.isEmpty());
}

TEST_F(EinstellungenTest, SpeichernUndLadenBehaltenJedenWert)
{
    Einstellungen a;
    Rahmen ra;
    a.strProgrammVerz = "/opt/kav";
    a.strVersion = "1.0.0";
    a.strProgrammID = "061220262130051234";
    a.intDS = 7;
    a.datLetzteDS = QDate(2026, 11, 30);
    a.strDatenAufServer = "Wahr";
    a.datLetztesUpdate = QDateTime(QDate(2026, 12, 1), QTime(17, 10));
    a.strUpdatebeiStart = "Wahr";
    a.intRot = 10, a.intGruen = 250, a.intBlau = 0;
    a.blnAnzeigeAktuellFl = false;
    a.blnImmerOptimal = true;
    ra.sngHoehe = 9000.5f, ra.sngBreite = 11400, ra.sngTop = -120, ra.sngLeft = 30;
    ra.strAnsicht = "0";
    ra.strFensterZeigen = "Kein";
    ra.strLexikonAnzeige = "Horn";
    {
        SettingsStore s(ini());
        EinstellungenSpeichern(s, gebiet, a, ra);
        ASSERT_TRUE(s.sync());
    }
    laden();
    EXPECT_EQ(e.strVersion, a.strVersion);
    EXPECT_EQ(e.strProgrammID, a.strProgrammID);
    EXPECT_EQ(e.intDS, 7);
    EXPECT_EQ(e.datLetzteDS, a.datLetzteDS);
    EXPECT_EQ(e.strDatenAufServer, "Wahr");
    EXPECT_EQ(e.datLetztesUpdate, QDateTime(QDate(2026, 12, 1), QTime(0, 0))); // the time is dropped
    EXPECT_EQ(e.strUpdatebeiStart, "Wahr");
    EXPECT_EQ(e.intRot, 10);
    EXPECT_EQ(e.intGruen, 250);
    EXPECT_EQ(e.intBlau, 0);
    EXPECT_EQ(e.intGruenHell, 282); // no upper bound on the highlight
    EXPECT_FALSE(e.blnAnzeigeAktuellFl);
    EXPECT_TRUE(e.blnImmerOptimal);
    EXPECT_EQ(r.sngHoehe, 9000.5f);
    EXPECT_EQ(r.sngBreite, 11400.0f);
    EXPECT_EQ(r.sngHoeheStart, 9000.5f);
    EXPECT_EQ(r.sngBreiteStart, 11400.0f);
    EXPECT_EQ(r.sngTop, -120.0f);
    EXPECT_EQ(r.sngLeft, 30.0f);
    EXPECT_EQ(r.strAnsicht, "0");
    EXPECT_EQ(r.strFensterZeigen, "Kein");
    EXPECT_EQ(r.strLexikonAnzeige, "Horn");

    SettingsStore s(ini());
    EXPECT_EQ(s.RegistryWertLesen(schluessel::pfade, "Kav-Verz"), "/opt/kav");
    EXPECT_EQ(s.RegistryWertLesen(schluessel::einstellungen, "Kav-Breite"), "11400"); // never "11.400"
    EXPECT_EQ(s.RegistryWertLesen(schluessel::einstellungen, "Kav-Hoehe"), "9000,5");
    EXPECT_EQ(s.RegistryWertLesen(schluessel::datenbank, "datLetzteDS"), "30.11.2026");
    EXPECT_EQ(s.RegistryWertLesen(schluessel::variablen, "blnImmerOptimal"), "Wahr");
}

TEST_F(EinstellungenTest, SchrittBeimLadenAbgebildet)
{
    const struct { const char* gespeichert; const char* geladen; } faelle[] = {
        {"NPK3", "NPK"}, {"NPK", "NPK"}, {"NPK2b", "NPK"}, {"MKEditor", "NPK"}, {"Lexikon", "Analysenwerte"},
        {"Kein", "Kein"}, {"Analysenwerte", "Analysenwerte"},
    };
    for (const auto& f : faelle) {
        {
            SettingsStore s(ini());
            s.RegistrySchreiben(schluessel::fenster, "strFensterZeigen", f.gespeichert);
        }
        laden();
        EXPECT_EQ(r.strFensterZeigen, f.geladen) << f.gespeichert;
    }
}

TEST_F(EinstellungenTest, NurWahrIstWahrUndLeereWerteGebenDieVorgabe)
{
    {
        SettingsStore s(ini());
        s.RegistrySchreiben(schluessel::variablen, "blnImmerOptimal", "True");
        s.RegistrySchreiben(schluessel::variablen, "blnAnzeigeAktuellFl", "wahr");
        s.RegistrySchreiben(schluessel::datenbank, "intDS", "");
        s.RegistrySchreiben(schluessel::einstellungen, "Rot", "");
    }
    laden();
    EXPECT_FALSE(e.blnImmerOptimal);
    EXPECT_FALSE(e.blnAnzeigeAktuellFl);
    EXPECT_EQ(e.intDS, 14);
    EXPECT_EQ(e.intRot, 188);
}

TEST_F(EinstellungenTest, DatumMitUhrzeitUndUnlesbareWerte)
{
    {
        SettingsStore s(ini());
        s.RegistrySchreiben(schluessel::datenbank, "datLetzteDS", "03.05.2024 17:10:00");
        s.RegistrySchreiben(schluessel::datenbank, "intDS", "vierzehn");
        s.RegistrySchreiben(schluessel::einstellungen, "Kav-Hoehe", "hoch");
        s.RegistrySchreiben(schluessel::datenbank, "datLetztesUpdate", "kein Datum");
    }
    e.intDS = 3;
    r.sngHoehe = 5000;
    laden();
    EXPECT_EQ(e.datLetzteDS, QDate(2024, 5, 3));
    EXPECT_EQ(e.intDS, 3);           // unreadable: keeps the value it had
    EXPECT_EQ(r.sngHoehe, 5000.0f);
    EXPECT_FALSE(e.datLetztesUpdate.isValid());
}

TEST(Gebietsschema, DeutschUndAmerikanisch)
{
    const Gebietsschema de = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.strDatumsFormat, "dd.MM.yyyy");
    EXPECT_EQ(de.strDezimalZeichen, ",");
    EXPECT_EQ(de.zahlText(11400), "11400");
    EXPECT_EQ(de.zahlText(0.5), "0,5");
    EXPECT_EQ(de.datumText(QDate(2026, 3, 8)), "08.03.2026");
    ASSERT_TRUE(de.zahlLesen("12,5"));
    EXPECT_DOUBLE_EQ(*de.zahlLesen("12,5"), 12.5);
    EXPECT_FALSE(de.zahlLesen("abc"));

    const Gebietsschema us = SystemEinstellungenLesen(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.strDatumsFormat, "MM/dd/yyyy");
    EXPECT_EQ(us.strDezimalZeichen, ".");
    EXPECT_EQ(us.zahlText(11400), "11400");
    EXPECT_EQ(us.datumText(QDate(2026, 3, 8)), "03/08/2026");
    ASSERT_TRUE(us.datumLesen("11.02.2010")); // the stored default reads in any locale
    EXPECT_EQ(us.datumLesen("11.02.2010")->date(), QDate(2010, 2, 11));
}
