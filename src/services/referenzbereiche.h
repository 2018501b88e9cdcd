#pragma once
// The values the reference data of Kav.KRN may hold: contents of fertilisers and limes, needs and
// shares of the crops, amounts of the soil improvers, row spacings and chart colours. The data
// update refuses server rows outside them, and the catalogue editors refuse typed contents
// outside them, so that no calculation meets a value it cannot work with (a content of 1e-40 %
// gives an amount of 1e40 g).
#include <QString>
#include <QStringList>

namespace kav {

struct Gebietsschema;

struct Referenzbereich {
    const char* tabelle; // local table
    const char* spalte;
    double von, bis;     // limits included
    double kleinster;    // above 0: a value between 0 and this is refused, 0 itself stays allowed
    const char16_t* einheit; // after the number, with its blank; empty for none
};

// The smallest content a fertiliser or lime may have besides 0, in %.
inline constexpr double kKleinsterGehalt = 0.01;
// Contents of one fertiliser or lime together.
inline constexpr double kGehaltSummeBis = 100;

// The range of a column, or nullptr when the column has none; names compared without case.
const Referenzbereich* referenzbereich(const QString& tabelle, const QString& spalte);
bool imBereich(const Referenzbereich& b, double wert);
// "von 0 bis 100 %", "von 0,01 bis 100 % (oder 0)" in the user's number notation.
QString bereichText(const Referenzbereich& b, const Gebietsschema& g);

// The content columns of a table that add up to at most 100 % (fertilisers N, P2O5, K2O, Mg;
// limes CaCO3, MgCO3); empty for other tables.
QStringList gehaltSpalten(const QString& tabelle);

} // namespace kav
