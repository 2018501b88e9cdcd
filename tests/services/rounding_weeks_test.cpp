#include "services/calendarweeks.h"
#include "platform/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kav;

TEST(Runden, HalbeZurGeradenZahl)
{
    const struct { double in, out; } faelle[] = {
        {2.5, 2}, {3.5, 4}, {0.5, 0}, {1.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3}, {7.0, 7},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(runden(f.in), f.out) << f.in;
    EXPECT_EQ(runden(2.5f), 2.0f);
    // no undefined conversions
    EXPECT_EQ(QList<int>({rundenGanz(std::nan("")), rundenGanz(std::numeric_limits<double>::infinity()), rundenGanz(-1e300),
                          rundenGanz(-2.5)}), QList<int>({0, 2147483647, -2147483647 - 1, -2}));
    EXPECT_EQ(rundenAuf(12.5, 5), 10); // 2.5 steps -> 2 steps
    EXPECT_EQ(rundenAuf(17.5, 5), 20); // 3.5 steps -> 4 steps
}

TEST(Kalenderwochen, SonntagsWochenMitDemErstenJanuarInWocheEins)
{
    const struct { QDate d; int woche; } faelle[] = {
        {QDate(2026, 1, 1), 1},  {QDate(2026, 1, 3), 1},  // Thursday, Saturday
        {QDate(2026, 1, 4), 2},                           // the first Sunday begins week 2
        {QDate(2023, 1, 1), 1},  {QDate(2023, 1, 7), 1},  {QDate(2023, 1, 8), 2}, // a year beginning on a Sunday
        {QDate(2029, 5, 14), 20}, {QDate(2026, 12, 31), 53},
        {QDate(2028, 12, 31), 54}, // a leap year beginning on a Saturday has a week 54
        {QDate(), 0},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(sonntagsWoche(f.d), f.woche) << f.d.toString(Qt::ISODate).toStdString();
}

TEST(Kalenderwochen, IsoWochenUndIhrMontag)
{
    int jahr = 0;
    EXPECT_EQ(isoWoche(QDate(2027, 1, 1), &jahr), 53);
    EXPECT_EQ(jahr, 2026);
    EXPECT_EQ(isoWoche(QDate(2025, 12, 29), &jahr), 1);
    EXPECT_EQ(jahr, 2026);
    EXPECT_EQ(montagDerIsoWoche(10, 2027), QDate(2027, 3, 8));
    EXPECT_EQ(montagDerIsoWoche(1, 2026), QDate(2025, 12, 29));
    EXPECT_EQ(montagDerIsoWoche(53, 2026), QDate(2026, 12, 28));
    EXPECT_EQ(montagDerIsoWoche(1, 2029), QDate(2029, 1, 1));
    // the Monday always lies in the week it names
    for (int w = 1; w <= 52; ++w) {
        const QDate m = montagDerIsoWoche(w, 2030);
        EXPECT_EQ(m.dayOfWeek(), 1);
        EXPECT_EQ(isoWoche(m), w);
    }
}
