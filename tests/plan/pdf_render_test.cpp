// A document of the PDF writer as a real reader renders it (pdftoppm at 72 dpi: one pixel per point).
#include "pdf_testhilfe.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <array>

using namespace kav;
using namespace kav::test;

namespace {

// Quadrants: black | red over yellow | blue, as 2 × 2 pixels or 2n × 2n (which packs with RunLength).
QImage viertel(int n)
{
    QImage b(2 * n, 2 * n, QImage::Format_RGB32);
    for (int y = 0; y < 2 * n; ++y)
        for (int x = 0; x < 2 * n; ++x)
            b.setPixel(x, y, y < n ? (x < n ? qRgb(0, 0, 0) : qRgb(255, 0, 0))
                                   : (x < n ? qRgb(255, 255, 0) : qRgb(0, 0, 255)));
    return b;
}

int dunklePunkte(const QImage& seite, int x0, int y0, int x1, int y1)
{
    return test::punkte(seite, QRect(QPoint(x0, y0), QPoint(x1, y1)), [](QColor c) { return qGray(c.rgb()) < 128; });
}

} // namespace

TEST(PdfRendern, BaenderLinieTexteUndBilder)
{
    using Bild = void (clsPDF::*)(float, float, float, float, const QImage&, bool);
    const QImage klein = viertel(1), gross = viertel(10), acht = viertel(8); // 16 wide: no added columns
    const std::array<const char*, 4> bunt = {"#000000", "#ff0000", "#ffff00", "#0000ff"},
                                     grau = {"#000000", "#4d4d4d", "#e3e3e3", "#1c1c1c"}; // 0, 77, 227, 28
    // Each picture with the colours at the quadrant centres of its box.
    const struct {
        const char* name; Bild zeichnen; int x, y, breite, hoehe; QImage bild; bool grau;
        std::array<const char*, 4> viertel;
    } bilder[] = {
        {"2x2 ungepackt", &clsPDF::DrawPicture, 100, 400, 100, 100, klein, false, bunt},
        {"20x20 gepackt", &clsPDF::DrawPicture, 250, 400, 100, 100, gross, false, bunt},
        {"4 Bit", &clsPDF::DrawPicture4, 100, 520, 100, 100, gross, false, bunt},
        {"2 Bit", &clsPDF::DrawPicture2, 250, 520, 100, 100, acht, false, bunt},
        {"1 Bit", &clsPDF::DrawPicture1, 400, 520, 100, 100, acht, false, bunt},
        {"gespiegelt", &clsPDF::DrawPicture, 450, 650, -100, 100, klein, false, {bunt[1], bunt[0], bunt[3], bunt[2]}},
        {"grau ungepackt", &clsPDF::DrawPicture, 100, 760, 60, 60, klein, true, grau},
        {"grau gepackt", &clsPDF::DrawPicture, 200, 760, 60, 60, gross, true, grau},
    };

    clsPDF pdf = neuesPdf();
    // Before the page: text turned upwards and a red band. The page's text line is black all the same ("0 g"
    // before BT).
    pdf.FontSize(40);
    pdf.DrawText(300, 740, "HHHH", 3.14159265f / 2);
    pdf.FillColor(0x0000FF);
    pdf.DrawBox(50, 100, 300, 40, -1);
    pdf.LeftMargin(100);
    pdf.TopMargin(150);
    pdf.PrintLine("MMMM");
    // On the page: a blue line 6 points wide, the pictures, a green band.
    pdf.DrawColor(0xFF0000);
    pdf.DrawWidth(6);
    pdf.DrawLine(50, 300, 500, 300);
    for (const auto& b : bilder)
        (pdf.*b.zeichnen)(b.x, b.y, b.breite, b.hoehe, b.bild, b.grau);
    QImage drei(3, 1, QImage::Format_RGB32); // black, 3 wide: at 4 bits a white fourth column is added
    drei.fill(Qt::black);
    pdf.DrawPicture4(400, 400, 80, 20, drei);
    pdf.FillColor(0x00FF00);
    pdf.DrawBox(400, 150, 150, 40, -1);
    pdf.NewPage();
    pdf.DrawBox(50, 50, 200, 50, -1); // between the pages: keeps its colour
    pdf.PrintLine("Seite 2");
    const std::string d = gepruefterWert(pdf);

    // The small picture went in raw, the large one packed.
    const std::string s = inhalt(d, 1);
    EXPECT_NE(s.find("/W 2\r/H 2\r/BPC 8\r/CS /RGB\rID "), std::string::npos);
    EXPECT_NE(s.find("/W 20\r/H 20\r/BPC 8\r/CS /RGB\r/F /RL\rID "), std::string::npos);
    EXPECT_NE(s.find("/W 20\r/H 20\r/BPC 8\r/CS /G\r/F /RL\rID "), std::string::npos);

    const QImage seite = rendern(d);
    ASSERT_EQ(seite.size(), QSize(596, 842));
    const auto farbe = [](const QImage& bild, int x, int y) { return bild.pixelColor(x, y).name().toStdString(); };
    const std::tuple<int, int, const char*> punkte[] = {
        {200, 120, "#ff0000"}, {60, 105, "#ff0000"}, {200, 95, "#ffffff"}, {355, 120, "#ffffff"}, // red band
        {475, 170, "#00ff00"},                                                                     // green band
        {275, 300, "#0000ff"}, {60, 299, "#0000ff"}, {275, 307, "#ffffff"},                        // line
        {405, 410, "#000000"}, {430, 410, "#000000"}, {455, 410, "#000000"}, {475, 410, "#ffffff"}, // 3 wide
    };
    for (const auto& [x, y, f] : punkte)
        EXPECT_EQ(farbe(seite, x, y), f) << x << "," << y;
    for (const auto& b : bilder) {
        const int a = b.hoehe / 4, c = b.hoehe * 3 / 4;
        const QPoint mitten[4] = {{b.x + a, b.y + a}, {b.x + c, b.y + a}, {b.x + a, b.y + c}, {b.x + c, b.y + c}};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(farbe(seite, mitten[i].x(), mitten[i].y()), b.viertel[i]) << b.name << ", Viertel " << i;
    }
    // The text line: its baseline one font size below the top margin.
    EXPECT_GT(dunklePunkte(seite, 100, 165, 200, 188), 300);
    EXPECT_EQ(dunklePunkte(seite, 100, 142, 300, 155), 0);
    EXPECT_EQ(dunklePunkte(seite, 100, 193, 300, 290), 0);
    // Turned text: glyphs left of x = 300 running up from y = 740, nothing where level text would be.
    EXPECT_GT(dunklePunkte(seite, 266, 630, 299, 739), 300);
    EXPECT_EQ(dunklePunkte(seite, 302, 700, 420, 739), 0);

    // Packed and raw render alike over the whole box, away from the quadrant edges.
    for (int y = 405; y < 495; y += 3) {
        for (int x = 105; x < 195; x += 3) {
            if (std::abs(x - 150) > 3 && std::abs(y - 450) > 3) {
                ASSERT_EQ(seite.pixel(x, y), seite.pixel(x + 150, y)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(farbe(rendern(d, 2), 150, 75), "#00ff00");
}
