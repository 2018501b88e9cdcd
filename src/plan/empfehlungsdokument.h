#pragma once
// The recommendation as a PDF document: page head with logo, the plan's title lines, the rows of the
// plan grid as coloured bands with their texts, a footer, further pages when the plan is long.
#include "plan/empfehlungsraster.h"
#include "plan/pdfvorgaben.h"

#include <QDate>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

namespace kav {

// What the document shows besides the grid.
struct EmpfehlungsAngaben {
    QString strKultur;       // "Mischkultur" for a mixed-culture plan
    QString strFlaeche;
    QString strAnalyseDatum; // in the user's date format
    QImage logo;             // the page head's picture; none when null
    QString strVersion;
    QDate heute;             // the footer's date
    bool mischkultur = false;
};

// Adds pages to the document (the mixed-culture chart).
using Zusatzseite = std::function<void(clsPDF&)>;

// The lines a row's text is drawn in, each as wide as `breite` points at most in the documents' font
// at `schriftgroesse`. A line ends after the last blank that leaves it inside that width (blanks at
// its end take no room); a word wider than a whole line is cut where the width ends. A text shorter
// than 100 characters that fits is the one line it is.
QStringList TextUmbrechen(const QString& text, float breite, float schriftgroesse);

// The whole document in `pdf` (a fresh writer): page head, title lines, the grid from row 4, footer.
// A further page begins only when the end row would reach the footer line and then only with a row
// that shows text; the end row and empty rows never begin one. For a mixed-culture plan
// `mischkulturplan` adds its pages last. Throws PdfFehler from the writer.
void frmNPK4_EmpfehlungDrucken(clsPDF& pdf, const Empfehlungsraster& flgReport, const EmpfehlungsAngaben& a,
                               const Zusatzseite& mischkulturplan = {});

// Ends the page (footer) and begins the next with the page head; the y where the grid goes on.
float frmNPK4_SeiteWechseln(clsPDF& pdf, const EmpfehlungsAngaben& a);

} // namespace kav
