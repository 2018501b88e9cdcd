// The catalogue tables of Kav.KRN against what the crop tree, the requirement calculation, the fertiliser
// editor and the mixed-culture planner expect of them. Each rule lists the rows that break it.
#include "referenzdaten.h"

#include "exchange/updatedaten.h"
#include "platform/rounding.h"
#include "services/gebietsschema.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace kav;

namespace {

struct Regel {
    const char* was;
    QString sql;
};

void pruefe(const std::initializer_list<Regel>& regeln)
{
    for (const Regel& r : regeln) {
        const QStringList v = test::verstoesse(r.sql);
        EXPECT_TRUE(v.isEmpty()) << r.was << ": " << v.join(", ").toStdString();
    }
}

// The keys of a VALUES list that `vorhanden` does not select.
QString fehlt(const char* liste, const char* vorhanden)
{
    return QStringLiteral("WITH soll(k) AS (VALUES %1) SELECT k FROM soll WHERE k NOT IN (%2)").arg(QLatin1String(liste), QLatin1String(vorhanden));
}

// The count of `von` when it is below `n`.
QString mindestens(int n, const char* von)
{
    return QStringLiteral("SELECT n FROM (SELECT COUNT(*) AS n FROM %1) WHERE n < %2").arg(QLatin1String(von)).arg(n);
}

// The catalogue form of a row: key, origin "KRN", a name, an 18-digit id and a change time.
QString katalogZeile(const char* tabelle, const char* nr, const char* praefix)
{
    return QStringLiteral("SELECT %2 FROM %1 WHERE (%2 GLOB '%3[0-9][0-9][0-9][0-9]' AND Eingabe = 'KRN' AND trim(Bezeichnung) <> '' "
                          "AND length(ID) = 18 AND ID NOT GLOB '*[^0-9]*' AND datetime(LetzteAenderung) = LetzteAenderung) IS NOT 1")
        .arg(QLatin1String(tabelle), QLatin1String(nr), QLatin1String(praefix));
}

} // namespace

TEST(Kulturen, BaumFesteSchluesselUndDauerkulturen)
{
    pruefe({
        {"feste Gruppen", fehlt("('Ku1001'), ('Ku1003'), ('Ku1004'), ('Ku1005'), ('Ku1006'), ('Ku1007'), ('Ku1008'), ('Ku1089')",
                                "SELECT KulturNr FROM gruppe")},
        {"Gruppennamen", "SELECT KulturNr FROM gruppe WHERE (KulturNr = 'Ku1007' AND Bezeichnung <> 'Pflanzung & Aussaat') "
                         "OR (KulturNr = 'Ku1008' AND Bezeichnung <> 'Dauerkulturen')"},
        // the planner makes only names beginning with "K" full-year bars; under 1007/1008 it would appear
        // twice; under a permanent-crop group it would not count by its key alone
        {"Ku1009", fehlt("('Ku1009')", "SELECT k.KulturNr FROM kultur k JOIN gruppe g ON g.KulturNr = 'Ku' || k.GruppierungNr "
                                       "WHERE substr(k.Bezeichnung, 1, 1) = 'K' AND k.Tage = 365 "
                                       "AND k.GruppierungNr NOT IN (1003, 1004, 1005, 1006, 1007, 1008)")},
        {"Ku1090", fehlt("('Ku1090')", "SELECT KulturNr FROM KulturID WHERE Gliederungspunkt = 0 AND GruppierungNr = 1089")},
        {"Gruppe vor ihrer Obergruppe oder nicht aktuell",
         "SELECT g.KulturNr FROM gruppe g WHERE g.AktuellerDatensatz IS NOT 1 OR (g.GruppierungNr <> 0 AND NOT EXISTS "
         "(SELECT 1 FROM gruppe o WHERE o.KulturNr = 'Ku' || g.GruppierungNr AND o.KulturNr < g.KulturNr))"},
        {"Kultur ohne Platz im Kulturbaum",
         "SELECT k.KulturNr FROM KulturID k WHERE k.Gliederungspunkt = 0 AND NOT EXISTS (SELECT 1 FROM gruppe g WHERE "
         "g.KulturNr = 'Ku' || k.GruppierungNr) AND NOT EXISTS (SELECT 1 FROM KulturID e JOIN gruppe g ON g.KulturNr = "
         "'Ku' || e.GruppierungNr WHERE e.Gliederungspunkt = 0 AND e.KulturNr = 'Ku' || k.GruppierungNr)"},
        // a sub-group would hide its crops from the permanent-crop test of the crop page
        {"Untergruppe in einer Dauerkulturgruppe", "SELECT KulturNr FROM gruppe WHERE GruppierungNr IN (1003, 1004, 1005, 1006, 1008)"},
        {"leere Gruppe", "SELECT g.KulturNr FROM gruppe g WHERE NOT EXISTS (SELECT 1 FROM KulturID k WHERE 'Ku' || k.GruppierungNr = g.KulturNr)"},
        // the crop page joins the members as "name (a, b & c)"
        {"kombinierte Kultur mit weniger als zwei verschiedenen Mitgliedern",
         "SELECT e.KulturNr FROM kultur e JOIN KulturID m ON 'Ku' || m.GruppierungNr = e.KulturNr GROUP BY e.KulturNr "
         "HAVING COUNT(DISTINCT m.Bezeichnung) < MAX(2, COUNT(*))"},
        {"Dauerkulturen ganzjährig, einjährige kürzer und ohne Grunddüngungswoche",
         "SELECT KulturNr FROM kultur WHERE (CASE WHEN dauer THEN Tage = 365 ELSE Tage BETWEEN 28 AND 364 AND TerminGD = 0 END) IS NOT 1"},
        {"mindestens 60 Kulturen", mindestens(60, "kultur")},
        {"mindestens zwei kombinierte Kulturen", mindestens(2, "kultur e WHERE EXISTS (SELECT 1 FROM KulturID m WHERE 'Ku' || m.GruppierungNr = e.KulturNr)")},
    });
}

