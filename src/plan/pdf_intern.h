#pragma once
// Building blocks of the PDF writer: number, colour and string encodings and RunLength compression.
// All of them write plain bytes and never consult the C locale.
#include <cstdint>
#include <string>
#include <string_view>

namespace kav::pdf {

// A coordinate, size or colour component: rounded to three decimals (halves up), shortest form,
// point as separator ("12", "0.5", "-1.235"). NaN gives 0; values beyond ±2147483647 are held there.
void zahlAnhaengen(std::string& out, float wert);
std::string zahl(float wert);

// The shortest decimal text of a single with at most seven significant digits ("596", "42.51968").
std::string zahl7(float wert);

// A plain integer.
void ganzAnhaengen(std::string& out, long long wert);
std::string ganz(long long wert);

// The colour line of &H00BBGGRR: "0.502 G" / "1 0 0 RG", or "g" / "rg" for the fill colour.
std::string farbOperator(int32_t farbe, bool fuellen);

// Windows-1252 conversion: UTF-8 text to one byte per character ("?" for what the code page lacks),
// and back. The five bytes the code page leaves free travel as the characters U+0081, U+008D, ...
std::string nachCp1252(std::string_view utf8);
// The byte of one character ('?' for what the code page lacks).
char cp1252Byte(char32_t zeichen);
std::string ausCp1252(std::string_view bytes);

// Text for a PDF string: converted to Windows-1252, then \ ( ) escaped with a backslash.
void pdfTextAnhaengen(std::string& out, std::string_view utf8);

// The RunLength runs of the bytes, without the end byte 128.
std::string runLength(std::string_view bytes);

} // namespace kav::pdf
