// The 64-band gradient: colours per band, band edges, and what lands on a window.
#include "platform/farbverlauf.h"
#include "platform/farbverlaufzeichnen.h"
#include "platform/twips.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace kav;

namespace {
QColor rgb(int r, int g, int b) { return QColor(r, g, b); }
} // namespace

TEST(Farbverlauf, GleicheFarbenGebenEineFarbe)
{
    for (const FarbBand& b : farbverlaufBaender(640, 188, 188, 188, 188, 188, 188))
        EXPECT_EQ(b.farbe, rgb(188, 188, 188));
}

TEST(Farbverlauf, SchrittEinsBeiHellerFarbe)
{
    const auto b = farbverlaufBaender(640, 100, 150, 200, 132, 182, 232);
    EXPECT_EQ(b[0].farbe, rgb(101, 151, 201));
    EXPECT_EQ(b[31].farbe, rgb(132, 182, 232));
    EXPECT_EQ(b[32].farbe, rgb(131, 181, 231));
    EXPECT_EQ(b[63].farbe, rgb(100, 150, 200));
    for (int i = 1; i < 32; ++i)
        EXPECT_EQ(b[i].farbe.red() - b[i - 1].farbe.red(), 1) << i;
}

TEST(Farbverlauf, HalbeSchritteRundenZurGeradenZahl)
{
    // difference 16: step 0.5; 100.5 goes to 100 and stays there
    for (const FarbBand& b : farbverlaufBaender(64, 100, 100, 100, 116, 116, 116))
        EXPECT_EQ(b.farbe.red(), 100);
    // from 101: 101.5 goes to 102, then 102.5 back to 102 every time, also on the way down
    for (const FarbBand& b : farbverlaufBaender(64, 101, 0, 0, 117, 0, 0))
        EXPECT_EQ(b.farbe.red(), 102);
    // difference 15 is less than half a step: unchanged over all bands
    for (const FarbBand& b : farbverlaufBaender(64, 10, 10, 10, 25, 25, 25))
        EXPECT_EQ(b.farbe, rgb(10, 10, 10));
    // difference 48: step 1.5; 1.5 -> 2, 3.5 -> 4, 5.5 -> 6
    const auto d = farbverlaufBaender(64, 0, 0, 0, 48, 48, 48);
    EXPECT_EQ(d[0].farbe.red(), 2);
    EXPECT_EQ(d[1].farbe.red(), 4);
    EXPECT_EQ(d[2].farbe.red(), 6);
}

TEST(Farbverlauf, TeileUeber255UndNegativeWerte)
{
    // highlight above 255 (no upper bound on the highlight): parts are capped at 255
    const auto b = farbverlaufBaender(64, 250, 0, 0, 282, 0, 0);
    EXPECT_EQ(b[31].farbe.red(), 255);
    EXPECT_EQ(b[63].farbe.red(), 250);
    // a negative part is shown by its amount
    const auto n = farbverlaufBaender(64, 0, 0, 0, -64, 0, 0);
    EXPECT_EQ(n[0].farbe.red(), 2);
}

TEST(Farbverlauf, BandkantenHalbZuGeradeOhneLuecken)
{
    // height 32: edge of band 1 at 0.5 -> 0, of band 3 at 1.5 -> 2, of band 5 at 2.5 -> 2
    const auto k = farbverlaufBaender(32, 0, 0, 0, 32, 32, 32);
    EXPECT_EQ(k[0].unten, 0);
    EXPECT_EQ(k[2].unten, 2);
    EXPECT_EQ(k[4].unten, 2);
    EXPECT_EQ(k[6].unten, 4);
    for (int h : {0, 1, 7, 32, 63, 64, 65, 100, 129, 480, 1001, 1024}) {
        const auto b = farbverlaufBaender(h, 1, 2, 3, 33, 34, 35);
        EXPECT_EQ(b.front().oben, 0) << h;
        EXPECT_EQ(b.back().unten, h) << h;
        for (size_t i = 1; i < b.size(); ++i) {
            EXPECT_EQ(b[i].oben, b[i - 1].unten) << h << " band " << i;
            EXPECT_GE(b[i].unten, b[i].oben);
        }
    }
}

TEST(Farbverlauf, FensterBekommtJedeZeileGemalt)
{
    QWidget w;
    w.resize(50, 100);
    FarbverlaufZeichnen(&w, 100, 150, 200, 132, 182, 232);
    EXPECT_TRUE(w.autoFillBackground());
    const QImage bild = w.palette().brush(QPalette::Window).texture().toImage();
    ASSERT_EQ(bild.size(), QSize(50, 100));
    EXPECT_EQ(QColor(bild.pixel(0, 0)), rgb(101, 151, 201));
    EXPECT_EQ(QColor(bild.pixel(49, 99)), rgb(100, 150, 200));
    const auto baender = farbverlaufBaender(100, 100, 150, 200, 132, 182, 232);
    for (const FarbBand& b : baender)
        for (int y = b.oben; y < b.unten; ++y)
            ASSERT_EQ(QColor(bild.pixel(25, y)), b.farbe) << "Zeile " << y;

    FarbverlaufZeichnen(nullptr, 1, 2, 3, 4, 5, 6); // nothing to paint on: no crash
    QWidget leer;
    leer.resize(0, 0);
    FarbverlaufZeichnen(&leer, 1, 2, 3, 4, 5, 6);
    EXPECT_THROW(FarbverlaufZeichnenBild(nullptr, 1, 2, 3, 4, 5, 6), forms::FormsFehler);
}
