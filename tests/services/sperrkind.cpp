// A program that holds the data folder's lock until it is killed:
//   kav_sperrkind <Programmordner>
// It prints "gesperrt" once it holds the lock ("belegt" when another program does).
#include "platform/instanzsperre.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return 64;
    const kav::InstanzSperre sperre(app.arguments()[1], QStringLiteral("Kav.lock"));
    std::fputs(sperre.belegt() ? "belegt\n" : "gesperrt\n", stdout);
    std::fflush(stdout);
    for (;;)
        pause();
}