TEST(Kulturen, StickstoffKopfduengungEntzugUndKalkcode)
{
    pruefe({
        {"Stickstoffbedarf und Anteile, die Eins ergeben",
         "SELECT KulturNr FROM kultur WHERE (N > 0 AND N <= 40 AND NGD > 0 AND NKD1 >= 0 AND NKD2 >= 0 "
         "AND abs(NGD + NKD1 + NKD2 - 1) < 1e-6 AND (NKD2 = 0 OR NKD1 > 0)) IS NOT 1"},
        {"Wochen nicht ganz", "SELECT KulturNr FROM kultur WHERE (typeof(Tage) || typeof(TerminGD) || typeof(TerminKD1) || "
                              "typeof(TerminKD2) = 'integerintegerintegerinteger' AND min(TerminGD, TerminKD1, TerminKD2) >= 0) IS NOT 1"},
        // permanent crops: weeks of the year, top dressings K1 and K2 weeks after the base dressing in week G, the
        // slot of the second one ending at G + K1 + K2 + 1; annual crops: weeks after the start, within the days
        {"Kopfdüngungswochen passen nicht in die Kultur",
         "SELECT KulturNr FROM kultur WHERE (CASE WHEN dauer THEN TerminGD BETWEEN 1 AND 52 "
         "AND (NKD1 = 0 OR (TerminKD1 >= 1 AND TerminGD + TerminKD1 <= 52)) "
         "AND (NKD2 = 0 OR (TerminKD2 > TerminKD1 AND TerminGD + TerminKD1 + TerminKD2 + 1 <= 52)) "
         "ELSE (NKD1 = 0 OR (TerminKD1 >= 1 AND 7 * TerminKD1 < Tage)) "
         "AND (CASE WHEN NKD2 > 0 THEN TerminKD2 > TerminKD1 AND 7 * TerminKD2 < Tage ELSE 7 * TerminKD2 <= Tage END) END) IS NOT 1"},
        // potash is removed in larger amounts than phosphate, magnesium (as MgO) in smaller
        {"Entzug", "SELECT KulturNr FROM kultur WHERE (P2O5 > 0 AND K2O >= P2O5 AND K2O < 60 AND Mg > 0 AND Mg < K2O) IS NOT 1"},
        {"Kalkcode", "SELECT KulturNr FROM kultur WHERE (ph IN (1, 2) AND (ph = 2 OR (Bezeichnung NOT LIKE '%heidelbeere%' "
                     "AND Bezeichnung NOT LIKE '%Rhododendron%'))) IS NOT 1"},
        {"keine kalkmeidende Kultur", mindestens(1, "kultur WHERE ph = 2")},
    });
}

