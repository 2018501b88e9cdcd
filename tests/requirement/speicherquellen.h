#pragma once
// In-memory sources for the calculation tests.
#include "requirement/bedarfsquellen.h"

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
    mutable int abfragen = 0;

    std::optional<AnalysenZeile> analyse(const QString& nr) const override { return finde(analysenZeilen, nr); }
    std::optional<KulturZeile> kultur(const QString& nr) const override { return finde(kulturZeilen, nr); }
    std::optional<double> reihenabstand(const QString& nr) const override { return finde(abstaende, nr); }
    std::vector<PlanZeile> planZeilen(const QString&) const override { ++abfragen; return plan; }
    std::optional<double> cao(int b, int os, int ph) const override
    {
        ++abfragen;
        return finde(kalk, std::make_tuple(b, os, ph));
    }
    std::optional<DuengerGehalt> gehalt(const QString& nr) const override { return finde(duenger, nr); }

    Bedarfsquellen quellen() const { return {*this, *this, *this, *this}; }

private:
    template <class M, class K>
    static std::optional<typename M::mapped_type> finde(const M& m, const K& k)
    {
        const auto it = m.find(k);
        if (it == m.end())
            return std::nullopt;
        return it->second;
    }
};

// A crop row with the values the tests name.
inline KulturZeile kulturMit(const QString& nr, qint16 tage, double kd1, double kd2, double n, double ngd, double nkd1,
                             double nkd2)
{
    KulturZeile k;
    k.KulturNr = nr;
    k.Bezeichnung = QStringLiteral("Kultur ") + nr;
    k.Tage = tage;
    k.TerminKD1 = kd1;
    k.TerminKD2 = kd2;
    k.ph = 1;
    k.N = n;
    k.NGD = ngd;
    k.NKD1 = nkd1;
    k.NKD2 = nkd2;
    return k;
}

} // namespace kav::test
