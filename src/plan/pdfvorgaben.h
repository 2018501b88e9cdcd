#pragma once
// What every document of the program shares: millimetres as points, a writer with the page defaults,
// the lines and logos of the page head.
#include "plan/pdfwriter.h"

#include <QDateTime>
#include <QString>

#include <ctime>

namespace kav {

class Clock;

// The publisher's line beside the logo of every document, and the program's line below it.
inline constexpr const char* kHerausgeberZeile = "KRN-Software";
inline constexpr const char* kProgrammZeile = "Kav - Humavera";

// The logos of the page head in the program's picture folder, built from the logo's source: 120 × 111
// pixels upright, and turned a quarter turn counter-clockwise for a landscape page drawn on a portrait one.
inline const QString kDokumentLogo = QStringLiteral("Logo_Kav_Dokument.gif");
inline const QString kDokumentLogoQuer = QStringLiteral("Logo_Kav_Quer.gif");

// The line pitch of the documents, in points.
inline constexpr float kZeile = 18.0f;

// `sngMM` millimetres in points: sngMM × 720 / 254, in single precision.
float MillimeterInPunkte(float sngMM);

// The time `t` as the writer's creation date.
std::tm PdfZeit(const QDateTime& t);

// The file name of a document the program writes into Daten/ (deleted at shutdown):
// "tmpDokument_" + ddMMyyyyhhmmss + ".pdf".
QString EmpfehlungsDateiName(const QDateTime& jetzt);

// A new writer with the page defaults: A4 portrait, font size 12, black. Its creation date comes from
// `uhr` (the system's clock without one).
clsPDF PdfVoreinstellungen(const Clock* uhr = nullptr);

} // namespace kav
