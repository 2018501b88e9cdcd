// Vector drawing, text blocks, colours and the deferred painting operator of the PDF writer.
#include "pdf_testhilfe.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kav;
using namespace kav::test;

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// A text block of DrawText with the text x at font size 12, placed by `lage` ("Td" or "Tm").
std::string textblock(std::string_view lage) { return zeilen({"BT", "/F1 12 Tf", lage, "(x)'", "ET"}); }

} // namespace

// Drawn on a page opened by an empty line: what follows the page's text block.
TEST(PdfZeichnen, GrafikDerOffenenSeite)
{
    pruefeFaelle({
        {"zwei Linien teilen ein S", [](clsPDF& p) { p.DrawLine(10, 20, 30, 40); p.DrawLine(50, 60, 70, 80); },
         {zeilen({"10 822 m 30 802 l", "50 782 m 70 762 l", "S"})}},
        {"re re f re, S beim Schließen",
         [](clsPDF& p) { p.DrawBox(10, 20, 30, 40, -1); p.DrawBox(50, 60, 70, 80, -1); p.DrawBox(1, 2, 3, 4, 0); },
         {zeilen({"10 782 30 40 re", "50 702 70 80 re", "f", "1 836 3 4 re", "S"})}},
        {"S vor dem Textblock", [](clsPDF& p) { p.DrawBox(1, 2, 3, 4, 0); p.FontSize(30); p.DrawText(5, 6, "t"); },
         {zeilen({"1 836 3 4 re", "S", "BT", "/F1 30 Tf", "5 836 Td", "(t)'", "ET"})}},
        {"Füllmodi", [](clsPDF& p) {
             p.FillMode(1); p.DrawBox(0, 0, 1, 1); // current mode 1: b
             p.DrawBox(0, 0, 1, 1, 2);             // s
             p.DrawBox(0, 0, 1, 1, 7);             // unknown mode: painted by the next operator
             p.DrawShape(-1); p.DrawShape();       // the second: nothing pending any more, S is set and written
         }, {zeilen({"0 841 1 1 re", "b", "0 841 1 1 re", "0 841 1 1 re", "s", "f", "S"})}},
        {"gedreht um Pi, Pi/2, -Pi/2, 0.5",
         [](clsPDF& p) { for (float w : {3.14159265f, 1.5707964f, -1.5707964f, 0.5f}) p.DrawText(100, 200, "x", w); },
         {textblock("-1 0 -0 -1 100 642 Tm") + textblock("0 1 -1 0 100 642 Tm") + textblock("0 -1 1 0 100 642 Tm") +
          textblock("0.878 0.479 -0.479 0.878 100 642 Tm")}},
        {"Kreis", [](clsPDF& p) { p.DrawCircle(100, 100, 10, -1); },
         {zeilen({"100 732 m", "105.523 732 110 736.477 110 742 c", "110 747.523 105.523 752 100 752 c",
                  "94.477 752 90 747.523 90 742 c", "90 736.477 94.477 732 100 732 c", "f"})}},
        {"Pfad mit Stiftposition", [](clsPDF& p) {
             p.MoveTo(10, 20); p.MoveTo(10, 20); p.DrawLineTo(30, 40); p.DrawCurveTo(1, 2, 3, 4, 5, 6);
             p.MoveTo(30, 40); // the pen is still at the line's end: nothing
             p.DrawLineTo(50, 60); p.DrawShape(2);
         }, {zeilen({"10 822 m", "30 802 l", "1 840 3 838 5 836 c", "50 782 l", "s"})}},
        // A new path always begins with its move, also at the pen position (the top-left corner after a
        // page opens, or where the last painted path ended).
        {"neuer Pfad beginnt mit Bewegung", [](clsPDF& p) {
             p.MoveTo(0, 0); p.DrawLineTo(100, 100); p.DrawShape(0);
             p.MoveTo(100, 100); p.DrawLineTo(200, 0); p.DrawShape(0);
         }, {zeilen({"0 842 m", "100 742 l", "S", "100 742 m", "200 842 l", "S"})}},
        {"Farben und Breite nur bei Änderung", [](clsPDF& p) {
             p.FillColor(0);                                             // unchanged: nothing
             p.FillColor(0xFFFFFF); p.FillColor(0);                      // only the final value is written
             p.DrawBox(10, 20, 30, 40, -1);
             p.FillColor(0x808080); p.DrawColor(static_cast<int32_t>(0xFF808080u)); // the high byte is no colour
             p.DrawWidth(2.5f);
             p.DrawBox(10, 20, 30, 40, 1); p.DrawBox(10, 20, 30, 40, 1); // the second: nothing flagged any more
             p.DrawWidth(0);                                             // 0 is written when set after another width
             p.Color(0x80FFFF); p.DrawLine(0, 0, 1, 1);
         }, {zeilen({"0 g", "10 782 30 40 re", "f", "0.502 G", "0.502 g", "2.5 w", "10 782 30 40 re",
                     "10 782 30 40 re", "b", "1 1 0.502 RG", "1 1 0.502 rg", "0 w", "0 842 m 1 841 l", "S"})}},
        // NaN and infinite values never give invalid number text.
        {"ungültige Zahlen", [](clsPDF& p) {
             p.DrawLine(kNan, kInf, -kInf, 5); p.DrawWidth(kNan); p.DrawBox(kNan, kNan, kNan, kNan, -1);
             p.DrawText(100, 200, "x", kNan);
         }, {zeilen({"0 -2147483647 m -2147483647 837 l", "S", "0 w", "0 0 0 0 re", "f"}) +
             textblock("0 0 -0 0 100 642 Tm")}},
    }, true);
}

