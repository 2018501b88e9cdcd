// One colour click in the chooser with the analysis page, the lexicon, the settings window and the
// chooser loaded: every window laid out and repainted. Beside it, one layout pass alone.
#include "einstellungsfixture.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

// The started program of the settings tests, outside a test run.
struct Programm : test::EinstellungsTest {
    Programm()
    {
        SetUp();
        app().rahmen.blnLexikonVonAussen = true;
        fenster().zeigen(QStringLiteral("frmLexikon"));
        wahl = farbWahl();
    }
    ~Programm() override { TearDown(); }
    void TestBody() override {}
    static void allesNeuMalen()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                w->repaint();
    }
    frmFarbWahl* wahl = nullptr;
};

void FarbKlick(benchmark::State& state)
{
    Programm p;
    int i = 0;
    for (auto _ : state) {
        QTest::mouseClick(p.wahl->lblFarbe(i % 2 ? 7 : 18), Qt::LeftButton);
        Programm::allesNeuMalen();
        ++i;
    }
    state.counters["Fenster"] = ui().fenster.anzahl();
}
BENCHMARK(FarbKlick)->Unit(benchmark::kMillisecond);

void NurAnordnen(benchmark::State& state)
{
    Programm p;
    for (auto _ : state) {
        ArbeitsbereichAnordnen();
        Programm::allesNeuMalen();
    }
}
BENCHMARK(NurAnordnen)->Unit(benchmark::kMillisecond);

} // namespace
