// The period texts of the dressing headings.
#include "plan/zeitraumtexte.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

TEST(Zeitraumtexte, WocheImMonat)
{
    const std::pair<QDate, const char*> faelle[] = {
        {QDate(2026, 6, 8), "1. Juniwoche"},  {QDate(2026, 6, 9), "2. Juniwoche"},
        {QDate(2026, 3, 22), "3. Märzwoche"}, {QDate(2026, 3, 23), "4. Märzwoche"},
        {QDate(2026, 12, 31), "4. Dezemberwoche"}, {QDate(), ""}};
    for (const auto& [datum, text] : faelle)
        EXPECT_EQ(frmNPK4_WochenText(datum), QString::fromUtf8(text)) << datum.toString().toStdString();
}

TEST(Zeitraumtexte, KalenderwocheDesJahres)
{
    struct Fall { int jahr, woche; const char* kultur; const char* text; };
    const Fall faelle[] = {
        {2026, 14, "Ku1071", "Ende März bis Anfang April"}, {2026, 23, "Ku1071", "Ende Mai bis Anfang Juni"},
        {2026, 33, "Ku1071", "Anfang bis Mitte August"},
        // the last week of the year, not a day of the year before
        {2026, 53, "ID1", "Ende Dezember"}, {2026, 1, "ID1", "Anfang Januar"},
        // week 1 is only 1 January: named by that day; the week of 28 January reaches into February
        {2028, 1, "Ku1010", "Ende Dezember bis Anfang Januar"}, {2029, 5, "Ku1010", "Ende Januar bis Anfang Februar"},
        // bounds by the naming day: 10/11, 15/16, 22/23 for a single crop, 11/12, 23/24 for a plan
        {2026, 24, "Ku1010", "Ende Mai bis Anfang Juni"}, {2026, 46, "Ku1010", "Anfang bis Mitte November"},
        {2026, 3, "Ku1010", "Anfang bis Mitte Januar"}, {2026, 29, "Ku1010", "Mitte bis Ende Juli"},
        {2026, 30, "Ku1010", "Mitte bis Ende Juli"}, {2026, 52, "Ku1010", "Ende Dezember bis Anfang Januar"},
        {2026, 46, "ID1", "Anfang November"}, {2026, 7, "ID1", "Mitte Februar"}, {2026, 52, "ID1", "Mitte Dezember"},
        {2026, 26, "ID1", "Ende Juni"},
        {2026, 0, "Ku1010", ""}, {2026, 54, "Ku1010", ""}, {2026, 55, "ID1", ""}, {2028, 54, "ID1", "Ende Dezember"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(frmNPK4_ZeitraumText(f.woche, f.kultur, f.jahr), QString::fromUtf8(f.text)) << f.jahr << " " << f.woche;
}

} // namespace