TEST(Kulturen, JedeKulturDesPlanersHatReihenabstandUndFarbe)
{
    pruefe({
        {"Reihenabstand oder Farbe fehlt oder doppelt",
         "SELECT KulturNr FROM planer p WHERE (SELECT COUNT(*) FROM Reihenabstand r WHERE r.KulturID = p.KulturNr) <> 1 "
         "OR (SELECT COUNT(*) FROM MKFarben f WHERE f.KulturID = p.KulturNr) <> 1"},
        {"Reihenabstand (cm)", "SELECT KulturID FROM Reihenabstand WHERE (Reihenabstand BETWEEN 10 AND 200 "
                               "AND KulturID IN (SELECT KulturNr FROM KulturID)) IS NOT 1"},
        {"Farbe", "SELECT KulturID FROM MKFarben WHERE (min(r, g, b) >= 0 AND max(r, g, b) <= 255 "
                  "AND KulturID IN (SELECT KulturNr FROM KulturID)) IS NOT 1"},
        {"Farbe doppelt vergeben", "SELECT group_concat(KulturID) FROM MKFarben GROUP BY r, g, b HAVING COUNT(*) > 1"},
        // light bars get black text, dark ones white: the palette uses both
        {"helle Farben", mindestens(6, "MKFarben WHERE r + g + b > 425")},
        {"dunkle Farben", mindestens(6, "MKFarben WHERE r + g + b <= 425")},
        {"mindestens 20 Kulturen im Planer", mindestens(20, "planer")},
    });
}

TEST(Duenger, TypPasstZuDenGehaltenUndFesteSchluessel)
{
    pruefe({
        {"Düngerzeile", katalogZeile("DuengerID", "DuengerNr", "Du") + " OR AktuellerDatensatz IS NOT 1"},
        {"Kalkzeile", katalogZeile("KalkID", "KalkNr", "Ka")},
        {"Nummer doppelt", "SELECT DuengerNr FROM DuengerID GROUP BY DuengerNr HAVING COUNT(*) > 1 UNION ALL "
                           "SELECT KalkNr FROM KalkID GROUP BY KalkNr HAVING COUNT(*) > 1 UNION ALL "
                           "SELECT KulturNr FROM KulturID GROUP BY KulturNr HAVING COUNT(*) > 1"},
        // the type rule of the fertiliser editor: N, P, K in this order; "Mg" only without the three
        {"Typ passt nicht zu den Gehalten",
         "SELECT DuengerNr FROM DuengerID WHERE (min(N, P2O5, K2O, Mg) >= 0 AND N + P2O5 + K2O + Mg <= 100 AND Norg IN (0, 1) "
         "AND (Norg = 0 OR N > 0) AND Typ = coalesce(nullif(iif(N > 0, 'N', '') || iif(P2O5 > 0, 'P', '') || "
         "iif(K2O > 0, 'K', ''), ''), iif(Mg > 0, 'Mg', ''))) IS NOT 1"},
        {"Hornmehl, Horngrieß, Hornspäne",
         "WITH soll(k, name) AS (VALUES ('Du1001', 'Hornmehl'), ('Du1020', 'Hornmehl'), ('Du1003', 'Horngrieß'), "
         "('Du1004', 'Hornspäne')) SELECT k FROM soll WHERE NOT EXISTS (SELECT 1 FROM DuengerID WHERE DuengerNr = k "
         "AND substr(Bezeichnung, 1, length(name)) = name AND Typ = 'N' AND Norg = 1 AND N BETWEEN 10 AND 16)"},
        {"kein Dünger dieses Typs", fehlt("('N'), ('P'), ('K'), ('NP'), ('NK'), ('PK'), ('NPK'), ('Mg')", "SELECT Typ FROM DuengerID")},
        {"Horndünger und 30 weitere", mindestens(34, "DuengerID")},
        {"mineralische Stickstoffdünger", mindestens(5, "DuengerID WHERE N > 0 AND Norg = 0")},
        {"organische Stickstoffdünger", mindestens(8, "DuengerID WHERE N > 0 AND Norg = 1")},
        {"Magnesium als Nebenbestandteil", mindestens(1, "DuengerID WHERE Mg > 0 AND Typ <> 'Mg'")},
        {"jeder Text, den die Düngerauswahl zeigt",
         fehlt("('1-0'), ('3-0'), ('4-0'), ('5-0'), ('6-0'), ('-0')", "SELECT TextNr FROM DuengerInfo WHERE length(Text) > 80")},
    });
}

