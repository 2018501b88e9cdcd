#pragma once
// How wide a text stands in the documents' font. The writer names Arial without embedding it; a
// reader draws it with Arial's advance widths, which are Helvetica's, whatever face it substitutes.
#include <QChar>
#include <QStringView>

namespace kav {

// The advance width of `c` in thousandths of the font size, as written in Windows-1252 ("?" for a
// character the code page lacks, nothing for the second half of a surrogate pair).
int ZeichenBreite(QChar c);

// The width of `text` in points at `schriftgroesse` points.
float TextBreite(QStringView text, float schriftgroesse);

} // namespace kav
