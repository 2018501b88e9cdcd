#pragma once
// A Daten.KRN in a temporary folder with helpers to put rows in and count them.
#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "plots/flaechendaten.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "services/sql.h"
#include "plotzeilen.h"
#include "testhelpers.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kav::test {

inline Gebietsschema deutsch() { return SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany)); }

class DatenDatei : public ::testing::Test, public PlotZeilen {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten));
        ASSERT_TRUE(datei.open(dir.filePath("Daten.KRN")));
    }

    QSqlDatabase db() const override { return datei.db(); }

    void nmin(const QString& flaecheNr, const QDate& datum)
    {
        sql::exec(db(), "INSERT INTO Nmin (FlaechenNr, Nmin, Einheit, Datum, ID) VALUES (?, 12, 1, ?, 'x')",
                  {flaecheNr, datum.toString(Qt::ISODate)});
    }
    void plan(const QString& mkid, const QString& flaecheNr, int balken)
    {
        sql::exec(db(), "INSERT INTO MischkulturID (MKID, DatumPlanung, FlaechenNr) VALUES (?, '2024-03-01', ?)",
                  {mkid, flaecheNr});
        for (int i = 0; i < balken; ++i)
            sql::exec(db(), "INSERT INTO MKEditor (ID, MKID, KulturID, Kultur) VALUES (?, ?, 'Ku1010', 'Salat')",
                      {mkid + QString::number(i), mkid});
    }

    // Every row of every table, as text: to compare a file before and after a failed command.
    QStringList abbild() const
    {
        QStringList out;
        for (const QString& t : schemaTabellen(Datenbankdatei::Daten)) {
            QSqlQuery q = sql::exec(db(), "SELECT * FROM " + t);
            while (q.next()) {
                QStringList z{t};
                for (int i = 0; i < q.record().count(); ++i)
                    z << q.value(i).toString();
                out << z.join('|');
            }
        }
        out.sort();
        return out;
    }

    QTemporaryDir dir;
    LocalDatabase datei{"test_plots_daten", schemaTabellen(Datenbankdatei::Daten)};
    Gebietsschema gebiet = deutsch();
    FixedClock uhr{QDateTime(QDate(2025, 4, 7), QTime(9, 15, 30))};
    RandomSource zufall{7};
};

} // namespace kav::test
