// Pictures of the PDF writer: samples, depths, RunLength choice, mirroring, loading.
#include "pdf_testhilfe.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace kav;
using namespace kav::test;
using namespace std::string_literals;

namespace {

const std::string kSeitenText = zeilen({"BT", "/F1 12 Tf", "0 842 Td", "12 TL", "()'", "ET"});

std::string grafikDerSeite(clsPDF& pdf)
{
    const std::string s = inhalt(gepruefterWert(pdf), 1);
    const size_t p = s.find(kSeitenText);
    return p == std::string::npos ? "<kein Seitentext>" : s.substr(p + kSeitenText.size());
}

clsPDF offeneSeite()
{
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("");
    return pdf;
}

QImage bild(int w, int h, std::initializer_list<QRgb> pixel)
{
    QImage b(w, h, QImage::Format_RGB32);
    b.fill(Qt::white);
    int i = 0;
    for (QRgb p : pixel) {
        b.setPixel(i % w, i / w, p);
        ++i;
    }
    return b;
}

QImage einfarbig(int w, int h, QRgb farbe)
{
    QImage b(w, h, QImage::Format_RGB32);
    b.fill(farbe);
    return b;
}

// The inline image as the writer lays it out, without the "q" and "cm" lines.
std::string inlineBild(const std::string& kopf, const std::string& daten)
{
    return "BI\r" + kopf + "ID " + daten + "\rEI\rQ\r";
}

} // namespace

TEST(PdfBild, EinGrauesPixelBleibtUngepackt)
{
    clsPDF pdf = offeneSeite();
    pdf.DrawPicture(10, 20, 30, 40, einfarbig(1, 1, qRgb(64, 64, 64)), true);
    EXPECT_EQ(grafikDerSeite(pdf), "q\r30 0 0 40 10 782 cm\r" + inlineBild(zeilen({"/W 1", "/H 1", "/BPC 8", "/CS /G"}), "@"));

    clsPDF rgb = offeneSeite();
    rgb.DrawPicture(10, 20, 30, 40, einfarbig(1, 1, qRgb(1, 2, 3)));
    EXPECT_EQ(grafikDerSeite(rgb), "q\r30 0 0 40 10 782 cm\r" +
                                       inlineBild(zeilen({"/W 1", "/H 1", "/BPC 8", "/CS /RGB"}), "\x01\x02\x03"));
}

TEST(PdfBild, WeisseZeileWirdGepackt)
{
    clsPDF pdf = offeneSeite();
    pdf.DrawPicture(0, 0, 100, 1, einfarbig(100, 1, qRgb(255, 255, 255)));
    EXPECT_EQ(grafikDerSeite(pdf), "q\r100 0 0 1 0 841 cm\r" +
                                       inlineBild(zeilen({"/W 100", "/H 1", "/BPC 8", "/CS /RGB", "/F /RL"}),
                                                  "\x81\xFF\x81\xFF\xD5\xFF\x80"));
}

TEST(PdfBild, SchwelleDerPackungBeiAchtBit)
{
    // 8 equal bytes pack into 2: 2 + 6 is not less than 8, so they stay raw; 9 bytes are packed.
    clsPDF acht = offeneSeite();
    acht.DrawPicture(0, 0, 8, 1, einfarbig(8, 1, qRgb(255, 255, 255)), true);
    EXPECT_NE(grafikDerSeite(acht).find("/CS /G\rID " + std::string(8, '\xFF') + "\rEI\r"), std::string::npos);

    clsPDF neun = offeneSeite();
    neun.DrawPicture(0, 0, 9, 1, einfarbig(9, 1, qRgb(255, 255, 255)), true);
    EXPECT_NE(grafikDerSeite(neun).find("/CS /G\r/F /RL\rID \xF8\xFF\x80\rEI\r"), std::string::npos);
}