TEST(Duenger, KalkeBodenverbessererBodenartenUndNutzungen)
{
    pruefe({
        // the dose divides the lime need by the carbonate content
        {"Kalk ohne Carbonat", "SELECT KalkNr FROM KalkID WHERE (min(CaCO3, MgCO3) >= 0 AND CaCO3 + MgCO3 > 0 AND CaCO3 + MgCO3 <= 100) IS NOT 1"},
        {"mindestens 6 Kalke", mindestens(6, "KalkID")},
        {"magnesiumhaltiger Kalk", mindestens(1, "KalkID WHERE MgCO3 >= 10")},
        {"genau OS1001 bis OS1006", "SELECT l FROM (SELECT group_concat(OrgSubNr) AS l FROM (SELECT OrgSubNr FROM OrgSubID "
                                    "ORDER BY OrgSubNr)) WHERE l IS NOT 'OS1001,OS1002,OS1003,OS1004,OS1005,OS1006'"},
        // the advice texts speak of "3 l Kompost"
        {"Kompost und Mist", "SELECT OrgSubNr FROM OrgSubID WHERE (min(menge, N, P2O5, K2O, Mg) > 0 AND CASE OrgSubNr WHEN 'OS1001' "
                             "THEN Bezeichnung = 'Kompost' AND menge = 3 ELSE Bezeichnung LIKE '%mist%' END) IS NOT 1"},
        // positions 0-2 light, 3-4 medium, 5 and later heavy
        {"Bodenart", "SELECT Bezeichnung FROM (SELECT *, (SELECT COUNT(*) FROM Bodenart a WHERE a.ID < b.ID) AS pos FROM Bodenart b) "
                     "WHERE (Kuerzel <> '' AND CASE WHEN pos <= 2 THEN Bezeichnung LIKE '%Sand%' WHEN pos <= 4 "
                     "THEN Bezeichnung LIKE '%Lehm%' ELSE Bezeichnung LIKE '%ton%' END) IS NOT 1"},
        {"mindestens 6 Bodenarten", mindestens(6, "Bodenart")},
        {"Nutzung ohne Text", "SELECT ID FROM Nutzung WHERE (trim(Nutzung) <> '') IS NOT 1"},
        {"mindestens 4 Nutzungen", mindestens(4, "Nutzung")},
    });
}

namespace {

// pH bounds of the lime requirement by soil group and organic-matter class.
struct Grenzen {
    int bodengruppe, klasse;
    float l, m;
};
const Grenzen kGrenzen[] = {
    {0, 1, 4.0f, 5.7f}, {0, 2, 3.7f, 5.3f}, {0, 3, 3.3f, 4.9f}, {0, 4, 3.0f, 4.5f}, {1, 1, 4.5f, 6.2f}, {1, 2, 4.2f, 5.7f},
    {1, 3, 3.8f, 5.3f}, {1, 4, 3.3f, 4.9f}, {2, 1, 4.5f, 6.3f}, {2, 2, 4.2f, 5.8f}, {2, 3, 3.8f, 5.4f}, {2, 4, 3.3f, 5.0f},
};

QMap<int, double> kalkTabelle(int bodengruppe, int klasse)
{
    QMap<int, double> out;
    for (const QVariantMap& z : test::zeilen("SELECT pH, CaO FROM Kalkbedarf WHERE Bodenart = ? AND OS = ?", {bodengruppe, klasse}))
        out.insert(z.value("pH").toInt(), z.value("CaO").isNull() ? -1.0 : z.value("CaO").toDouble());
    return out;
}

} // namespace

