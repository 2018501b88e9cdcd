#pragma once
// The name of a plot or group, for the windows and documents that show it beside other data.
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace kav {

// `Bezeichnung` of the plot or group `flaechenNr` in the user file; nullopt when there is none.
// Throws sql::Error when the file cannot be read.
std::optional<QString> flaechenNameLesen(const QSqlDatabase& cnDaten, const QString& flaechenNr);

} // namespace kav
