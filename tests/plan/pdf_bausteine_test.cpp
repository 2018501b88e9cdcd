// Number, colour and string encodings and the RunLength compression of the PDF writer.
#include "plan/pdf_intern.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

using namespace kav::pdf;

namespace {

std::string bytes(std::initializer_list<int> liste)
{
    std::string s;
    for (int b : liste)
        s += static_cast<char>(b);
    return s;
}

// RunLengthDecode as a reader does it, written independently of the encoder.
std::string entpacken(const std::string& daten, bool* fehler)
{
    std::string out;
    *fehler = false;
    size_t i = 0;
    while (i < daten.size()) {
        const int l = static_cast<unsigned char>(daten[i++]);
        if (l == 128)
            break;
        if (l < 128) {
            if (i + l + 1 > daten.size()) {
                *fehler = true;
                return out;
            }
            out += daten.substr(i, static_cast<size_t>(l) + 1);
            i += static_cast<size_t>(l) + 1;
        } else {
            if (i >= daten.size()) {
                *fehler = true;
                return out;
            }
            out.append(static_cast<size_t>(257 - l), daten[i++]);
        }
    }
    return out;
}

} // namespace

TEST(PdfZahlen, DreiDezimalenHalbeAufwaerts)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float wert;
        const char* text;
    } faelle[] = {
        {12.0f, "12"},         {0.5f, "0.5"},           {-1.23456f, "-1.235"},    {0.0f, "0"},
        {-0.0f, "0"},          {0.0005f, "0.001"},      {-0.00048828125f, "0"},   {-0.0006f, "-0.001"},
        {0.0625f, "0.063"},       {-0.0625f, "-0.062"},     {1.0625f, "1.063"},
        {0.0004f, "0"},        {105.522847f, "105.523"}, {736.47715f, "736.477"}, {2.5f, "2.5"},
        {1.1f, "1.1"},         {0.1f, "0.1"},           {-12.0f, "-12"},          {1000.0f, "1000"},
        {842.0f, "842"},       {42.519685f, "42.52"},   {0.01f, "0.01"},          {123456.79f, "123456.789"},
        {nan, "0"},            {inf, "2147483647"},     {-inf, "-2147483647"},    {3e38f, "2147483647"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(zahl(f.wert), f.text) << "Wert " << f.wert;
}

TEST(PdfZahlen, SiebenStellen)
{
    const struct {
        float wert;
        const char* text;
    } faelle[] = {
        {596.0f, "596"},      {842.0f, "842"},         {42.5f, "42.5"},     {42.519685f, "42.51968"},
        {0.1f, "0.1"},        {-3.25f, "-3.25"},       {0.0f, "0"},         {-0.0f, "0"},
        {3371.0f, "3371"},    {1234567.0f, "1234567"}, {12345678.0f, "12345680"},
        {0.000125f, "0.000125"}, {813.6535f, "813.6535"},
        {std::numeric_limits<float>::quiet_NaN(), "0"}, {std::numeric_limits<float>::infinity(), "2147484000"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(zahl7(f.wert), f.text) << "Wert " << f.wert;
}

TEST(PdfZahlen, FarbenAlsGrauOderRgb)
{
    EXPECT_EQ(farbOperator(0x808080, true), "0.502 g");
    EXPECT_EQ(farbOperator(0x808080, false), "0.502 G");
    EXPECT_EQ(farbOperator(0x0000FF, true), "1 0 0 rg");
    EXPECT_EQ(farbOperator(0x0000FF, false), "1 0 0 RG");
    EXPECT_EQ(farbOperator(0xFF0000, false), "0 0 1 RG");
    EXPECT_EQ(farbOperator(0x80FFFF, true), "1 1 0.502 rg");
    EXPECT_EQ(farbOperator(0, true), "0 g");
    EXPECT_EQ(farbOperator(0xFFFFFF, true), "1 g");
    EXPECT_EQ(farbOperator(0x00E0E0E0, false), "0.878 G");
    // The high byte is no part of the colour.
    EXPECT_EQ(farbOperator(static_cast<int32_t>(0xFF0000FFu), true), "1 0 0 rg");
}

// Run with LC_ALL=de_DE.UTF-8 (test_pdf_de): the program's C locale is German for the whole run.
TEST(PdfZahlen, LaufImGebietsschemaDerUmgebung)
{
    const char* lcAll = std::getenv("LC_ALL");
    if (!lcAll || std::string(lcAll).rfind("de_DE", 0) != 0)
        GTEST_SKIP() << "LC_ALL ist nicht deutsch";
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(zahl(42.519685f), "42.52");
}

TEST(PdfZahlen, UnabhaengigVomDeutschenGebietsschema)
{
    const std::string alt = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "Gebietsschema de_DE.UTF-8 fehlt (locale-gen, siehe scripts/test.sh)";
    char puffer[16];
    std::snprintf(puffer, sizeof puffer, "%.2f", 42.52);
    EXPECT_STREQ(puffer, "42,52") << "das deutsche Gebietsschema ist nicht wirksam";
    EXPECT_EQ(zahl(42.519685f), "42.52");
    EXPECT_EQ(zahl7(42.519685f), "42.51968");
    EXPECT_EQ(farbOperator(0x808080, true), "0.502 g");
    std::setlocale(LC_ALL, alt.c_str());
}

TEST(PdfText, Cp1252)
{
    EXPECT_EQ(nachCp1252("D\xC3\xBCngung"), "D\xFCngung");                    // ü
    EXPECT_EQ(nachCp1252("\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F"), "\xC4\xD6\xDC\xDF"); // ÄÖÜß
    EXPECT_EQ(nachCp1252("\xE2\x82\xAC \xE2\x80\x9E\xE2\x80\x9C"), "\x80 \x84\x93"); // € „“
    EXPECT_EQ(nachCp1252("m\xC2\xB2"), "m\xB2");                               // m²
    EXPECT_EQ(nachCp1252("\xE2\x86\x92"), "?");                                // arrow: not in the code page
    EXPECT_EQ(nachCp1252("\xF0\x9F\x8C\xB1!"), "?!");                          // a plant emoji
    EXPECT_EQ(nachCp1252("a\xFF" "b\xC3"), "a?b?");                            // broken UTF-8
    EXPECT_EQ(nachCp1252("\xC0\xAF"), "?");                                    // overlong form
    EXPECT_EQ(nachCp1252("\xC2\x80"), "?");                                    // U+0080 has no byte
    EXPECT_EQ(nachCp1252(std::string("a\0b", 3)), std::string("a\0b", 3));

    // Every byte comes back unchanged, the five free ones included.
    std::string alle;
    for (int b = 0; b < 256; ++b)
        alle += static_cast<char>(b);
    EXPECT_EQ(nachCp1252(ausCp1252(alle)), alle);
    EXPECT_EQ(ausCp1252("\xFC\x80"), "\xC3\xBC\xE2\x82\xAC");
}

TEST(PdfText, KlammernUndRueckstrichMaskiert)
{
    std::string s;
    pdfTextAnhaengen(s, "a(b)\\c");
    EXPECT_EQ(s, "a\\(b\\)\\\\c");
    s.clear();
    pdfTextAnhaengen(s, "\\\\)(");
    EXPECT_EQ(s, "\\\\\\\\\\)\\(");
    s.clear();
    pdfTextAnhaengen(s, "F\xC3\xBCr 50%\t<x>");
    EXPECT_EQ(s, "F\xFCr 50%\t<x>");
}

TEST(PdfRunLength, FaelleDerLauflaengen)
{
    const struct {
        const char* name;
        std::string ein;
        std::string aus;
    } faelle[] = {
        {"Paar im offenen Literal", bytes({1, 2, 2, 3}), bytes({3, 1, 2, 2, 3})},
        {"Paar am Anfang", bytes({2, 2, 1}), bytes({255, 2, 0, 1})},
        {"130 gleiche", std::string(130, '\x05'), bytes({129, 5, 255, 5})},
        {"300 mal 255", std::string(300, '\xFF'), bytes({129, 255, 129, 255, 213, 255})},
        {"ein Byte", bytes({7}), bytes({0, 7})},
        {"128 gleiche", std::string(128, 'a'), bytes({129, 'a'})},
        {"129 gleiche", std::string(129, 'a'), bytes({129, 'a', 0, 'a'})},
        {"drei gleiche nach Literal", bytes({1, 9, 9, 9}), bytes({0, 1, 254, 9})},
        {"Paar am Ende", bytes({1, 2, 3, 3}), bytes({3, 1, 2, 3, 3})},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(runLength(f.ein), f.aus) << f.name;
}

TEST(PdfRunLength, GrenzenDesLiterals)
{
    // 128 different bytes fill one literal run; the 129th opens the next.
    std::string ein;
    for (int i = 0; i < 129; ++i)
        ein += static_cast<char>(i);
    std::string aus = runLength(ein);
    ASSERT_EQ(aus.size(), 131u);
    EXPECT_EQ(static_cast<unsigned char>(aus[0]), 127);
    EXPECT_EQ(aus.substr(1, 128), ein.substr(0, 128));
    EXPECT_EQ(static_cast<unsigned char>(aus[129]), 0);

    // 126 bytes in the literal (count 125): a pair still joins it (count 127).
    ein.clear();
    for (int i = 0; i < 126; ++i)
        ein += static_cast<char>(i);
    ein += "\xF0\xF0";
    aus = runLength(ein);
    ASSERT_EQ(aus.size(), 129u);
    EXPECT_EQ(static_cast<unsigned char>(aus[0]), 127);

    // 127 bytes in the literal (count 126): the pair becomes a run of its own.
    ein.clear();
    for (int i = 0; i < 127; ++i)
        ein += static_cast<char>(i);
    ein += "\xF0\xF0";
    aus = runLength(ein);
    ASSERT_EQ(aus.size(), 130u);
    EXPECT_EQ(static_cast<unsigned char>(aus[0]), 126);
    EXPECT_EQ(aus.substr(128), bytes({255, 0xF0}));
}

TEST(PdfRunLength, ZufallsdatenKommenUnveraendertZurueck)
{
    std::mt19937 zufall(4711);
    for (int runde = 0; runde < 300; ++runde) {
        std::string ein;
        const int laenge = 1 + static_cast<int>(zufall() % 2000);
        while (static_cast<int>(ein.size()) < laenge) {
            const char b = static_cast<char>(zufall() % 4); // few values: many short and long runs
            ein.append(1 + zufall() % (zufall() % 3 == 0 ? 300 : 3), b);
        }
        ein.resize(static_cast<size_t>(laenge));
        const std::string aus = runLength(ein);
        bool fehler = false;
        EXPECT_EQ(entpacken(aus, &fehler), ein) << "Runde " << runde;
        EXPECT_FALSE(fehler);
        EXPECT_LE(aus.size(), ein.size() + ein.size() / 128 + 1);
    }
}
