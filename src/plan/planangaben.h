#pragma once
// What the plan and its document read besides the crop and the fertilisers: the plot's name, the
// analysis date and the name of the chosen compost or manure.
#include "requirement/bedarfsquellen.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace kav {

class PlanAngabenQuelle {
public:
    virtual ~PlanAngabenQuelle() = default;
    // FlaechenID.Bezeichnung; nullopt without a row.
    virtual std::optional<QString> flaechenName(const QString& flaechenNr) const = 0;
    // AnalysenID.Datum as stored; nullopt without a row.
    virtual std::optional<QString> analysenDatum(const QString& analysenNr) const = 0;
    // OrgSubID.Bezeichnung; nullopt without a row.
    virtual std::optional<QString> orgSubName(const QString& orgSubNr) const = 0;
};

// The sources of the plan.
struct Planquellen {
    const KulturQuelle& kulturen;
    const DuengerQuelle& duenger;
    const PlanQuelle& plaene;
    const PlanAngabenQuelle& angaben;
};

// Reads with bound parameters; throws sql::Error when a database fails.
class SqlPlanAngaben final : public PlanAngabenQuelle {
public:
    SqlPlanAngaben(QSqlDatabase cnKav, QSqlDatabase cnDaten) : m_kav(std::move(cnKav)), m_daten(std::move(cnDaten)) {}
    std::optional<QString> flaechenName(const QString& flaechenNr) const override;
    std::optional<QString> analysenDatum(const QString& analysenNr) const override;
    std::optional<QString> orgSubName(const QString& orgSubNr) const override;

private:
    QSqlDatabase m_kav;
    QSqlDatabase m_daten;
};

} // namespace kav
