// Pictures of the PDF writer: samples, depths, RunLength choice, mirroring, loading.
#include "pdf_testhilfe.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace kav;
using namespace kav::test;
using namespace std::string_literals;

namespace {

// A picture of the given pixels, row by row; the rest white.
QImage bild(int w, int h, std::initializer_list<QRgb> pixel = {}, QRgb rest = qRgb(255, 255, 255))
{
    QImage b(w, h, QImage::Format_RGB32);
    b.fill(rest);
    int i = 0;
    for (QRgb p : pixel) {
        b.setPixel(i % w, i / w, p);
        ++i;
    }
    return b;
}

// An inline image as the writer places it: matrix, entries and samples.
std::string bildGrafik(std::string_view matrix, std::initializer_list<std::string_view> eintraege,
                       const std::string& daten)
{
    return "q\r" + std::string(matrix) + " cm\rBI\r" + zeilen(eintraege) + "ID " + daten + "\rEI\rQ\r";
}

} // namespace

TEST(PdfBild, ProbenTiefenUndPackung)
{
    const QImage schwarz = bild(1, 1, {}, qRgb(0, 0, 0));
    const QImage drei = bild(3, 1, {qRgb(0x12, 0x34, 0x56), qRgb(0xAB, 0xCD, 0xEF), qRgb(0x00, 0xFF, 0x80)});
    const QImage vier = bild(4, 1, {qRgb(255, 0, 128), qRgb(64, 127, 192), qRgb(0, 0, 0)});
    const QImage sieben = bild(7, 1, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255),
                                      qRgb(0, 0, 0), qRgb(0x80, 0x7F, 0xFF), qRgb(255, 255, 0)});
    pruefeFaelle({
        // 1 pixel: 2 packed bytes + 6 is not less than 1, so the sample stays raw.
        {"1x1 grau", [](clsPDF& p) { p.DrawPicture(10, 20, 30, 40, bild(1, 1, {}, qRgb(64, 64, 64)), true); },
         {bildGrafik("30 0 0 40 10 782", {"/W 1", "/H 1", "/BPC 8", "/CS /G"}, "@")}},
        {"weiße Zeile gepackt", [](clsPDF& p) { p.DrawPicture(0, 0, 100, 1, bild(100, 1)); },
         {bildGrafik("100 0 0 1 0 841", {"/W 100", "/H 1", "/BPC 8", "/CS /RGB", "/F /RL"},
                     "\x81\xFF\x81\xFF\xD5\xFF\x80")}},
        // 8 equal bytes pack into 2: 2 + 6 is not less than 8, so they stay raw; 9 bytes are packed.
        {"8 Bit, 8 Bytes", [](clsPDF& p) { p.DrawPicture(0, 0, 8, 1, bild(8, 1), true); },
         {bildGrafik("8 0 0 1 0 841", {"/W 8", "/H 1", "/BPC 8", "/CS /G"}, std::string(8, '\xFF'))}},
        {"8 Bit, 9 Bytes", [](clsPDF& p) { p.DrawPicture(0, 0, 9, 1, bild(9, 1), true); },
         {bildGrafik("9 0 0 1 0 841", {"/W 9", "/H 1", "/BPC 8", "/CS /G", "/F /RL"}, "\xF8\xFF\x80")}},
        // The fourth column lies outside the picture and reads as white.
        {"4 Bit RGB", [drei](clsPDF& p) { p.DrawPicture4(0, 0, 30, 10, drei); },
         {bildGrafik("30 0 0 10 0 832", {"/W 4", "/H 1", "/BPC 4", "/CS /RGB"}, "\x13\x5A\xCE\x0F\x8F\xFF")}},
        {"4 Bit grau", [drei](clsPDF& p) { p.DrawPicture4(0, 0, 30, 10, drei, true); },
         {bildGrafik("30 0 0 10 0 832", {"/W 4", "/H 1", "/BPC 4", "/CS /G"}, "\x2B\x9F")}},
        {"2 Bit", [vier](clsPDF& p) { p.DrawPicture2(0, 0, 4, 1, vier); },
         {bildGrafik("4 0 0 1 0 841", {"/W 4", "/H 1", "/BPC 2", "/CS /RGB"}, "\xC9\x70\x3F")}},
        {"1 Bit RGB", [sieben](clsPDF& p) { p.DrawPicture1(0, 0, 7, 1, sieben); },
         {bildGrafik("7 0 0 1 0 841", {"/W 8", "/H 1", "/BPC 1", "/CS /RGB"}, "\x88\xF1\x77")}},
        // Below 8 bits packing is used when it is not longer: 2 bytes for 2.
        {"1 Bit gepackt", [](clsPDF& p) { p.DrawPicture1(0, 0, 16, 1, bild(16, 1), true); },
         {bildGrafik("16 0 0 1 0 841", {"/W 16", "/H 1", "/BPC 1", "/CS /G", "/F /RL"}, "\xFF\xFF\x80")}},
        // A negative size mirrors the picture inside the same box.
        {"gespiegelt", [schwarz](clsPDF& p) {
             p.DrawPicture(100, 20, -40, 37, schwarz, true);
             p.DrawPicture(100, 20, 40, -37, schwarz, true);
         }, {bildGrafik("-40 0 0 37 140 785", {"/W 1", "/H 1", "/BPC 8", "/CS /G"}, "\0"s) +
             bildGrafik("40 0 0 -37 100 822", {"/W 1", "/H 1", "/BPC 8", "/CS /G"}, "\0"s)}},
        {"gemerkte Farben und Operator vor q, 1x1 RGB", [](clsPDF& p) {
             p.DrawBox(1, 2, 3, 4, -1); p.FillColor(0x0000FF); p.DrawWidth(2);
             p.DrawPicture(10, 20, 30, 40, bild(1, 1, {qRgb(1, 2, 3)}));
         }, {zeilen({"1 836 3 4 re", "f", "1 0 0 rg", "2 w"}) +
             bildGrafik("30 0 0 40 10 782", {"/W 1", "/H 1", "/BPC 8", "/CS /RGB"}, "\x01\x02\x03")}},
        {"Durchsichtiges zeigt Weiß", [](clsPDF& p) {
             QImage b(2, 1, QImage::Format_ARGB32);
             b.setPixel(0, 0, qRgba(255, 0, 0, 0)); b.setPixel(1, 0, qRgba(0, 0, 0, 255)); p.DrawPicture(0, 0, 2, 1, b);
         }, {bildGrafik("2 0 0 1 0 841", {"/W 2", "/H 1", "/BPC 8", "/CS /RGB"}, "\xFF\xFF\xFF\0\0\0"s)}},
    }, true);
}

