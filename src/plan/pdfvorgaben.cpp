#include "plan/pdfvorgaben.h"

#include "platform/clock.h"

namespace kav {

float MillimeterInPunkte(float sngMM) { return sngMM * 720.0f / 254.0f; }

std::tm PdfZeit(const QDateTime& t)
{
    std::tm z{};
    z.tm_year = t.date().year() - 1900;
    z.tm_mon = t.date().month() - 1;
    z.tm_mday = t.date().day();
    z.tm_hour = t.time().hour();
    z.tm_min = t.time().minute();
    z.tm_sec = t.time().second();
    return z;
}

QString EmpfehlungsDateiName(const QDateTime& jetzt)
{
    return QStringLiteral("tmpDokument_") + jetzt.toString(QStringLiteral("ddMMyyyyhhmmss")) + QStringLiteral(".pdf");
}

clsPDF PdfVoreinstellungen(const Clock* uhr)
{
    clsPDF::Ortszeit zeit;
    if (uhr)
        zeit = [uhr] { return PdfZeit(uhr->now()); };
    clsPDF pdf(std::move(zeit));
    pdf.PaperSize(5);
    pdf.Orientation(0);
    pdf.FontSize(12);
    return pdf;
}

} // namespace kav
