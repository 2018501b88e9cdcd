// Rebuilding the plot tree as the pop-up commands do (remember, rebuild, restore) for files of
// growing size: n plots in n/10 groups (a tenth of them at the top) with 4 analyses each, against
// the bare SQLite read of the same rows in the same run (goal: the rebuild of model and view at
// most 4 times the bare read).
#include "platform/localdatabase.h"
#include "plots/flaechenbaum.h"
#include "plots/flaechenbaumansicht.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "services/sql.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

using namespace kav;

namespace {

struct Datei {
    QTemporaryDir dir;
    std::unique_ptr<LocalDatabase> db;
};

// The files of the run; closed before the application object goes.
std::map<int, std::unique_ptr<Datei>>& dateien()
{
    static std::map<int, std::unique_ptr<Datei>> d;
    return d;
}

Datei& dateiMit(int flaechen)
{
    auto& d = dateien()[flaechen];
    if (d)
        return *d;
    d = std::make_unique<Datei>();
    const QString pfad = d->dir.filePath("Daten.KRN");
    leereDatenbankAnlegen(pfad, Datenbankdatei::Daten, true);
    d->db = std::make_unique<LocalDatabase>(QStringLiteral("bench_%1").arg(flaechen),
                                            schemaTabellen(Datenbankdatei::Daten));
    d->db->open(pfad);
    const QSqlDatabase db = d->db->db();
    sql::Transaction t(db);
    const int gruppen = flaechen / 10;
    const int oben = std::max(1, gruppen / 10);
    int nr = 1000;
    for (int g = 0; g < gruppen; ++g) {
        const qint64 eltern = g < oben ? 0 : 1000 + g % oben;
        sql::exec(db, "INSERT INTO FlaechenID (FlaechenNr, Gliederungspunkt, GruppierungNr, AktuellerDatensatz, "
                      "Bezeichnung) VALUES (?, 1, ?, 1, ?)",
                  {QStringLiteral("Fl%1").arg(nr++), eltern, QStringLiteral("Gruppe %1").arg(gruppen - g)});
    }
    int an = 1000;
    const QDate start(2000, 1, 1);
    for (int f = 0; f < flaechen; ++f) {
        const QString key = QStringLiteral("Fl%1").arg(nr++);
        sql::exec(db, "INSERT INTO FlaechenID (FlaechenNr, Gliederungspunkt, GruppierungNr, AktuellerDatensatz, "
                      "Bezeichnung) VALUES (?, 0, ?, ?, ?)",
                  {key, 1000 + f % gruppen, f % 7 != 0, QStringLiteral("Beet %1").arg(f)});
        for (int a = 0; a < 4; ++a) {
            const QString datum = start.addDays((f * 37 + a * 400) % 9000).toString(Qt::ISODate);
            const QString anr = QStringLiteral("An%1").arg(an++);
            sql::exec(db, "INSERT INTO AnalysenID (AnalysenNr, Datum) VALUES (?, ?)", {anr, datum});
            sql::exec(db, "INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr, Datum) VALUES (?, ?, ?)",
                      {key, anr, datum});
        }
    }
    t.commit();
    return *d;
}

void BM_BaumNeuAufbauen(benchmark::State& state)
{
    const int flaechen = static_cast<int>(state.range(0));
    const bool nurAktuelle = state.range(1) != 0;
    Datei& d = dateiMit(flaechen);
    const Gebietsschema gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    FlaechenBaum baum;
    baum.FlaechenBaumFuellen(d.db->db(), nurAktuelle, gebiet);
    for (int i = 0; i < baum.anzahl(); i += 3)
        baum.setExpanded(i, true);
    for (auto _ : state) {
        baum.BaumZustandSpeichern();
        baum.FlaechenBaumFuellen(d.db->db(), nurAktuelle, gebiet);
        baum.BaumZustandWiederherstellen();
        benchmark::DoNotOptimize(baum.anzahl());
    }
    state.counters["Knoten"] = baum.anzahl();
    state.SetComplexityN(flaechen);
}

// The reference: the rows the tree is built from, read with bare SQLite (every column of every row
// stepped through, nothing kept). Returns the bytes read.
size_t zeilenRohLesen(sqlite3* db)
{
    static const char* const anweisungen[] = {
        "SELECT FlaechenNr, Bezeichnung, GruppierungNr, Gliederungspunkt, AktuellerDatensatz FROM FlaechenID",
        "SELECT z.FlaechenNr, z.AnalysenNr, z.Datum, a.Datum FROM ZOFlaechenAnalysen z "
        "JOIN AnalysenID a ON a.AnalysenNr = z.AnalysenNr"};
    size_t bytes = 0;
    for (const char* a : anweisungen) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, a, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
                bytes += static_cast<size_t>(sqlite3_column_bytes(st, c));
            }
        sqlite3_finalize(st);
    }
    return bytes;
}

sqlite3* rohOeffnen(const Datei& d)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(d.db->path()).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

void BM_ZeilenRohLesen(benchmark::State& state)
{
    const int flaechen = static_cast<int>(state.range(0));
    sqlite3* db = rohOeffnen(dateiMit(flaechen));
    if (!db) {
        state.SkipWithError("Datei nicht lesbar");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(zeilenRohLesen(db));
    sqlite3_close(db);
    state.SetComplexityN(flaechen);
}

// Median time of a bare read in milliseconds (for the ratio shown beside the rebuild).
double rohLesenMs(const Datei& d)
{
    sqlite3* db = rohOeffnen(d);
    if (!db)
        return 0;
    std::vector<double> ms;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer t;
        t.start();
        benchmark::DoNotOptimize(zeilenRohLesen(db));
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    sqlite3_close(db);
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The same through the analysis page's tree control: model and items, as a store, an added or a
// deleted plot costs the page (remember the open nodes, rebuild, open them again). The counters
// give the bare read of the same rows in this run and the rebuild as a multiple of it.
void BM_BaumAnsichtNeuAufbauen(benchmark::State& state)
{
    const int flaechen = static_cast<int>(state.range(0));
    Datei& d = dateiMit(flaechen);
    const Gebietsschema gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
    FlaechenBaumAnsicht trv;
    trv.resize(400, 600);
    trv.fuellen(d.db->db(), false, gebiet);
    for (int i = 0; i < trv.modell().anzahl(); i += 3)
        trv.item(i)->setExpanded(true);
    QElapsedTimer uhr;
    uhr.start();
    for (auto _ : state) {
        trv.BaumZustandSpeichern();
        trv.fuellen(d.db->db(), false, gebiet);
        trv.BaumZustandWiederherstellen();
        benchmark::DoNotOptimize(trv.topLevelItemCount());
    }
    const double neuMs = uhr.nsecsElapsed() / 1e6 / static_cast<double>(state.iterations());
    const double rohMs = rohLesenMs(d);
    state.counters["Knoten"] = trv.modell().anzahl();
    state.counters["RohMs"] = rohMs;
    state.counters["xRoh"] = rohMs > 0 ? neuMs / rohMs : 0;
    state.SetComplexityN(flaechen);
}

} // namespace

BENCHMARK(BM_ZeilenRohLesen)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaumAnsichtNeuAufbauen)
    ->Arg(500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_BaumNeuAufbauen)
    ->ArgsProduct({{500, 1000, 2000, 5000}, {0}})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_BaumNeuAufbauen)->Args({5000, 1})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dateien().clear();
    return 0;
}
