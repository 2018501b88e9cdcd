#pragma once
// The tables of the two database files, as in data/schema/*.sql.
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace kav {

enum class Datenbankdatei { Kav, Daten };

// The statements of the file's schema, comments removed.
QStringList schemaAnweisungen(Datenbankdatei datei);
// Names of the tables the file must hold, in the order of the schema.
QStringList schemaTabellen(Datenbankdatei datei);
// The columns of every table of the schema (what the damage check of a file compares); worked out
// once per file and program run, from any thread.
QHash<QString, QStringList> schemaSpalten(Datenbankdatei datei);
// The damage check of opening (LocalDatabase::check) against the tables and columns of `datei`.
bool dateiGesund(const QString& pfad, Datenbankdatei datei);
// Creates every table in an open, empty database (one transaction); throws sql::Error.
void schemaAnlegen(const QSqlDatabase& db, Datenbankdatei datei);
// Creates a new database file with the schema: written under a temporary name, then renamed.
// An existing file at `pfad` is replaced only when `ersetzen` is set.
bool leereDatenbankAnlegen(const QString& pfad, Datenbankdatei datei, bool ersetzen, QString* why = nullptr);
// Column names of a table in their stored order.
QStringList spaltenVon(const QSqlDatabase& db, const QString& tabelle);

} // namespace kav
