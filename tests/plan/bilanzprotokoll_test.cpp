// The diagnostic record of the nitrogen balance.
#include "plan/bilanzprotokoll.h"
#include "planfixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kav;

namespace {

QStringList zeilen(const QString& datei)
{
    QFile f(datei);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll()).split("\r\n");
}

TEST(Bilanzprotokoll, ZweiBloeckeWerdenAngehaengt)
{
    test::PlanDateien d;
    const QString datei = d.dir.filePath("Log.txt");
    WizardState s = test::kohlrabi();
    s.sngNBedarfGD = 2.5f, s.sngNSaldo = -1.25f;
    ASSERT_TRUE(frmNPK4_BilanzProtokollieren(s, d.quellen.kulturen, d.gebiet, datei));
    ASSERT_TRUE(frmNPK4_BilanzProtokollieren(s, d.quellen.kulturen, d.gebiet, datei));
    const QStringList z = zeilen(datei);
    ASSERT_EQ(z.size(), 2 * 24 + 1);
    // Kohlrabi: 63 days from 11 May 2026 (Sunday week 20): days 21, 31 and 63 fall in weeks 23, 24, 29
    EXPECT_EQ(z.mid(0, 7).join('|').toStdString(), "FlächenNr = Fl1001|Kultur = Kohlrabi|Datum = 11.05.|1. KD = 23|"
                                                    "2. KD = 24|Ernte = 29|Kulturdauer = 63");
    EXPECT_EQ((QStringList{z[8], z[9], z[13], z[23]}.join('|').toStdString()),
              "sngNSaldo = -1,25|sngNSaldoGD= 6|sngNBedarfGD= 2,5|" + std::string(33, '='));
    EXPECT_EQ(z.mid(24, 24), z.mid(0, 24));

    // a plan: five lines for each week 1 to 54 (week 14: " 14 ", "Bedarf: …"), then two for each dressing
    WizardState m = test::mischkultur();
    d.bedarf(m, 2027);
    ASSERT_TRUE(frmNPK4_BilanzProtokollieren(m, d.quellen.kulturen, d.gebiet, d.dir.filePath("Plan.txt")));
    const QStringList p = zeilen(d.dir.filePath("Plan.txt"));
    EXPECT_EQ(p.size(), 54 * 5 + 2 * (static_cast<int>(m.arrMischkulturTermine.size()) - 1) + 1);
    EXPECT_EQ((QStringList{p[65], p[68], p[69], p[270], p[271]}.join('|').toStdString()),
              " 14 |Saldo ; 1,2275 |Flaeche ; 1,5 |Kopfsalat| 14 ");

    // nothing is written for a crop without a row or into a folder that does not exist
    s.strAktKulturNr = "Ku9999";
    EXPECT_FALSE(frmNPK4_BilanzProtokollieren(s, d.quellen.kulturen, d.gebiet, datei));
    EXPECT_FALSE(frmNPK4_BilanzProtokollieren(test::kohlrabi(), d.quellen.kulturen, d.gebiet, d.dir.filePath("fehlt/Log.txt")));
    EXPECT_EQ(zeilen(datei).size(), 2 * 24 + 1);
}

} // namespace
