// The data update of the shipped data from the local test servers (fetch, then apply to a fresh
// Kav.KRN), and the upload of 500 Nmin values and 500 analyses with a window repainting meanwhile (its
// pictures per upload and the longest pause between two). Needs the test servers' values in
// the environment (source DIR/env after tests/server/servers.sh start DIR); the paths of the build
// are those of the test support.
#include "exchange/datensenden.h"
#include "exchange/updateanwenden.h"
#include "platform/localdatabase.h"
#include "services/schema.h"
#include "services/server.h"
#include "services/sql.h"
#include "updateserver.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace kav;
using namespace kav::exchange;

namespace {

struct Umgebung {
    test::AustauschKonten konten;
    std::unique_ptr<test::UpdateServer> server;
    QTemporaryDir dir;
    HolAuftrag auftrag;
    std::unique_ptr<LocalDatabase> daten;
};
std::unique_ptr<Umgebung> g;

QString kopieVon(const QString& quelle, const QString& ziel)
{
    QFile::remove(ziel);
    QFile::copy(quelle, ziel);
    QFile(ziel).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return ziel;
}

void kopiereOrdner(const QString& von, const QString& nach)
{
    QDirIterator it(von, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString d = it.next();
        const QString z = nach + d.mid(von.size());
        QDir().mkpath(QFileInfo(z).path());
        QFile::copy(d, z);
    }
}

UpdatePaket holen(const QString& arbeit, int pauseMs = 0)
{
    HolAuftrag a = g->auftrag;
    a.arbeitsordner = arbeit;
    a.pauseMs = pauseMs;
    const std::atomic<bool> nein{false};
    return UpdateHolen(a, nein, {});
}

void BM_UpdateHolen(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir arbeit(g->dir.filePath("Lexikon/Aktualisierung-XXXXXX"));
        state.ResumeTiming();
        const UpdatePaket p = holen(arbeit.path(), static_cast<int>(state.range(0)));
        if (p.ergebnis != UpdatePaket::Ergebnis::Geholt)
            state.SkipWithError(p.grund.toUtf8().constData());
        state.counters["Dateien"] = static_cast<double>(p.kapitel.size() + 2 * 21);
    }
}

void BM_UpdateAnwenden(benchmark::State& state)
{
    const Programmordner ordner{g->dir.path()};
    QTemporaryDir vorrat(g->dir.filePath("Lexikon/Vorrat-XXXXXX"));
    const UpdatePaket geholt = holen(vorrat.path());
    int n = 0;
    // the objects of a run go in the paused part of the next one
    std::optional<LocalDatabase> kav;
    std::optional<QTemporaryDir> arbeit;
    for (auto _ : state) {
        state.PauseTiming();
        kav.reset();
        arbeit.reset();
        // a fresh Kav.KRN and a fresh staging folder for each run
        const QString pfad = kopieVon(test::erzeugteDaten() + "/Kav.KRN", ordner.daten() + "/Kav.KRN");
        kav.emplace(QStringLiteral("bench_kav_%1").arg(++n), QStringList{});
        kav->open(pfad);
        arbeit.emplace(g->dir.filePath("Lexikon/Aktualisierung-XXXXXX"));
        kopiereOrdner(vorrat.path(), arbeit->path());
        UpdatePaket p = geholt;
        p.bilderOrdner = arbeit->path();
        state.ResumeTiming();
        const AnwendenErgebnis r = UpdateAnwenden(kav->db(), p, ordner, QDateTime::currentDateTime());
        if (!r.ok)
            state.SkipWithError(r.grund.toUtf8().constData());
    }
}

// A window that repaints every 16 ms (as an animation would) and notes the longest pause between two
// of its pictures.
class Malfenster : public QWidget {
public:
    Malfenster()
    {
        resize(200, 100);
        show();
        connect(&m_takt, &QTimer::timeout, this, [this] { update(); });
        m_takt.start(16);
    }
    void beginnen()
    {
        bilder = 0;
        laengstePauseMs = 0;
        m_seit.start();
    }
    int bilder = 0;
    qint64 laengstePauseMs = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        ++bilder;
        laengstePauseMs = std::max(laengstePauseMs, m_seit.restart());
    }

private:
    QTimer m_takt;
    QElapsedTimer m_seit;
};

