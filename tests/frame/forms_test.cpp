// The forms layer: twips geometry, control arrays, image lists, the register of loaded windows,
// and the GIF writer.
#include "platform/bildliste.h"
#include "platform/fenster.h"
#include "platform/gifschreiber.h"
#include "platform/steuerfeld.h"
#include "platform/twips.h"

#include <QBuffer>
#include <QImageReader>
#include <QLabel>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cmath>

using namespace kav;
using namespace kav::forms;

TEST(Twips, GeometrieWirdGenauZurueckgelesen)
{
    ASSERT_DOUBLE_EQ(twipsProPixel(), 15.0); // 96 DPI offscreen
    QWidget eltern;
    QLabel l(&eltern);
    Tw(&l).setRechteck(QRectF(1234.567, 20, 1714.2857142857, 0.4));
    EXPECT_DOUBLE_EQ(Tw(&l).Left(), 1234.567);
    EXPECT_DOUBLE_EQ(Tw(&l).Width(), 1714.2857142857);
    EXPECT_DOUBLE_EQ(Tw(&l).Height(), 0.4);
    EXPECT_EQ(l.geometry(), QRect(82, 1, 115, 0)); // edges 82.3 -> 82, 196.6 -> 197
}

TEST(Twips, PixelkantenHalbZuGeradeUndOhneLuecke)
{
    EXPECT_EQ(pixelVon(22.5 * 15), 22);
    EXPECT_EQ(pixelVon(23.5 * 15), 24);
    EXPECT_EQ(pixelVon(-7.5 * 15), -8);
    QWidget eltern;
    QLabel a(&eltern), b(&eltern);
    // neighbours sharing an edge at a fractional pixel meet exactly
    Tw(&a).setRechteck(QRectF(20, 0, 2000.1, 100));
    Tw(&b).setRechteck(QRectF(2020.1, 0, 2000.1, 100));
    EXPECT_EQ(a.geometry().right() + 1, b.geometry().left());
}

TEST(Twips, UngueltigeWerteWerdenAbgewiesen)
{
    QWidget eltern;
    QLabel l(&eltern);
    Tw(&l).setRechteck(QRectF(0, 0, 300, 300));
    EXPECT_THROW(Tw(&l).setWidth(-1), FormsFehler);
    EXPECT_THROW(Tw(&l).setHeight(std::nan("")), FormsFehler);
    EXPECT_THROW(Tw(&l).setLeft(INFINITY), FormsFehler);
    EXPECT_DOUBLE_EQ(Tw(&l).Width(), 300); // unchanged
    EXPECT_THROW(Tw(static_cast<QWidget*>(nullptr)), FormsFehler);
    EXPECT_THROW(setFontSize(&l, 0), FormsFehler);
    EXPECT_NO_THROW(setFontSize(&l, 6));
}

TEST(Twips, PixelGeaendertVonAussenGiltDerPixelwert)
{
    QWidget eltern;
    QLabel l(&eltern);
    Tw(&l).setLeft(1000.3);
    l.move(10, 0);
    EXPECT_DOUBLE_EQ(Tw(&l).Left(), 150);
}

TEST(SteuerFeld, EigeneUntergrenze)
{
    QWidget eltern;
    SteuerFeld<QLabel> feld(1);
    for (int i = 0; i < 7; ++i)
        feld.anhaengen(new QLabel(&eltern));
    EXPECT_EQ(feld.LBound(), 1);
    EXPECT_EQ(feld.UBound(), 7);
    EXPECT_THROW(feld(0), FormsFehler);
    EXPECT_THROW(feld(8), FormsFehler);
    EXPECT_NE(feld(7), nullptr);
    delete feld(3);
    EXPECT_FALSE(feld.hat(3)); // a control that went is missing, not dangling
    EXPECT_THROW(feld(3), FormsFehler);
    EXPECT_EQ(feld.oderNull(3), nullptr);
}

TEST(BildListe, FehlenderSchluesselGibtKeinBild)
{
    BildListe l;
    QPixmap p(8, 8);
    p.fill(Qt::red);
    l.hinzufuegen("Rot", QIcon(p), "Farbe");
    EXPECT_TRUE(l.enthaelt("Rot"));
    EXPECT_EQ(l.tag("Rot"), "Farbe");
    EXPECT_FALSE(l.pixmap("Rot", QSize(16, 16)).isNull());
    EXPECT_FALSE(l.enthaelt("Gr0"));
    EXPECT_TRUE(l.bild("Gr0").isNull());
    EXPECT_TRUE(l.pixmap("Gr0", QSize(16, 16)).isNull());
    EXPECT_FALSE(l.hinzufuegenDatei("x", "/gibt/es/nicht.svg"));
}