TEST(PdfBild, AusDateienUndFehlendeBilder)
{
    const QImage b = bild(3, 2, {qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90), qRgb(1, 2, 3)});
    const std::string png = tempPfad(QStringLiteral("bild.png"));
    ASSERT_TRUE(b.save(QString::fromStdString(png)));
    // The logo is a GIF: a 1 × 1 picture whose one colour is red.
    const std::string gif = tempDatei(QStringLiteral("logo.gif"), QByteArray::fromHex("47494638396101000100800000ff00"
                                                                                      "000000002c0000000001000100000202"
                                                                                      "4401003b"));
    const auto seite = [](const auto& pic) {
        clsPDF pdf = neuesPdf();
        pdf.PrintLine("");
        pdf.DrawPicture(15, 15, 40, 37, pic);
        return inhalt(gepruefterWert(pdf), 1);
    };
    EXPECT_EQ(seite(png), seite(b));
    EXPECT_NE(seite(gif).find("/CS /RGB\rID \xFF\x00\x00\rEI\r"s), std::string::npos);

    // A picture that cannot be loaded is reported before anything is written.
    clsPDF pdf = neuesPdf();
    pdf.PrintLine("");
    pdf.FillColor(0x0000FF);
    pdf.DrawBox(1, 2, 3, 4, -1);
    const std::string vorher = pdf.Value();
    EXPECT_THROW(pdf.DrawPicture(0, 0, 40, 37, tempPfad(QStringLiteral("Logo_fehlt.gif"))), PdfFehler);
    EXPECT_THROW(pdf.DrawPicture(0, 0, 40, 37, "Bilder/Logo_fehlt.gif"), PdfFehler); // five arguments
    EXPECT_THROW(pdf.DrawPicture4(0, 0, 40, 37, std::string()), PdfFehler);
    const std::string kaputt = tempDatei(QStringLiteral("kaputt.gif"), "GIF89a kein Bild");
    EXPECT_THROW(pdf.DrawPicture1(0, 0, 40, 37, kaputt), PdfFehler);
    EXPECT_THROW(pdf.DrawPicture2(0, 0, 40, 37, QImage()), PdfFehler);
    EXPECT_EQ(pdf.Value(), vorher);
    pdf.DrawBox(5, 6, 7, 8, -1); // the pending "f" and the colour state are as before
    EXPECT_EQ(inhalt(gepruefterWert(pdf), 1),
              kTextKopf + "()'\rET\r" + zeilen({"1 0 0 rg", "1 836 3 4 re", "5 828 7 8 re", "f"}));
}
