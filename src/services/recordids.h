#pragma once
// Record numbers ("Fl1000") and row ids (18 digits of time and chance).
#include <QSqlDatabase>
#include <QString>

namespace kav {

class Clock;
class RandomSource;

// Prefix & (largest numeric part of the keys with this prefix + 1); prefix & 1000 for none.
QString naechsteNummer(const QSqlDatabase& db, const QString& tabelle, const QString& spalte,
                       const QString& praefix);

// "ddMMyyyyhhmmss" of the clock followed by four random digits.
QString neueZeilenId(const Clock& uhr, RandomSource& zufall);

} // namespace kav
