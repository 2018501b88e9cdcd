#include "services/analysenzeile.h"

#include <gtest/gtest.h>

using namespace kav;

// What a stored analysis lacks for the calculation, named as the analysis page names it; Mg and the
// date are no part of it.
TEST(Analysenzeile, FehlendeWerteBeimNamen)
{
    AnalysenZeile voll;
    voll.Bodenart = 1;
    voll.GesamtN = 3, voll.P2O5 = 12, voll.K2O = 15, voll.pH = 6.5;
    const struct { const char* fall; void (*aendern)(AnalysenZeile&); QStringList fehlend; } faelle[] = {
        {"vollständig", [](AnalysenZeile&) {}, {}},
        {"ohne Mg und Datum", [](AnalysenZeile& a) { a.Mg.reset(), a.Datum = QDate(); }, {}},
        {"Bodengruppe leer", [](AnalysenZeile& a) { a.Bodenart.reset(); }, {"Bodenart"}},
        {"Bodengruppe 3", [](AnalysenZeile& a) { a.Bodenart = 3; }, {"Bodenart"}},
        {"Bodengruppe -1", [](AnalysenZeile& a) { a.Bodenart = -1; }, {"Bodenart"}},
        {"Phosphat", [](AnalysenZeile& a) { a.P2O5.reset(); }, {"Phosphat-Gehalt"}},
        {"alles",
         [](AnalysenZeile& a) { a.Bodenart.reset(), a.GesamtN.reset(), a.P2O5.reset(), a.K2O.reset(), a.pH.reset(); },
         {"Bodenart", "Organische Substanz", "Phosphat-Gehalt", "Kalium-Gehalt", "pH-Wert"}},
    };
    for (const auto& f : faelle) {
        AnalysenZeile a = voll;
        f.aendern(a);
        EXPECT_EQ(fehlendeAnalysenwerte(a), f.fehlend) << f.fall;
    }
}
