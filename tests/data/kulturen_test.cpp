// The crop catalogue of Kav.KRN against what the crop tree, the requirement calculation and the
// mixed-culture planner expect of it.
#include "referenzdaten.h"

#include <QColor>
#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

#include <cmath>

using namespace kav;

namespace {

struct Kultur {
    QString nr;
    QString name;
    int gruppe = 0;
    bool istGruppe = false;
    bool aktuell = false;
    QVariantMap werte;
    double d(const char* spalte) const { return werte.value(QString::fromLatin1(spalte)).toDouble(); }
    bool leer(const char* spalte) const { return werte.value(QString::fromLatin1(spalte)).isNull(); }
};

const QSet<int> kDauerGruppen = {1003, 1004, 1005, 1006, 1008};

QMap<QString, Kultur> kulturen()
{
    QMap<QString, Kultur> out;
    for (const QVariantMap& z : test::zeilen(QStringLiteral("SELECT * FROM KulturID"))) {
        Kultur k;
        k.nr = z.value(QStringLiteral("KulturNr")).toString();
        k.name = z.value(QStringLiteral("Bezeichnung")).toString();
        k.gruppe = z.value(QStringLiteral("GruppierungNr")).toInt();
        k.istGruppe = z.value(QStringLiteral("Gliederungspunkt")).toInt() == 1;
        k.aktuell = z.value(QStringLiteral("AktuellerDatensatz")).toInt() == 1;
        k.werte = z;
        EXPECT_FALSE(out.contains(k.nr)) << "doppelte KulturNr " << k.nr.toStdString();
        out.insert(k.nr, k);
    }
    return out;
}

QString schluessel(int nummer) { return QStringLiteral("Ku%1").arg(nummer); }

// A crop is a permanent crop by its key Ku1009, by a permanent-crop group as parent, or as a single
// member of a permanent combined crop.
bool dauerkultur(const QMap<QString, Kultur>& alle, const Kultur& k)
{
    if (k.nr == QLatin1String("Ku1009") || kDauerGruppen.contains(k.gruppe))
        return true;
    const auto eltern = alle.constFind(schluessel(k.gruppe));
    return eltern != alle.cend() && !eltern->istGruppe && dauerkultur(alle, *eltern);
}

// Real crops: every crop row but the placeholder of a new mixed culture.
QVector<Kultur> echteKulturen(const QMap<QString, Kultur>& alle)
{
    QVector<Kultur> out;
    for (const Kultur& k : alle)
        if (!k.istGruppe && k.nr != QLatin1String("Ku1090"))
            out.push_back(k);
    return out;
}

QVector<Kultur> planerKulturen(const QMap<QString, Kultur>& alle)
{
    QVector<Kultur> out;
    for (const Kultur& k : alle)
        if (!k.istGruppe && (k.gruppe == 1007 || k.gruppe == 1008 || k.nr == QLatin1String("Ku1009")))
            out.push_back(k);
    return out;
}

bool ganzzahlig(double v) { return std::fabs(v - std::round(v)) < 1e-9; }

} // namespace