void BM_AlleDatenSenden(benchmark::State& state)
{
    const QSqlDatabase db = g->daten->db();
    Server server(g->konten.programm);
    const SystemClock uhr;
    Malfenster fenster;
    QElapsedTimer anzeigen;
    anzeigen.start();
    while (anzeigen.elapsed() < 200) // shown and painted once before the first run
        QCoreApplication::processEvents();
    int bilder = 0;
    qint64 pause = 0;
    for (auto _ : state) {
        fenster.beginnen();
        const DatenGesendet r = AlleDatenSenden(server, db, "000000000000000001", uhr);
        if (r.nminZeilen != 500 || r.analysenZeilen != 500)
            state.SkipWithError(r.meldung.text.toUtf8().constData());
        bilder += fenster.bilder;
        pause = std::max(pause, fenster.laengstePauseMs);
    }
    state.counters["Bilder"] = benchmark::Counter(bilder, benchmark::Counter::kAvgIterations);
    state.counters["laengstePause_ms"] = static_cast<double>(pause);
}

void vorbereiten()
{
    const auto konten = test::austauschKonten();
    if (!konten) {
        std::fprintf(stderr, "Testserver fehlen: source DIR/env nach tests/server/servers.sh start DIR\n");
        std::exit(1);
    }
    g = std::make_unique<Umgebung>();
    g->konten = *konten;
    const Programmordner o{g->dir.path()};
    QDir().mkpath(o.daten());
    const QString kav = kopieVon(test::erzeugteDaten() + "/Kav.KRN", o.daten() + "/Kav.KRN");
    kopiereOrdner(test::programmOrdner() + "/Lexikon/Bilder", o.lexikon() + "/Bilder");
    g->server = std::make_unique<test::UpdateServer>(*konten, "bench");
    {
        LocalDatabase quelle(QStringLiteral("bench_quelle"), {});
        quelle.open(kav);
        g->server->fuellen(quelle.db(), o.lexikon() + "/Bilder");
        g->auftrag.lokal = lokaleTabellen(quelle.db());
    }
    const QString t = "2026-03-01 00:00:00";
    g->server->stand({t, t, t, t, t}, 1, 0, 0);
    g->auftrag.server = konten->programm;
    g->auftrag.server.updateDatenbank = g->server->datenbank;
    g->auftrag.server.ftpVerzeichnis = "bench";
    g->auftrag.datLetztesUpdate = QDateTime(QDate(2026, 2, 1), QTime(0, 0));
    g->auftrag.pauseMs = 0;

    // 50 plots with 10 Nmin values and 10 analyses each
    const QString daten = g->dir.filePath("Daten/Daten.KRN");
    leereDatenbankAnlegen(daten, Datenbankdatei::Daten, true);
    g->daten = std::make_unique<LocalDatabase>(QStringLiteral("bench_daten"), QStringList{});
    g->daten->open(daten);
    const QSqlDatabase db = g->daten->db();
    sql::Transaction tr(db);
    for (int f = 0; f < 50; ++f) {
        const QString fl = QStringLiteral("Fl%1").arg(1000 + f);
        sql::exec(db, "INSERT INTO FlaechenID (FlaechenNr, Bezeichnung, Kompost, Nutzung) VALUES (?, 'Beet', 1, 2)", {fl});
        for (int i = 0; i < 10; ++i) {
            const QString datum = QDate(2025, 3, 1).addDays(i * 7 + f).toString(Qt::ISODate);
            const QString an = QStringLiteral("An%1").arg(1000 + f * 10 + i);
            sql::exec(db, "INSERT INTO Nmin (FlaechenNr, Nmin, Einheit, Datum) VALUES (?, ?, 1, ?)", {fl, 5 + i, datum});
            sql::exec(db, "INSERT INTO AnalysenID (AnalysenNr, Datum, Bodenart, GesamtN, P2O5, K2O, Mg, pH, LetzteAenderung) "
                          "VALUES (?, ?, 1, 3, 12, 15, 8, 6.5, '2025-03-01 10:00:00')",
                      {an, datum});
            sql::exec(db, "INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr, Datum) VALUES (?, ?, ?)", {fl, an, datum});
        }
    }
    tr.commit();
}

} // namespace

// without and with the time each stage text stays readable
BENCHMARK(BM_UpdateHolen)->Arg(0)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_UpdateAnwenden)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_AlleDatenSenden)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vorbereiten();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g.reset();
    return 0;
}
