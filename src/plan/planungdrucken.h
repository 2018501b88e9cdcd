#pragma once
// The planner's own printout: the stored plan as a landscape chart on one page.
#include "plan/mischkulturplan.h"

#include <QString>

namespace kav {

struct AppContext;
struct Gebietsschema;

// Draws the chart page on a landscape writer: head with `logo`, the plot line, months and half
// months, the frame with its quarter lines, the bars, the footer and the page's one text line.
void MischkulturDiagrammZeichnen(clsPDF& pdf, const MischkulturplanAngaben& a, const Gebietsschema& g,
                                 const QString& logo);

// Writes the chart of the stored plan `mkid` of the plot strAktFlaechenNr into
// Daten/tmpDokument_<ddMMyyyyhhmmss>.pdf, keeps the path as the document written last
// (Rahmen::strPDFDatei) and returns it. A missing plot or plan row, a database
// that cannot be read or a file that cannot be written throw PdfFehler with a German text; no file
// is left then.
QString PlanungDrucken(AppContext& a, const QString& mkid);

} // namespace kav
