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

    // The data update of the exchange area, run at start when due; none while it is not built in.
    std::function<void()> datenAktualisieren;
    // Back from the plan page: the fertiliser page (loaded just before) enters the chosen liming
    // material again and enables its Next button. Set by the fertiliser page; none while it is not
    // built in.
    std::function<void(const QString& strKalkNr)> kalkDuengerEintragen;
};

// The windows of the running program.
Oberflaeche& ui();
// A fresh set (tests); the window classes are registered again.
Oberflaeche& uiNeu();

} // namespace kav
