// Number and colour text of the PDF writer; written digit by digit, never through the C locale.
#include "plan/pdf_intern.h"

#include <charconv>
#include <cmath>

namespace kav::pdf {

namespace {

constexpr double kGrenze = 2147483647.0;

double gueltig(double v)
{
    if (std::isnan(v))
        return 0;
    if (v > kGrenze)
        return kGrenze;
    if (v < -kGrenze)
        return -kGrenze;
    return v;
}

} // namespace

void ganzAnhaengen(std::string& out, long long wert)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, wert);
    out.append(buf, r.ptr);
}

std::string ganz(long long wert)
{
    std::string s;
    ganzAnhaengen(s, wert);
    return s;
}

void zahlAnhaengen(std::string& out, float wert)
{
    // Thousandths, halves up: the integer part (floor) of value × 1000 + 0.5.
    const double tausendstel = std::floor(gueltig(static_cast<double>(wert)) * 1000.0 + 0.5);
    long long n = static_cast<long long>(tausendstel);
    if (n == 0) {
        out += '0';
        return;
    }
    if (n < 0) {
        out += '-';
        n = -n;
    }
    ganzAnhaengen(out, n / 1000);
    int rest = static_cast<int>(n % 1000);
    if (rest == 0)
        return;
    char ziffern[4] = {'.', static_cast<char>('0' + rest / 100), static_cast<char>('0' + rest / 10 % 10),
                       static_cast<char>('0' + rest % 10)};
    int laenge = 4;
    while (ziffern[laenge - 1] == '0')
        --laenge;
    out.append(ziffern, static_cast<size_t>(laenge));
}

std::string zahl(float wert)
{
    std::string s;
    zahlAnhaengen(s, wert);
    return s;
}

std::string zahl7(float wert)
{
    const double v = gueltig(static_cast<double>(wert));
    if (v == 0)
        return "0";
    // Seven significant digits in scientific form ("-4.251968e+01"), then written out plainly.
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 6);
    const std::string_view text(buf, static_cast<size_t>(r.ptr - buf));
    const size_t e = text.find('e');
    const bool negativ = text.front() == '-';
    std::string ziffern;
    for (char c : text.substr(negativ ? 1 : 0, e - (negativ ? 1 : 0)))
        if (c != '.')
            ziffern += c;
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    while (ziffern.size() > 1 && ziffern.back() == '0')
        ziffern.pop_back();

    std::string out = negativ ? "-" : "";
    const int vorKomma = exponent + 1; // digits before the point
    const int anzahl = static_cast<int>(ziffern.size());
    if (vorKomma <= 0)
        out += "0." + std::string(static_cast<size_t>(-vorKomma), '0') + ziffern;
    else if (vorKomma >= anzahl)
        out += ziffern + std::string(static_cast<size_t>(vorKomma - anzahl), '0');
    else
        out += ziffern.substr(0, static_cast<size_t>(vorKomma)) + "." + ziffern.substr(static_cast<size_t>(vorKomma));
    return out;
}

std::string farbOperator(int32_t farbe, bool fuellen)
{
    const auto bits = static_cast<uint32_t>(farbe);
    const int rot = static_cast<int>(bits & 0xFF);
    const int gruen = static_cast<int>((bits >> 8) & 0xFF);
    const int blau = static_cast<int>((bits >> 16) & 0xFF);
    const auto anteil = [](int c) { return static_cast<float>(c / 255.0); };
    std::string s;
    if (rot == gruen && gruen == blau) {
        zahlAnhaengen(s, anteil(rot));
        s += fuellen ? " g" : " G";
    } else {
        zahlAnhaengen(s, anteil(rot));
        s += ' ';
        zahlAnhaengen(s, anteil(gruen));
        s += ' ';
        zahlAnhaengen(s, anteil(blau));
        s += fuellen ? " rg" : " RG";
    }
    return s;
}

} // namespace kav::pdf
