#include "fertilisers/katalogeingabe.h"
#include "plots/analysendaten.h"
#include "plots/flaechendaten.h"
#include "plots/flaechentexte.h"
#include "plots/loeschungen.h"
#include "plots/wertebereiche.h"
#include "plotfixture.h"
#include "services/wizardstate.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kav;

namespace {

// A stored analysis as text: date, soil group, list position + 1, the five values, change time.
QString text(const AnalysenZeile& a)
{
    QStringList z{a.Datum.toString(Qt::ISODate)};
    for (const auto& v : {a.Bodenart, a.BodenartKuerzel})
        z << (v ? QString::number(*v) : QString());
    for (const auto& v : {a.GesamtN, a.P2O5, a.K2O, a.Mg, a.pH})
        z << (v ? QString::number(*v) : QString());
    return (z << a.LetzteAenderung).join('|');
}

// A stored plot or group as text: group flag, parent, current flag, name, sizes, compost, usage,
// change time.
QString text(const FlaechenZeile& f)
{
    return QStringList({QString::number(f.Gliederungspunkt), QString::number(f.GruppierungNr),
                        QString::number(f.AktuellerDatensatz), f.Bezeichnung, QString::number(f.Laenge),
                        QString::number(f.Breite), QString::number(f.Flaeche), QString::number(f.Kompost),
                        QString::number(f.Nutzung), f.LetzteAenderung})
        .join('|');
}

class Analysen : public test::DatenDatei {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(DatenDatei::SetUp());
        flaeche("Fl1000", "Beet A");
        flaeche("Fl1001", "Beet B");
        d.emplace(db(), gebiet, uhr, zufall);
    }
    AnalyseEingabe eingabe(const QDate& datum = QDate(2024, 4, 17))
    {
        AnalyseEingabe e;
        e.strAktFlaechenNr = "Fl1000";
        e.strAktAnalysenNr = kNeueAnalyse;
        e.datum = datum;
        e.intBodenart = 1;
        e.bodenartListenIndex = 4;
        e.txtWert = {"2,5", "12", "15", "8", "6,5"};
        return e;
    }
    std::optional<AnalysenDaten> d;
};

} // namespace

TEST_F(Analysen, NeueAnalyseMitZuordnungUndWerten)
{
    const AnalyseGespeichert r = d->AnalysenWerteSpeichern(eingabe());
    ASSERT_TRUE(r.ok) << r.meldung.text.toStdString();
    EXPECT_TRUE(r.neu);
    EXPECT_EQ(r.AnalysenNr, "An1000");
    EXPECT_EQ(anzahl("AnalysenID"), 1);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen"), 1);

    const auto a = analysenZeileLesen(db(), "An1000");
    ASSERT_TRUE(a);
    EXPECT_EQ(text(*a), "2024-04-17|1|5|2.5|12|15|8|6.5|2025-04-07 09:15:30"); // list position 4 + 1
    EXPECT_TRUE(QRegularExpression("^07042025091530[0-9]{4}$").match(a->ID).hasMatch()) << a->ID.toStdString();
    // stored as numbers and ISO text, not as typed
    EXPECT_EQ(wert("SELECT typeof(GesamtN) || Datum FROM AnalysenID").toString(), "real2024-04-17");

    EXPECT_EQ(wert("SELECT FlaechenNr || '/' || AnalysenNr || '/' || Datum || '/' || AktuellerDatensatz "
                   "FROM ZOFlaechenAnalysen").toString(),
              "Fl1000/An1000/2024-04-17/1");
    EXPECT_EQ(wert("SELECT length(ID) FROM ZOFlaechenAnalysen").toInt(), 18);

    WizardState s;
    werteUebergeben(r, s);
    EXPECT_EQ(s.strAktAnalysenNr + QString(" %1 %2 %3").arg(s.sngOS).arg(s.sngPH).arg(s.sngMg), "An1000 2.5 6.5 8");

    // no list choice, only the "mittel" picture clicked: soil group 1, list position 0
    AnalyseEingabe e = eingabe(QDate(2024, 5, 1));
    e.bodenartListenIndex = -1;
    EXPECT_TRUE(text(*analysenZeileLesen(db(), d->AnalysenWerteSpeichern(e).AnalysenNr)).startsWith("2024-05-01|1|0|"));
}

