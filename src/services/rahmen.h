#pragma once
// Shared state of the main window and its pages: current step, layout sizes, lexicon topic.
#include <QString>

namespace kav {

struct Rahmen {
    // Step and pages
    QString strFensterZeigen;      // step key of the page shown
    QString strLexikonAnzeige;     // lexicon chapter to show next
    bool blnLexikonVonAussen = false;
    bool blnToolbarAktiv = false;
    QString strAktivesFenster;     // open dialog whose help topic F1 shows
    bool blnNeuerDatensatz = false;
    bool blnUpdateLaeuft = false;  // true while the data update runs (restoring the backup waits for it)

    // Layout
    int intSchriftGroesse = 8;
    float sngHoeheStart = 0, sngBreiteStart = 0;   // reference size of the page area, twips
    float sngHoehe = 0, sngBreite = 0, sngTop = 0, sngLeft = 0; // main window, twips
    QString strAnsicht;            // "0" normal, "1" minimised, "2" maximised
    float sngArbeitsbereichLinks = 0, sngArbeitsbereichOben = 0;   // pixels
    float sngArbeitsbereichBreite = 0, sngArbeitsbereichHoehe = 0; // twips
    int intInnenHoehe = 0, intInnenBreite = 0;
    QString strBilderPfad;
    int intBilderAnzahl = 0;

    // Server
    QString strServerAdresse;
    QString strFTPServerAdresse;

    // Lexicon
    QString strLexikonVerlauf;     // back history "03-12-05-", newest last; empty while the lexicon is closed
    QString strVollbildDatei;      // picture file of the full-size view
    bool blnVollbildOffen = false; // the full-size view is open, or opening it by hover is blocked

    // The recommendation document written last (full path); removed at shutdown.
    QString strPDFDatei;
};

} // namespace kav
