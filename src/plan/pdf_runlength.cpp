// RunLength compression of picture samples (PDF RunLengthDecode format, without the end byte).
#include "plan/pdf_intern.h"

namespace kav::pdf {

namespace {

// How many bytes from `start` on equal `b`, looking at no more than 127 positions.
size_t findRun(std::string_view bytes, char b, size_t start)
{
    size_t n = 0;
    while (n < 127 && start + n < bytes.size() && bytes[start + n] == b)
        ++n;
    return n;
}

} // namespace

std::string runLength(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 128 + 1);
    bool offen = false;       // a literal run is open
    int anzahl = 0;           // its length byte: bytes in it - 1
    size_t laengenByte = 0;   // where its length byte goes
    const auto schliessen = [&] {
        if (offen)
            out[laengenByte] = static_cast<char>(anzahl);
        offen = false;
    };

    size_t i = 0;
    while (i < bytes.size()) {
        const size_t k = findRun(bytes, bytes[i], i + 1) + 1;
        if (offen && anzahl < 126 && k == 2) {
            // A pair costs as much inside the literal run as a run of its own.
            out += bytes[i];
            out += bytes[i + 1];
            anzahl += 2;
            i += 2;
        } else if (k >= 2) {
            schliessen();
            out += static_cast<char>(257 - k);
            out += bytes[i];
            i += k;
        } else {
            if (offen && anzahl < 127) {
                ++anzahl;
            } else {
                schliessen();
                offen = true;
                anzahl = 0;
                laengenByte = out.size();
                out += '\0';
            }
            out += bytes[i];
            ++i;
        }
    }
    schliessen();
    return out;
}

} // namespace kav::pdf
