#pragma once
// Rows of Daten.KRN for the plots tests: groups, plots, analyses with their assignments, and
// counting. Mixed into the fixtures, which say where the file is.
#include "services/sql.h"

#include <QDate>
#include <QSqlDatabase>

namespace kav::test {

class PlotZeilen {
public:
    virtual ~PlotZeilen() = default;
    virtual QSqlDatabase db() const = 0;

    void gruppe(const QString& nr, const QString& name, qint64 eltern = 0, bool aktuell = true) const
    {
        sql::exec(db(),
                  "INSERT INTO FlaechenID (ID, FlaechenNr, Gliederungspunkt, GruppierungNr, AktuellerDatensatz, "
                  "Bezeichnung, Laenge, Breite, Flaeche, Bodenart) VALUES ('x', ?, 1, ?, ?, ?, 0, 0, 0, 0)",
                  {nr, eltern, aktuell ? 1 : 0, name});
    }
    void flaeche(const QString& nr, const QString& name, qint64 eltern = 0, bool aktuell = true, double l = 4,
                 double b = 2.5, int kompost = 1, int nutzung = 2) const
    {
        sql::exec(db(),
                  "INSERT INTO FlaechenID (ID, FlaechenNr, Gliederungspunkt, GruppierungNr, AktuellerDatensatz, "
                  "Bezeichnung, Laenge, Breite, Flaeche, Kompost, Nutzung) VALUES ('x', ?, 0, ?, ?, ?, ?, ?, ?, ?, ?)",
                  {nr, eltern, aktuell ? 1 : 0, name, l, b, l * b, kompost, nutzung});
    }
    // An analysis (soil group, list position + 1, organic matter, P2O5, K2O, Mg, pH) with its
    // assignment to `flaecheNr` (none when empty).
    void analyse(const QString& nr, const QString& flaecheNr, const QDate& datum, int bodenart = 1, int kuerzel = 4,
                 double os = 3, double p = 12, double k = 15, double mg = 8, double ph = 6.5) const
    {
        sql::exec(db(),
                  "INSERT INTO AnalysenID (AnalysenNr, Datum, Bodenart, BodenartKuerzel, GesamtN, P2O5, K2O, Mg, pH) "
                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  {nr, datum.toString(Qt::ISODate), bodenart, kuerzel, os, p, k, mg, ph});
        if (!flaecheNr.isEmpty())
            zuordnung(flaecheNr, nr, datum);
    }
    void zuordnung(const QString& flaecheNr, const QString& analyseNr, const QDate& datum) const
    {
        sql::exec(db(), "INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr, Datum, AktuellerDatensatz, ID) "
                        "VALUES (?, ?, ?, 1, 'x')",
                  {flaecheNr, analyseNr, datum.toString(Qt::ISODate)});
    }

    long long anzahl(const QString& tabelle, const QString& bedingung = {}, const QVariantList& werte = {}) const
    {
        return sql::scalar(db(), "SELECT COUNT(*) FROM " + tabelle + (bedingung.isEmpty() ? "" : " WHERE " + bedingung),
                           werte)
            .toLongLong();
    }
    QVariant wert(const QString& anweisung, const QVariantList& werte = {}) const
    {
        return sql::scalar(db(), anweisung, werte);
    }
};

} // namespace kav::test