namespace {

struct ProbeFenster : Formular {
    explicit ProbeFenster(const QString& n, QStringList* protokoll, bool scheitern = false)
        : Formular(n), p(protokoll), fehler(scheitern)
    {
    }
    void Form_Load() override
    {
        p->append("load " + name() + " " + (fensterRegister()->istGeladen(name()) ? "geladen" : "fehlt"));
        if (fehler)
            throw FormsFehler("kaputt");
    }
    void Form_Unload() override { p->append("unload " + name()); }
    QStringList* p;
    bool fehler;
};

} // namespace

TEST(FensterRegister, LadeReihenfolgeUndSynchronesEntladen)
{
    QStringList protokoll;
    QWidget bereich;
    FensterRegister r;
    r.setEltern(&bereich, &bereich);
    for (const char* n : {"frmA", "frmB", "frmC"})
        r.klasseAnmelden(n, [&protokoll, n] { return new ProbeFenster(n, &protokoll); });
    r.laden("frmB");
    r.laden("frmA");
    r.laden("frmB"); // already loaded: no second load
    r.laden("frmC");
    EXPECT_EQ(r.namen(), QStringList({"frmB", "frmA", "frmC"}));
    EXPECT_EQ(protokoll, QStringList({"load frmB geladen", "load frmA geladen", "load frmC geladen"}));
    EXPECT_EQ(r.fenster("frmA")->widget()->parentWidget(), &bereich);

    r.entladen("frmA");
    EXPECT_FALSE(r.istGeladen("frmA")); // at once, before the event loop runs
    EXPECT_EQ(r.namen(), QStringList({"frmB", "frmC"}));
    EXPECT_EQ(protokoll.last(), "unload frmA");
    r.laden("frmA");
    EXPECT_EQ(r.namen(), QStringList({"frmB", "frmC", "frmA"}));

    EXPECT_THROW(r.laden("frmUnbekannt"), FormsFehler);
    EXPECT_EQ(r.fenster("frmUnbekannt"), nullptr);
}

TEST(FensterRegister, GesperrtOderFehlerBeimLaden)
{
    QStringList protokoll;
    QWidget bereich;
    FensterRegister r;
    r.setEltern(&bereich, &bereich);
    r.klasseAnmelden("frmA", [&] { return new ProbeFenster("frmA", &protokoll); });
    r.klasseAnmelden("frmKaputt", [&] { return new ProbeFenster("frmKaputt", &protokoll, true); });
    r.setGesperrt(true);
    EXPECT_THROW(r.laden("frmA"), FormsFehler);
    EXPECT_FALSE(r.istGeladen("frmA"));
    r.setGesperrt(false);
    EXPECT_THROW(r.laden("frmKaputt"), FormsFehler);
    EXPECT_FALSE(r.istGeladen("frmKaputt"));
    EXPECT_EQ(protokoll.last(), "unload frmKaputt");
}

TEST(FensterRegister, VonAussenGeloeschtIstNichtMehrGeladen)
{
    QStringList protokoll;
    auto* bereich = new QWidget;
    FensterRegister r;
    r.setEltern(bereich, bereich);
    r.klasseAnmelden("frmA", [&] { return new ProbeFenster("frmA", &protokoll); });
    r.laden("frmA");
    delete bereich;
    EXPECT_FALSE(r.istGeladen("frmA"));
    EXPECT_EQ(r.anzahl(), 0);
}

TEST(GifSchreiber, RundreiseDurchDenLeser)
{
    // noise fills the code table more than once (table resets)
    QImage bild(300, 200, QImage::Format_RGB32);
    QRandomGenerator zufall(7);
    const QRgb farben[6] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y, farben[zufall.bounded(6)]);
    const QByteArray gif = gifDaten(bild);
    ASSERT_TRUE(gif.startsWith("GIF89a"));
    QBuffer puffer;
    puffer.setData(gif);
    QImageReader leser(&puffer, "gif");
    const QImage zurueck = leser.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(zurueck.size(), bild.size()) << leser.errorString().toStdString();
    int abweichend = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            abweichend += zurueck.pixel(x, y) != bild.pixel(x, y);
    EXPECT_EQ(abweichend, 0);
    EXPECT_TRUE(gifDaten(QImage()).isEmpty());
}
