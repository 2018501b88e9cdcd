#pragma once
// What the requirement calculation reads from the databases: small read interfaces and their
// repositories on the two SQLite files (reference data on cnKav, the user's data on cnDaten).
#include "services/analysenzeile.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kav {

// One crop of the reference data (KulturID). Week columns may hold fractions; an empty column reads as 0
// and is named in `leer`.
struct KulturZeile {
    QString KulturNr;
    QString Bezeichnung;
    qint16 Tage = 0;
    double TerminGD = 0, TerminKD1 = 0, TerminKD2 = 0;
    double ph = 0;
    double N = 0, NGD = 0, NKD1 = 0, NKD2 = 0;
    double P2O5 = 0, K2O = 0, Mg = 0;
    QStringList leer = {}; // the numeric columns above without a value, in this order
};

// Nutrient contents of one fertiliser (DuengerID), in percent of its mass.
struct DuengerGehalt {
    QString Bezeichnung;
    QString Typ;
    double N = 0, P2O5 = 0, K2O = 0, Mg = 0;
};

// One crop row of a saved mixed-culture plan (MKEditor).
struct PlanZeile {
    QString ID;
    QString KulturID;
    QString MKID;
    QString Kultur; // name as saved with the plan
    int Start = 0;  // calendar week of the start
};

class AnalysenQuelle {
public:
    virtual ~AnalysenQuelle() = default;
    virtual std::optional<AnalysenZeile> analyse(const QString& analysenNr) const = 0;
};

class KulturQuelle {
public:
    virtual ~KulturQuelle() = default;
    virtual std::optional<KulturZeile> kultur(const QString& kulturNr) const = 0;
};

class ReihenabstandQuelle {
public:
    virtual ~ReihenabstandQuelle() = default;
    // Row spacing in cm; nullopt when the crop has none.
    virtual std::optional<double> reihenabstand(const QString& kulturNr) const = 0;
};

class PlanQuelle {
public:
    virtual ~PlanQuelle() = default;
    // The rows of a plan in ascending order of Start.
    virtual std::vector<PlanZeile> planZeilen(const QString& mkid) const = 0;
};

class KalkbedarfQuelle {
public:
    virtual ~KalkbedarfQuelle() = default;
    // CaO of the row for soil group, organic-matter class and pH key; nullopt without a value.
    virtual std::optional<double> cao(int bodenart, int osKlasse, int phSchluessel) const = 0;
};

class DuengerQuelle {
public:
    virtual ~DuengerQuelle() = default;
    virtual std::optional<DuengerGehalt> gehalt(const QString& duengerNr) const = 0;
};

// The sources the requirement calculation needs.
struct Bedarfsquellen {
    const AnalysenQuelle& analysen;
    const KulturQuelle& kulturen;
    const ReihenabstandQuelle& reihenabstaende;
    const PlanQuelle& plaene;
};

// Repositories. Each reads with bound parameters and throws sql::Error when the database fails.

class SqlAnalysen final : public AnalysenQuelle {
public:
    explicit SqlAnalysen(QSqlDatabase cnDaten) : m_db(std::move(cnDaten)) {}
    std::optional<AnalysenZeile> analyse(const QString& analysenNr) const override;

private:
    QSqlDatabase m_db;
};

class SqlKulturen final : public KulturQuelle {
public:
    explicit SqlKulturen(QSqlDatabase cnKav) : m_db(std::move(cnKav)) {}
    std::optional<KulturZeile> kultur(const QString& kulturNr) const override;

private:
    QSqlDatabase m_db;
};

class SqlReihenabstaende final : public ReihenabstandQuelle {
public:
    explicit SqlReihenabstaende(QSqlDatabase cnKav) : m_db(std::move(cnKav)) {}
    std::optional<double> reihenabstand(const QString& kulturNr) const override;

private:
    QSqlDatabase m_db;
};

class SqlPlaene final : public PlanQuelle {
public:
    explicit SqlPlaene(QSqlDatabase cnDaten) : m_db(std::move(cnDaten)) {}
    std::vector<PlanZeile> planZeilen(const QString& mkid) const override;

private:
    QSqlDatabase m_db;
};

class SqlKalkbedarf final : public KalkbedarfQuelle {
public:
    explicit SqlKalkbedarf(QSqlDatabase cnKav) : m_db(std::move(cnKav)) {}
    std::optional<double> cao(int bodenart, int osKlasse, int phSchluessel) const override;

private:
    QSqlDatabase m_db;
};

class SqlDuenger final : public DuengerQuelle {
public:
    explicit SqlDuenger(QSqlDatabase cnKav) : m_db(std::move(cnKav)) {}
    std::optional<DuengerGehalt> gehalt(const QString& duengerNr) const override;

private:
    QSqlDatabase m_db;
};

// All repositories on the two open connections, as the wizard pages use them.
class SqlQuellen {
public:
    SqlQuellen(const QSqlDatabase& cnKav, const QSqlDatabase& cnDaten)
        : analysen(cnDaten), kulturen(cnKav), reihenabstaende(cnKav), plaene(cnDaten), kalkbedarf(cnKav),
          duenger(cnKav)
    {
    }
    Bedarfsquellen bedarf() const { return {analysen, kulturen, reihenabstaende, plaene}; }

    SqlAnalysen analysen;
    SqlKulturen kulturen;
    SqlReihenabstaende reihenabstaende;
    SqlPlaene plaene;
    SqlKalkbedarf kalkbedarf;
    SqlDuenger duenger;
};

} // namespace kav