TEST(Kulturen, FesteSchluesselHabenIhreRolle)
{
    const auto alle = kulturen();
    for (const char* nr : {"Ku1001", "Ku1003", "Ku1004", "Ku1005", "Ku1006", "Ku1007", "Ku1008", "Ku1089"}) {
        SCOPED_TRACE(nr);
        ASSERT_TRUE(alle.contains(QString::fromLatin1(nr)));
        const Kultur& g = alle[QString::fromLatin1(nr)];
        EXPECT_TRUE(g.istGruppe);
        EXPECT_TRUE(g.aktuell);
    }
    EXPECT_EQ(alle[QStringLiteral("Ku1007")].name, QStringLiteral("Pflanzung & Aussaat"));
    EXPECT_EQ(alle[QStringLiteral("Ku1008")].name, QStringLiteral("Dauerkulturen"));

    ASSERT_TRUE(alle.contains(QStringLiteral("Ku1009")));
    const Kultur& k9 = alle[QStringLiteral("Ku1009")];
    EXPECT_FALSE(k9.istGruppe);
    EXPECT_TRUE(k9.name.startsWith(QLatin1Char('K'))) << "der Planer macht nur Namen mit K ganzjährig";
    // Not under the planner's two groups (it would appear twice there), but under a group of the
    // crop tree that is no permanent-crop group: the crop counts as permanent by its key alone.
    EXPECT_NE(k9.gruppe, 1007);
    EXPECT_NE(k9.gruppe, 1008);
    EXPECT_FALSE(kDauerGruppen.contains(k9.gruppe));
    ASSERT_TRUE(alle.contains(schluessel(k9.gruppe)));
    EXPECT_TRUE(alle[schluessel(k9.gruppe)].istGruppe);
    EXPECT_EQ(k9.d("Tage"), 365.0);

    ASSERT_TRUE(alle.contains(QStringLiteral("Ku1090")));
    EXPECT_FALSE(alle[QStringLiteral("Ku1090")].istGruppe);
    EXPECT_EQ(alle[QStringLiteral("Ku1090")].gruppe, 1089);
}

TEST(Kulturen, KulturbaumLaesstSichOhneFehlendeElternAufbauen)
{
    // As the crop tree does it: groups in key order, each below its parent group, which must
    // already be there; then crops below their group; then single crops below their crop.
    const auto alle = kulturen();
    QSet<QString> gruppenKnoten, kulturKnoten;
    for (const Kultur& g : alle) {
        if (!g.istGruppe)
            continue;
        SCOPED_TRACE(g.nr.toStdString());
        EXPECT_TRUE(g.aktuell);
        if (g.gruppe != 0) {
            EXPECT_TRUE(gruppenKnoten.contains(schluessel(g.gruppe))) << "Obergruppe fehlt oder steht dahinter";
        }
        gruppenKnoten.insert(g.nr);
    }
    for (const Kultur& k : alle)
        if (!k.istGruppe && gruppenKnoten.contains(schluessel(k.gruppe)))
            kulturKnoten.insert(k.nr);
    int einzel = 0;
    for (const Kultur& k : alle) {
        if (k.istGruppe || kulturKnoten.contains(k.nr))
            continue;
        SCOPED_TRACE(k.nr.toStdString());
        EXPECT_TRUE(kulturKnoten.contains(schluessel(k.gruppe))) << "Kultur ohne Platz im Kulturbaum";
        ++einzel;
    }
    EXPECT_GT(einzel, 0);
    EXPECT_TRUE(gruppenKnoten.contains(QStringLiteral("Ku1089")));
}

TEST(Kulturen, DauerkulturenHaengenDirektUnterIhrenGruppen)
{
    const auto alle = kulturen();
    QMap<int, int> kinder;
    for (const Kultur& k : alle) {
        SCOPED_TRACE(k.nr.toStdString());
        // A sub-group would hide its crops from the permanent-crop test of the crop page.
        if (k.istGruppe) {
            EXPECT_FALSE(kDauerGruppen.contains(k.gruppe)) << "Untergruppe in einer Dauerkulturgruppe";
        } else if (kDauerGruppen.contains(k.gruppe)) {
            ++kinder[k.gruppe];
        }
    }
    for (int g : kDauerGruppen)
        EXPECT_GT(kinder.value(g), 0) << "Gruppe Ku" << g << " ohne Kulturen";
    // Every crop outside those groups is an annual crop, and every permanent crop runs all year.
    for (const Kultur& k : echteKulturen(alle)) {
        SCOPED_TRACE(k.nr.toStdString());
        if (dauerkultur(alle, k)) {
            EXPECT_EQ(k.d("Tage"), 365.0);
        } else {
            EXPECT_LT(k.d("Tage"), 365.0);
            EXPECT_EQ(k.d("TerminGD"), 0.0);
        }
    }
}

