#pragma once
// Helpers of the PDF writer tests: fixed creation time, line building, checks with real readers.
#include "plan/pdfwriter.h"

#include <QImage>
#include <QString>

#include <ctime>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kav::test {

// 5 March 2024, 07:08:09: the creation date "D:20240305070809".
std::tm festeZeit();
// A writer with the fixed creation time.
clsPDF neuesPdf();

// The lines, each ended with a carriage return.
std::string zeilen(std::initializer_list<std::string_view> liste);

// Checks a document: its cross-reference table and stream lengths, `qpdf --check` (exit 0) and
// `pdfinfo` (exit 0, page count). Records test failures; returns the page count pdfinfo reports.
int pruefeDokument(const std::string& dokument);
// Value of the writer, checked as above.
std::string gepruefterWert(clsPDF& pdf);

// The bytes between "stream" + LF and "endstream" of the k-th content stream (from 1).
std::string inhalt(const std::string& dokument, int seite);

// Page `seite` rendered by pdftoppm at 72 dpi (one pixel per point).
QImage rendern(const std::string& dokument, int seite = 1);

// A fresh path in the test's temporary folder.
std::string tempPfad(const QString& name);

} // namespace kav::test
