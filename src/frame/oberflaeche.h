#pragma once
// The windows of the running program: the register of loaded windows and the main window.
#include "platform/fenster.h"

#include <QPointer>
#include <functional>

namespace kav {

class mdiZentral;

struct Oberflaeche {
    Oberflaeche();
    ~Oberflaeche();

    forms::FensterRegister fenster;
    QPointer<mdiZentral> haupt;

    // Layout passes
    bool anordnungLaeuft = false;
    long anordnungen = 0;          // passes carried out
    long uebersprungeneAnweisungen = 0; // statements of the last pass that failed and were skipped

    // The data update of the exchange area, run at start when due (tests may replace it).
    std::function<void()> datenAktualisieren;
};

// The windows of the running program.
Oberflaeche& ui();
// A fresh set (tests); the window classes are registered again.
Oberflaeche& uiNeu();

} // namespace kav