TEST(Kulturen, StickstoffanteileErgebenEins)
{
    for (const Kultur& k : echteKulturen(kulturen())) {
        SCOPED_TRACE(k.nr.toStdString() + " " + k.name.toStdString());
        EXPECT_GT(k.d("N"), 0.0);
        EXPECT_LE(k.d("N"), 40.0);
        for (const char* s : {"NGD", "NKD1", "NKD2"}) {
            EXPECT_FALSE(k.leer(s));
            EXPECT_GE(k.d(s), 0.0);
            EXPECT_LE(k.d(s), 1.0);
        }
        EXPECT_NEAR(k.d("NGD") + k.d("NKD1") + k.d("NKD2"), 1.0, 1e-6);
        EXPECT_GT(k.d("NGD"), 0.0) << "ohne Grunddüngung";
        if (k.d("NKD2") > 0) {
            EXPECT_GT(k.d("NKD1"), 0.0) << "zweite Kopfdüngung ohne erste";
        }
    }
}

TEST(Kulturen, KopfduengungswochenSindGanzUndPassenInDieKultur)
{
    const auto alle = kulturen();
    for (const Kultur& k : echteKulturen(alle)) {
        SCOPED_TRACE(k.nr.toStdString() + " " + k.name.toStdString());
        const double tage = k.d("Tage"), g = k.d("TerminGD"), k1 = k.d("TerminKD1"), k2 = k.d("TerminKD2");
        for (double v : {tage, g, k1, k2}) {
            EXPECT_TRUE(ganzzahlig(v)) << v;
            EXPECT_GE(v, 0.0);
        }
        EXPECT_GE(tage, 28.0);
        EXPECT_LE(tage, 365.0);
        const bool kd1 = k.d("NKD1") > 0, kd2 = k.d("NKD2") > 0;
        if (dauerkultur(alle, k)) {
            // Weeks of the year: base dressing in week G, top dressings K1 and K2 weeks later; the
            // mineralisation slot of the second top dressing starts at G + K1 + K2 + 2.
            EXPECT_GE(g, 1.0);
            EXPECT_LE(g, 52.0);
            if (kd1) {
                EXPECT_GE(k1, 1.0);
                EXPECT_LE(g + k1, 52.0);
            }
            if (kd2) {
                EXPECT_GT(k2, k1);
                EXPECT_LE(g + k1 + k2 + 1, 52.0);
            }
        } else {
            // Weeks after the start of the crop, within its days.
            if (kd1) {
                EXPECT_GE(k1, 1.0);
                EXPECT_LT(7 * k1, tage);
            }
            if (kd2) {
                EXPECT_GT(k2, k1);
                EXPECT_LT(7 * k2, tage);
            }
            if (!kd2) {
                EXPECT_LE(7 * k2, tage);
            }
        }
    }
}

TEST(Kulturen, EntzugUndKalkcode)
{
    const auto alle = kulturen();
    int kalkmeidend = 0;
    for (const Kultur& k : echteKulturen(alle)) {
        SCOPED_TRACE(k.nr.toStdString() + " " + k.name.toStdString());
        for (const char* s : {"P2O5", "K2O", "Mg"}) {
            EXPECT_FALSE(k.leer(s));
            EXPECT_GT(k.d(s), 0.0);
            EXPECT_LT(k.d(s), 60.0);
        }
        // Potash is removed in larger amounts than phosphate, and magnesium (as MgO) in smaller.
        EXPECT_GE(k.d("K2O"), k.d("P2O5"));
        EXPECT_LT(k.d("Mg"), k.d("K2O"));
        const double ph = k.d("ph");
        EXPECT_TRUE(ph == 1.0 || ph == 2.0) << ph;
        if (ph == 2.0)
            ++kalkmeidend;
        if (k.name.contains(QStringLiteral("heidelbeere"), Qt::CaseInsensitive)
            || k.name.contains(QStringLiteral("Rhododendron"))) {
            EXPECT_EQ(ph, 2.0) << "kalkmeidende Kultur";
        }
    }
    EXPECT_GT(kalkmeidend, 0);
}

