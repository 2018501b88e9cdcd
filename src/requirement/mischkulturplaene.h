#pragma once
// The stored mixed-culture plans of Daten.KRN: one MischkulturID row per plan (its id, the time of
// the last save, the plot) and one MKEditor row per bar. Every write runs in one transaction.
#include "services/wizardstate.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace kav {

// The MischkulturID row of a plan.
struct MischkulturKopf {
    QString MKID;
    QDateTime DatumPlanung;
    QString FlaechenNr;
};

class MischkulturPlaene {
public:
    // `zeilenId` gives the 18 characters of a new row id ("ddMMyyyyhhmmss" and four random digits);
    // plan and bar ids are "ID" followed by one.
    MischkulturPlaene(QSqlDatabase cnDaten, std::function<QString()> zeilenId);

    // Stores `balken` as the bars of a plan of plot `flaechenNr`, all in one transaction: with an
    // empty `mkid` as a new plan under a new id, else in place of the bars of plan `mkid` (its time of
    // planning becomes `jetzt`; a plan row that has gone is made again). Returns the plan id. An id
    // that is already taken is drawn again. Throws sql::Error, and then nothing has changed.
    QString speichern(const QString& mkid, const QString& flaechenNr, const std::vector<MischkulturBalken>& balken,
                      const QDateTime& jetzt);

    // The bars of a plan in descending order of their start week (equal weeks as stored).
    std::vector<MischkulturBalken> laden(const QString& mkid) const;
    // The bars of a plan in ascending order of Left, then Top: the order in which charts draw them.
    std::vector<MischkulturBalken> zumZeichnen(const QString& mkid) const;
    std::optional<MischkulturKopf> kopf(const QString& mkid) const;

    // Deletes the plan with its bars in one transaction. Throws sql::Error.
    void loeschen(const QString& mkid);

private:
    QString freieId(const QString& tabelle, const QString& spalte, const std::vector<QString>& vergeben) const;
    std::vector<MischkulturBalken> lesen(const QString& mkid, const QString& ordnung) const;

    QSqlDatabase m_db;
    std::function<QString()> m_zeilenId;
};

} // namespace kav
