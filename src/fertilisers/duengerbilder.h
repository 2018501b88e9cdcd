#pragma once
// The pictures of the fertiliser step: the nutrient types of the fertilisers, the lime, the
// suitability classes, the add-new nodes and the waste bin of the reset button.
#include "platform/bildliste.h"

namespace kav {

// imlDuenger: "N", "P", "K", "NP", "NK", "PK", "NPK", "Mg", "Kalk", "Gruen", "Gelb", "Rot", "Grau",
// "Papierkorb", "OK", "Abbruch".
forms::BildListe duengerBilder();

} // namespace kav
