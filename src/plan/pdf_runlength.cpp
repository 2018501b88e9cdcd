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
    // Room for the worst case: every byte literal, one length byte per 128.
    std::string out(bytes.size() + bytes.size() / 128 + 1, '\0');
    char* const anfang = out.data();
    char* ziel = anfang;
    char* laengenByte = nullptr; // length byte of the open literal run, null when none is open
    int anzahl = 0;              // that run's length byte: bytes in it - 1
    const auto schliessen = [&] {
        if (laengenByte)
            *laengenByte = static_cast<char>(anzahl);
        laengenByte = nullptr;
    };

    size_t i = 0;
    while (i < bytes.size()) {
        const size_t k = findRun(bytes, bytes[i], i + 1) + 1;
        if (laengenByte && anzahl < 126 && k == 2) {
            // A pair costs as much inside the literal run as a run of its own.
            *ziel++ = bytes[i];
            *ziel++ = bytes[i + 1];
            anzahl += 2;
            i += 2;
        } else if (k >= 2) {
            schliessen();
            *ziel++ = static_cast<char>(257 - k);
            *ziel++ = bytes[i];
            i += k;
        } else {
            if (laengenByte && anzahl < 127) {
                ++anzahl;
            } else {
                schliessen();
                laengenByte = ziel++;
                anzahl = 0;
            }
            *ziel++ = bytes[i];
            ++i;
        }
    }
    schliessen();
    out.resize(static_cast<size_t>(ziel - anfang));
    return out;
}

} // namespace kav::pdf
