#pragma once
// The fertiliser step: loading, picking a fertiliser or a lime, taking the last choice back, the
// hand-over to the plan and the acceptance of a fertiliser just entered in the editor. Each step
// works on the wizard state and the chosen list and says what the page shows afterwards; a step
// that fails on the database leaves the state as it was.
#include "fertilisers/duengerkatalog.h"
#include "fertilisers/hornregel.h"
#include "fertilisers/katalogbaum.h"
#include "requirement/bedarfsquellen.h"
#include "requirement/restbedarf.h"
#include "services/wizardstate.h"

#include <QString>

#include <optional>
#include <vector>

namespace kav {

struct Einstellungen;
struct Gebietsschema;

// Title of the step's message boxes.
inline const QString kDuengerMeldungTitel = QStringLiteral("Kav - Düngerbedarfsermittlung");
inline const QString kDoppelterDuenger = QStringLiteral("Sie können denselben Dünger nicht mehrmals verwenden.");
inline const QString kKeineDuengung = QStringLiteral("Ihre Fläche benötigt keine Düngung.");

// What the step reads: the catalogues, the fertilisers' contents for the sums, the lime table and
// the mixed-culture plans.
struct Duengerquellen {
    const Duengerkatalog& katalog;
    const DuengerQuelle& duenger;
    const KalkbedarfQuelle& kalkbedarf;
    const PlanQuelle& plaene;
};

// What the page shows after a step; members without a value stay as they are.
struct Anzeige {
    std::optional<Katalog> katalog;              // trvDuenger(1), lblDuenger, and Next
    std::optional<BedarfsMeldungen> zeilen;      // lblVersorgung(1..4)
    std::optional<std::vector<Baumknoten>> gewaehlt; // trvDuenger(2)
    std::optional<QString> txtMenge;
    std::optional<QString> lblMenge;
    std::optional<bool> cmbWeiter;
    std::optional<Hinweis> hinweis;              // the notice window (horn fertilisers)
    QString meldung;                             // a message box; empty: none
    bool ungeeignet = false;                     // the fertiliser just entered does not suit the need
    bool ersterKnoten = false;                   // select the first catalogue node
};

// The method question: at least two of N, P2O5 and K2O still open, the optimal method not set for
// good, no mixed-culture plan.
bool VerfahrenFragen(const WizardState& s, const Einstellungen& e);

// The tree of chosen fertilisers: the list in the order of choice with each fertiliser's catalogue
// text, then the lime.
std::vector<Baumknoten> GewaehlteDuengerBaumFuellen(const WizardState& s, const Duengerkatalog& k, const Gebietsschema& g);

class Duengerwahl {
public:
    Duengerwahl(WizardState& s, const Einstellungen& e, const Gebietsschema& g, const Duengerquellen& q);

    // Loading the page: the sums from 0 over the chosen list, the need, the method (optimal for a
    // plan, when not all of N, P2O5, K2O are open, and when it is set for good), the lime need,
    // the catalogue, the lines and the chosen list.
    Anzeige laden();
    // The same without the method: after the method question, an editor, a deletion.
    Anzeige neuRechnen();
    // A fertiliser node of class `klassenTag` picked: the duplicate and the class check, the
    // proposal, and the fertiliser added with the whole grams shown; then the seasonal notice of an
    // organic nitrogen fertiliser.
    Anzeige waehlen(const QString& duengerNr, const QString& klassenTag);
    // A lime chosen (a lime node picked, the lime editor, the plan page's Back).
    Anzeige kalkWaehlen(const QString& kalkNr);
    // Removes the last choice: the lime, or else the last fertiliser, whose predecessor is shown.
    Anzeige zuruecknehmen();
    // Next: the list summed and the remaining need current; false (with the message) when nothing is
    // fertilised at all.
    bool weiter(QString* meldung);
    // A fertiliser the editor has just saved, taken into the choice when it suits the need. One
    // already chosen is not added again; the sums follow its new contents.
    Anzeige neuerDuenger(const QString& duengerNr);

    bool istGewaehlt(const QString& duengerNr) const;

private:
    // sums from 0 (unless just summed), need, lime need, catalogue, lines, chosen nodes: on `t`
    Anzeige rechnen(WizardState& t, bool mitVerfahren, bool summieren = true) const;
    std::optional<Hinweis> hornHinweis(const DuengerZeile& d) const;

    WizardState& m_s;
    const Einstellungen& m_e;
    const Gebietsschema& m_g;
    Duengerquellen m_q;
};

} // namespace kav
