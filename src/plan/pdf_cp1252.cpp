// Windows-1252, the encoding the document's font declares (WinAnsiEncoding), and PDF string escapes.
#include "plan/pdf_intern.h"

namespace kav::pdf {

namespace {

// Characters of the bytes 0x80..0x9F; the five free bytes stand for the control characters of
// the same number, so that a file's bytes come back unchanged.
constexpr char32_t kObereHaelfte[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98
};

} // namespace

char cp1252Byte(char32_t zeichen)
{
    if (zeichen < 0x80 || (zeichen >= 0xA0 && zeichen <= 0xFF))
        return static_cast<char>(zeichen);
    for (int i = 0; i < 32; ++i)
        if (kObereHaelfte[i] == zeichen)
            return static_cast<char>(0x80 + i);
    return '?';
}

namespace {

// Reads one character of UTF-8 at `pos` and advances; a broken sequence reads as one "?" per byte.
char32_t naechstesZeichen(std::string_view s, size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int folge = 0;
    char32_t wert = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        folge = 1;
        wert = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        folge = 2;
        wert = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        folge = 3;
        wert = b0 & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return U'?';
    }
    if (pos + static_cast<size_t>(folge) >= s.size()) {
        ++pos;
        return U'?';
    }
    for (int i = 1; i <= folge; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + static_cast<size_t>(i)]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return U'?';
        }
        wert = (wert << 6) | (b & 0x3F);
    }
    pos += static_cast<size_t>(folge) + 1;
    if (wert < minimum || wert > 0x10FFFF || (wert >= 0xD800 && wert <= 0xDFFF))
        return U'?';
    return wert;
}

void utf8Anhaengen(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string nachCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();)
        out += cp1252Byte(naechstesZeichen(utf8, pos));
    return out;
}

std::string ausCp1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        utf8Anhaengen(out, u >= 0x80 && u < 0xA0 ? kObereHaelfte[u - 0x80] : char32_t(u));
    }
    return out;
}

void pdfTextAnhaengen(std::string& out, std::string_view utf8)
{
    for (size_t pos = 0; pos < utf8.size();) {
        const char b = cp1252Byte(naechstesZeichen(utf8, pos));
        if (b == '\\' || b == '(' || b == ')')
            out += '\\';
        out += b;
    }
}

} // namespace kav::pdf
