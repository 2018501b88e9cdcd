// One layout pass over the frame and the mixed-culture planner with 60 bars at 1280 x 1024, and moving a
// bar with the mouse (no layout pass).
#include "frame/frmintro.h"
#include "requirement/frmmkeditor.h"
#include "seitenfixture.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace kav;

namespace {

// The started program of the window tests, outside a test run, on the planner with 60 bars.
struct Programm : test::SeitenTest {
    Programm()
    {
        SetUp();
        seiteStarten([this] { flaeche("Fl1001", "Hochbeet", 0, true, 5, 1.2); });
        sql::exec(db(), "INSERT INTO MischkulturID VALUES ('ID1', '2026-12-06 09:00:00', 'Fl1001')");
        for (int i = 0; i < 60; ++i)
            sql::exec(db(), "INSERT INTO MKEditor VALUES (?, 'ID1', 'Ku1025', 'Kohlrabi', ?, ?, ?, 63, ?)",
                      {QString::number(i), i / 80.0, (i % 28) / 30.0, 0x2050A0 + 0x30 * i, 1 + i * 52 / 80});
        w().strAktFlaechenNr = "Fl1001";
        planer = MischkulturPlanerOeffnen("Planung", "ID1");
        groesse(1280, 1024);
    }
    ~Programm() override { TearDown(); }
    void TestBody() override {}
    frmMKEditor* planer = nullptr;
};

void AnordnungMitSechzigBalken(benchmark::State& state)
{
    Programm p;
    for (auto _ : state)
        ArbeitsbereichAnordnen(QStringLiteral("frmMKEditor"));
    state.counters["Balken"] = p.planer->txtKulturen().Count() - 1;
}
BENCHMARK(AnordnungMitSechzigBalken)->Unit(benchmark::kMillisecond);

void BalkenVerschieben(benchmark::State& state)
{
    Programm p;
    QLabel* b = p.planer->txtKulturen()(30);
    const long paesse = ui().anordnungen;
    for (auto _ : state) {
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(b, QPoint(30, 40));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(30, 40));
    }
    state.counters["Anordnungen"] = double(ui().anordnungen - paesse);
}
BENCHMARK(BalkenVerschieben)->Unit(benchmark::kMillisecond);

} // namespace
