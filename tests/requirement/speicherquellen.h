#pragma once
// In-memory sources for the calculation tests, and the same rows in the two database files.
#include "platform/localdatabase.h"
#include "requirement/bedarfsquellen.h"
#include "services/schema.h"
#include "services/sql.h"
#include "testhelpers.h"

#include <QTemporaryDir>

#include <map>
#include <tuple>

namespace kav::test {

struct Speicherquellen final : AnalysenQuelle, KulturQuelle, ReihenabstandQuelle, PlanQuelle, KalkbedarfQuelle,
                               DuengerQuelle {
    std::map<QString, AnalysenZeile> analysenZeilen;
    std::map<QString, KulturZeile> kulturZeilen;
    std::map<QString, double> abstaende;
    std::vector<PlanZeile> plan; // every row belongs to whichever plan is asked for
    std::map<std::tuple<int, int, int>, double> kalk;
    std::map<QString, DuengerGehalt> duenger;

    std::optional<AnalysenZeile> analyse(const QString& nr) const override { return finde(analysenZeilen, nr); }
    std::optional<KulturZeile> kultur(const QString& nr) const override { return finde(kulturZeilen, nr); }
    std::optional<double> reihenabstand(const QString& nr) const override { return finde(abstaende, nr); }
    std::vector<PlanZeile> planZeilen(const QString&) const override { return plan; }
    std::optional<double> cao(int b, int os, int ph) const override { return finde(kalk, std::make_tuple(b, os, ph)); }
    std::optional<DuengerGehalt> gehalt(const QString& nr) const override { return finde(duenger, nr); }

    Bedarfsquellen quellen() const { return {*this, *this, *this, *this}; }

private:
    template <class M, class K>
    static std::optional<typename M::mapped_type> finde(const M& m, const K& k)
    {
        const auto it = m.find(k);
        return it == m.end() ? std::nullopt : std::optional<typename M::mapped_type>(it->second);
    }
};

// An analysis with organic matter, P2O5, K2O and pH.
inline AnalysenZeile analyseMit(double os, double p2o5, double k2o, double ph)
{
    AnalysenZeile a;
    a.GesamtN = os, a.P2O5 = p2o5, a.K2O = k2o, a.pH = ph;
    return a;
}

// A crop row with crop code 1 and the values the tests name.
inline KulturZeile kulturMit(const QString& nr, qint16 tage, double kd1, double kd2, double n, double ngd, double nkd1,
                             double nkd2)
{
    return {nr, QStringLiteral("Kultur ") + nr, tage, 0, kd1, kd2, 1, n, ngd, nkd1, nkd2};
}

// Kav.KRN and Daten.KRN with the schema only, in a temporary folder, opened.
struct Dateien {
    explicit Dateien(const QString& name)
        : kav(name + "_kav", schemaTabellen(Datenbankdatei::Kav)),
          daten(name + "_daten", schemaTabellen(Datenbankdatei::Daten))
    {
        leereDatei(dir.filePath("Kav.KRN"), Datenbankdatei::Kav);
        leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten);
        if (!kav.open(dir.filePath("Kav.KRN")) || !daten.open(dir.filePath("Daten.KRN")))
            qFatal("Die Testdateien lassen sich nicht öffnen.");
    }

    // Writes the rows of `q` into the files.
    void schreiben(const Speicherquellen& q) const
    {
        for (const auto& [nr, k] : q.kulturZeilen)
            sql::exec(kav.db(),
                      "INSERT INTO KulturID (KulturNr, Bezeichnung, Tage, TerminGD, TerminKD1, TerminKD2, ph, N, NGD, "
                      "NKD1, NKD2, P2O5, K2O, Mg) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                      {nr, k.Bezeichnung, k.Tage, k.TerminGD, k.TerminKD1, k.TerminKD2, k.ph, k.N, k.NGD, k.NKD1,
                       k.NKD2, k.P2O5, k.K2O, k.Mg});
        for (const auto& [nr, cm] : q.abstaende)
            sql::exec(kav.db(), "INSERT INTO Reihenabstand (KulturID, Reihenabstand) VALUES (?, ?)", {nr, cm});
        for (const auto& [schluessel, cao] : q.kalk) {
            const auto& [b, os, ph] = schluessel;
            sql::exec(kav.db(), "INSERT INTO Kalkbedarf (Bodenart, OS, pH, CaO) VALUES (?, ?, ?, ?)", {b, os, ph, cao});
        }
        for (const auto& [nr, d] : q.duenger)
            sql::exec(kav.db(), "INSERT INTO DuengerID (DuengerNr, Typ, Bezeichnung, N, P2O5, K2O, Mg) VALUES "
                                "(?, ?, ?, ?, ?, ?, ?)", {nr, d.Typ, d.Bezeichnung, d.N, d.P2O5, d.K2O, d.Mg});
        for (const auto& [nr, a] : q.analysenZeilen)
            sql::exec(daten.db(), "INSERT INTO AnalysenID (AnalysenNr, GesamtN, P2O5, K2O, pH) VALUES (?, ?, ?, ?, ?)",
                      {nr, feld(a.GesamtN), feld(a.P2O5), feld(a.K2O), feld(a.pH)});
        for (const PlanZeile& z : q.plan)
            sql::exec(daten.db(), "INSERT INTO MKEditor (ID, MKID, KulturID, Kultur, Start) VALUES (?, ?, ?, ?, ?)",
                      {z.ID, z.MKID, z.KulturID, z.Kultur, z.Start});
    }

    static QVariant feld(const std::optional<double>& v) { return v ? QVariant(*v) : QVariant(); }

    QTemporaryDir dir;
    LocalDatabase kav;
    LocalDatabase daten;
};

} // namespace kav::test
