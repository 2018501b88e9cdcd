#pragma once
// The chart of a mixed-culture plan: the bed over the calendar year with a coloured bar per crop and a
// numbered marker at each nitrogen dressing, as the last page of the recommendation (a landscape chart
// turned a quarter turn onto the portrait page), read from the stored plan and the wizard state.
#include "plan/pdfwriter.h"
#include "requirement/bedarfsquellen.h"
#include "services/wizardstate.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <map>
#include <vector>

namespace kav {

struct AppContext;
struct Gebietsschema;

// A chart that cannot be drawn because its plot, its plan or the databases cannot be read; what() is a
// German text for the user, which says all there is to say (no file was written).
class DiagrammFehler : public PdfFehler {
public:
    using PdfFehler::PdfFehler;
};

// What a chart of a plan shows.
struct MischkulturplanAngaben {
    QString flaeche;                          // name of the plot
    QDateTime datumPlanung;                   // time of the plan's last save
    std::vector<MischkulturBalken> balken;    // in drawing order: by Left, then Top
    std::map<QString, KulturZeile> kulturen;  // crop rows of the bars; a bar without one gets no markers
    QString bodenverbesserer;                 // name of the chosen soil improver; empty for none
    float beetLaenge = 0, beetBreite = 0;     // m
    float pBedarf = 0, kBedarf = 0;           // P2O5 and K2O need, g/m²
    std::vector<MischkulturWoche> werte;      // the weekly balances of the calculation
    int startwoche = 1;                       // the plan's first week: markers count from here
    QString version;
    QDate heute;
    QString logo;                             // picture file of the page head; a missing one is left out
};

// Reads what the chart of plan `mkid` shows: the plot `strAktFlaechenNr`, the plan's row and bars with
// their crops, the chosen soil improver ("x" or empty: none) and the calculation's values of `s`.
// A missing plot or plan row, or a database that cannot be read, throws DiagrammFehler.
MischkulturplanAngaben MischkulturplanLesen(const QString& mkid, const WizardState& s, const QSqlDatabase& cnDaten,
                                            const QSqlDatabase& cnKav);

// "Fläche: <plot> auf <bed area, one decimal> m²   Planung am: <date of the plan>".
QString MischkulturplanFlaechenzeile(const MischkulturplanAngaben& a, const Gebietsschema& g);

// Adds the chart page (the quarter-turned landscape chart) to the document and ends it with its one
// text line; the page stays open for the caller's SavePDF. Leaves font size 8 and black colours.
void MischkulturplanDrucken(clsPDF& pdf, const MischkulturplanAngaben& a, const Gebietsschema& g);

// The chart page of the current plan (strAktKulturNr) for the recommendation document: reads from
// the program's databases and state, then draws. Throws DiagrammFehler as MischkulturplanLesen does.
void frmNPK4_MischkulturplanDrucken(clsPDF& pdf, AppContext& a);

} // namespace kav
