// Advance widths of the documents' font for the bytes of Windows-1252.
#include "plan/schriftbreite.h"

#include "plan/pdf_intern.h"

#include <array>

namespace kav {

namespace {

// Thousandths of the font size for the bytes 0x20 to 0xFF; the bytes the code page leaves free and
// DEL draw nothing.
constexpr std::array<short, 224> kBreiten = {
     278,  278,  355,  556,  556,  889,  667,  191,  333,  333,  389,  584,  278,  333,  278,  278,  // 20
     556,  556,  556,  556,  556,  556,  556,  556,  556,  556,  278,  278,  584,  584,  584,  556,  // 30
    1015,  667,  667,  722,  722,  667,  611,  778,  722,  278,  500,  667,  556,  833,  722,  778,  // 40
     667,  778,  722,  667,  611,  722,  667,  944,  667,  667,  611,  278,  278,  278,  469,  556,  // 50
     333,  556,  556,  500,  556,  556,  278,  556,  556,  222,  222,  500,  222,  833,  556,  556,  // 60
     556,  556,  333,  500,  278,  556,  500,  722,  500,  500,  500,  334,  260,  334,  584,    0,  // 70
     556,    0,  222,  556,  333, 1000,  556,  556,  333, 1000,  667,  333, 1000,    0,  611,    0,  // 80
       0,  222,  222,  333,  333,  350,  556, 1000,  333, 1000,  500,  333,  944,    0,  500,  667,  // 90
     278,  333,  556,  556,  556,  556,  260,  556,  333,  737,  370,  556,  584,  333,  737,  333,  // A0
     400,  584,  333,  333,  333,  556,  537,  278,  333,  333,  365,  556,  834,  834,  834,  611,  // B0
     667,  667,  667,  667,  667,  667, 1000,  722,  667,  667,  667,  667,  278,  278,  278,  278,  // C0
     722,  722,  778,  778,  778,  778,  778,  584,  778,  722,  722,  722,  722,  667,  667,  611,  // D0
     556,  556,  556,  556,  556,  556,  889,  500,  556,  556,  556,  556,  278,  278,  278,  278,  // E0
     556,  556,  556,  556,  556,  556,  556,  584,  611,  556,  556,  556,  556,  500,  556,  500,  // F0
};

} // namespace

int ZeichenBreite(QChar c)
{
    if (c.isLowSurrogate())
        return 0;
    const char32_t zeichen = c.isHighSurrogate() ? U'?' : char32_t(c.unicode());
    const auto b = static_cast<unsigned char>(pdf::cp1252Byte(zeichen));
    return b < 0x20 ? 0 : kBreiten[b - 0x20];
}

float TextBreite(QStringView text, float schriftgroesse)
{
    long tausendstel = 0;
    for (const QChar c : text)
        tausendstel += ZeichenBreite(c);
    return static_cast<float>(tausendstel) * schriftgroesse / 1000.0f;
}

} // namespace kav
