#pragma once
// The lexicon's back history: entries of the chapter number with at least two digits and "-",
// oldest first ("03-12-05-": chapter 5 shown, reached from 12, reached from 3).
#include <QString>

namespace kav {

// "05-" for 5, "123-" for 123.
QString verlaufEintrag(int kapitelNr);

// The history with the chapter added, unless it is already the last entry.
QString verlaufMit(const QString& verlauf, int kapitelNr);

// What Back does with a history.
struct VerlaufZurueck {
    enum class Schritt {
        Nichts,          // empty or unreadable history
        LetzterEintrag,  // only the page shown is left: a page stays, a lexicon over a page closes
        Kapitel,         // show `kapitelNr`; the history becomes `verlauf` (ending with that chapter)
    };
    Schritt schritt = Schritt::Nichts;
    int kapitelNr = 0;
    QString verlauf;
};
VerlaufZurueck verlaufZurueck(const QString& verlauf);

} // namespace kav
