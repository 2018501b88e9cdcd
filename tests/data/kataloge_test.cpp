// Fertilisers, limes, soil improvers, soil types, uses, lime requirement and advice texts of Kav.KRN.
#include "referenzdaten.h"

#include "services/rounding.h"

#include <QDateTime>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace kav;

namespace {

// The type rule of the fertiliser editor: N, P, K in this order; "Mg" only without the three.
QString typAus(double n, double p, double k, double mg)
{
    QString t;
    if (n > 0) t += QLatin1Char('N');
    if (p > 0) t += QLatin1Char('P');
    if (k > 0) t += QLatin1Char('K');
    if (t.isEmpty() && mg > 0) t = QStringLiteral("Mg");
    return t;
}

double d(const QVariantMap& z, const char* spalte) { return z.value(QString::fromLatin1(spalte)).toDouble(); }
QString s(const QVariantMap& z, const char* spalte) { return z.value(QString::fromLatin1(spalte)).toString(); }

void pruefeKatalogzeile(const QVariantMap& z, const char* nrSpalte, const QString& praefix)
{
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1\\d{4}$").arg(praefix)).match(s(z, nrSpalte)).hasMatch());
    EXPECT_EQ(s(z, "Eingabe"), QStringLiteral("KRN"));
    EXPECT_FALSE(s(z, "Bezeichnung").trimmed().isEmpty());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{18}$")).match(s(z, "ID")).hasMatch());
    EXPECT_TRUE(QDateTime::fromString(s(z, "LetzteAenderung"), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
}

} // namespace

TEST(Duenger, TypPasstZuDenGehalten)
{
    const auto duenger = test::zeilen(QStringLiteral("SELECT * FROM DuengerID"));
    QSet<QString> nummern;
    for (const QVariantMap& z : duenger) {
        SCOPED_TRACE(s(z, "DuengerNr").toStdString() + " " + s(z, "Bezeichnung").toStdString());
        pruefeKatalogzeile(z, "DuengerNr", QStringLiteral("Du"));
        EXPECT_FALSE(nummern.contains(s(z, "DuengerNr")));
        nummern.insert(s(z, "DuengerNr"));
        EXPECT_EQ(z.value(QStringLiteral("AktuellerDatensatz")).toInt(), 1);
        const double n = d(z, "N"), p = d(z, "P2O5"), k = d(z, "K2O"), mg = d(z, "Mg");
        for (double v : {n, p, k, mg}) {
            EXPECT_GE(v, 0.0);
            EXPECT_LE(v, 100.0);
        }
        EXPECT_LE(n + p + k + mg, 100.0);
        EXPECT_EQ(s(z, "Typ"), typAus(n, p, k, mg));
        const int norg = z.value(QStringLiteral("Norg")).toInt();
        EXPECT_TRUE(norg == 0 || norg == 1);
        if (norg == 1) {
            EXPECT_GT(n, 0.0) << "organischer Stickstoff ohne Stickstoff";
        }
    }
}

TEST(Duenger, HornduengerUnterIhrenFestenSchluesseln)
{
    const QMap<QString, QString> horn = {{QStringLiteral("Du1001"), QStringLiteral("Hornmehl")},
                                         {QStringLiteral("Du1020"), QStringLiteral("Hornmehl")},
                                         {QStringLiteral("Du1003"), QStringLiteral("Horngrieß")},
                                         {QStringLiteral("Du1004"), QStringLiteral("Hornspäne")}};
    for (auto it = horn.cbegin(); it != horn.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        const auto z = test::zeilen(QStringLiteral("SELECT * FROM DuengerID WHERE DuengerNr = ?"), {it.key()});
        ASSERT_EQ(z.size(), 1);
        EXPECT_TRUE(s(z[0], "Bezeichnung").startsWith(it.value()));
        EXPECT_EQ(s(z[0], "Typ"), QStringLiteral("N"));
        EXPECT_EQ(z[0].value(QStringLiteral("Norg")).toInt(), 1);
        EXPECT_GE(d(z[0], "N"), 10.0);
        EXPECT_LE(d(z[0], "N"), 16.0);
    }
}

TEST(Duenger, KatalogDecktJedenTypUndBeideHerkuenfteAb)
{
    const auto duenger = test::zeilen(QStringLiteral("SELECT * FROM DuengerID"));
    EXPECT_GE(duenger.size(), 34); // the four horn fertilisers and at least 30 others
    QMap<QString, int> typen;
    int mineralisch = 0, organisch = 0, mitMg = 0;
    for (const QVariantMap& z : duenger) {
        ++typen[s(z, "Typ")];
        if (d(z, "N") > 0)
            (z.value(QStringLiteral("Norg")).toInt() == 1 ? organisch : mineralisch)++;
        if (d(z, "Mg") > 0 && s(z, "Typ") != QLatin1String("Mg"))
            ++mitMg;
    }
    for (const char* t : {"N", "P", "K", "NP", "NK", "PK", "NPK", "Mg"})
        EXPECT_GT(typen.value(QString::fromLatin1(t)), 0) << "kein Dünger vom Typ " << t;
    EXPECT_GE(mineralisch, 5);
    EXPECT_GE(organisch, 8);
    EXPECT_GT(mitMg, 0) << "Magnesium als Nebenbestandteil gehört nicht in den Typ";
}

TEST(Kalke, JederKalkHatCarbonat)
{
    const auto kalke = test::zeilen(QStringLiteral("SELECT * FROM KalkID"));
    EXPECT_GE(kalke.size(), 6);
    bool mitMagnesium = false;
    for (const QVariantMap& z : kalke) {
        SCOPED_TRACE(s(z, "KalkNr").toStdString());
        pruefeKatalogzeile(z, "KalkNr", QStringLiteral("Ka"));
        const double ca = d(z, "CaCO3"), mg = d(z, "MgCO3");
        EXPECT_GE(ca, 0.0);
        EXPECT_GE(mg, 0.0);
        // The dose divides the lime need by the carbonate content.
        EXPECT_GT(ca + mg, 0.0);
        EXPECT_LE(ca + mg, 100.0);
        mitMagnesium = mitMagnesium || mg >= 10.0;
    }
    EXPECT_TRUE(mitMagnesium);
}

TEST(Bodenverbesserer, KompostUndFuenfMistarten)
{
    const auto zeilen = test::zeilen(QStringLiteral("SELECT * FROM OrgSubID ORDER BY OrgSubNr"));
    ASSERT_EQ(zeilen.size(), 6);
    for (int i = 0; i < 6; ++i) {
        const QVariantMap& z = zeilen[i];
        SCOPED_TRACE(s(z, "OrgSubNr").toStdString());
        EXPECT_EQ(s(z, "OrgSubNr"), QStringLiteral("OS100%1").arg(i + 1));
        EXPECT_FALSE(s(z, "Bezeichnung").isEmpty());
        EXPECT_GT(d(z, "menge"), 0.0);
        EXPECT_GT(d(z, "N"), 0.0);
        for (const char* c : {"P2O5", "K2O", "Mg"})
            EXPECT_GT(d(z, c), 0.0);
        if (i > 0) {
            EXPECT_TRUE(s(z, "Bezeichnung").contains(QStringLiteral("mist"), Qt::CaseInsensitive));
        }
    }
    // The advice texts speak of "3 l Kompost".
    EXPECT_EQ(s(zeilen[0], "Bezeichnung"), QStringLiteral("Kompost"));
    EXPECT_EQ(d(zeilen[0], "menge"), 3.0);
}

TEST(Bodenarten, PositionenErgebenDieBodengruppen)
{
    const auto arten = test::zeilen(QStringLiteral("SELECT * FROM Bodenart ORDER BY ID"));
    ASSERT_GE(arten.size(), 6);
    for (int pos = 0; pos < arten.size(); ++pos) {
        const QVariantMap& z = arten[pos];
        SCOPED_TRACE(s(z, "Bezeichnung").toStdString());
        EXPECT_FALSE(s(z, "Kuerzel").isEmpty());
        // Positions 0-2 light, 3-4 medium, 5 and later heavy.
        if (pos <= 2) {
            EXPECT_TRUE(s(z, "Bezeichnung").contains(QStringLiteral("Sand")));
        }
        else if (pos <= 4)
            EXPECT_TRUE(s(z, "Bezeichnung").contains(QStringLiteral("Lehm")));
        else
            EXPECT_TRUE(s(z, "Bezeichnung").contains(QStringLiteral("ton"), Qt::CaseInsensitive));
    }
    const auto nutzung = test::zeilen(QStringLiteral("SELECT * FROM Nutzung ORDER BY ID"));
    EXPECT_GE(nutzung.size(), 4);
    for (const QVariantMap& z : nutzung)
        EXPECT_FALSE(s(z, "Nutzung").trimmed().isEmpty());
}

namespace {

struct Grenzen {
    int bodengruppe, klasse;
    float l, m, u;
};

// pH bounds of the lime requirement by soil group and organic-matter class.
const Grenzen kGrenzen[] = {
    {0, 1, 4.0f, 5.7f, 6.3f}, {0, 2, 3.7f, 5.3f, 5.9f}, {0, 3, 3.3f, 4.9f, 5.5f}, {0, 4, 3.0f, 4.5f, 5.1f},
    {1, 1, 4.5f, 6.2f, 7.0f}, {1, 2, 4.2f, 5.7f, 6.5f}, {1, 3, 3.8f, 5.3f, 6.1f}, {1, 4, 3.3f, 4.9f, 5.7f},
    {2, 1, 4.5f, 6.3f, 7.2f}, {2, 2, 4.2f, 5.8f, 6.7f}, {2, 3, 3.8f, 5.4f, 6.3f}, {2, 4, 3.3f, 5.0f, 5.9f},
};

// The pH key of the lookup; a pH with one decimal gives a whole key.
int phSchluessel(const Grenzen& g, float ph)
{
    if (ph <= g.l) return rundenGanz(g.l * 10.0f);
    if (ph <= g.m) return rundenGanz(ph * 10.0f);
    if (ph <= g.u) return rundenGanz(g.m * 10.0f) + 1;
    return 0;
}

QMap<int, double> kalkTabelle(int bodengruppe, int klasse)
{
    QMap<int, double> out;
    for (const QVariantMap& z : test::zeilen(
             QStringLiteral("SELECT pH, CaO FROM Kalkbedarf WHERE Bodenart = ? AND OS = ?"), {bodengruppe, klasse}))
        out.insert(z.value(QStringLiteral("pH")).toInt(), z.value(QStringLiteral("CaO")).isNull() ? -1.0 : d(z, "CaO"));
    return out;
}

} // namespace

TEST(Kalkbedarf, JederSchluesselDerAbfrageHatEineZeile)
{
    for (const Grenzen& g : kGrenzen) {
        SCOPED_TRACE(testing::Message() << "Bodengruppe " << g.bodengruppe << ", Klasse " << g.klasse);
        const QMap<int, double> tabelle = kalkTabelle(g.bodengruppe, g.klasse);
        // Every pH from 2.5 to 8.0 in steps of 0.1, as typed on the analysis page.
        for (int zehntel = 25; zehntel <= 80; ++zehntel) {
            const float ph = static_cast<float>(zehntel) / 10.0f;
            const int key = phSchluessel(g, ph);
            if (key == 0)
                continue;
            EXPECT_TRUE(tabelle.contains(key)) << "pH " << ph << " ergibt Schlüssel " << key;
            EXPECT_GT(tabelle.value(key), 0.0) << "CaO fehlt für Schlüssel " << key;
        }
        // No rows beyond the keys the lookup forms.
        const int von = rundenGanz(g.l * 10.0f), bis = rundenGanz(g.m * 10.0f) + 1;
        EXPECT_EQ(tabelle.size(), bis - von + 1);
        for (int key : tabelle.keys()) {
            EXPECT_GE(key, von);
            EXPECT_LE(key, bis);
        }
    }
    EXPECT_EQ(test::zeilen(QStringLiteral("SELECT * FROM Kalkbedarf WHERE Bodenart NOT IN (0, 1, 2) OR OS NOT BETWEEN 1 AND 4")).size(), 0);
}

TEST(Kalkbedarf, FaelltMitSteigendemPhBisZurErhaltungskalkung)
{
    for (const Grenzen& g : kGrenzen) {
        SCOPED_TRACE(testing::Message() << "Bodengruppe " << g.bodengruppe << ", Klasse " << g.klasse);
        const QMap<int, double> t = kalkTabelle(g.bodengruppe, g.klasse);
        const int von = rundenGanz(g.l * 10.0f), mitte = rundenGanz(g.m * 10.0f);
        for (int key = von; key < mitte; ++key)
            EXPECT_GT(t.value(key), t.value(key + 1)) << "Schlüssel " << key;
        const double erhaltung = t.value(mitte + 1);
        EXPECT_LT(erhaltung, t.value(mitte));
        // As the program rounds it: value × 3.6 in steps of 50 g; maintenance still recommends lime.
        EXPECT_GE(rundenAuf(erhaltung * 3.6, 50.0), 50.0);
        EXPECT_LE(rundenAuf(t.value(von) * 3.6, 50.0), 700.0);
    }
    // Heavier soils need more lime at the same pH and class.
    for (int klasse = 1; klasse <= 4; ++klasse)
        for (int bg = 0; bg < 2; ++bg) {
            const auto leichter = kalkTabelle(bg, klasse), schwerer = kalkTabelle(bg + 1, klasse);
            for (int key : leichter.keys()) {
                if (schwerer.contains(key) && key != leichter.lastKey() && key != schwerer.lastKey()) {
                    EXPECT_LT(leichter.value(key), schwerer.value(key)) << "Klasse " << klasse << ", Schlüssel " << key;
                }
            }
        }
}

TEST(DuengerInfo, JederSchluesselHatEinenText)
{
    for (const char* key : {"1-0", "3-0", "4-0", "5-0", "6-0", "-0"}) {
        SCOPED_TRACE(key);
        const auto z = test::zeilen(QStringLiteral("SELECT Text FROM DuengerInfo WHERE TextNr = ?"), {QString::fromLatin1(key)});
        ASSERT_EQ(z.size(), 1);
        EXPECT_GT(s(z[0], "Text").size(), 80);
    }
}
