#pragma once
// Helpers of the PDF writer tests: fixed creation time, line building, cases of steps and the pages they
// give, checks with real readers.
#include "plan/pdfwriter.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <ctime>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kav::test {

// A local time from its digits as the creation date shows them ("20240305070809").
std::tm ortszeit(const char* text);
// 5 March 2024, 07:08:09: the creation date "D:20240305070809".
std::tm festeZeit();
// A writer with the fixed creation time.
clsPDF neuesPdf();

// The lines, each ended with a carriage return.
std::string zeilen(std::initializer_list<std::string_view> liste);
// The start of a page's text block at the defaults (A4 portrait, font size 12, no margins).
extern const std::string kTextKopf;

// Checks a document: its cross-reference table and stream lengths, `qpdf --check` (exit 0) and
// `pdfinfo` (exit 0, page count). Records test failures; returns the page count pdfinfo reports.
int pruefeDokument(const std::string& dokument);
// Value of the writer, checked as above.
std::string gepruefterWert(clsPDF& pdf);

// The content stream of page `seite` (from 1), found as a reader finds it: through the page tree's
// /Kids, the page's /Contents and that object's stream.
std::string inhalt(const std::string& dokument, int seite);

// A case: steps on a writer with the fixed time, and the content streams of the pages they give.
struct Fall {
    const char* name;
    std::function<void(clsPDF&)> schritte;
    std::vector<std::string> seiten;
};
// Runs the cases; each document passes pruefeDokument and has exactly these pages. With
// `aufLeererSeite` an empty line opens the page first and seiten[0] is what follows its text block.
void pruefeFaelle(std::initializer_list<Fall> faelle, bool aufLeererSeite = false);

// Page `seite` rendered by pdftoppm at 72 dpi (one pixel per point).
QImage rendern(const std::string& dokument, int seite = 1);
// The text a reader finds in the document (pdftotext), as a search or a copy gets it.
QString leseText(const std::string& dokument);
// Pixels inside `feld` (edges included) that satisfy `wie`. Renderers differ in anti-aliasing and in the
// substitute fonts they have, so a drawing is checked by what a small area holds, not by one pixel.
int punkte(const QImage& bild, const QRect& feld, const std::function<bool(QColor)>& wie);
inline bool dunkel(QColor c) { return c.lightness() < 110; }

// A fresh path in the test's temporary folder; with `bytes`, a file holding them.
std::string tempPfad(const QString& name);
std::string tempDatei(const QString& name, const QByteArray& bytes);

} // namespace kav::test
