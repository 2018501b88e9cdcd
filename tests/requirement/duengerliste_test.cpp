#include "requirement/duengerliste.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

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
    test::Speicherquellen quellen;
    WizardState s;
};

TEST_F(Duengerliste, GewaehlterDuengerLiefertSeinenAnteil)
{
    const DuengerSumme r = waehlen("Du1", 50);
    EXPECT_TRUE(r.angefuegt);
    EXPECT_FLOAT_EQ(s.sngDuengerN, 10);
    EXPECT_EQ(s.sngDuengerMg, 0); // no magnesium, still a row
    ASSERT_EQ(s.rsDuengerAuswahl->size(), 1u);
    EXPECT_TRUE(s.strAktDuengerNr.isEmpty());

    waehlen("Du2", 25);
    ASSERT_EQ(s.rsDuengerAuswahl->size(), 2u);
    EXPECT_EQ(s.rsDuengerAuswahl->at(0).Nr, 1);
    EXPECT_EQ(s.rsDuengerAuswahl->at(1).Nr, 2);
    EXPECT_EQ(s.rsDuengerAuswahl->at(1).Menge, 25);
    EXPECT_FLOAT_EQ(s.sngDuengerN, 12.5f);
    EXPECT_FLOAT_EQ(s.sngDuengerP, 2);
    EXPECT_FLOAT_EQ(s.sngDuengerK, 3);
    EXPECT_FLOAT_EQ(s.sngDuengerMg, 0.5f);
}

TEST_F(Duengerliste, OhneAktuellenDuengerNurNeuSummiert)
{
    waehlen("Du1", 50);
    s.sngDuengerN = 99, s.sngDuengerP = 99; // stale totals
    const DuengerSumme r = DuengerNaehrstoffeSummieren(s, 80.0f, quellen);
    EXPECT_FALSE(r.angefuegt);
    EXPECT_EQ(s.rsDuengerAuswahl->size(), 1u);
    EXPECT_FLOAT_EQ(s.sngDuengerN, 10);
    EXPECT_EQ(s.sngDuengerP, 0);
}

TEST_F(Duengerliste, LeereListeGibtNull)
{
    s.sngDuengerN = 5, s.sngDuengerK = 5;
    DuengerNaehrstoffeSummieren(s, std::nullopt, quellen);
    EXPECT_EQ(s.sngDuengerN, 0);
    EXPECT_EQ(s.sngDuengerK, 0);
    EXPECT_TRUE(s.rsDuengerAuswahl->empty());
}

TEST_F(Duengerliste, MengeOhneZahlFuegtNichtsAn)
{
    waehlen("Du1", 50);
    for (std::optional<float> menge : {std::optional<float>{}, std::optional<float>{std::nanf("")},
                                       std::optional<float>{std::numeric_limits<float>::infinity()}}) {
        const DuengerSumme r = waehlen("Du2", menge);
        EXPECT_FALSE(r.angefuegt);
        EXPECT_EQ(s.rsDuengerAuswahl->size(), 1u);
        EXPECT_FLOAT_EQ(s.sngDuengerN, 10);
        EXPECT_TRUE(s.strAktDuengerNr.isEmpty());
    }
}

TEST_F(Duengerliste, DuengerOhneZeileWirdUebersprungenUndGenannt)
{
    waehlen("Du1", 50);
    const DuengerSumme r = waehlen("Du9", 40); // deleted from the catalogue meanwhile
    EXPECT_TRUE(r.angefuegt);
    EXPECT_EQ(r.fehlend, QStringList{"Du9"});
    EXPECT_FLOAT_EQ(s.sngDuengerN, 10);
    waehlen("Du2", 10);
    EXPECT_FLOAT_EQ(s.sngDuengerN, 11);
}

TEST_F(Duengerliste, NeuAufbauZaehltNichtDoppelt)
{
    waehlen("Du1", 50);
    waehlen("Du2", 25);
    // The fertiliser page rebuilds its tree on every load.
    for (int laden = 0; laden < 3; ++laden) {
        const std::vector<GewaehlterDuenger> zeilen = GewaehlteDuengerSummieren(s, quellen);
        ASSERT_EQ(zeilen.size(), 2u);
        EXPECT_EQ(zeilen[0].DuengerNr, "Du1");
        EXPECT_EQ(zeilen[0].Bezeichnung, "Hornspäne");
        EXPECT_EQ(zeilen[1].Typ, "NPK");
        EXPECT_EQ(zeilen[1].Nr, 2);
        EXPECT_FLOAT_EQ(s.sngDuengerN, 12.5f);
        EXPECT_FLOAT_EQ(s.sngDuengerK, 3);
    }
}

TEST_F(Duengerliste, OhneListeLeererBaumUndNullSummen)
{
    waehlen("Du1", 50);
    BedarfVariablenZuruecksetzen(s, 4);
    s.sngDuengerN = 3; // whatever is left
    EXPECT_TRUE(GewaehlteDuengerSummieren(s, quellen).empty());
    EXPECT_EQ(s.sngDuengerN, 0);
    EXPECT_FALSE(s.rsDuengerAuswahl);

    // Summing without a list and without a fertiliser does not create one.
    DuengerNaehrstoffeSummieren(s, 10.0f, quellen);
    EXPECT_FALSE(s.rsDuengerAuswahl);
}

} // namespace