TEST(Kulturen, KatalogIstGrossGenugUndKombinierteKulturenHabenMitglieder)
{
    const auto alle = kulturen();
    EXPECT_GE(echteKulturen(alle).size(), 60);
    QMap<QString, QStringList> mitglieder;
    for (const Kultur& k : alle)
        if (!k.istGruppe && alle.contains(schluessel(k.gruppe)) && !alle[schluessel(k.gruppe)].istGruppe)
            mitglieder[schluessel(k.gruppe)] << k.name;
    EXPECT_GE(mitglieder.size(), 2);
    for (auto it = mitglieder.cbegin(); it != mitglieder.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        // The crop page joins the members as "name (a, b & c)": it needs at least two.
        EXPECT_GE(it.value().size(), 2);
        EXPECT_EQ(QSet<QString>(it.value().begin(), it.value().end()).size(), it.value().size());
    }
    // Every group of the tree holds something.
    QSet<int> belegt;
    for (const Kultur& k : alle)
        belegt.insert(k.gruppe);
    for (const Kultur& g : alle)
        if (g.istGruppe) {
            EXPECT_TRUE(belegt.contains(g.nr.mid(2).toInt())) << "leere Gruppe " << g.nr.toStdString();
        }
}

TEST(Kulturen, JedeKulturDesPlanersHatReihenabstandUndFarbe)
{
    const auto alle = kulturen();
    const auto planer = planerKulturen(alle);
    EXPECT_GE(planer.size(), 20);

    QMap<QString, QVector<double>> abstand;
    for (const QVariantMap& z : test::zeilen(QStringLiteral("SELECT KulturID, Reihenabstand FROM Reihenabstand")))
        abstand[z.value(QStringLiteral("KulturID")).toString()] << z.value(QStringLiteral("Reihenabstand")).toDouble();
    QMap<QString, QVector<QVariantMap>> farben;
    for (const QVariantMap& z : test::zeilen(QStringLiteral("SELECT * FROM MKFarben")))
        farben[z.value(QStringLiteral("KulturID")).toString()] << z;

    QSet<QRgb> gesehen;
    int hell = 0, dunkel = 0;
    for (const Kultur& k : planer) {
        SCOPED_TRACE(k.nr.toStdString() + " " + k.name.toStdString());
        ASSERT_EQ(abstand.value(k.nr).size(), 1);
        EXPECT_GE(abstand[k.nr].front(), 10.0); // cm
        EXPECT_LE(abstand[k.nr].front(), 200.0);
        ASSERT_EQ(farben.value(k.nr).size(), 1);
        const QVariantMap f = farben[k.nr].front();
        const int r = f.value(QStringLiteral("r")).toInt(), g = f.value(QStringLiteral("g")).toInt(),
                  b = f.value(QStringLiteral("b")).toInt();
        for (int c : {r, g, b}) {
            EXPECT_GE(c, 0);
            EXPECT_LE(c, 255);
        }
        EXPECT_FALSE(gesehen.contains(qRgb(r, g, b))) << "Farbe doppelt vergeben";
        gesehen.insert(qRgb(r, g, b));
        (r + g + b > 425 ? hell : dunkel)++;
    }
    // Light bars get black text, dark ones white: the palette uses both.
    EXPECT_GT(hell, 5);
    EXPECT_GT(dunkel, 5);
    for (const QString& nr : abstand.keys())
        EXPECT_TRUE(alle.contains(nr)) << "Reihenabstand für unbekannte Kultur " << nr.toStdString();
    for (const QString& nr : farben.keys())
        EXPECT_TRUE(alle.contains(nr)) << "Farbe für unbekannte Kultur " << nr.toStdString();
}
