#include "plan/planungdrucken.h"

#include "plan/pdfvorgaben.h"
#include "requirement/balkengeometrie.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/monatsnamen.h"
#include "services/programmstart.h"
#include "platform/rounding.h"

#include <QFile>
#include <QImage>

namespace kav {

namespace {


std::string utf8(const QString& s) { return s.toStdString(); }

} // namespace

void MischkulturDiagrammZeichnen(clsPDF& pdf, const MischkulturplanAngaben& a, const Gebietsschema& g,
                                 const QString& logo)
{
    const auto mm = MillimeterInPunkte;

    // head: the logo (its small copy), publisher, program, rule
    const QImage bild(logo);
    if (!bild.isNull())
        pdf.DrawPicture(mm(15), mm(15), 40, 37, bild);
    pdf.DrawText(mm(40), mm(20), kHerausgeberZeile);
    pdf.DrawText(mm(40), mm(20) + kZeile, kProgrammZeile);
    pdf.DrawLine(mm(15), mm(15) + 45, pdf.Width() - mm(15), mm(15) + 45);

    // information line
    int y = rundenGanz(mm(15) + 45);
    pdf.DrawText(mm(15), float(y) + kZeile, utf8(MischkulturplanFlaechenzeile(a, g)));
    y += int(3 * kZeile);

    // months, half months and the lines between them
    const float breite = pdf.Width() - mm(30);
    for (int i = 0; i < 12; ++i)
        pdf.DrawText(mm(15) + float(i) * breite / 12, float(y),
                     utf8(QStringLiteral("      ") + kurzerMonatsname(i + 1)));
    y = rundenGanz(float(y) + 1.5f * kZeile);
    const auto spalte = [&](int k) { return mm(15) + float(k) * breite / 24; };
    for (int j = 0; j <= 22; j += 2) {
        pdf.DrawText(spalte(j), float(y), "     I");
        pdf.DrawLine(spalte(j + 1), float(y) + kZeile, spalte(j + 1), pdf.Height() - mm(20));
        pdf.DrawText(spalte(j + 1), float(y), "    II");
        pdf.DrawLine(spalte(j + 2), float(y) + kZeile, spalte(j + 2), pdf.Height() - mm(20));
    }

    // frame with its quarter lines
    const float hoehe = pdf.Height() - mm(20) - float(y) - kZeile;
    const float oben = float(y) + kZeile;
    pdf.DrawBox(mm(15), oben, breite, hoehe);
    pdf.DrawColor(0xE0E0E0);
    for (const float f : {0.25f, 0.5f, 0.75f})
        pdf.DrawLine(mm(15), oben + f * hoehe, pdf.Width() - mm(15), oben + f * hoehe);
    pdf.DrawColor(0);

    // bars, in the order given: a later one covers an earlier one
    for (const MischkulturBalken& b : a.balken) {
        const float x = mm(15) + b.Left * breite;
        const float top = oben + b.Top * hoehe;
        const float w = float(b.Dauer) / 365 * breite;
        pdf.FillColor(b.Farbe);
        pdf.DrawBox(x, top, w, hoehe / 30, -1);
        pdf.FillColor(SchriftFarbe(b.Farbe));
        const float textBreite = float(b.Kultur.size()) / 131 * pdf.Width();
        pdf.DrawText(x + (w - textBreite) / 2, top + hoehe / 35, utf8(b.Kultur));
    }

    // footer and the page's one text line
    pdf.FillColor(0);
    pdf.FontSize(8);
    pdf.DrawText(mm(15), pdf.Height() - mm(10),
                 utf8(QStringLiteral("Kav - Humavera Version ") + a.version
                      + QStringLiteral("; Mischkultur gedruckt am ") + g.datumText(a.heute)));
    pdf.PrintLine("");
}

QString PlanungDrucken(AppContext& a, const QString& mkid)
{
    if (!a.db)
        throw PdfFehler("Die Datenbank ist nicht geöffnet. Es wurde nichts gedruckt.");
    MischkulturplanAngaben angaben = MischkulturplanLesen(mkid, a.bedarf, a.db->cnDaten(), a.db->cnKav());
    angaben.version = programmVersion();
    angaben.heute = a.uhr->today();

    clsPDF pdf = PdfVoreinstellungen(a.uhr.get());
    pdf.Orientation(1);
    MischkulturDiagrammZeichnen(pdf, angaben, a.gebiet, a.ordner.bilder() + QLatin1Char('/') + kDokumentLogo);
    const QString pfad = a.ordner.daten() + QLatin1Char('/') + EmpfehlungsDateiName(a.uhr->now());
    try {
        pdf.SavePDF(QFile::encodeName(pfad).toStdString());
    } catch (const PdfFehler&) {
        QFile::remove(pfad);
        throw PdfFehler(utf8(QStringLiteral("Das PDF-Dokument konnte nicht geschrieben werden: ") + pfad));
    }
    a.rahmen.strPDFDatei = pfad;
    return pfad;
}

} // namespace kav