TEST(PdfBild, VierBitMitAufgerundeterBreite)
{
    const QImage b = bild(3, 1, {qRgb(0x12, 0x34, 0x56), qRgb(0xAB, 0xCD, 0xEF), qRgb(0x00, 0xFF, 0x80)});
    clsPDF rgb = offeneSeite();
    rgb.DrawPicture4(0, 0, 30, 10, b);
    // The fourth column lies outside the picture and reads as white.
    EXPECT_EQ(grafikDerSeite(rgb), "q\r30 0 0 10 0 832 cm\r" +
                                       inlineBild(zeilen({"/W 4", "/H 1", "/BPC 4", "/CS /RGB"}),
                                                  "\x13\x5A\xCE\x0F\x8F\xFF"));
    clsPDF grau = offeneSeite();
    grau.DrawPicture4(0, 0, 30, 10, b, true);
    EXPECT_EQ(grafikDerSeite(grau), "q\r30 0 0 10 0 832 cm\r" +
                                        inlineBild(zeilen({"/W 4", "/H 1", "/BPC 4", "/CS /G"}), "\x2B\x9F"));
}

TEST(PdfBild, ZweiUndEinBit)
{
    clsPDF zwei = offeneSeite();
    zwei.DrawPicture2(0, 0, 4, 1, bild(4, 1, {qRgb(0xFF, 0x00, 0x80), qRgb(0x40, 0x7F, 0xC0), qRgb(0, 0, 0),
                                              qRgb(255, 255, 255)}));
    EXPECT_NE(grafikDerSeite(zwei).find(zeilen({"/W 4", "/H 1", "/BPC 2", "/CS /RGB"}) + "ID \xC9\x70\x3F\rEI\r"),
              std::string::npos);

    const QImage sieben = bild(7, 1, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255),
                                      qRgb(0, 0, 0), qRgb(0x80, 0x7F, 0xFF), qRgb(255, 255, 0)});
    clsPDF eins = offeneSeite();
    eins.DrawPicture1(0, 0, 7, 1, sieben);
    EXPECT_NE(grafikDerSeite(eins).find(zeilen({"/W 8", "/H 1", "/BPC 1", "/CS /RGB"}) + "ID \x88\xF1\x77\rEI\r"),
              std::string::npos);
    clsPDF einsGrau = offeneSeite();
    einsGrau.DrawPicture1(0, 0, 7, 1, sieben, true);
    EXPECT_NE(grafikDerSeite(einsGrau).find(zeilen({"/W 8", "/H 1", "/BPC 1", "/CS /G"}) + "ID \x11\rEI\r"),
              std::string::npos);

    // Below 8 bits packing is used when it is not longer: 2 bytes for 2.
    clsPDF gleich = offeneSeite();
    gleich.DrawPicture1(0, 0, 16, 1, einfarbig(16, 1, qRgb(255, 255, 255)), true);
    EXPECT_NE(grafikDerSeite(gleich).find(zeilen({"/W 16", "/H 1", "/BPC 1", "/CS /G", "/F /RL"}) + "ID \xFF\xFF\x80\rEI\r"),
              std::string::npos);
}

TEST(PdfBild, NegativeGroesseSpiegelt)
{
    const QImage b = einfarbig(1, 1, qRgb(0, 0, 0));
    clsPDF pdf = offeneSeite();
    pdf.DrawPicture(100, 20, -40, 37, b, true);
    pdf.DrawPicture(100, 20, 40, -37, b, true);
    const std::string g = grafikDerSeite(pdf);
    EXPECT_NE(g.find("q\r-40 0 0 37 140 785 cm\rBI\r"), std::string::npos) << g;
    EXPECT_NE(g.find("q\r40 0 0 -37 100 822 cm\rBI\r"), std::string::npos) << g;
}

