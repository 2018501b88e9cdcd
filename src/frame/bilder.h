#pragma once
// The image lists of the frame, filled from the program's own pictures.
#include "platform/bildliste.h"

namespace kav {

// imlIcon of the main window: button and window pictures.
forms::BildListe iconListe();
// imlCursor of the main window: "ZeigerInfo".
forms::BildListe cursorListe();
// imlBrotkrume: "OK", "Inaktiv", "Aktiv".
forms::BildListe brotkrumenListe();
// imlTitel: the crop groups "Gr1001" to "Gr1008" with their subjects, "Datum", "Flaeche".
forms::BildListe titelListe();

} // namespace kav
