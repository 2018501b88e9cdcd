#pragma once
// The keystroke rule of every numeric input box: digits and one decimal separator.
#include <QString>

#include <optional>

namespace kav {

// True for a non-negative decimal number in this notation: digits with at most one separator
// and at least one digit ("1", "1,", ",5", "12,25"); not "", ",", "1,2,3", "-1", "1e5".
bool istZahlText(const QString& text, const QString& dezimalZeichen);

// A pasted or dropped text as typing would give it: blanks left out, "," and "." as the locale's
// separator; nullopt when that is still no number.
std::optional<QString> alsZahlText(const QString& text, const QString& dezimalZeichen);

struct ZahlenTaste {
    int code = 0;        // character code to let through, 0 = swallow
    bool piepen = false; // swallowed as a key that is never allowed
};

// Decides a key for a box holding `text` where the key would replace the selection
// [selStart, selStart + selLength) (selLength 0: insert at the caret selStart).
// "," and "." both type the locale's decimal separator; backspace (8) always passes. A text that is
// no number (one the program wrote, as "nicht bestimmt") is replaced by the key as a whole.
ZahlenTaste ZahlenEingabePruefen(int code, const QString& text, int selStart, int selLength,
                                 const QString& dezimalZeichen);

} // namespace kav