TEST_F(Analysen, ZweimalSpeichernGibtEineAnalyseUndEineZuordnung)
{
    AnalyseEingabe e = eingabe();
    const auto erste = d->AnalysenWerteSpeichern(e);
    ASSERT_TRUE(erste.ok);

    // the page still says "new" (it lost the number): plot and date find the analysis again
    e.txtWert[kPH] = "7";
    const auto zweite = d->AnalysenWerteSpeichern(e);
    ASSERT_TRUE(zweite.ok);
    EXPECT_FALSE(zweite.neu);
    EXPECT_EQ(zweite.AnalysenNr, erste.AnalysenNr);

    // the page holds the number: update as well
    e.strAktAnalysenNr = erste.AnalysenNr;
    e.txtWert[kK2O] = "22";
    const auto dritte = d->AnalysenWerteSpeichern(e);
    ASSERT_TRUE(dritte.ok);
    EXPECT_FALSE(dritte.neu);

    EXPECT_EQ(anzahl("AnalysenID") + anzahl("ZOFlaechenAnalysen"), 2);
    EXPECT_EQ(text(*analysenZeileLesen(db(), "An1000")), "2024-04-17|1|5|2.5|12|22|8|7|2025-04-07 09:15:30");

    // another date or another plot: a second analysis
    ASSERT_TRUE(d->AnalysenWerteSpeichern(eingabe(QDate(2024, 4, 18))).ok);
    AnalyseEingabe b = eingabe();
    b.strAktFlaechenNr = "Fl1001";
    ASSERT_TRUE(d->AnalysenWerteSpeichern(b).ok);
    EXPECT_EQ(anzahl("AnalysenID") + anzahl("ZOFlaechenAnalysen"), 6);
    EXPECT_EQ(analyseZuDatum(db(), "Fl1001", QDate(2024, 4, 17)), "An1002");
    EXPECT_EQ(analyseZuDatum(db(), "Fl1000", QDate(2024, 4, 18)), "An1001");
    EXPECT_EQ(analyseZuDatum(db(), "Fl1001", QDate(2024, 4, 18)), std::nullopt);
}

TEST_F(Analysen, MagnesiumLeerOderNichtBestimmtIstMinusEins)
{
    for (const char* mg : {"", "nicht bestimmt", "?"}) {
        AnalyseEingabe e = eingabe(QDate(2024, 1, 1).addDays(static_cast<int>(strlen(mg))));
        e.txtWert[kMg] = mg;
        const auto r = d->AnalysenWerteSpeichern(e);
        ASSERT_TRUE(r.ok) << mg;
        EXPECT_EQ(analysenZeileLesen(db(), r.AnalysenNr)->Mg, -1.0) << mg;
        EXPECT_FLOAT_EQ(r.sngMg, -1.0f);
        // and it comes back as "nicht bestimmt" on the page
        EXPECT_EQ(analyseTexte(*analysenZeileLesen(db(), r.AnalysenNr), gebiet)[kMg], "nicht bestimmt");
    }
    AnalyseEingabe e = eingabe(QDate(2023, 1, 1));
    e.txtWert = {"12,5", "7", "0,5", "12", "5,8"};
    EXPECT_EQ(analyseTexte(*analysenZeileLesen(db(), d->AnalysenWerteSpeichern(e).AnalysenNr), gebiet), e.txtWert);
}

