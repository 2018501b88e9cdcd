#pragma once
// The colour palette of the colour chooser and the arithmetic of colour values.
#include <array>
#include <cstdint>

namespace kav {

struct Einstellungen;

struct FarbAnteile {
    int rot = 0, gruen = 0, blau = 0;
    bool operator==(const FarbAnteile&) const = default;
};

// The 21 squares of the chooser, three rows of seven, by square index 0 to 20.
constexpr int kFarbFelder = 21;
const std::array<FarbAnteile, kFarbFelder>& farbPalette();

// Colour value red + 256 × green + 65536 × blue of three components 0 to 255.
std::int32_t farbWert(const FarbAnteile& c);
// The colour value of the user colour (its components as they are held).
std::int32_t farbWert(const Einstellungen& e);

// Makes the colour value the user colour and derives its highlight (each component + 32, no upper
// limit). Division truncates toward zero, the remainder takes the sign of the value and a negative
// component becomes 0: a system colour (negative value) gives black with the highlight 32, 32, 32.
void FarbeZerlegen(std::int32_t wert, Einstellungen& e);

} // namespace kav
