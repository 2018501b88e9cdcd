// Colour values of the chooser's squares split into the user colour and its highlight.
#include "services/einstellungen.h"
#include "settings/farbpalette.h"

#include <gtest/gtest.h>

using namespace kav;

TEST(FarbPalette, FarbwertZerlegtInBenutzerfarbeUndHervorhebung)
{
    // square (or -1 for a raw value), colour value, user colour, highlight as held, highlight as painted
    const struct { int feld; std::int32_t wert; FarbAnteile farbe, hell, gemalt; } faelle[] = {
        {7, 3638250, {234, 131, 55}, {266, 163, 87}, {255, 163, 87}},
        {18, 12369084, {188, 188, 188}, {220, 220, 220}, {220, 220, 220}},
        {20, 16777215, {255, 255, 255}, {287, 287, 287}, {255, 255, 255}},
        {14, 8421504, {128, 128, 128}, {160, 160, 160}, {160, 160, 160}},
        {0, 4625970, {50, 150, 70}, {82, 182, 102}, {82, 182, 102}},
        {-1, -2147483643, {0, 0, 0}, {32, 32, 32}, {32, 32, 32}},   // a system colour: black
        {-1, -1, {0, 0, 0}, {32, 32, 32}, {32, 32, 32}},
        {-1, -65281, {0, 0, 0}, {32, 32, 32}, {32, 32, 32}},        // green −255 and red −1 become 0
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.wert);
        if (f.feld >= 0) {
            EXPECT_EQ(farbWert(farbPalette()[static_cast<size_t>(f.feld)]), f.wert);
        }
        Einstellungen e;
        FarbeZerlegen(f.wert, e);
        EXPECT_EQ((FarbAnteile{e.intRot, e.intGruen, e.intBlau}), f.farbe);
        EXPECT_EQ((FarbAnteile{e.intRotHell, e.intGruenHell, e.intBlauHell}), f.hell);
        EXPECT_EQ(benutzerFarbeHell(e), QColor(f.gemalt.rot, f.gemalt.gruen, f.gemalt.blau));
    }
}
