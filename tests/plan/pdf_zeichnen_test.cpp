// Vector drawing, text blocks, colours and the deferred painting operator of the PDF writer.
#include "pdf_testhilfe.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

using namespace kav;
using namespace kav::test;

namespace {

const std::string kSeitenText = zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL", "()'", "ET"});

// Page 1's content of a writer that drew everything on its open page (opened by an empty line).
std::string grafikDerSeite(clsPDF& pdf)
{
    const std::string s = inhalt(gepruefterWert(pdf), 1);
    const size_t p = s.find(kSeitenText);
    return p == std::string::npos ? "<kein Seitentext: " + s + ">" : s.substr(p + kSeitenText.size());
}

clsPDF offeneSeite()
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("");
    return pdf;
}

} // namespace

TEST(PdfZeichnen, ZweiLinienTeilenEinS)
{
    clsPDF pdf = offeneSeite();
    pdf.DrawLine(10, 20, 30, 40);
    pdf.DrawLine(50, 60, 70, 80);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"10 822 m 30 802 l", "50 782 m 70 762 l", "S"}));
}

TEST(PdfZeichnen, RechteckeTeilenIhrenFuellOperator)
{
    clsPDF pdf = offeneSeite();
    pdf.DrawBox(10, 20, 30, 40, -1);
    pdf.DrawBox(50, 60, 70, 80, -1);
    pdf.DrawBox(1, 2, 3, 4, 0);
    // The S is still pending: the page's closing writes it.
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"10 782 30 40 re", "50 702 70 80 re", "f", "1 836 3 4 re", "S"}));

    clsPDF folgt = offeneSeite();
    folgt.DrawBox(1, 2, 3, 4, 0);
    folgt.DrawText(5, 6, "t");
    EXPECT_EQ(grafikDerSeite(folgt), zeilen({"1 836 3 4 re", "S", "BT", "/F1 12 Tf", "5 836 Td", "(t)'", "ET"}));
}

TEST(PdfZeichnen, FuellModiUndAktuellerModus)
{
    clsPDF pdf = offeneSeite();
    pdf.FillMode(1);
    pdf.DrawBox(0, 0, 1, 1);          // current mode 1: b
    pdf.DrawBox(0, 0, 1, 1, 2);       // s
    pdf.DrawBox(0, 0, 1, 1, 7);       // unknown mode: painted by the next operator
    pdf.DrawShape(-1);
    pdf.DrawShape();                  // nothing pending any more: S is set and written
    EXPECT_EQ(pdf.FillMode(), 1);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"0 841 1 1 re", "b", "0 841 1 1 re", "0 841 1 1 re", "s", "f", "S"}));
}

TEST(PdfZeichnen, TextVorDerSeiteSitztUnterIhremText)
{
    clsPDF pdf = neuesPdf();
    pdf.DrawText(10, 20, "x", 0);
    pdf.PrintLine("");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "10 822 Td", "(x)'", "ET"}) + kSeitenText);
}

TEST(PdfZeichnen, GedrehterText)
{
    const struct {
        float winkel;
        const char* matrix;
    } faelle[] = {
        {3.14159265f, "-1 0 -0 -1 100 642 Tm"},
        {1.5707964f, "0 1 -1 0 100 642 Tm"},
        {-1.5707964f, "0 -1 1 0 100 642 Tm"},
        {0.5f, "0.878 0.479 -0.479 0.878 100 642 Tm"},
        {std::numeric_limits<float>::quiet_NaN(), "0 0 -0 0 100 642 Tm"},
    };
    for (const auto& f : faelle) {
        clsPDF pdf = offeneSeite();
        pdf.FontSize(30);
        pdf.DrawText(100, 200, "x", f.winkel);
        EXPECT_EQ(grafikDerSeite(pdf), zeilen({"BT", "/F1 30 Tf", f.matrix, "(x)'", "ET"})) << f.winkel;
    }
}

TEST(PdfZeichnen, Kreis)
{
    clsPDF pdf = offeneSeite();
    pdf.DrawCircle(100, 100, 10, -1);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"100 732 m",
                                          "105.523 732 110 736.477 110 742 c",
                                          "110 747.523 105.523 752 100 752 c",
                                          "94.477 752 90 747.523 90 742 c",
                                          "90 736.477 94.477 732 100 732 c",
                                          "f"}));
}

