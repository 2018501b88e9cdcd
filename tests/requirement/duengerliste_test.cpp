#include "requirement/duengerliste.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kav;

namespace {

class Duengerliste : public ::testing::Test {
protected:
    Duengerliste()
    {
        quellen.duenger["Du1"] = DuengerGehalt{"Hornspäne", "N", 20, 0, 0, 0};
        quellen.duenger["Du2"] = DuengerGehalt{"Volldünger", "NPK", 10, 8, 12, 2};
        DuengerlisteAnlegen(s);
    }
    DuengerSumme waehlen(const QString& nr, std::optional<float> menge)
    {
        s.strAktDuengerNr = nr;
        return DuengerNaehrstoffeSummieren(s, menge, quellen);
    }
    std::vector<float> summen() const { return {s.sngDuengerN, s.sngDuengerP, s.sngDuengerK, s.sngDuengerMg}; }
    test::Speicherquellen quellen;
    WizardState s;
};

// Every summing starts from 0: choosing, summing again and rebuilding the tree never count twice.
TEST_F(Duengerliste, SummenImmerVonNull)
{
    const std::vector<float> beide = {12.5f, 2, 3, 0.5f};
    EXPECT_TRUE(waehlen("Du1", 50).angefuegt);
    EXPECT_EQ(summen(), (std::vector<float>{10, 0, 0, 0}));
    waehlen("Du2", 25);
    EXPECT_EQ(summen(), beide);

    s.sngDuengerN = 99, s.sngDuengerP = 99;
    EXPECT_FALSE(DuengerNaehrstoffeSummieren(s, 80.0f, quellen).angefuegt); // no current fertiliser
    EXPECT_EQ(summen(), beide);

    // the fertiliser page rebuilds its tree on every load
    const std::vector<GewaehlterDuenger> zeilen = GewaehlteDuengerSummieren(s, quellen);
    ASSERT_EQ(zeilen.size(), 2u);
    EXPECT_EQ(zeilen[0].Bezeichnung, "Hornspäne");
    EXPECT_TRUE(zeilen[1].DuengerNr == "Du2" && zeilen[1].Typ == "NPK" && zeilen[1].Menge == 25 && zeilen[1].Nr == 2);
    EXPECT_EQ(summen(), beide);
}

TEST_F(Duengerliste, OhneZahlNichtsAngefuegtGeloeschterDuengerUebersprungen)
{
    waehlen("Du1", 50);
    for (std::optional<float> menge : {std::optional<float>{}, std::optional<float>{std::nanf("")},
                                       std::optional<float>{std::numeric_limits<float>::infinity()}}) {
        EXPECT_FALSE(waehlen("Du2", menge).angefuegt);
        EXPECT_EQ(s.rsDuengerAuswahl->size(), 1u);
        EXPECT_FLOAT_EQ(s.sngDuengerN, 10);
        EXPECT_TRUE(s.strAktDuengerNr.isEmpty());
    }

    const DuengerSumme r = waehlen("Du9", 40); // deleted from the catalogue meanwhile
    EXPECT_TRUE(r.angefuegt);
    EXPECT_EQ(r.fehlend, QStringList{"Du9"});
    waehlen("Du2", 10);
    EXPECT_EQ(summen(), (std::vector<float>{11, 0.8f, 1.2f, 0.2f}));
    QStringList fehlend;
    const std::vector<GewaehlterDuenger> zeilen = GewaehlteDuengerSummieren(s, quellen, &fehlend);
    ASSERT_EQ(zeilen.size(), 2u);
    EXPECT_EQ(zeilen[1].Nr, 3);
    EXPECT_EQ(fehlend, QStringList{"Du9"});
}

TEST_F(Duengerliste, OhneListeKeineZeilenUndNullSummen)
{
    s.sngDuengerN = 5, s.sngDuengerK = 5;
    DuengerNaehrstoffeSummieren(s, std::nullopt, quellen);
    EXPECT_EQ(summen(), std::vector<float>(4, 0.0f));
    EXPECT_TRUE(s.rsDuengerAuswahl->empty());

    waehlen("Du1", 50);
    BedarfVariablenZuruecksetzen(s, 4);
    s.sngDuengerN = 3;
    EXPECT_TRUE(GewaehlteDuengerSummieren(s, quellen).empty());
    EXPECT_EQ(s.sngDuengerN, 0);
    DuengerNaehrstoffeSummieren(s, 10.0f, quellen); // without a fertiliser: creates no list
    EXPECT_FALSE(s.rsDuengerAuswahl);
}

} // namespace
