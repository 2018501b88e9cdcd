#include "settings/farbpalette.h"

#include "services/einstellungen.h"

#include <algorithm>

namespace kav {

const std::array<FarbAnteile, kFarbFelder>& farbPalette()
{
    static const std::array<FarbAnteile, kFarbFelder> palette{{
        {50, 150, 70},   {49, 162, 83},   {78, 177, 63},   {166, 230, 82},  {126, 182, 26},  {165, 182, 246}, {214, 214, 255},
        {234, 131, 55},  {235, 197, 41},  {245, 227, 5},   {252, 249, 131}, {247, 235, 168}, {254, 253, 197}, {255, 255, 220},
        {128, 128, 128}, {122, 122, 122}, {144, 144, 144}, {166, 166, 166}, {188, 188, 188}, {233, 233, 233}, {255, 255, 255},
    }};
    return palette;
}

std::int32_t farbWert(const FarbAnteile& c) { return c.rot + 256 * c.gruen + 65536 * c.blau; }

std::int32_t farbWert(const Einstellungen& e) { return farbWert(FarbAnteile{e.intRot, e.intGruen, e.intBlau}); }

void FarbeZerlegen(std::int32_t wert, Einstellungen& e)
{
    std::int32_t c = wert;
    e.intBlau = std::max(0, static_cast<int>(c / 65536));
    c %= 65536;
    e.intGruen = std::max(0, static_cast<int>(c / 256));
    c %= 256;
    e.intRot = std::max(0, static_cast<int>(c));
    e.intRotHell = e.intRot + 32;
    e.intGruenHell = e.intGruen + 32;
    e.intBlauHell = e.intBlau + 32;
}

} // namespace kav
