// Holds the lock of the data folder of the program folder given until it is killed; says "gesperrt"
// once it holds it.
#include "platform/instanzsperre.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const kav::InstanzSperre sperre(app.arguments().value(1) + QStringLiteral("/Daten"));
    std::puts(sperre.belegt() ? "belegt" : "gesperrt");
    std::fflush(stdout);
    for (;;)
        pause();
}
