#pragma once
// The values a soil laboratory can report and the sizes a garden plot can have: a value outside
// its range is a typing error ("64" for "6,4", a side of 0) and is neither stored nor rated.
#include "plots/einstufung.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kav {

struct Gebietsschema;

// Ranges, limits included.
inline constexpr double kPhBis = 14;
inline constexpr double kOrgSubstanzBis = 100;    // %
inline constexpr double kNaehrstoffBis = 1000;    // mg per 100 g soil (P2O5, K2O, Mg)
inline constexpr double kSeiteBis = 10000;        // m
inline constexpr double kFlaecheBis = kSeiteBis * kSeiteBis; // m²

// The message for the first of the five typed values (in the order of AnalysenWert) that is a
// number outside its range: it names the value and the range. Nothing for empty or unreadable
// values (they are a case of message 103) or "nicht bestimmt".
std::optional<QString> analyseAusserhalb(const AnalysenTexte& txtWert, const Gebietsschema& gebiet);

// The sentence shown instead of the rating of value `wert` when its text is a number outside the
// range; nothing otherwise.
std::optional<QString> bereichsSatz(AnalysenWert wert, const QString& text, const Gebietsschema& gebiet);

// The Nmin values a soil laboratory reports, by unit of the crop step's list (0 mg NO3/l, 1 g N/m²,
// 2 kg N/ha), limits included: the nitrate test's scale ends at 500 mg NO3/l, and 500 kg N/ha
// (50 g N/m²) is more mineral nitrogen than a garden soil holds.
inline constexpr double kNminBis[3] = {500, 50, 500};

// The message when the Nmin value typed as `text` in unit `einheit` is a number outside its range:
// it names the value and the range. Nothing for an empty text or one that is no number.
std::optional<QString> nminAusserhalb(int einheit, const QString& text, const Gebietsschema& gebiet);

// The first sampling date a new analysis may have; the last is today.
inline const QDate kProbennahmeAb = QDate(1950, 1, 1);

// The message when a sampling date lies before 1950 or after `heute`, naming the range; else nothing.
std::optional<QString> probennahmeAusserhalb(const QDate& datum, const QDate& heute, const Gebietsschema& gebiet);

// The sizes of a plot or bed: a side more than 0 up to 10000 m, the area more than 0 up to
// 100000000 m².
enum class Groesse { Laenge, Breite, Flaeche };

// The range of a size as the user reads it: "mehr als 0 bis 10000 m".
QString groesseBereich(Groesse g, const Gebietsschema& gebiet);

// The sentence that names a size typed as `text` and its range when the number lies outside it
// ("Die Breite 0 m liegt außerhalb des möglichen Bereichs von mehr als 0 bis 10000 m."); nothing
// for an empty text or one that is no number. The plot dialog and the crop step check with it.
std::optional<QString> groesseAusserhalb(Groesse g, const QString& text, const Gebietsschema& gebiet);

// The plot dialog's sizes as typed (an empty box is no size given and stored as 0): the message for
// the first one outside its range (length, width, area), else nothing.
std::optional<QString> masseAusserhalb(const QString& laenge, const QString& breite, const QString& flaeche,
                                       const Gebietsschema& gebiet);

} // namespace kav
