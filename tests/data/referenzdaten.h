#pragma once
// Access to the built reference file Kav.KRN and the program folder for the data checks.
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <QVector>

namespace kav::test {

// A read connection to a copy of the generated Kav.KRN, opened once per test program, with the
// views `gruppe` (crop groups), `kultur` (real crops with `dauer` 1 for permanent crops) and `planer`
// (the crops the mixed-culture planner offers).
QSqlDatabase referenzKav();
// All rows of a statement (values bound to its "?" marks) as column-name maps.
QVector<QVariantMap> zeilen(const QString& statement, const QVariantList& werte = {});
// The first column of every row a rule statement finds: the rows that break the rule.
QStringList verstoesse(const QString& statement);

} // namespace kav::test
