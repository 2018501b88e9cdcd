// Start-up to the first painted window, warm, measured from outside: a fresh process of the program
// (bench_startkind: settings, both database files, main window, layout pass, intro with its logo)
// until the intro's logo is painted, against a fresh process of a bare Qt main window
// (bench_leeresfenster) until it is painted, in turn in the same run (goal: at most 1.8 times). The
// processes inherit the platform (offscreen unless QT_QPA_PLATFORM says otherwise).
#include "rahmenfixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

using namespace kav;

namespace {

// Milliseconds from starting `programm` to its "gemalt"; negative when it never says so.
double bisGemalt(const QString& programm, const QStringList& argumente)
{
    QProcess p;
    QElapsedTimer uhr;
    uhr.start();
    p.start(programm, argumente);
    while (p.waitForReadyRead(10000))
        if (p.readAllStandardOutput().contains("gemalt"))
            break;
    const double ms = uhr.nsecsElapsed() / 1e6;
    const bool ok = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return ok ? ms : -1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A program folder as the frame tests make it.
struct Ordner : test::RahmenTest {
    Ordner() { SetUp(); }
    ~Ordner() override { TearDown(); }
    void TestBody() override {}
    using RahmenTest::dir;
    using RahmenTest::ini;
};

void StartBisZumErstenBild(benchmark::State& state)
{
    Ordner o;
    std::vector<double> kav, leer, verhaeltnis;
    bool kavZuerst = true;
    for (auto _ : state) {
        // in turn, one right after the other, so that both meet the same load of the machine
        double k = 0, l = 0;
        if (kavZuerst)
            k = bisGemalt(QStringLiteral(KAV_STARTKIND), {o.dir.path(), o.ini()});
        state.PauseTiming();
        l = bisGemalt(QStringLiteral(KAV_LEERES_FENSTER), {});
        state.ResumeTiming();
        if (!kavZuerst)
            k = bisGemalt(QStringLiteral(KAV_STARTKIND), {o.dir.path(), o.ini()});
        kavZuerst = !kavZuerst;
        if (k < 0 || l < 0) {
            state.SkipWithError("ein Prozess hat nichts gemalt");
            return;
        }
        kav.push_back(k);
        leer.push_back(l);
        verhaeltnis.push_back(k / l);
    }
    // warm: the first pair does not count
    kav.erase(kav.begin());
    leer.erase(leer.begin());
    verhaeltnis.erase(verhaeltnis.begin());
    state.counters["KavMs"] = median(kav);
    state.counters["LeerMs"] = median(leer);
    state.counters["xLeer"] = median(verhaeltnis); // the median of the pairs' ratios
}
BENCHMARK(StartBisZumErstenBild)->Unit(benchmark::kMillisecond)->Iterations(41)->UseRealTime();

} // namespace
