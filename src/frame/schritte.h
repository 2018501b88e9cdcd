#pragma once
// The step keys of the pages and what follows from them. Keys are compared exactly.
#include <QString>

namespace kav {

inline const QString kTitel = QStringLiteral("Kav - Humavera");

// Caption suffix of a step ("" for "Kein" and unknown keys).
QString titelZusatz(const QString& schritt);
// Caption of the main window for a step.
QString titelFuer(const QString& schritt);
// Position of a step in the breadcrumb (0 to 5); unknown keys count as 0.
int brotkrumenPosition(const QString& schritt);
// The window the deferred relayout addresses for a step ("Kein" the intro); empty for unknown keys.
QString relayoutFensterFuer(const QString& schritt);
// The window whose help topic the help button shows for a step: "frm" + key, the analysis step
// naming its page frmAnalysenWerte.
QString hilfeFensterFuer(const QString& schritt);
// The relayout waits 750 ms on the lexicon and the recommendation page (by the caption's end), else 1 ms.
int relayoutVerzoegerungFuer(const QString& titel);

} // namespace kav
