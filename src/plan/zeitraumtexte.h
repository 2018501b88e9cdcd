#pragma once
// The period texts of the dressing headings: the week of a month for a date ("2. Juniwoche"), and
// the part of a month for a calendar week ("Anfang bis Mitte April").
#include <QDate>
#include <QString>

namespace kav {

// German name of month 1 to 12; empty for any other number.
QString MonatsName(int monat);

// "1. " to "4. " by the day (1-8, 9-15, 16-22, 23-31), the month's name and "woche"; empty for an
// invalid date.
QString frmNPK4_WochenText(const QDate& datDatum);

// The period of calendar week `intWoche` (weeks from Sunday, week 1 holds 1 January) of `jahr`.
// The week is named by a day in it: the Wednesday or Thursday of a full week, else its first day in
// the year. A single crop (key beginning "Ku") gets a span ("Ende März bis Anfang April"), a
// mixed-culture plan a part of one month ("Mitte Mai"). Empty for a week the year does not have.
QString frmNPK4_ZeitraumText(int intWoche, const QString& strAktKulturNr, int jahr);

} // namespace kav
