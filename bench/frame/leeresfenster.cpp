// The reference of the start-up benchmark (bench_start): a bare Qt main window with a status bar,
// shown; says "gemalt" on its first paint and ends there.
#include "gemaltmelden.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QMainWindow f;
    f.setWindowTitle(QStringLiteral("Kav - Humavera"));
    auto* mitte = new QLabel(QStringLiteral("Programm durch Doppelklick starten"));
    f.setCentralWidget(mitte);
    f.statusBar()->addWidget(new QLabel(QStringLiteral("Humavera")));
    f.resize(800, 600);
    new GemaltMelden(mitte);
    f.show();
    return qapp.exec();
}