TEST(PdfZeichnen, PfadeMitStiftposition)
{
    clsPDF pdf = offeneSeite();
    pdf.MoveTo(10, 20);
    pdf.MoveTo(10, 20);
    pdf.DrawLineTo(30, 40);
    pdf.DrawCurveTo(1, 2, 3, 4, 5, 6);
    pdf.MoveTo(30, 40);   // the pen is still at the line's end: nothing
    pdf.DrawLineTo(50, 60);
    pdf.DrawShape(2);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"10 822 m", "30 802 l", "1 840 3 838 5 836 c", "50 782 l", "s"}));
}

// Our choice where the writer is free: a new path always begins with its move, also at the pen
// position (the top-left corner after a page opens, or where the last painted path ended).
TEST(PdfZeichnen, NeuerPfadBeginntMitBewegung)
{
    clsPDF pdf = offeneSeite();
    pdf.MoveTo(0, 0);            // the pen position a page opening sets
    pdf.DrawLineTo(100, 100);
    pdf.DrawShape(0);
    pdf.MoveTo(100, 100);        // where the painted path ended
    pdf.DrawLineTo(200, 0);
    pdf.DrawShape(0);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"0 842 m", "100 742 l", "S", "100 742 m", "200 842 l", "S"}));
}

TEST(PdfZeichnen, FarbenUndBreiteNurBeiAenderung)
{
    clsPDF pdf = offeneSeite();
    pdf.FillColor(0);                   // unchanged: nothing
    pdf.FillColor(0xFFFFFF);
    pdf.FillColor(0);                   // only the final value is written
    pdf.DrawBox(10, 20, 30, 40, -1);
    pdf.FillColor(0x808080);
    pdf.DrawColor(0x0000FF);
    pdf.DrawWidth(2.5f);
    pdf.DrawBox(10, 20, 30, 40, 1);
    pdf.DrawBox(10, 20, 30, 40, 1);     // nothing flagged any more
    pdf.DrawWidth(0);                   // 0 is written when set after another width
    pdf.Color(0x80FFFF);
    pdf.DrawLine(0, 0, 1, 1);
    EXPECT_EQ(pdf.DrawColor(), 0x80FFFF);
    EXPECT_EQ(pdf.FillColor(), 0x80FFFF);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"0 g", "10 782 30 40 re", "f",
                                          "1 0 0 RG", "0.502 g", "2.5 w", "10 782 30 40 re", "10 782 30 40 re", "b",
                                          "1 1 0.502 RG", "1 1 0.502 rg", "0 w", "0 842 m 1 841 l", "S"}));
}

TEST(PdfZeichnen, FarbaenderungMaltDenOffenenPfadZuerst)
{
    clsPDF pdf = offeneSeite();
    pdf.DrawLine(0, 0, 10, 10);
    pdf.DrawColor(0x0000FF);      // writes the pending S, the new colour waits for the next line
    pdf.DrawLine(0, 0, 10, 10);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"0 842 m 10 832 l", "S", "1 0 0 RG", "0 842 m 10 832 l", "S"}));
}

TEST(PdfZeichnen, SeitenoeffnungSetztFarbenNeu)
{
    clsPDF pdf = neuesPdf();
    pdf.FillColor(0x0000FF);
    pdf.DrawColor(0x00FF00);
    pdf.DrawWidth(3);
    pdf.DrawBox(10, 20, 30, 40, -1);    // waits for the page
    pdf.PrintLine("a");
    pdf.DrawBox(10, 20, 30, 40, -1);    // on the page, after its text: colours again
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(inhalt(d, 1), zeilen({"0 1 0 RG", "1 0 0 rg", "3 w", "10 782 30 40 re", "f",
                                    "0 g", "BT", "/F1 12 Tf", "0 842 Td", "12 TL", "(a)'", "ET",
                                    "0 1 0 RG", "1 0 0 rg", "3 w", "10 782 30 40 re", "f"}));
}

