// The planner's rules without a window: a bar's record from its twips and back, where dropped and
// moved bars lie, text colours, the crops offered, and the plans stored in a real Daten.KRN.
#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "requirement/balkengeometrie.h"
#include "requirement/bedarfsquellen.h"
#include "requirement/mischkulturkulturen.h"
#include "requirement/mischkulturplaene.h"
#include "services/monatsnamen.h"
#include "services/recordids.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace kav;

namespace {

constexpr double W = 9000, H = 6000; // a bed picture in twips

TEST(PlanerBalken, SatzAusTwips)
{
    const struct {
        QRectF balken;
        float left, top;
        int dauer, start;
    } faelle[] = {
        {{0, 0, W * 63 / 365, H / 30}, 0, 0, 63, 1},                       // Kohlrabi at the left edge
        {{W * 51 / 52, H / 4, W / 52, H / 30}, 51.0f / 52, 0.25f, 7, 52},  // last week
        {{W / 2, H / 4, W / 5, H / 30}, 0.5f, 0.25f, 73, 27},              // a fifth of the year
        {{W / 3, H / 2, W * 182.5 / 365, H / 30}, 1.0f / 3, 0.5f, 182, 18}, // 182.5 days: half to even
    };
    for (const auto& f : faelle) {
        MischkulturBalken r;
        ASSERT_TRUE(balkenAusTwips(r, f.balken, W, H));
        EXPECT_TRUE(r.Left == f.left && r.Top == f.top && r.Dauer == f.dauer && r.start == f.start) << f.left;
    }
    // a picture without size or a value that is not a number changes nothing
    MischkulturBalken r{"Ku1025", "Kohlrabi", 0.5f, 0.25f, 73, 14, 255};
    const MischkulturBalken vorher = r;
    for (const auto& [breite, hoehe, x] : {std::tuple{0.0, H, 10.0}, {W, 0.0, 10.0}, {W, H, std::nan("")}})
        EXPECT_FALSE(balkenAusTwips(r, QRectF(x, 0, 100, 100), breite, hoehe));
    EXPECT_TRUE(r.Left == vorher.Left && r.Top == vorher.Top && r.Dauer == vorher.Dauer && r.start == vorher.start);
}

TEST(PlanerBalken, HinUndZurueckAufJederGroesseGleich)
{
    for (const double breite : {4321.0, 9000.0, 17283.75, 23000.1})
        for (int i = 0; i <= 52; ++i) {
            MischkulturBalken r{"Ku1010", "Kopfsalat", float(i) / 53, float(i) / 52, qint16(5 * i + 1), 0, 0};
            balkenAusTwips(r, balkenTwips(r, 9000, 6000), 9000, 6000);
            EXPECT_EQ(r.start, std::min(i + 1, 53)) << i;
            MischkulturBalken z = r;
            ASSERT_TRUE(balkenAusTwips(z, balkenTwips(r, breite, breite * 0.7), breite, breite * 0.7));
            EXPECT_TRUE(z.Left == r.Left && z.Top == r.Top && z.Dauer == r.Dauer && z.start == r.start)
                << breite << " " << i;
        }
}

TEST(PlanerBalken, AbwurfUndVerschieben)
{
    const double h = H / 30;
    // dropped wider than the bed, at its bottom, for the whole year (not corrected); moved out of it
    const struct {
        QRectF von, nach;
    } faelle[] = {
        {abwurfRechteck(Abwurfart::NachTagen, 400, {W / 2, -5}, W, H), {0, 0, W * 400 / 365, h}},
        {abwurfRechteck(Abwurfart::NachTagen, 30, {10, H - 1}, W, H), {10, H - h, W * 30 / 365, h}},
        {abwurfRechteck(Abwurfart::GanzesJahr, 0, {W / 2, H - 1}, W, H), {0, H - 1, W, h}},
        {verschobenBegrenzen({100, 10, 500, h}, W, H), {100, h, 500, h}}, // the top band is left to drops
        {verschobenBegrenzen({-300, H, 500, h}, W, H), {0, H - h, 500, h}},
        {verschobenBegrenzen({W - 100, 3000, 500, h}, W, H), {W - 500, 3000, 500, h}},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(f.von, f.nach);

    const struct {
        const char *gruppe, *kultur;
        Abwurfart art;
    } arten[] = {{"Ku1007", "Ku1025", Abwurfart::NachTagen}, {"Ku1008", "Ku1105", Abwurfart::GanzesJahr},
                 {"", "Ku1009", Abwurfart::GanzesJahr},      {"", "Ku1007", Abwurfart::Keine},
                 {"Ku1089", "Ku1090", Abwurfart::Keine}};
    for (const auto& a : arten)
        EXPECT_EQ(abwurfartFuer(a.gruppe, a.kultur), a.art) << a.kultur;
}

TEST(PlanerBalken, Monatsnamen)
{
    QStringList namen;
    for (int m = 0; m <= 13; ++m)
        namen << kurzerMonatsname(m);
    EXPECT_EQ(namen.join(','), ",Jan.,Feb.,März,Apr.,Mai,Juni,Juli,Aug.,Sep.,Okt.,Nov.,Dez.,");
}

// Kav.KRN of the build and an empty Daten.KRN, opened.
class PlanDateien : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(test::referenzDatei(dir.filePath("Kav.KRN")));
        ASSERT_NO_FATAL_FAILURE(test::leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten));
        ASSERT_TRUE(kav.open(dir.filePath("Kav.KRN")) && daten.open(dir.filePath("Daten.KRN")));
    }
    long long anzahl(const QString& tabelle) const
    {
        return sql::scalar(daten.db(), "SELECT COUNT(*) FROM " + tabelle).toLongLong();
    }
    MischkulturPlaene plaene() { return MischkulturPlaene(daten.db(), [this] { return neueZeilenId(uhr, zufall); }); }

    QTemporaryDir dir;
    LocalDatabase kav{"planer_kav", schemaTabellen(Datenbankdatei::Kav)};
    LocalDatabase daten{"planer_daten", schemaTabellen(Datenbankdatei::Daten)};
    FixedClock uhr{QDateTime(QDate(2026, 12, 6), QTime(9, 0))};
    RandomSource zufall{7};
    // crop, name, Top, Left, Dauer, start, Farbe
    const std::vector<MischkulturBalken> drei{{"Ku1025", "Kohlrabi", 0.5f, 0.25f, 73, 14, 255},
                                              {"Ku1010", "Kopfsalat", 0.2f, 0.1f, 56, 6, 65280},
                                              {"Ku1105", "Spargel", 0, 0.75f, 365, 14, 0xC0C0C0}};
};

