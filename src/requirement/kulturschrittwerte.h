#pragma once
// The numbers of the crop step: the area and the Nmin value as the page shows them, and the sizes of
// the area and the bed it takes, the same as a plot may have in the plot dialog.
#include "platform/datumseingabe.h"
#include "services/meldungen.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kav {

struct Gebietsschema;

// The area in m² with at most two decimals ("18,8" for 7,5 × 2,5, "12", "18,75").
QString FlaechenText(float flaeche, const Gebietsschema& gebiet);

// A Single as the shortest text that reads back as the same Single ("2,3", not "2,299999952316284"),
// never with an exponent.
QString SingleText(float wert, const Gebietsschema& gebiet);

// The message for an area box whose number is larger than a plot can be; it names the range. Nothing
// for an empty box, a text that is no number or an area up to 0 (the page's own messages say those).
std::optional<Meldung> FlaecheZuGross(const QString& txtFlaeche, const Gebietsschema& gebiet);

// The same for the bed's length and width (the first side too long), in metres.
std::optional<Meldung> BeetZuGross(const QString& txtLaenge, const QString& txtBreite, const Gebietsschema& gebiet);

// The crop start the calendar takes: from one year before `heute` to three years after it.
QDate kulturbeginnAb(const QDate& heute);
QDate kulturbeginnBis(const QDate& heute);

// The message for a date typed into the calendar and refused (no such day, or outside the range
// above, named); the crop start stays `bleibt`.
Meldung kulturbeginnAbgewiesen(const forms::DatumsAbweisung& a, const QDate& heute, const QDate& bleibt,
                               const Gebietsschema& gebiet);

} // namespace kav
