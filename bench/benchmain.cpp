// The main of the window benchmarks: a QApplication on the offscreen platform (unless one is set),
// in the program's own font, then every benchmark of the program.
#include "frame/programmschrift.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    kav::programmschriftSetzen(); // the windows are measured as the program lays them out
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