TEST(PdfBild, GemerkteFarbenUndOperatorVorQ)
{
    clsPDF pdf = offeneSeite();
    pdf.DrawBox(1, 2, 3, 4, -1);
    pdf.FillColor(0x0000FF);
    pdf.DrawWidth(2);
    pdf.DrawPicture(10, 20, 30, 40, einfarbig(1, 1, qRgb(0, 0, 0)), true);
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"1 836 3 4 re", "f", "1 0 0 rg", "2 w", "q", "30 0 0 40 10 782 cm"}) +
                                       inlineBild(zeilen({"/W 1", "/H 1", "/BPC 8", "/CS /G"}), std::string(1, '\0')));
}

TEST(PdfBild, AusDateiWieAusDemSpeicher)
{
    const QImage b = bild(3, 2, {qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90), qRgb(1, 2, 3)});
    const std::string png = tempPfad(QStringLiteral("bild.png"));
    ASSERT_TRUE(b.save(QString::fromStdString(png)));
    clsPDF ausDatei = offeneSeite();
    ausDatei.DrawPicture(15, 15, 40, 37, png);
    clsPDF ausSpeicher = offeneSeite();
    ausSpeicher.DrawPicture(15, 15, 40, 37, b);
    EXPECT_EQ(ausDatei.Value(), ausSpeicher.Value());

    // The logo is a GIF: a 1 × 1 picture whose one colour is red.
    const QByteArray gif = QByteArray::fromHex("474946383961010001008000 00ff0000000000"
                                               "2c00000000010001000002024401003b");
    const std::string gifPfad = tempPfad(QStringLiteral("logo.gif"));
    QFile f(QString::fromStdString(gifPfad));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(gif);
    f.close();
    clsPDF logo = offeneSeite();
    logo.DrawPicture(15, 15, 40, 37, gifPfad);
    EXPECT_NE(grafikDerSeite(logo).find("/CS /RGB\rID \xFF\x00\x00\rEI\r"s), std::string::npos);
}

TEST(PdfBild, DurchsichtigesZeigtWeiss)
{
    QImage b(2, 1, QImage::Format_ARGB32);
    b.setPixel(0, 0, qRgba(255, 0, 0, 0));
    b.setPixel(1, 0, qRgba(0, 0, 0, 255));
    clsPDF pdf = offeneSeite();
    pdf.DrawPicture(0, 0, 2, 1, b);
    EXPECT_NE(grafikDerSeite(pdf).find("ID \xFF\xFF\xFF\x00\x00\x00\rEI"s), std::string::npos);
}

// A picture that cannot be loaded is reported before anything is written.
TEST(PdfBild, FehlendesBildSchreibtNichts)
{
    clsPDF pdf = offeneSeite();
    pdf.FillColor(0x0000FF);
    pdf.DrawBox(1, 2, 3, 4, -1);
    const std::string vorher = pdf.Value();
    EXPECT_THROW(pdf.DrawPicture(0, 0, 40, 37, tempPfad(QStringLiteral("Logo_fehlt.gif"))), PdfFehler);
    EXPECT_THROW(pdf.DrawPicture(0, 0, 40, 37, "Bilder/Logo_fehlt.gif"), PdfFehler); // five arguments
    EXPECT_THROW(pdf.DrawPicture4(0, 0, 40, 37, std::string()), PdfFehler);
    const std::string kaputt = tempPfad(QStringLiteral("kaputt.gif"));
    {
        QFile f(QString::fromStdString(kaputt));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("GIF89a kein Bild");
    }
    EXPECT_THROW(pdf.DrawPicture1(0, 0, 40, 37, kaputt), PdfFehler);
    EXPECT_THROW(pdf.DrawPicture2(0, 0, 40, 37, QImage()), PdfFehler);
    EXPECT_EQ(pdf.Value(), vorher);
    pdf.DrawBox(5, 6, 7, 8, -1); // the pending "f" and the colour state are as before
    EXPECT_EQ(grafikDerSeite(pdf), zeilen({"1 0 0 rg", "1 836 3 4 re", "5 828 7 8 re", "f"}));
}