TEST(Kalkbedarf, JederSchluesselDerAbfrageFallendBisZurErhaltungskalkung)
{
    // The lookup forms L × 10 for a pH up to L, pH × 10 up to M, M × 10 + 1 up to U (maintenance), no key above U.
    for (const Grenzen& g : kGrenzen) {
        SCOPED_TRACE(testing::Message() << "Bodengruppe " << g.bodengruppe << ", Klasse " << g.klasse);
        const QMap<int, double> t = kalkTabelle(g.bodengruppe, g.klasse);
        const int von = rundenGanz(g.l * 10.0f), bis = rundenGanz(g.m * 10.0f) + 1;
        QList<int> schluessel;
        for (int k = von; k <= bis; ++k)
            schluessel << k;
        EXPECT_EQ(t.keys(), schluessel);
        for (int k = von; k < bis; ++k)
            EXPECT_GT(t.value(k), t.value(k + 1)) << "Schlüssel " << k;
        // as the program rounds it: value × 3.6 in steps of 50 g; maintenance still recommends lime
        EXPECT_GE(rundenAuf(t.value(bis) * 3.6, 50.0), 50.0);
        EXPECT_LE(rundenAuf(t.value(von) * 3.6, 50.0), 700.0);
    }
    EXPECT_TRUE(test::verstoesse("SELECT pH FROM Kalkbedarf WHERE Bodenart NOT IN (0, 1, 2) OR OS NOT BETWEEN 1 AND 4").isEmpty());
    // heavier soils need more lime at the same pH and class
    for (int klasse = 1; klasse <= 4; ++klasse)
        for (int bg = 0; bg < 2; ++bg) {
            const auto leichter = kalkTabelle(bg, klasse), schwerer = kalkTabelle(bg + 1, klasse);
            for (int key : leichter.keys())
                if (schwerer.contains(key) && key != leichter.lastKey() && key != schwerer.lastKey()) {
                    EXPECT_LT(leichter.value(key), schwerer.value(key)) << "Klasse " << klasse << ", Schlüssel " << key;
                }
        }
}

// What the shipped tables hold is what a data update may bring: no row outside the ranges of the
// reference data, no key twice, no table the program needs empty.
TEST(Referenzbereiche, DieMitgeliefertenTabellenSindPlausibel)
{
    const Gebietsschema g = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    const QHash<QString, exchange::Tabellenbild> lokal = exchange::lokaleTabellen(test::referenzKav());
    QVector<exchange::Kopie> kopien{exchange::kDuenger, exchange::kKalk, exchange::kOrgSub, exchange::kKapitel, exchange::kSuchbegriffe};
    kopien += exchange::kKulturen;
    for (const exchange::Kopie& k : kopien) {
        const exchange::Tabellenbild& bild = lokal.value(k.ziel);
        exchange::Tabellendaten t{k.quelle, k.ziel, k.ab, {}};
        for (const QVariantMap& zeile : test::zeilen(QStringLiteral("SELECT * FROM %1 WHERE %2").arg(k.ziel,
                 k.ziel == exchange::kDuenger.ziel || k.ziel == exchange::kKalk.ziel ? "Eingabe = 'KRN'" : "1"))) {
            QVariantList z;
            for (int i = k.ab; i < bild.size(); ++i)
                z << zeile.value(bild[i].name);
            t.zeilen << z;
        }
        EXPECT_FALSE(t.zeilen.isEmpty()) << k.ziel.toStdString();
        EXPECT_EQ(exchange::unplausibel(t, bild, g).value_or(QString()).toStdString(), "");
    }
}
