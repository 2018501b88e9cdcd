// Number, colour and string encodings and the RunLength compression of the PDF writer.
#include "plan/pdf_intern.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace kav::pdf;

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

std::string bytes(std::initializer_list<unsigned char> liste) { return std::string(liste.begin(), liste.end()); }

// The bytes 0, 1, ..., n - 1.
std::string folge(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>(i);
    return s;
}

// RunLengthDecode as a reader does it, written independently of the encoder; "<kaputt>" for broken runs.
std::string entpacken(const std::string& daten)
{
    std::string out;
    for (size_t i = 0; i < daten.size();) {
        const size_t l = static_cast<unsigned char>(daten[i++]);
        if (l == 128)
            break;
        const size_t n = l < 128 ? l + 1 : 1;
        if (i + n > daten.size())
            return "<kaputt>";
        out += l < 128 ? daten.substr(i, n) : std::string(257 - l, daten[i]);
        i += n;
    }
    return out;
}

} // namespace

TEST(PdfZahlen, DreiDezimalenUndSiebenStellen)
{
    const std::pair<float, const char*> dezimalen[] = {
        {12.0f, "12"}, {0.5f, "0.5"}, {-1.23456f, "-1.235"}, {0.0f, "0"}, {-0.0f, "0"}, {0.0005f, "0.001"},
        {-0.00048828125f, "0"}, {-0.0006f, "-0.001"}, {0.0625f, "0.063"}, {-0.0625f, "-0.062"}, {1.0625f, "1.063"},
        {0.0004f, "0"}, {2.5f, "2.5"}, {1.1f, "1.1"}, {-12.0f, "-12"}, {1000.0f, "1000"}, {0.01f, "0.01"},
        {123456.79f, "123456.789"}, {kNan, "0"}, {kInf, "2147483647"}, {-kInf, "-2147483647"}, {3e38f, "2147483647"}};
    for (const auto& [wert, text] : dezimalen)
        EXPECT_EQ(zahl(wert), text) << "Wert " << wert;
    const std::pair<float, const char*> sieben[] = {
        {596.0f, "596"}, {42.5f, "42.5"}, {42.519685f, "42.51968"}, {0.1f, "0.1"}, {-3.25f, "-3.25"}, {-0.0f, "0"},
        {3371.0f, "3371"}, {1234567.0f, "1234567"}, {12345678.0f, "12345680"}, {0.000125f, "0.000125"},
        {813.6535f, "813.6535"}, {kNan, "0"}, {kInf, "2147484000"}};
    for (const auto& [wert, text] : sieben)
        EXPECT_EQ(zahl7(wert), text) << "Wert " << wert;
}

// Further characters are in the text line cases (pdf_dokument_test.cpp).
TEST(PdfText, Cp1252)
{
    const std::pair<std::string, std::string> faelle[] = {
        {"\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F", "\xC4\xD6\xDC\xDF"},  // ÄÖÜß
        {"\xF0\x9F\x8C\xB1!", "?!"},                               // a plant emoji
        {"a\xFF" "b\xC3", "a?b?"},                                 // broken UTF-8
        {"\xC0\xAF", "?"},                                         // overlong form
        {"\xC2\x80", "?"},                                         // U+0080 has no byte
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [utf8, cp] : faelle)
        EXPECT_EQ(nachCp1252(utf8), cp) << utf8;

    // The bytes 0x80 to 0x9F as the code page defines them, the five free ones as U+0081 and so on; every byte
    // comes back unchanged.
    EXPECT_EQ(ausCp1252(folge(256).substr(0x80, 32)),
              "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    EXPECT_EQ(ausCp1252("\xFC"), "ü");
    EXPECT_EQ(nachCp1252(ausCp1252(folge(256))), folge(256));
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
        // 128 different bytes fill one literal run; the 129th opens the next.
        {"129 verschiedene", folge(129), bytes({127}) + folge(128) + bytes({0, 128})},
        // A pair joins a literal of 126 bytes (count 125 to 127), not one of 127 (count 126).
        {"Paar nach 126", folge(126) + "\xF0\xF0", bytes({127}) + folge(126) + "\xF0\xF0"},
        {"Paar nach 127", folge(127) + "\xF0\xF0", bytes({126}) + folge(127) + bytes({255, 0xF0})},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(runLength(f.ein), f.aus) << f.name;
}

TEST(PdfRunLength, ZufallsdatenKommenUnveraendertZurueck)
{
    std::mt19937 zufall(4711);
    for (int runde = 0; runde < 300; ++runde) {
        std::string ein;
        const size_t laenge = 1 + zufall() % 2000;
        while (ein.size() < laenge) // few values: many short and long runs
            ein.append(1 + zufall() % (zufall() % 3 == 0 ? 300 : 3), static_cast<char>(zufall() % 4));
        ein.resize(laenge);
        const std::string aus = runLength(ein);
        EXPECT_EQ(entpacken(aus), ein) << "Runde " << runde;
        EXPECT_LE(aus.size(), ein.size() + ein.size() / 128 + 1);
    }
}
