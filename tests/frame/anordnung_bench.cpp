// One layout pass over the frame and a page at 1280 x 1024, and the start-up up to the intro.
#include "frame/frmintro.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "platform/clock.h"
#include "services/appcontext.h"
#include "services/gebietsschema.h"
#include "testhelpers.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

struct Programm {
    QTemporaryDir dir;
    test::MeldungsProtokoll protokoll;
    Programm()
    {
        Programmordner o{dir.path()};
        test::referenzDatei(o.kavDatei());
        test::referenzDatei(o.kavStandard());
        test::leereDatei(o.datenDatei(), Datenbankdatei::Daten);
        QDir().mkpath(o.bilder());
        QFile::copy(qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Bilder/Logo_Kav.gif", o.bilder() + "/Logo_Kav.gif");
    }
    std::unique_ptr<mdiZentral> starten()
    {
        AppContext& a = appNeu();
        a.gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
        a.anzeige = &protokoll;
        uiNeu();
        auto h = std::make_unique<mdiZentral>();
        h->MDIForm_Load(dir.path(), dir.filePath("Kav.ini"));
        return h;
    }
};

void AnordnungRahmenUndSeite(benchmark::State& state)
{
    Programm p;
    auto h = p.starten();
    ProgrammStarten();
    h->setWindowState(Qt::WindowNoState);
    h->resize(1280, 1024);
    app().rahmen.sngHoeheStart = 0.9f * 1024 * 15;
    app().rahmen.sngBreiteStart = 1280 * 15;
    for (auto _ : state)
        ArbeitsbereichAnordnen(QStringLiteral("frmAnalysenWerte"));
    state.counters["Fenster"] = ui().fenster.anzahl();
    h.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app().diensteSchliessen();
}
BENCHMARK(AnordnungRahmenUndSeite)->Unit(benchmark::kMillisecond);

void StartBisZumIntro(benchmark::State& state)
{
    Programm p;
    for (auto _ : state) {
        auto h = p.starten();
        h->zeigen();
        benchmark::DoNotOptimize(ui().fenster.istGeladen(QStringLiteral("frmIntro")));
        state.PauseTiming();
        h->MDIForm_Unload();
        h.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app().diensteSchliessen();
        state.ResumeTiming();
    }
}
BENCHMARK(StartBisZumIntro)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
