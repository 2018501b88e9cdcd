// The program's process for the start-up benchmark (bench_start): runs the program as its main
// does, from the program folder and settings file given, says "gemalt" on the first paint of the
// intro's logo and ends there. Linked like the program, so that it loads what the program loads.
#include "frame/frmintro.h"
#include "frame/oberflaeche.h"
#include "frame/programm.h"
#include "gemaltmelden.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    QApplication qapp(argc, argv);
    return kav::ProgrammAusfuehren(qapp, QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), [](kav::mdiZentral&) {
        kav::forms::Fenster* intro = kav::ui().fenster.fenster(QStringLiteral("frmIntro"));
        if (!intro)
            std::_Exit(1);
        new GemaltMelden(static_cast<kav::frmIntro*>(intro->widget())->picIntro());
    });
}