// Missing or unreadable values (message 103), a plot that is gone or a group, a failure of the
// file at each write: nothing is written, an existing analysis stays as it was.
TEST_F(Analysen, UnvollstaendigOderFehlerSchreibtNichts)
{
    gruppe("Fl1002", "Garten");
    using Aendern = std::function<void(AnalyseEingabe&)>;
    // message 103 ends with what is missing
    const struct { const char* name; Aendern aendern; const char* punkt; int nr; const char* fehlt = nullptr; } faelle[] = {
        {"keine Bodengruppe", [](AnalyseEingabe& e) { e.intBodenart = kKeineBodenart; }, nullptr, 103, "Es fehlt: Bodenart."},
        {"Bodengruppe 3", [](AnalyseEingabe& e) { e.intBodenart = 3; }, nullptr, 103, "Es fehlt: Bodenart."},
        {"Organik leer", [](AnalyseEingabe& e) { e.txtWert[kOrgSubstanz] = ""; }, nullptr, 103, "Es fehlt: Organische Substanz."},
        {"Phosphat Text", [](AnalyseEingabe& e) { e.txtWert[kP2O5] = "viel"; }, nullptr, 103, "Es fehlt: Phosphat-Gehalt."},
        {"Kalium leer", [](AnalyseEingabe& e) { e.txtWert[kK2O] = " "; }, nullptr, 103, "Es fehlt: Kalium-Gehalt."},
        {"pH leer", [](AnalyseEingabe& e) { e.txtWert[kPH] = ""; }, nullptr, 103, "Es fehlt: pH-Wert."},
        {"pH unendlich", [](AnalyseEingabe& e) { e.txtWert[kPH] = "inf"; }, nullptr, 103, "Es fehlt: pH-Wert."},
        {"kein Datum", [](AnalyseEingabe& e) { e.datum = QDate(); }, nullptr, 103, "Es fehlt: Datum der Probennahme."},
        {"Bodengruppe und zwei Werte",
         [](AnalyseEingabe& e) {
             e.intBodenart = kKeineBodenart;
             e.txtWert[kK2O] = e.txtWert[kPH] = "";
         },
         nullptr, 103, "Es fehlen: Bodenart, Kalium-Gehalt, pH-Wert."},
        {"Fläche fehlt", [](AnalyseEingabe& e) { e.strAktFlaechenNr = "Fl1999"; }, nullptr, 0},
        {"eine Gruppe", [](AnalyseEingabe& e) { e.strAktFlaechenNr = "Fl1002"; }, nullptr, 0},
        {"die Wurzel", [](AnalyseEingabe& e) { e.strAktFlaechenNr = "Fl0"; }, nullptr, 0},
        {"Fehler bei der Analyse", [](AnalyseEingabe&) {}, "Analyse", 0},
        {"Fehler bei der Zuordnung", [](AnalyseEingabe&) {}, "Zuordnung", 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        AnalyseEingabe e = eingabe();
        f.aendern(e);
        d->setPruefpunkt([&f](QStringView s) {
            if (f.punkt && s == QLatin1String(f.punkt))
                throw sql::Error("Platte voll");
        });
        const auto r = d->AnalysenWerteSpeichern(e);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.meldung.nr, f.nr);
        if (f.nr == 103) {
            EXPECT_EQ(r.meldung.titel, "Humavera - Analysenwerte eintragen");
            EXPECT_TRUE(r.meldung.text.startsWith(fehlerMeldungFuer("Analysenwerte").text + "\n\n"));
            EXPECT_TRUE(r.meldung.text.endsWith(QString::fromUtf8(f.fehlt))) << r.meldung.text.toStdString();
        } else if (f.punkt) {
            // what was not stored, in German; the driver's words stay in the log
            EXPECT_TRUE(r.meldung.text.contains("nicht gespeichert") && !r.meldung.text.contains("Platte voll"));
        }
        EXPECT_FALSE(r.meldung.text.isEmpty());
        EXPECT_EQ(anzahl("AnalysenID") + anzahl("ZOFlaechenAnalysen"), 0);
    }
    d->setPruefpunkt({});
    const auto gespeichert = d->AnalysenWerteSpeichern(eingabe());
    ASSERT_TRUE(gespeichert.ok);
    const QStringList vorher = abbild();
    AnalyseEingabe e = eingabe();
    e.strAktAnalysenNr = gespeichert.AnalysenNr;
    e.txtWert[kK2O] = "";
    EXPECT_EQ(d->AnalysenWerteSpeichern(e).meldung.nr, 103);
    EXPECT_EQ(abbild(), vorher);
}

