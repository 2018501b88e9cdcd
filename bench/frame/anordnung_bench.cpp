// One layout pass over the frame and a page at 1280 x 1024, and the start-up up to the intro.
#include "frame/frmintro.h"
#include "rahmenfixture.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

// The program folder and main window of the frame tests, outside a test run.
struct Programm : test::RahmenTest {
    Programm() { SetUp(); }
    ~Programm() override { TearDown(); }
    void TestBody() override {}
    using RahmenTest::groesse;
    using RahmenTest::haupt;
    using RahmenTest::starten;
};

void AnordnungRahmenUndSeite(benchmark::State& state)
{
    Programm p;
    p.starten();
    ProgrammStarten();
    p.groesse(1280, 1024);
    for (auto _ : state)
        ArbeitsbereichAnordnen(QStringLiteral("frmAnalysenWerte"));
    state.counters["Fenster"] = ui().fenster.anzahl();
}
BENCHMARK(AnordnungRahmenUndSeite)->Unit(benchmark::kMillisecond);

void StartBisZumIntro(benchmark::State& state)
{
    Programm p;
    for (auto _ : state) {
        p.starten().zeigen();
        benchmark::DoNotOptimize(ui().fenster.istGeladen(QStringLiteral("frmIntro")));
        state.PauseTiming();
        p.haupt->MDIForm_Unload();
        p.haupt.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app().diensteSchliessen();
        state.ResumeTiming();
    }
}
BENCHMARK(StartBisZumIntro)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