// Colours and width in use are written again wherever a new content stream begins.
TEST(PdfZeichnen, FarbenUeberSeitenUndClear)
{
    const std::string seiteA = kTextKopf + "(a)'\rET\r";
    pruefeFaelle({
        {"Text vor der Seite liegt unter ihrem Text", [](clsPDF& p) { p.DrawText(10, 20, "x", 0); p.PrintLine(""); },
         {textblock("10 822 Td") + kTextKopf + "()'\rET\r"}},
        {"Seitenöffnung", [](clsPDF& p) {
             p.FillColor(0x0000FF); p.DrawColor(0x00FF00); p.DrawWidth(3);
             p.DrawBox(10, 20, 30, 40, -1); // waits for the page
             p.PrintLine("a");
             p.DrawBox(10, 20, 30, 40, -1); // on the page, after its text: colours again
         }, {zeilen({"0 1 0 RG", "1 0 0 rg", "3 w", "10 782 30 40 re", "f", "0 g"}) + seiteA +
             zeilen({"0 1 0 RG", "1 0 0 rg", "3 w", "10 782 30 40 re", "f"})}},
        // Graphics drawn between two pages keep their colour and width on the next page.
        {"Seitenwechsel", [](clsPDF& p) {
             p.PrintLine("a");
             p.FillColor(0x0000FF); p.DrawColor(0xFF0000); p.DrawWidth(2);
             p.DrawBox(10, 20, 30, 40, -1); p.DrawLine(1, 2, 3, 4); p.NewPage();
             p.DrawBox(50, 60, 70, 80, -1); p.DrawLine(5, 6, 7, 8); // between the pages
             p.PrintLine("b");
         }, {seiteA + zeilen({"0 0 1 RG", "1 0 0 rg", "2 w", "10 782 30 40 re", "f", "1 840 m 3 838 l", "S"}),
             zeilen({"0 0 1 RG", "1 0 0 rg", "2 w", "50 702 70 80 re", "f", "5 836 m 7 834 l", "S", "0 g"}) +
                 kTextKopf + "(b)'\rET\r"}},
        // Clear starts a new document in black, so colours in use are written again.
        {"Clear", [](clsPDF& p) {
             p.FillColor(0xFFFFFF); p.PrintLine("alt");
             p.DrawBox(1, 2, 3, 4, -1); // writes the colour into the old document
             p.Clear(); p.DrawBox(10, 20, 30, 40, -1); p.PrintLine("neu");
         }, {zeilen({"1 g", "10 782 30 40 re", "f", "0 g"}) + kTextKopf + "(neu)'\rET\r"}},
        // A PageStarted handler that fills uses up the colour before the page's "0 g".
        {"Seitenbeginn füllt", [](clsPDF& p) {
             p.FillColor(0x0000FF);
             p.PageStarted = [&p] { p.DrawBox(1, 2, 3, 4, -1); };
             p.PrintLine("a");
             p.DrawBox(10, 20, 30, 40, -1);
         }, {zeilen({"1 0 0 rg", "1 836 3 4 re", "f", "0 g"}) + seiteA + zeilen({"1 0 0 rg", "10 782 30 40 re", "f"})}},
        {"Grafik nach der letzten Seite erscheint nicht",
         [](clsPDF& p) { p.PrintLine("a"); p.NewPage(); p.DrawBox(1, 2, 3, 4, -1); p.DrawText(1, 2, "verloren"); },
         {seiteA}},
    });
}
