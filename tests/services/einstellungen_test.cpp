#include "platform/settingsstore.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/rahmen.h"
#include "testhelpers.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kav;

namespace {

class EinstellungenTest : public ::testing::Test {
protected:
    QString ini() const { return dir.filePath("Kav.ini"); }
    void schreiben(const QString& pfad, const QString& name, const QString& wert)
    {
        SettingsStore s(ini());
        s.RegistrySchreiben(pfad, name, wert);
    }
    void laden()
    {
        SettingsStore s(ini());
        EinstellungenLaden(s, gebiet, e, r);
    }
    QList<int> farben() const { return {e.intRot, e.intGruen, e.intBlau, e.intRotHell, e.intGruenHell, e.intBlauHell}; }
    QList<float> platz() const { return {r.sngHoehe, r.sngBreite, r.sngTop, r.sngLeft, r.sngHoeheStart, r.sngBreiteStart}; }
    QStringList texte() const
    {
        return {e.strDatenAufServer, e.strUpdatebeiStart, r.strAnsicht, r.strFensterZeigen, r.strLexikonAnzeige};
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
    EXPECT_EQ(texte(), QStringList({"Falsch", "Falsch", "2", "Analysenwerte", "Bodenuntersuchung"}));
    EXPECT_EQ(e.datLetztesUpdate, QDateTime(QDate(2010, 2, 11), QTime(0, 0)));
    EXPECT_FALSE(e.datLetzteDS.isValid());
    EXPECT_EQ(platz(), QList<float>({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(farben(), QList<int>({188, 188, 188, 220, 220, 220}));
    EXPECT_TRUE(e.blnAnzeigeAktuellFl);
    EXPECT_FALSE(e.blnImmerOptimal);
    EXPECT_TRUE(e.strProgrammID.isEmpty() && e.strVersion.isEmpty());
}

TEST_F(EinstellungenTest, SpeichernUndLadenBehaltenJedenWert)
{
    Einstellungen a;
    Rahmen ra;
    a.strProgrammVerz = "/opt/kav", a.strVersion = "1.0.0", a.strProgrammID = "061220262130051234";
    a.intDS = 7, a.datLetzteDS = QDate(2026, 11, 30);
    a.strDatenAufServer = "Wahr", a.strUpdatebeiStart = "Wahr";
    a.datLetztesUpdate = QDateTime(QDate(2026, 12, 1), QTime(17, 10));
    a.intRot = 10, a.intGruen = 250, a.intBlau = 0;
    a.blnAnzeigeAktuellFl = false, a.blnImmerOptimal = true;
    ra.sngHoehe = 9000.5f, ra.sngBreite = 11400, ra.sngTop = -120, ra.sngLeft = 30;
    ra.strAnsicht = "0", ra.strFensterZeigen = "Kein", ra.strLexikonAnzeige = "Horn";
    {
        SettingsStore s(ini());
        EinstellungenSpeichern(s, gebiet, a, ra);
        ASSERT_TRUE(s.sync());
    }
    laden();
    EXPECT_EQ(e.strVersion + " " + e.strProgrammID, "1.0.0 061220262130051234");
    EXPECT_EQ(e.intDS, 7);
    EXPECT_EQ(e.datLetzteDS, a.datLetzteDS);
    EXPECT_EQ(e.datLetztesUpdate, QDateTime(QDate(2026, 12, 1), QTime(0, 0))); // the time is dropped
    EXPECT_EQ(texte(), QStringList({"Wahr", "Wahr", "0", "Kein", "Horn"}));
    EXPECT_EQ(farben(), QList<int>({10, 250, 0, 42, 282, 32})); // no upper bound on the highlight
    EXPECT_FALSE(e.blnAnzeigeAktuellFl);
    EXPECT_TRUE(e.blnImmerOptimal);
    EXPECT_EQ(platz(), QList<float>({9000.5f, 11400, -120, 30, 9000.5f, 11400}));

    SettingsStore s(ini());
    EXPECT_EQ(s.RegistryWertLesen(schluessel::einstellungen, "Kav-Breite"), "11400"); // never "11.400"
    EXPECT_EQ(s.RegistryWertLesen(schluessel::einstellungen, "Kav-Hoehe"), "9000,5");
    EXPECT_EQ(s.RegistryWertLesen(schluessel::datenbank, "datLetzteDS"), "30.11.2026");
    EXPECT_EQ(s.RegistryWertLesen(schluessel::variablen, "blnImmerOptimal"), "Wahr");
}

TEST_F(EinstellungenTest, SchrittBeimLadenAbgebildet)
{
    const std::pair<const char*, const char*> faelle[] = {
        {"NPK3", "NPK"}, {"NPK", "NPK"},   {"NPK2b", "NPK"}, {"MKEditor", "NPK"}, {"Lexikon", "Analysenwerte"},
        {"Kein", "Kein"}, {"Analysenwerte", "Analysenwerte"},
        {"Unsinn", "Analysenwerte"}, {"npk3", "Analysenwerte"}, {"Lupe", "Analysenwerte"}, // names no page
    };
    for (const auto& [gespeichert, geladen] : faelle) {
        schreiben(schluessel::fenster, "strFensterZeigen", gespeichert);
        laden();
        EXPECT_EQ(r.strFensterZeigen, geladen) << gespeichert;
    }
}

TEST_F(EinstellungenTest, NurWahrIstWahrUnlesbareWerteBleibenLeereGebenDieVorgabe)
{
    schreiben(schluessel::variablen, "blnImmerOptimal", "True");
    schreiben(schluessel::variablen, "blnAnzeigeAktuellFl", "wahr");
    schreiben(schluessel::einstellungen, "Rot", "");
    schreiben(schluessel::datenbank, "datLetzteDS", "03.05.2024 17:10:00");
    schreiben(schluessel::datenbank, "intDS", "vierzehn");
    schreiben(schluessel::einstellungen, "Kav-Hoehe", "hoch");
    schreiben(schluessel::datenbank, "datLetztesUpdate", "kein Datum");
    e.intDS = 3;
    r.sngHoehe = 5000;
    laden();
    EXPECT_FALSE(e.blnImmerOptimal);
    EXPECT_FALSE(e.blnAnzeigeAktuellFl);
    EXPECT_EQ(e.intRot, 188);
    EXPECT_EQ(e.datLetzteDS, QDate(2024, 5, 3));
    EXPECT_EQ(e.intDS, 3); // unreadable: keeps the value it had
    EXPECT_EQ(r.sngHoehe, 5000.0f);
    EXPECT_FALSE(e.datLetztesUpdate.isValid());
    schreiben(schluessel::datenbank, "intDS", "");
    laden();
    EXPECT_EQ(e.intDS, 14);
}

// A colour part outside 0 to 255 and a size or place beyond any screen read as the defaults.
TEST_F(EinstellungenTest, FarbenUndMasseAusserhalbGebenDieVorgabe)
{
    const struct { const char* name; const char* text; int farbe; } farben[] = {
        {"Rot", "255", 255}, {"Rot", "256", 188}, {"Gruen", "0", 0}, {"Gruen", "-1", 188}, {"Blau", "99999", 188},
        {"Blau", "grün", 188},
    };
    for (const auto& f : farben) {
        schreiben(schluessel::einstellungen, f.name, f.text);
        laden();
        const int gelesen = QString(f.name) == "Rot" ? e.intRot : QString(f.name) == "Gruen" ? e.intGruen : e.intBlau;
        EXPECT_EQ(gelesen, f.farbe) << f.name << " " << f.text;
    }
    const struct { const char* name; const char* text; float wert; } masse[] = {
        {"Kav-Hoehe", "9000", 9000}, {"Kav-Hoehe", "-9000", 0}, {"Kav-Breite", "99999999", 0},
        {"Kav-Top", "-1500", -1500}, {"Kav-Top", "1e12", 0}, {"Kav-Left", "1000001", 0}, {"Kav-Left", "-1000000", -1000000},
    };
    for (const auto& m : masse) {
        r = Rahmen();
        schreiben(schluessel::einstellungen, m.name, m.text);
        laden();
        const float gelesen = QString(m.name) == "Kav-Hoehe" ? r.sngHoehe
                              : QString(m.name) == "Kav-Breite" ? r.sngBreite
                              : QString(m.name) == "Kav-Top"    ? r.sngTop
                                                                : r.sngLeft;
        EXPECT_EQ(gelesen, m.wert) << m.name << " " << m.text;
    }
}

TEST(Gebietsschema, DeutschUndAmerikanisch)
{
    const Gebietsschema de = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.strDatumsFormat + " " + de.strDezimalZeichen, "dd.MM.yyyy ,");
    EXPECT_EQ(de.zahlText(11400), "11400");
    EXPECT_EQ(de.zahlText(0.5), "0,5");
    EXPECT_EQ(de.datumText(QDate(2026, 3, 8)), "08.03.2026");
    EXPECT_EQ(de.zahlLesen("12,5").value_or(0), 12.5);
    EXPECT_FALSE(de.zahlLesen("abc"));

    const Gebietsschema us = SystemEinstellungenLesen(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.strDatumsFormat + " " + us.strDezimalZeichen, "MM/dd/yyyy .");
    EXPECT_EQ(us.zahlText(11400), "11400");
    EXPECT_EQ(us.datumText(QDate(2026, 3, 8)), "03/08/2026");
    ASSERT_TRUE(us.datumLesen("11.02.2010")); // the stored default reads in any locale
    EXPECT_EQ(us.datumLesen("11.02.2010")->date(), QDate(2010, 2, 11));
}

// A settings file of random bytes is written over at the end: no write error, and the value is there.
TEST_F(EinstellungenTest, UnlesbareDateiWirdGeschriebenOhneSchreibfehler)
{
    QByteArray bytes("[Fenster\n"); // a section that never closes: a format fault whatever follows
    for (QRandomGenerator zufall(27); bytes.size() < 4096;)
        bytes += static_cast<char>(zufall.bounded(256));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(ini(), bytes));
    SettingsStore s(ini());
    s.RegistrySchreiben(schluessel::fenster, "strFensterZeigen", "NPK2");
    EXPECT_TRUE(s.sync());
    EXPECT_EQ(SettingsStore(ini()).RegistryWertLesen(schluessel::fenster, "strFensterZeigen"), "NPK2");
}
