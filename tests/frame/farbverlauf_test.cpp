// The 64-band gradient: colours per band, band edges, and what lands on a window.
#include "platform/farbkontrast.h"
#include "platform/farbverlauf.h"
#include "platform/farbverlaufzeichnen.h"
#include "platform/twips.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace kav;

TEST(Farbverlauf, BandfarbenHalbZuGerade)
{
    // grey from `von` to `bis`: the grey of bands 0, 1, 2, 31, 32 and 63
    const struct { int von, bis; int grau[6]; } faelle[] = {
        {188, 188, {188, 188, 188, 188, 188, 188}}, // equal colours give one colour
        {100, 132, {101, 102, 103, 132, 131, 100}}, // step 1
        {100, 116, {100, 100, 100, 100, 100, 100}}, // step 0.5: 100.5 -> 100 and stays there
        {101, 117, {102, 102, 102, 102, 102, 102}}, // 101.5 -> 102, then 102.5 -> 102, also on the way down
        {10, 25, {10, 10, 10, 10, 10, 10}},         // less than half a step
        {0, 48, {2, 4, 6, 64, 62, 0}},              // step 1.5: 1.5 -> 2, 3.5 -> 4, 5.5 -> 6
        {250, 282, {251, 252, 253, 255, 255, 250}}, // a highlight above 255 is capped
        {0, -64, {2, 4, 6, 64, 62, 0}},             // a negative part is shown by its amount
    };
    for (const auto& f : faelle) {
        const auto b = farbverlaufBaender(64, f.von, f.von, f.von, f.bis, f.bis, f.bis);
        const int baender[] = {0, 1, 2, 31, 32, 63};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(b[baender[i]].farbe, QColor(f.grau[i], f.grau[i], f.grau[i])) << f.von << "->" << f.bis << " band " << baender[i];
    }
}

TEST(Farbverlauf, BandkantenHalbZuGeradeOhneLuecken)
{
    // height 32: edge of band 1 at 0.5 -> 0, of band 3 at 1.5 -> 2, of band 5 at 2.5 -> 2, of band 7 at 3.5 -> 4
    const auto k = farbverlaufBaender(32, 0, 0, 0, 32, 32, 32);
    EXPECT_EQ(QList<int>({k[0].unten, k[2].unten, k[4].unten, k[6].unten}), QList<int>({0, 2, 2, 4}));
    for (int h : {0, 1, 7, 63, 65, 129, 480, 1001, 1024}) {
        const auto b = farbverlaufBaender(h, 1, 2, 3, 33, 34, 35);
        EXPECT_EQ(b.front().oben, 0) << h;
        EXPECT_EQ(b.back().unten, h) << h;
        for (size_t i = 1; i < b.size(); ++i)
            EXPECT_TRUE(b[i].oben == b[i - 1].unten && b[i].unten >= b[i].oben) << h << " band " << i;
    }
}

TEST(Farbverlauf, FensterBekommtJedeZeileGemalt)
{
    QWidget w;
    w.resize(50, 100);
    FarbverlaufZeichnen(&w, 100, 150, 200, 132, 166, 168); // steps 1, 0.5 and -1
    EXPECT_TRUE(w.autoFillBackground());
    const QImage bild = w.grab().toImage();
    ASSERT_EQ(bild.size(), QSize(50, 100));
    EXPECT_EQ(QColor(bild.pixel(0, 0)), QColor(101, 150, 199)); // each part by its own step
    EXPECT_EQ(QColor(bild.pixel(49, 99)), QColor(100, 150, 200));
    for (const FarbBand& b : farbverlaufBaender(100, 100, 150, 200, 132, 166, 168))
        for (int y = b.oben; y < b.unten; ++y)
            for (int x : {0, 25, 49})
                ASSERT_EQ(QColor(bild.pixel(x, y)), b.farbe) << "Zeile " << y << ", Spalte " << x;
    // a wider window of the same height in the same colours keeps what it has, across its width
    const qint64 vorher = w.palette().brush(QPalette::Window).texture().cacheKey();
    w.resize(300, 100);
    FarbverlaufZeichnen(&w, 100, 150, 200, 132, 166, 168);
    EXPECT_EQ(w.palette().brush(QPalette::Window).texture().cacheKey(), vorher);
    EXPECT_EQ(QColor(w.grab().toImage().pixel(299, 0)), QColor(101, 150, 199));
    FarbverlaufZeichnen(&w, 100, 150, 201, 132, 166, 168); // another colour is painted anew
    EXPECT_NE(w.palette().brush(QPalette::Window).texture().cacheKey(), vorher);

    FarbverlaufZeichnen(nullptr, 1, 2, 3, 4, 5, 6); // nothing to paint on: no crash
    QWidget leer;
    leer.resize(0, 0);
    FarbverlaufZeichnen(&leer, 1, 2, 3, 4, 5, 6);
    EXPECT_THROW(FarbverlaufZeichnenBild(nullptr, 1, 2, 3, 4, 5, 6), forms::FormsFehler);
}

// The contrast ratio of the web accessibility guidelines, and disabled text that keeps 3:1 against
// every colour it stands on, from black to white.
TEST(Farbkontrast, VerhaeltnisUndAusgeschalteteSchrift)
{
    const struct { QColor a, b; double verhaeltnis; } faelle[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {QColor(188, 188, 188), QColor(188, 188, 188), 1.0},
        {QColor(0x77, 0x77, 0x77), Qt::white, 4.48},
        {QColor(0xbe, 0xbe, 0xbe), QColor(0xef, 0xef, 0xef), 1.62}, // the style's disabled grey
    };
    for (const auto& f : faelle)
        EXPECT_NEAR(kontrastVerhaeltnis(f.a, f.b), f.verhaeltnis, 0.01) << f.a.name().toStdString() << f.b.name().toStdString();
    for (int grau = 0; grau <= 255; grau += 5) {
        const QList<QColor> hinten{QColor(grau, grau, grau), QColor(std::min(255, grau + 32), std::min(255, grau + 32), 0)};
        const QColor s = ausgeschalteteSchrift(hinten);
        for (const QColor& h : hinten)
            EXPECT_GE(kontrastVerhaeltnis(s, h), 3.0) << grau;
    }
    // a window's gradient gives its disabled labels, boxes and buttons their colours
    QWidget w;
    w.resize(50, 100);
    FarbverlaufZeichnen(&w, 128, 128, 128, 160, 160, 160);
    const QPalette p = w.palette();
    for (const FarbBand& b : farbverlaufBaender(100, 128, 128, 128, 160, 160, 160))
        EXPECT_GE(kontrastVerhaeltnis(p.color(QPalette::Disabled, QPalette::WindowText), b.farbe), 3.0);
    EXPECT_GE(kontrastVerhaeltnis(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Disabled, QPalette::Base)), 3.0);
}
