// Documents of the PDF writer as a real reader renders them (pdftoppm at 72 dpi: one pixel per point).
#include "pdf_testhilfe.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

using namespace kav;
using namespace kav::test;

namespace {

constexpr float kPi = 3.14159265f;

// Quadrants: black | red over yellow | blue, as 2 × 2 pixels or 20 × 20 (which packs with RunLength).
QImage viertel(int n)
{
    QImage b(2 * n, 2 * n, QImage::Format_RGB32);
    for (int y = 0; y < 2 * n; ++y)
        for (int x = 0; x < 2 * n; ++x)
            b.setPixel(x, y, y < n ? (x < n ? qRgb(0, 0, 0) : qRgb(255, 0, 0)) : (x < n ? qRgb(255, 255, 0) : qRgb(0, 0, 255)));
    return b;
}

QColor bei(const QImage& seite, int x, int y) { return seite.pixelColor(x, y); }

std::string farbe(const QColor& c)
{
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

int dunklePunkte(const QImage& seite, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (qGray(seite.pixel(x, y)) < 128)
                ++n;
    return n;
}

// The colours at the quadrant centres of a box of 100 (or `groesse`) points at (x, y).
void pruefeViertel(const QImage& seite, int x, int y, const QColor (&erwartet)[4], const char* name, int groesse = 100)
{
    const int a = groesse / 4, b = groesse * 3 / 4;
    const QPoint punkte[4] = {{x + a, y + a}, {x + b, y + a}, {x + a, y + b}, {x + b, y + b}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(farbe(bei(seite, punkte[i].x(), punkte[i].y())), farbe(erwartet[i])) << name << " Viertel " << i;
}

} // namespace

TEST(PdfRendern, BandLinieTextUndBilder)
{
    clsPDF pdf = neuesPdf();
    // A red band, a blue line 6 points wide, text turned upwards, pictures in several forms.
    pdf.FillColor(0x0000FF);
    pdf.DrawBox(50, 100, 300, 40, -1);
    pdf.DrawColor(0xFF0000);
    pdf.DrawWidth(6);
    pdf.DrawLine(50, 300, 500, 300);
    pdf.FillColor(0);
    pdf.FontSize(40);
    pdf.DrawText(300, 740, "HHHH", kPi / 2);

    const QImage klein = viertel(1);
    const QImage gross = viertel(10);
    const QImage acht = viertel(8); // 16 wide: no added columns at 2 and 1 bits
    pdf.DrawPicture(100, 400, 100, 100, klein);
    pdf.DrawPicture(250, 400, 100, 100, gross);
    pdf.DrawPicture4(100, 520, 100, 100, gross);
    pdf.DrawPicture2(250, 520, 100, 100, acht);
    pdf.DrawPicture1(400, 520, 100, 100, acht);
    pdf.DrawPicture(450, 650, -100, 100, klein);   // mirrored in its box
    pdf.DrawPicture(100, 760, 60, 60, klein, true);
    pdf.DrawPicture(200, 760, 60, 60, gross, true);
    // 3 pixels wide at 4 bits: a fourth, white column is added on the right.
    QImage drei(3, 1, QImage::Format_RGB32);
    drei.fill(Qt::black);
    pdf.DrawPicture4(400, 400, 80, 20, drei);
    pdf.FontSize(12);
    pdf.PrintLine("");
    const std::string d = gepruefterWert(pdf);

    // The small picture went in raw, the large one packed.
    const std::string s = inhalt(d, 1);
    EXPECT_NE(s.find("/W 2\r/H 2\r/BPC 8\r/CS /RGB\rID "), std::string::npos);
    EXPECT_NE(s.find("/W 20\r/H 20\r/BPC 8\r/CS /RGB\r/F /RL\rID "), std::string::npos);
    EXPECT_NE(s.find("/W 20\r/H 20\r/BPC 8\r/CS /G\r/F /RL\rID "), std::string::npos);

    const QImage seite = rendern(d);
    ASSERT_EQ(seite.width(), 596);
    ASSERT_EQ(seite.height(), 842);

    // Band in its colour, white around it.
    EXPECT_EQ(farbe(bei(seite, 200, 120)), "255,0,0");
    EXPECT_EQ(farbe(bei(seite, 60, 105)), "255,0,0");
    EXPECT_EQ(farbe(bei(seite, 200, 95)), "255,255,255");
    EXPECT_EQ(farbe(bei(seite, 355, 120)), "255,255,255");
    // The line.
    EXPECT_EQ(farbe(bei(seite, 275, 300)), "0,0,255");
    EXPECT_EQ(farbe(bei(seite, 60, 299)), "0,0,255");
    EXPECT_EQ(farbe(bei(seite, 275, 307)), "255,255,255");
    // Turned text: glyphs left of x = 300 running up from y = 740, nothing where level text would be.
    EXPECT_GT(dunklePunkte(seite, 266, 630, 299, 739), 300);
    EXPECT_EQ(dunklePunkte(seite, 302, 700, 420, 739), 0);

    const QColor schwarz(0, 0, 0), rot(255, 0, 0), gelb(255, 255, 0), blau(0, 0, 255);
    const QColor farben[4] = {schwarz, rot, gelb, blau};
    pruefeViertel(seite, 100, 400, farben, "2x2 ungepackt");
    pruefeViertel(seite, 250, 400, farben, "20x20 gepackt");
    pruefeViertel(seite, 100, 520, farben, "4 Bit");
    pruefeViertel(seite, 250, 520, farben, "2 Bit");
    pruefeViertel(seite, 400, 520, farben, "1 Bit");
    for (int x : {405, 430, 455})
        EXPECT_EQ(farbe(bei(seite, x, 410)), "0,0,0") << x;
    EXPECT_EQ(farbe(bei(seite, 475, 410)), "255,255,255");
    const QColor gespiegelt[4] = {rot, schwarz, blau, gelb};
    pruefeViertel(seite, 450, 650, gespiegelt, "gespiegelt");
    const QColor grau[4] = {QColor(0, 0, 0), QColor(77, 77, 77), QColor(227, 227, 227), QColor(28, 28, 28)};
    pruefeViertel(seite, 100, 760, grau, "grau ungepackt", 60);
    pruefeViertel(seite, 200, 760, grau, "grau gepackt", 60);

    // Packed and raw render alike over the whole box, away from the quadrant edges.
    for (int y = 405; y < 495; y += 3) {
        for (int x = 105; x < 195; x += 3) {
            if (std::abs(x - 150) > 3 && std::abs(y - 450) > 3) {
                ASSERT_EQ(seite.pixel(x, y), seite.pixel(x + 150, y)) << x << "," << y;
            }
        }
    }
}

// The mended colour state as a reader sees it: a band drawn between two pages keeps its colour.
TEST(PdfRendern, FarbeUeberDenSeitenwechsel)
{
    clsPDF pdf = neuesPdf();
    pdf.FillColor(0x00FF00);
    pdf.DrawBox(50, 50, 200, 50, -1);
    pdf.PrintLine("Seite 1");
    pdf.DrawBox(50, 150, 200, 50, -1); // on the open page: the colour line is used up here
    pdf.NewPage();
    pdf.DrawBox(50, 50, 200, 50, -1);
    pdf.PrintLine("Seite 2");
    const std::string d = gepruefterWert(pdf);
    EXPECT_EQ(farbe(bei(rendern(d, 1), 150, 75)), "0,255,0");
    EXPECT_EQ(farbe(bei(rendern(d, 1), 150, 175)), "0,255,0");
    EXPECT_EQ(farbe(bei(rendern(d, 2), 150, 75)), "0,255,0");
}

TEST(PdfRendern, TextzeilenUndQuerformat)
{
    clsPDF pdf = neuesPdf();
    pdf.Orientation(1);
    pdf.LeftMargin(100);
    pdf.TopMargin(100);
    pdf.Clear(40, 0);
    pdf.FillColor(0x0000FF);
    pdf.PrintLine("MMMM");
    const QImage seite = rendern(gepruefterWert(pdf));
    ASSERT_EQ(seite.width(), 842);
    ASSERT_EQ(seite.height(), 596);
    // Page text is black ("0 g" before BT), its first baseline one font size below the top margin.
    EXPECT_GT(dunklePunkte(seite, 100, 110, 200, 139), 300);
    EXPECT_EQ(dunklePunkte(seite, 100, 60, 300, 105), 0);
    EXPECT_EQ(dunklePunkte(seite, 100, 143, 300, 200), 0);
}
