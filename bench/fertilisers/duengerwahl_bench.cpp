// One pick of the fertiliser step (sum, need, lime need, catalogue, lines) on a catalogue of 1,000
// fertilisers with ten already chosen; for reference the bare read of the catalogue's rows.
#include "duengerfixture.h"
#include "services/sql.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

struct Bank : test::DuengerTest {
    using DuengerTest::dateien;
    using DuengerTest::s;
    using DuengerTest::wahl;
    void TestBody() override {}
    Bank()
    {
        SetUp();
        QSqlDatabase db = dateien.kav.db();
        sql::exec(db, "DELETE FROM DuengerID");
        db.transaction();
        for (int i = 0; i < 1000; ++i) {
            const double n = 5 + i % 20, p = i % 3 ? 4 + i % 11 : 0, k = i % 4 ? 6 + i % 13 : 0;
            sql::exec(db, "INSERT INTO DuengerID (DuengerNr, Typ, Eingabe, AktuellerDatensatz, Bezeichnung, N, Norg, "
                          "P2O5, K2O, Mg) VALUES (?, ?, 'KRN', 1, ?, ?, 0, ?, ?, ?)",
                      {QString("Du%1").arg(2000 + i), DuengerTyp(n, p, k, 0), QString("Dünger %1").arg(i), n, p, k,
                       double(i % 7)});
        }
        db.commit();
        s.sngNBedarfGD = 400, s.sngPBedarf = 400, s.sngKBedarf = 400, s.sngMgBedarf = 50;
        for (int i = 0; i < 10; ++i)
            s.rsDuengerAuswahl->push_back({QString("Du%1").arg(2000 + 3 * i), 5, i + 1});
        wahl().laden();
        anfang = s;
    }
    WizardState anfang;
};

Bank& bank()
{
    static Bank b;
    return b;
}

void EineWahl(benchmark::State& state)
{
    Bank& b = bank();
    for (auto _ : state) {
        b.s = b.anfang;
        Anzeige a = b.wahl().waehlen("Du2100", "Gruen");
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(EineWahl)->Unit(benchmark::kMillisecond);

void KatalogLesenRoh(benchmark::State& state)
{
    Bank& b = bank();
    for (auto _ : state) {
        QSqlQuery q(b.dateien.kav.db());
        q.exec("SELECT N, P2O5, K2O, Mg, DuengerNr, Typ, Eingabe, Bezeichnung FROM DuengerID");
        int n = 0;
        while (q.next())
            n += q.value(0).toInt();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(KatalogLesenRoh)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