// What a laboratory can report, at the bounds: inside is stored and rated; outside is refused with
// a message that names the value and the range, and its rating line says the range instead.
TEST_F(Analysen, WerteBereicheAnIhrenGrenzen)
{
    const struct { int wert; const char* text; bool gut; const char* meldung; } faelle[] = {
        {kPH, "14", true, nullptr},
        {kPH, "14,1", false, "Der pH-Wert 14,1 liegt außerhalb des möglichen Bereichs von 0 bis 14."},
        {kPH, "0", true, nullptr},
        {kPH, "64", false, "Der pH-Wert 64 liegt außerhalb des möglichen Bereichs von 0 bis 14."},
        {kOrgSubstanz, "100", true, nullptr},
        {kOrgSubstanz, "100,1", false, "Der Gehalt an organischer Substanz 100,1 % liegt außerhalb des möglichen "
                                       "Bereichs von 0 bis 100 %."},
        {kP2O5, "1000", true, nullptr},
        {kP2O5, "1000,5", false, "Der Phosphat-Gehalt 1000,5 mg P2O5/100 g liegt außerhalb des möglichen Bereichs "
                                 "von 0 bis 1000 mg P2O5/100 g."},
        {kK2O, "1200", false, "Der Kalium-Gehalt 1200 mg K2O/100 g liegt"},
        {kMg, "1000", true, nullptr},
        {kMg, "99999999", false, "Der Magnesium-Gehalt 99999999 mg Mg/100 g liegt"},
        {kMg, "nicht bestimmt", true, nullptr},
        // below 0: no laboratory reports it (pasted or read back from elsewhere)
        {kPH, "-1", false, "Der pH-Wert -1 liegt außerhalb des möglichen Bereichs von 0 bis 14."},
        {kOrgSubstanz, "-0,5", false, "Der Gehalt an organischer Substanz -0,5 % liegt"},
        {kP2O5, "-3", false, "Der Phosphat-Gehalt -3 mg P2O5/100 g liegt"},
        {kK2O, "-0,01", false, "Der Kalium-Gehalt -0,01 mg K2O/100 g liegt"},
        {kMg, "-2", false, "Der Magnesium-Gehalt -2 mg Mg/100 g liegt"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        AnalyseEingabe e = eingabe();
        e.txtWert[static_cast<size_t>(f.wert)] = f.text;
        const long long vorher = anzahl("AnalysenID");
        const auto r = d->AnalysenWerteSpeichern(e);
        EXPECT_EQ(r.ok, f.gut);
        EXPECT_EQ(anzahl("AnalysenID"), vorher + (f.gut && vorher == 0 ? 1 : 0));
        EXPECT_EQ(bereichsSatz(static_cast<AnalysenWert>(f.wert), f.text, gebiet).has_value(), !f.gut);
        if (!f.gut) {
            EXPECT_TRUE(r.meldung.text.startsWith(QString::fromUtf8(f.meldung))) << r.meldung.text.toStdString();
            EXPECT_TRUE(r.meldung.text.endsWith("es wurde nichts gespeichert."));
        }
    }
    EXPECT_EQ(*bereichsSatz(kPH, "64", gebiet), "Dieser Wert liegt außerhalb des möglichen Bereichs von 0 bis 14.");
}

// A new analysis is dated from 01.01.1950 to today (the clock: 07.04.2025); outside, nothing is
// stored and the message names the range. A stored analysis keeps its date, whatever it is.
TEST_F(Analysen, ProbennahmeVon1950BisHeute)
{
    const struct { QDate datum; bool gut; } faelle[] = {
        {QDate(1900, 1, 7), false}, {QDate(1949, 12, 31), false}, {QDate(1950, 1, 1), true},
        {QDate(2025, 4, 7), true},  {QDate(2025, 4, 8), false},   {QDate(2125, 4, 7), false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.datum.toString(Qt::ISODate).toStdString());
        const long long vorher = anzahl("AnalysenID");
        const auto r = d->AnalysenWerteSpeichern(eingabe(f.datum));
        EXPECT_EQ(r.ok, f.gut);
        EXPECT_EQ(anzahl("AnalysenID"), vorher + (f.gut ? 1 : 0));
        if (!f.gut) {
            EXPECT_EQ(r.meldung.text, "Das Datum der Probennahme " + f.datum.toString("dd.MM.yyyy")
                                          + " liegt außerhalb des möglichen Bereichs vom 01.01.1950 bis heute "
                                            "(07.04.2025). Bitte korrigieren Sie Ihre Eingabe; es wurde nichts gespeichert.");
            EXPECT_EQ(r.meldung.titel, "Humavera - Analysenwerte eintragen");
        }
    }
    // an analysis stored long ago (by an earlier version) keeps taking new values
    analyse("An1900", "Fl1001", QDate(1900, 1, 7));
    AnalyseEingabe e = eingabe(QDate(1900, 1, 7));
    e.strAktFlaechenNr = "Fl1001";
    e.strAktAnalysenNr = "An1900";
    e.txtWert[kPH] = "7";
    EXPECT_TRUE(d->AnalysenWerteSpeichern(e).ok);
    EXPECT_EQ(wert("SELECT pH FROM AnalysenID WHERE AnalysenNr = 'An1900'").toDouble(), 7.0);
}

TEST_F(Analysen, VerwaisteZuordnungUndGeloeschteAnalyse)
{
    // an assignment of this plot and date whose analysis row is gone
    zuordnung("Fl1000", "An1500", QDate(2024, 4, 17));
    EXPECT_EQ(analyseZuDatum(db(), "Fl1000", QDate(2024, 4, 17)), std::nullopt);
    const auto r = d->AnalysenWerteSpeichern(eingabe());
    EXPECT_TRUE(r.ok && r.neu);
    EXPECT_EQ(anzahl("ZOFlaechenAnalysen", "FlaechenNr = 'Fl1000'"), 1);
    EXPECT_EQ(analyseZuDatum(db(), "Fl1000", QDate(2024, 4, 17)), r.AnalysenNr);

    // the page still shows an analysis that was deleted from the tree meanwhile
    ASSERT_TRUE(Loeschungen(db()).AnalyseLoeschen(r.AnalysenNr).ok);
    AnalyseEingabe e = eingabe();
    e.strAktAnalysenNr = r.AnalysenNr;
    const auto neu = d->AnalysenWerteSpeichern(e);
    EXPECT_TRUE(neu.ok && neu.neu);
    EXPECT_EQ(anzahl("AnalysenID") + anzahl("ZOFlaechenAnalysen"), 2);
}

// ---- plot and group dialogs ----

namespace {
using Flaechen = test::DatenDatei;
}

TEST_F(Flaechen, FlaecheAusLaengeUndBreite)
{
    struct Fall {
        const char* geaendert;
        const char* anderer;
        std::optional<double> flaeche;
    };
    const Fall faelle[] = {
        {"4", "2,5", 10.0},  {"2,5", "4", 10.0},    {"0", "2,5", std::nullopt}, {"", "3", std::nullopt},
        {"4", "", std::nullopt}, {"x", "3", std::nullopt}, {"4", "0", 0.0},   {"0,25", "1", 0.2},
        {"0,75", "1", 0.8},  {"1,25", "1", 1.2},    {"3,3", "3", 9.9},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(flaecheAusMassen(f.geaendert, f.anderer, gebiet), f.flaeche) << f.geaendert << " x " << f.anderer;
    EXPECT_EQ(gebiet.zahlText(*flaecheAusMassen("4", "2,5", gebiet)), "10");
    EXPECT_EQ(gebiet.zahlText(*flaecheAusMassen("5", "2,5", gebiet)), "12,5");
    EXPECT_EQ(masseText(0, true, gebiet), "");
    EXPECT_EQ(masseText(0, false, gebiet), "0,0");
    EXPECT_EQ(masseText(2.5, true, gebiet), "2,5");
    EXPECT_EQ(masseText(1234, false, gebiet), "1234,0");
}

// Plot sides of more than 0 up to 10000 m (the area up to 10000 m × 10000 m) are stored; a side or
// an area of 0 and anything beyond are not. A box left empty is no size given.
TEST_F(Flaechen, SeitenBis10000Meter)
{
    FlaechenDaten d(db(), gebiet, uhr, zufall);
    const struct { const char *laenge, *breite, *flaeche; const char* meldung; } faelle[] = {
        {"10000", "10000", "", nullptr},
        {"10000,1", "1", "", "Die Länge 10000,1 m liegt außerhalb des möglichen Bereichs von mehr als 0 bis 10000 m."},
        {"1", "99999999", "", "Die Breite 99999999 m liegt"},
        {"", "", "100000000", nullptr},
        {"", "", "100000001", "Die Fläche 100000001 m² liegt außerhalb des möglichen Bereichs von mehr als 0 bis "
                              "100000000 m²."},
        {"0", "2,5", "", "Die Länge 0 m liegt außerhalb des möglichen Bereichs von mehr als 0 bis 10000 m."},
        {"4", "0,0", "", "Die Breite 0,0 m liegt außerhalb"},
        {"", "", "0", "Die Fläche 0 m² liegt außerhalb des möglichen Bereichs von mehr als 0 bis 100000000 m²."},
        {"0,01", "0,01", "", nullptr},
        {"", "", "12,5", nullptr},
        {"", "", "", nullptr},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.laenge + std::string("/") + f.breite + "/" + f.flaeche);
        FlaechenEingabe e;
        e.Bezeichnung = "Acker";
        e.txtLaenge = f.laenge, e.txtBreite = f.breite, e.txtFlaeche = f.flaeche;
        const long long vorher = anzahl("FlaechenID");
        const auto r = d.flaecheNeu(e, "0");
        EXPECT_EQ(r.ok, f.meldung == nullptr);
        EXPECT_EQ(anzahl("FlaechenID"), vorher + (r.ok ? 1 : 0));
        if (f.meldung) {
            EXPECT_TRUE(r.meldung.text.startsWith(QString::fromUtf8(f.meldung))) << r.meldung.text.toStdString();
            EXPECT_TRUE(r.meldung.text.endsWith("Bitte korrigieren Sie Ihre Eingabe; es wurde nichts gespeichert."));
        }
    }
    // the same check for one size alone (the crop step's area and bed), with its range in words
    const struct { Groesse g; const char* text; const char* satz; } einzeln[] = {
        {Groesse::Flaeche, "0", "Die Fläche 0 m² liegt außerhalb des möglichen Bereichs von mehr als 0 bis 100000000 m²."},
        {Groesse::Flaeche, "99999999999999", "Die Fläche 99999999999999 m² liegt außerhalb"},
        {Groesse::Flaeche, "0,1", nullptr},
        {Groesse::Laenge, "0", "Die Länge 0 m liegt außerhalb des möglichen Bereichs von mehr als 0 bis 10000 m."},
        {Groesse::Breite, "10000", nullptr},
        {Groesse::Breite, "", nullptr},
        {Groesse::Breite, "x", nullptr},
    };
    for (const auto& f : einzeln) {
        const auto s = groesseAusserhalb(f.g, f.text, gebiet);
        EXPECT_EQ(s.has_value(), f.satz != nullptr) << f.text;
        if (s && f.satz) {
            EXPECT_TRUE(s->startsWith(QString::fromUtf8(f.satz)) && s->endsWith(".")) << s->toStdString();
        }
    }
    EXPECT_EQ(groesseBereich(Groesse::Laenge, gebiet), "mehr als 0 bis 10000 m");
    EXPECT_EQ(groesseBereich(Groesse::Flaeche, gebiet), "mehr als 0 bis 100000000 m²");
}

TEST_F(Flaechen, NummernGemeinsamFuerFlaechenUndGruppen)
{
    FlaechenDaten d(db(), gebiet, uhr, zufall);
    FlaechenEingabe e;
    e.Bezeichnung = "Beet";
    EXPECT_EQ(d.flaecheNeu(e, "0").FlaechenNr, "Fl1000");
    EXPECT_EQ(d.flaecheNeu(e, "0").FlaechenNr, "Fl1001");
    EXPECT_EQ(d.gruppeNeu("Garten", "0").FlaechenNr, "Fl1002");
    EXPECT_EQ(d.flaecheNeu(e, "1002").FlaechenNr, "Fl1003");
    flaeche("Fl9999", "Alt");
    EXPECT_EQ(d.gruppeNeu("Noch eine", "0").FlaechenNr, "Fl10000");
    EXPECT_EQ(d.flaecheNeu(e, "10000").FlaechenNr, "Fl10001");
    EXPECT_EQ(wert("SELECT GruppierungNr FROM FlaechenID WHERE FlaechenNr = 'Fl10001'").toLongLong(), 10000);
}

TEST_F(Flaechen, LeereMasseSindNull)
{
    FlaechenDaten d(db(), gebiet, uhr, zufall);
    FlaechenEingabe e;
    e.Bezeichnung = "Beet";
    const auto r = d.flaecheNeu(e, "0");
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(text(*flaecheLesen(db(), r.FlaechenNr)).contains("|Beet|0|0|0|"));

    // only the area typed (length and width were emptied)
    e.txtFlaeche = "1";
    const auto nurFlaeche = d.flaecheNeu(e, "0");
    ASSERT_TRUE(nurFlaeche.ok);
    EXPECT_TRUE(text(*flaecheLesen(db(), nurFlaeche.FlaechenNr)).contains("|Beet|0|0|1|"));
}

TEST_F(Flaechen, NeueFlaecheUndAenderungBehaeltNummerGruppeUndId)
{
    FlaechenDaten d(db(), gebiet, uhr, zufall);
    gruppe("Fl1000", "Garten");
    FlaechenEingabe e;
    e.Bezeichnung = "Omas 'Rosen' Beet";
    e.Nutzung = 3;
    e.txtLaenge = "4";
    e.txtBreite = "2,5";
    e.txtFlaeche = "10";
    e.Kompost = 0;
    e.AktuellerDatensatz = false; // a new plot is stored as current all the same
    const auto r = d.flaecheNeu(e, "1000");
    ASSERT_TRUE(r.ok) << r.meldung.text.toStdString();
    EXPECT_FLOAT_EQ(r.sngFlaecheGroesse, 10.0f);
    const auto vorher = *flaecheLesen(db(), r.FlaechenNr);
    EXPECT_EQ(text(vorher), "0|1000|1|Omas 'Rosen' Beet|4|2.5|10|0|3|2025-04-07 09:15:30");
    EXPECT_EQ(vorher.ID.size(), 18);
    EXPECT_TRUE(wert("SELECT Bodenart FROM FlaechenID WHERE FlaechenNr = ?", {r.FlaechenNr}).isNull());

    uhr.advanceSeconds(3600);
    e.Bezeichnung = "Beet neu";
    e.txtLaenge = "";
    e.txtBreite = "";
    e.txtFlaeche = "7,5";
    e.Kompost = 1;
    e.Nutzung = 5;
    const auto g = d.flaecheAendern(r.FlaechenNr, e);
    ASSERT_TRUE(g.ok);
    EXPECT_FLOAT_EQ(g.sngFlaecheGroesse, 7.5f);
    const auto z = *flaecheLesen(db(), r.FlaechenNr);
    EXPECT_EQ(text(z), "0|1000|0|Beet neu|0|0|7.5|1|5|2025-04-07 10:15:30"); // a change writes the flag
    EXPECT_EQ(z.ID, vorher.ID);
}

TEST_F(Flaechen, GruppeNeuUndAendern)
{
    FlaechenDaten d(db(), gebiet, uhr, zufall);
    const auto oben = d.gruppeNeu("Garten", "0");
    const auto unten = d.gruppeNeu("Hochbeete", "1000");
    ASSERT_TRUE(oben.ok && unten.ok);
    const auto z = *flaecheLesen(db(), unten.FlaechenNr);
    EXPECT_EQ(text(z), "1|1000|1|Hochbeete|0|0|0|0|0|2025-04-07 09:15:30");
    EXPECT_EQ(wert("SELECT Bodenart FROM FlaechenID WHERE FlaechenNr = 'Fl1001'").toInt(), 0);
    EXPECT_EQ(flaecheLesen(db(), oben.FlaechenNr)->GruppierungNr, 0);

    uhr.advanceSeconds(60);
    ASSERT_TRUE(d.gruppeAendern("Fl1001", "Kräuter", false).ok);
    const auto g = *flaecheLesen(db(), "Fl1001");
    EXPECT_EQ(text(g), "1|1000|0|Kräuter|0|0|0|0|0|2025-04-07 09:15:30"); // a group's change time stays
    EXPECT_EQ(g.ID, z.ID);
    // twenty characters are allowed
    EXPECT_TRUE(d.gruppeAendern("Fl1001", QString(20, QChar(u'ä')), true).ok);
}

// A parent that is missing, a plot or no number; sizes pasted past the key filter; a plot that is
// gone or a group changed by the plot dialog; a name past the box's 20 characters; a failure of the
// file: refused, and nothing is written.
TEST_F(Flaechen, AbgewiesenesSchreibtNichts)
{
    FlaechenDaten d(db(), gebiet, uhr, zufall);
    gruppe("Fl1000", "Garten");
    flaeche("Fl1001", "Beet");
    FlaechenEingabe e;
    e.Bezeichnung = "Beet";
    const QStringList vorher = abbild();
    for (const char* eltern : {"1005", "1001", "abc", "-1"}) {
        EXPECT_FALSE(d.flaecheNeu(e, eltern).ok) << eltern;
        EXPECT_FALSE(d.gruppeNeu("G", eltern).ok) << eltern;
    }
    for (const char* falsch : {"abc", "-3", "1,2,3", "inf"}) {
        FlaechenEingabe f = e;
        f.txtBreite = falsch;
        const auto neu = d.flaecheNeu(f, "0");
        EXPECT_FALSE(neu.ok) << falsch;
        EXPECT_TRUE(neu.meldung.text.contains("als Zahlen")) << neu.meldung.text.toStdString();
        EXPECT_FALSE(d.flaecheAendern("Fl1001", f).ok) << falsch;
    }
    EXPECT_FALSE(d.flaecheAendern("Fl1999", e).ok);
    EXPECT_FALSE(d.flaecheAendern("Fl1000", e).ok);
    EXPECT_FALSE(d.gruppeAendern("Fl1999", "X", true).ok);
    e.Bezeichnung = QString(21, 'x');
    EXPECT_FALSE(d.flaecheAendern("Fl1001", e).ok);
    EXPECT_FALSE(d.gruppeNeu(e.Bezeichnung, "0").ok);
    // no name at all (a nameless node): refused with a message
    for (const char* leer : {"", "   "}) {
        e.Bezeichnung = leer;
        for (const Schreibergebnis& r : {d.flaecheNeu(e, "0"), d.flaecheAendern("Fl1001", e), d.gruppeNeu(leer, "0"),
                                         d.gruppeAendern("Fl1000", leer, true)})
            EXPECT_EQ(r.meldung.text, "Bitte geben Sie einen Namen ein. Es wurde nichts gespeichert.");
    }
    d.setPruefpunkt([](QStringView) { throw sql::Error("gesperrt"); });
    EXPECT_FALSE(d.flaecheNeu(FlaechenEingabe{}, "0").ok);
    EXPECT_FALSE(d.gruppeNeu("G", "0").ok);
    EXPECT_EQ(abbild(), vorher);
}

// A name with a control character (a NUL cuts it where it is shown) is refused with the reason, never cut.
TEST_F(Flaechen, NamenMitSteuerzeichenWerdenAbgewiesen)
{
    FlaechenDaten d(db(), gebiet, uhr, zufall);
    gruppe("Fl1000", "Garten");
    const QStringList vorher = abbild();
    for (const QString& name : {QString("Beet") + QChar(0) + "Nord", QString("Beet\tNord"), QString("Beet") + QChar(0x2028)}) {
        FlaechenEingabe e;
        e.Bezeichnung = name;
        for (const Schreibergebnis& r : {d.flaecheNeu(e, "0"), d.gruppeNeu(name, "0"), d.gruppeAendern("Fl1000", name, true)})
            EXPECT_TRUE(r.meldung.text.startsWith("Der Name darf keine Steuerzeichen")) << r.meldung.text.toStdString();
    }
    EXPECT_EQ(abbild(), vorher);
}

// One rule for every name, plots and groups (20 characters, new or renamed) as fertilisers and limes
// (50): spaces around it are dropped, a control character anywhere (a line feed at its end too) or one character
// too many is refused with the reason, and nothing is stored.
TEST_F(Flaechen, EineNamensregelFuerFlaechenGruppenDuengerUndKalke)
{
    gruppe("Fl1000", "Garten"); // renamed with each name
    flaeche("Fl1001", "Beet");
    const auto lang = [](int n) { return QString(n, 'x'); };
    const struct {
        QString name; // "#" stands for as many characters as the limit allows
        const char* gespeichert; // nullptr: refused
        const char* grund = "";
    } faelle[] = {{"Beet", "Beet"},
                  {"  Beet  ", "Beet"},
                  {"Beet\n", nullptr, "Steuerzeichen"},
                  {"\tBeet", nullptr, "Steuerzeichen"},
                  {"Be\tet", nullptr, "Steuerzeichen"},
                  {"#", "#"},
                  {" # ", "#"},
                  {"#x", nullptr, "höchstens"}};
    for (const auto& f : faelle) {
        for (const int grenze : {kNameLaengeMax, kKatalogNameLaengeMax}) {
            const QString name = QString(f.name).replace("#", lang(grenze));
            const QString soll = f.gespeichert ? QString(f.gespeichert).replace("#", lang(grenze)) : QString();
            SCOPED_TRACE(name.toStdString());
            QStringList gespeichert, meldungen;
            if (grenze == kNameLaengeMax) {
                FlaechenDaten d(db(), gebiet, uhr, zufall);
                FlaechenEingabe e;
                e.Bezeichnung = name;
                for (const Schreibergebnis& r : {d.flaecheNeu(e, "0"), d.gruppeNeu(name, "0"), d.flaecheAendern("Fl1001", e),
                                                 d.gruppeAendern("Fl1000", name, true)}) {
                    meldungen << r.meldung.text;
                    if (r.ok)
                        gespeichert << sql::scalar(db(), "SELECT Bezeichnung FROM FlaechenID WHERE FlaechenNr = ?",
                                                   {r.FlaechenNr}).toString();
                }
            } else {
                const DuengerPruefung du = DuengerEingabePruefen(name, {"5", "", "", ""}, false, gebiet);
                const KalkPruefung ka = KalkEingabePruefen(name, "80", "", gebiet);
                meldungen << du.meldung << ka.meldung;
                if (du.daten)
                    gespeichert << du.daten->Bezeichnung;
                if (ka.daten)
                    gespeichert << ka.daten->Bezeichnung;
            }
            EXPECT_EQ(gespeichert, soll.isNull() ? QStringList() : QStringList(grenze == kNameLaengeMax ? 4 : 2, soll));
            for (const QString& m : meldungen)
                EXPECT_TRUE(m.contains(f.grund)) << m.toStdString();
        }
    }
}