// Mended: graphics drawn between two pages keep their colour and width on the next page.
TEST(PdfZeichnen, FarbeUndBreiteUeberDenSeitenwechsel)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("a");
    pdf.FillColor(0x0000FF);
    pdf.DrawColor(0xFF0000);
    pdf.DrawWidth(2);
    pdf.DrawBox(10, 20, 30, 40, -1);
    pdf.DrawLine(1, 2, 3, 4);
    pdf.NewPage();
    pdf.DrawBox(50, 60, 70, 80, -1);    // between the pages
    pdf.DrawLine(5, 6, 7, 8);
    pdf.PrintLine("b");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(pruefeDokument(d), 2);
    EXPECT_EQ(inhalt(d, 1), zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL", "(a)'", "ET",
                                    "0 0 1 RG", "1 0 0 rg", "2 w", "10 782 30 40 re", "f", "1 840 m 3 838 l", "S"}));
    EXPECT_EQ(inhalt(d, 2), zeilen({"0 0 1 RG", "1 0 0 rg", "2 w", "50 702 70 80 re", "f", "5 836 m 7 834 l", "S",
                                    "0 g", "BT", "/F1 12 Tf", "0 842 Td", "12 TL", "(b)'", "ET"}));
}

// Mended as well: Clear starts a new document in black, so colours in use are written again.
TEST(PdfZeichnen, FarbeNachClear)
{
    clsPDF pdf = neuesPdf();
    pdf.FillColor(0x0000FF);
    pdf.PrintLine("alt");
    pdf.DrawBox(1, 2, 3, 4, -1);        // writes the colour into the old document
    pdf.Clear();
    pdf.DrawBox(10, 20, 30, 40, -1);
    pdf.PrintLine("neu");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(inhalt(d, 1), zeilen({"1 0 0 rg", "10 782 30 40 re", "f",
                                    "0 g", "BT", "/F1 12 Tf", "0 842 Td", "12 TL", "(neu)'", "ET"}));
}

TEST(PdfZeichnen, GrafikNachDerLetztenSeiteErscheintNicht)
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("a");
    pdf.NewPage();
    pdf.DrawBox(1, 2, 3, 4, -1);
    pdf.DrawText(1, 2, "verloren");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(d.find(" re\r"), std::string::npos);
    EXPECT_EQ(d.find("verloren"), std::string::npos);
    EXPECT_EQ(pruefeDokument(d), 1);
}

// Mended: NaN and infinite values never give invalid number text.
TEST(PdfZeichnen, UngueltigeZahlen)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    clsPDF pdf = offeneSeite();
    pdf.DrawLine(nan, inf, -inf, 5);
    pdf.DrawWidth(nan);
    pdf.DrawBox(nan, nan, nan, nan, -1);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"0 -2147483647 m -2147483647 837 l", "S", "0 w", "0 0 0 0 re", "f"}));
}

TEST(PdfZeichnen, QuerformatRechnetMitDerQuerhoehe)
{
    clsPDF pdf = neuesPdf();
    pdf.Orientation(1);
    pdf.PrintLine("");
    pdf.DrawBox(10, 20, 30, 40, -1);
    pdf.DrawText(10, 20, "q");
    const std::string s = inhalt(gepruefterWert(pdf), 1);
    EXPECT_NE(s.find("\r10 536 30 40 re\rf\rBT\r/F1 12 Tf\r10 576 Td\r"), std::string::npos) << s;
}

TEST(PdfZeichnen, ZahlenImDeutschenGebietsschema)
{
    const std::string alt = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "Gebietsschema de_DE.UTF-8 fehlt";
    const float mm15 = 15.0f * 720 / 254;
    clsPDF pdf = neuesPdf();
    pdf.LeftMargin(mm15);
    pdf.Width(595.5f);
    pdf.PrintLine("");
    pdf.DrawText(mm15, mm15, "x");
    pdf.DrawWidth(0.25f);
    pdf.FillColor(0x808080);
    pdf.DrawBox(mm15, 100.5f, 12.25f, 0.5f, -1);
    const std::string d = gepruefterWert(pdf);
    std::setlocale(LC_ALL, alt.c_str());
    EXPECT_NE(d.find("42.52 799.48 Td"), std::string::npos);
    EXPECT_NE(d.find("42.51968 842 Td"), std::string::npos);
    EXPECT_NE(d.find("/MediaBox [0 0 595.5 842]"), std::string::npos);
    EXPECT_NE(d.find("0.502 g\r0.25 w\r42.52 741 12.25 0.5 re"), std::string::npos);
    EXPECT_EQ(d.find(','), std::string::npos);
}