TEST_F(PlanDateien, DieKulturenDesPlanersHabenFarbeAbstandUndTage)
{
    const std::vector<MischkulturKultur> k = MischkulturKulturenLesen(kav.db());
    ASSERT_EQ(k.size(), 51u);
    EXPECT_TRUE(k.front().Gruppe == "Ku1007" && k.back().KulturNr == "Ku1009");
    const SqlKulturen kulturen(kav.db());
    const SqlReihenabstaende abstaende(kav.db());
    for (size_t i = 0; i < k.size(); ++i) {
        EXPECT_TRUE(k[i].Farbe) << k[i].KulturNr.toStdString();
        EXPECT_GT(abstaende.reihenabstand(k[i].KulturNr).value_or(0), 0) << k[i].KulturNr.toStdString();
        if (k[i].Gruppe == "Ku1007") {
            EXPECT_GT(kulturen.kultur(k[i].KulturNr)->Tage, 0) << k[i].KulturNr.toStdString();
        }
    }
}

TEST_F(PlanDateien, SpeichernErsetzenLoeschenUndNeueKennungen)
{
    MischkulturPlaene p = plaene();
    const QString id = p.speichern({}, "Fl1001", drei, uhr.now());
    EXPECT_TRUE(id.startsWith("ID06122026090000"));
    EXPECT_EQ(id.size(), 20);
    QStringList geladen;
    for (const MischkulturBalken& b : p.laden(id))
        geladen << b.Kultur + "/" + QString::number(b.start);
    EXPECT_EQ(geladen.join(' '), "Kohlrabi/14 Spargel/14 Kopfsalat/6");
    const std::vector<MischkulturBalken> z = p.zumZeichnen(id);
    EXPECT_TRUE(z[0].Kultur == "Kopfsalat" && z[1].Left == 0.25f && z[1].Top == 0.5f && z[1].Dauer == 73 && z[1].Farbe == 255);
    EXPECT_EQ(p.kopf(id)->DatumPlanung, uhr.now());

    uhr.advanceSeconds(60);
    EXPECT_EQ(p.speichern(id, "Fl1001", {drei[0]}, uhr.now()), id);
    EXPECT_TRUE(p.laden(id).size() == 1 && p.kopf(id)->DatumPlanung == uhr.now());

    p.loeschen(id);
    EXPECT_TRUE(!p.kopf(id) && p.laden(id).empty());
    // a plan whose row has gone is made again when its bars are saved
    EXPECT_EQ(p.speichern(id, "Fl1001", drei, uhr.now()), id);
    EXPECT_TRUE(p.kopf(id));
    p.loeschen(id);

    // 200 plans in one second: every plan and every bar gets an id of its own
    QSet<QString> plaeneIds;
    for (int i = 0; i < 200; ++i)
        plaeneIds.insert(p.speichern({}, "Fl1001", drei, uhr.now()));
    EXPECT_TRUE(plaeneIds.size() == 200 && anzahl("MischkulturID") == 200);
    EXPECT_EQ(sql::scalar(daten.db(), "SELECT COUNT(DISTINCT ID) FROM MKEditor").toInt(), 600);
    EXPECT_EQ(anzahl("MKEditor"), 600);
}

TEST_F(PlanDateien, EinFehlerNachDemLoeschenLaesstDenPlanWieErWar)
{
    MischkulturPlaene p = plaene();
    const QString id = p.speichern({}, "Fl1001", drei, uhr.now());
    sql::exec(daten.db(), "CREATE TRIGGER kaputt BEFORE INSERT ON MKEditor WHEN NEW.Kultur = 'Spargel' "
                          "BEGIN SELECT RAISE(ABORT, 'voll'); END");
    uhr.advanceSeconds(5);
    EXPECT_THROW(p.speichern(id, "Fl1001", {drei[0], drei[2]}, uhr.now()), sql::Error);
    EXPECT_THROW(p.speichern({}, "Fl1001", drei, uhr.now()), sql::Error);
    EXPECT_TRUE(p.laden(id).size() == 3 && p.kopf(id)->DatumPlanung == QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
    EXPECT_EQ(anzahl("MischkulturID"), 1);
}

} // namespace
