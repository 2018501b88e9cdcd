// Loading the first two wizard steps on a started program at 1280 x 1024: the plot step with 5,000
// plots that have an analysis (in 500 groups), the crop step of a plot with 50 saved mixed-culture plans.
// One load is unloading the page before, loading and laying out the page and painting the window once;
// between two loads the event loop runs untimed, so that the pages unloaded are gone as in the program
// and the time of a load does not grow with the number of runs.
// References in the same run: the bare SQLite reads of what each tree shows, and the tree's own read.
#include "requirement/npkbaum.h"
#include "seitenfixture.h"
#include "services/datenbanken.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

struct Programm : test::SeitenTest {
    Programm()
    {
        SetUp();
        seiteStarten([this] {
            sql::Transaction t(db());
            for (int g = 0; g < 500; ++g)
                gruppe(QStringLiteral("Fl%1").arg(1000 + g), QStringLiteral("Gruppe %1").arg(500 - g));
            for (int f = 0; f < 5000; ++f) {
                const QString nr = QStringLiteral("Fl%1").arg(2000 + f);
                flaeche(nr, QStringLiteral("Beet %1").arg(f), 1000 + f % 500);
                analyse(QStringLiteral("An%1").arg(1000 + f), nr, QDate(2024, 1, 1).addDays(f % 700));
            }
            for (int p = 0; p < 50; ++p)
                sql::exec(db(), "INSERT INTO MischkulturID VALUES (?, ?, 'Fl2000')",
                          {QStringLiteral("ID%1").arg(p, 18, 10, QLatin1Char('0')),
                           QDateTime(QDate(2026, 1, 1).addDays(p), QTime(9, 0)).toString("yyyy-MM-dd hh:mm:ss")});
            t.commit();
        });
        groesse(1280, 1024);
        w().strAktFlaechenNr = "Fl2000";
    }
    ~Programm() override { TearDown(); }
    void TestBody() override {}
    void laden(benchmark::State& state, const QString& name)
    {
        FormulareEntladen();
        ui().fenster.zeigen(name);
        haupt->repaint();
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    QSqlDatabase daten() const { return db(); }
};

void FlaechenschrittLaden(benchmark::State& state)
{
    Programm p;
    for (auto _ : state)
        p.laden(state, "frmNPK");
    state.counters["Knoten"] = double(FlaechenBaumLesen(p.daten()).knoten.size());
}
BENCHMARK(FlaechenschrittLaden)->Unit(benchmark::kMillisecond);

void FlaechenbaumLesen(benchmark::State& state)
{
    Programm p;
    for (auto _ : state)
        benchmark::DoNotOptimize(FlaechenBaumLesen(p.daten()).knoten.size());
}
BENCHMARK(FlaechenbaumLesen)->Unit(benchmark::kMillisecond);

// Reference: the rows of the plot tree read bare, nothing built.
void FlaechenbaumSQLite(benchmark::State& state)
{
    Programm p;
    for (auto _ : state) {
        int n = 0;
        QSqlQuery q = sql::exec(p.daten(), "SELECT f.FlaechenNr, f.Bezeichnung, f.GruppierungNr FROM FlaechenID f WHERE "
                                        "EXISTS (SELECT 1 FROM ZOFlaechenAnalysen z WHERE z.FlaechenNr = f.FlaechenNr)");
        while (q.next())
            ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(FlaechenbaumSQLite)->Unit(benchmark::kMillisecond);

void KulturschrittMitFuenfzigPlaenenLaden(benchmark::State& state)
{
    Programm p;
    for (auto _ : state)
        p.laden(state, "frmNPK1");
    state.counters["Knoten"] =
        double(KulturBaumLesen(app().db->cnKav(), p.daten(), "Fl2000", app().gebiet).knoten.size());
}
BENCHMARK(KulturschrittMitFuenfzigPlaenenLaden)->Unit(benchmark::kMillisecond);

// Reference: the rows of the crop tree and the plans read bare.
void KulturbaumSQLite(benchmark::State& state)
{
    Programm p;
    for (auto _ : state) {
        int n = 0;
        QSqlQuery k = sql::exec(app().db->cnKav(), "SELECT KulturNr, Bezeichnung, GruppierungNr FROM KulturID");
        while (k.next())
            ++n;
        QSqlQuery m = sql::exec(p.daten(), "SELECT MKID, DatumPlanung FROM MischkulturID WHERE FlaechenNr = 'Fl2000'");
        while (m.next())
            ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(KulturbaumSQLite)->Unit(benchmark::kMillisecond);

} // namespace
