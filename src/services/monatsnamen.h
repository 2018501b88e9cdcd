#pragma once
// Short German month names for the month columns of charts.
#include <QString>

namespace kav {

// "Jan.", "Feb.", "März", "Apr.", "Mai", "Juni", "Juli", "Aug.", "Sep.", "Okt.", "Nov.", "Dez." for the
// months 1 to 12; empty for any other number.
QString kurzerMonatsname(int monat);

} // namespace kav
