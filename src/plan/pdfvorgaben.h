#pragma once
// What every document of the program shares: millimetres as points, a writer with the page defaults,
// the publisher's line of the page head.
#include "plan/pdfwriter.h"

namespace kav {

class Clock;

// The publisher's line beside the logo of every document.
inline constexpr const char* kHerausgeberZeile = "KRN-Software";

// `sngMM` millimetres in points: sngMM × 720 / 254, in single precision.
float MillimeterInPunkte(float sngMM);

// A new writer with the page defaults: A4 portrait, font size 12, black. Its creation date comes from
// `uhr` (the system's clock without one).
clsPDF PdfVoreinstellungen(const Clock* uhr = nullptr);

} // namespace kav
