#pragma once
// The three lines of the wizard's title strip: the crop (or the folder of saved mixed-culture
// plans), the plot and the date of the analysis the advice is computed for.
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <optional>

namespace kav {

struct Gebietsschema;
struct WizardState;

struct TitelZeile {
    QString text;
    QString bild; // key in the title strip's picture list
};

// Lines 1 to 3 at index 0 to 2; a line whose row is missing is nullopt. Throws sql::Error when a
// file cannot be read.
using TitelZeilen = std::array<std::optional<TitelZeile>, 3>;
TitelZeilen TitelZeilenLesen(const QSqlDatabase& cnKav, const QSqlDatabase& cnDaten, const WizardState& w,
                             const Gebietsschema& g);

// Picture key of a crop group: "Gr" + number below 1007, "Gr1001" from 1007 on.
QString gruppenBild(int gruppierungNr);

} // namespace kav
