#pragma once
// The image lists of the plot windows, filled from the program's own pictures.
#include "platform/bildliste.h"

namespace kav {

// imlTrv of the analysis page: "FlaecheGrp", "Flaeche", "Knoten" for the tree, "opb0"/"opb1" for the
// soil group options.
forms::BildListe plotBaumListe();
// imlCheck of the dialogs: "opb0", "opb1" (option) and "chb0", "chb1" (check box).
forms::BildListe plotCheckListe();

} // namespace kav
