#pragma once
// The windows of the running program: the register of loaded windows and the main window.
#include "platform/fenster.h"

#include <QDateTime>

#include <QPointer>
#include <functional>
#include <memory>

class QLabel;

namespace kav {

class mdiZentral;
struct Mausklick;

struct Oberflaeche {
    Oberflaeche();
    ~Oberflaeche();

    forms::FensterRegister fenster;
    QPointer<mdiZentral> haupt;

    // Layout passes
    bool anordnungLaeuft = false;
    long anordnungen = 0;          // passes carried out
    long uebersprungeneAnweisungen = 0; // statements of the last pass that failed and were skipped

    // One click, one step (frame/klicksperre.h), on the clock of the mouse events: the click going on
    // or the latest one, and the one the last page was shown by.
    std::shared_ptr<Mausklick> mausklick;
    std::shared_ptr<const Mausklick> seiteGezeigt;

    // Hooks of the exchange area, filled at construction (tests may replace them):
    // the data update at start-up, run once the start-up is over, when due;
    std::function<void()> datenAktualisieren;
    // the data update at once (the settings window's button);
    std::function<void()> datenJetztAktualisieren;
    // the upload of all analyses and Nmin values, with its message (the settings window's button).
    std::function<void()> datenSenden;
    // Back from the plan page: the fertiliser page (loaded just before) enters the chosen liming
    // material again and enables its Next button (the fertiliser area's, filled at construction).
    std::function<void(const QString& strKalkNr)> kalkDuengerEintragen;
    // The mixed-culture planner's printout (the plan area's): writes the chart of the stored plan `mkid`
    // as a PDF document and returns its path, or an empty path with the reason in `fehler`.
    std::function<QString(const QString& mkid, QString& fehler)> planungDrucken;
    // Into the fertiliser step after the organic-matter step (the fertiliser area's): unloads the task
    // pages, shows the title strip, creates the empty list of chosen fertilisers, shows frmNPK3 and asks
    // for the selection method where it is due.
    std::function<void()> duengerauswahlOeffnen;
    // A notice in the notice window (the fertiliser area's): caption, title line, text and the lexicon
    // chapter of its link "Mehr...", sized to the text and shown over the main window.
    std::function<void(const QString& caption, const QString& titel, const QString& text, const QString& kapitel)>
        hinweisZeigen;
};

// The windows of the running program.
Oberflaeche& ui();

// The mouse over an enabled button in the user colour gives it the lighter user colour; a disabled
// button takes no click, so it lights nothing either.
void Hervorheben(QWidget* knopf);

// A caption of a window: its text at the top left and shown as it stands, never as markup (names as
// typed); with `umbrechen` wrapped at word ends.
QLabel* Beschriftung(QWidget* eltern, const QString& name, const QString& text = {}, bool umbrechen = false);
// A fresh set (tests); the window classes are registered again.
Oberflaeche& uiNeu();

} // namespace kav
