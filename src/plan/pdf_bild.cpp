// clsPDF: pictures as inline images of 8, 4, 2 or 1 bits per component.
#include "plan/pdf_intern.h"
#include "plan/pdfwriter.h"

#include <QImage>
#include <QString>

namespace kav {

namespace {

QImage bildLaden(const std::string& pfad)
{
    QImage bild;
    if (!pfad.empty())
        bild.load(QString::fromStdString(pfad));
    if (bild.isNull())
        throw PdfFehler("Das Bild \xE2\x80\x9E" + pfad + "\xE2\x80\x9C konnte nicht geladen werden.");
    return bild;
}

// The samples row by row from the top, left to right; components cut to their top `tiefe` bits and
// packed first pixel highest. Columns beyond the picture (rows end on whole bytes) read as white;
// transparent pixels show white as on paper.
std::string proben(const QImage& pic, int tiefe, int breite, bool grau)
{
    const QImage bild = pic.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = bild.width();
    const int h = bild.height();
    const unsigned maske = (0xFF00u >> tiefe) & 0xFFu;
    const size_t zeilenBytes = static_cast<size_t>(breite) * (grau ? 1 : 3) * static_cast<size_t>(tiefe) / 8;
    std::string daten(zeilenBytes * static_cast<size_t>(h), '\0');
    char* ziel = daten.data();

    for (int y = 0; y < h; ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        unsigned sammler = 0;
        int bits = 0;
        const auto schieben = [&](unsigned wert) {
            if (tiefe == 8) {
                *ziel++ = static_cast<char>(wert);
                return;
            }
            sammler = (sammler << tiefe) | (wert >> (8 - tiefe));
            bits += tiefe;
            if (bits == 8) {
                *ziel++ = static_cast<char>(sammler);
                sammler = 0;
                bits = 0;
            }
        };
        for (int x = 0; x < breite; ++x) {
            unsigned r = 255, g = 255, b = 255;
            if (x < w) {
                const QRgb p = zeile[x];
                const unsigned weiss = 255u - static_cast<unsigned>(qAlpha(p));
                r = static_cast<unsigned>(qRed(p)) + weiss;
                g = static_cast<unsigned>(qGreen(p)) + weiss;
                b = static_cast<unsigned>(qBlue(p)) + weiss;
            }
            r &= maske;
            g &= maske;
            b &= maske;
            if (grau) {
                schieben(((77 * r + 151 * g + 28 * b + 127) >> 8) & maske);
            } else {
                schieben(r);
                schieben(g);
                schieben(b);
            }
        }
    }
    return daten;
}

} // namespace

void clsPDF::bildZeichnen(int tiefe, float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey)
{
    if (Pic.isNull() || Pic.width() < 1 || Pic.height() < 1)
        throw PdfFehler("Das Bild ist leer.");

    // A negative size mirrors the picture inside the same box.
    if (Width < 0)
        X -= Width;
    if (Height < 0)
        Y -= Height;
    const float y = seitenHoehe() - Y - Height;

    const int proByte = 8 / tiefe;
    const int breite = (Pic.width() + proByte - 1) / proByte * proByte;
    const std::string daten = proben(Pic, tiefe, breite, ForceGrey);
    const std::string kodiert = pdf::runLength(daten);
    const bool rl = tiefe == 8 ? kodiert.size() + 6 < daten.size() : kodiert.size() <= daten.size();

    operatorSchreiben();
    grafikZeile() += "q\r";
    std::string& g = m_grafik;
    pdf::zahlAnhaengen(g, Width);
    g += " 0 0 ";
    pdf::zahlAnhaengen(g, Height);
    g += ' ';
    pdf::zahlAnhaengen(g, X);
    g += ' ';
    pdf::zahlAnhaengen(g, y);
    g += " cm\rBI\r/W ";
    pdf::ganzAnhaengen(g, breite);
    g += "\r/H ";
    pdf::ganzAnhaengen(g, Pic.height());
    g += "\r/BPC ";
    pdf::ganzAnhaengen(g, tiefe);
    g += ForceGrey ? "\r/CS /G\r" : "\r/CS /RGB\r";
    if (rl) {
        g += "/F /RL\rID ";
        g += kodiert;
        g += '\x80';
    } else {
        g += "ID ";
        g += daten;
    }
    g += "\rEI\rQ\r";
}

void clsPDF::DrawPicture(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey)
{
    bildZeichnen(8, X, Y, Width, Height, bildLaden(Pic), ForceGrey);
}

void clsPDF::DrawPicture(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey)
{
    bildZeichnen(8, X, Y, Width, Height, Pic, ForceGrey);
}

void clsPDF::DrawPicture4(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey)
{
    bildZeichnen(4, X, Y, Width, Height, bildLaden(Pic), ForceGrey);
}

void clsPDF::DrawPicture4(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey)
{
    bildZeichnen(4, X, Y, Width, Height, Pic, ForceGrey);
}

void clsPDF::DrawPicture2(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey)
{
    bildZeichnen(2, X, Y, Width, Height, bildLaden(Pic), ForceGrey);
}

void clsPDF::DrawPicture2(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey)
{
    bildZeichnen(2, X, Y, Width, Height, Pic, ForceGrey);
}

void clsPDF::DrawPicture1(float X, float Y, float Width, float Height, const std::string& Pic, bool ForceGrey)
{
    bildZeichnen(1, X, Y, Width, Height, bildLaden(Pic), ForceGrey);
}

void clsPDF::DrawPicture1(float X, float Y, float Width, float Height, const QImage& Pic, bool ForceGrey)
{
    bildZeichnen(1, X, Y, Width, Height, Pic, ForceGrey);
}

} // namespace kav
