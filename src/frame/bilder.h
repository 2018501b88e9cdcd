#pragma once
// The image lists of the windows, filled from the program's own pictures, and the picture buttons.
#include "platform/bildliste.h"

#include <initializer_list>

class QHBoxLayout;
class QToolButton;
class QWidget;

namespace kav {

// imlIcon of the main window: button and window pictures.
forms::BildListe iconListe();
// imlCursor of the main window: "ZeigerInfo".
forms::BildListe cursorListe();
// imlBrotkrume: "OK", "Inaktiv", "Aktiv".
forms::BildListe brotkrumenListe();
// imlTitel: the crop groups "Gr1001" to "Gr1008" with their subjects, "Datum", "Flaeche".
forms::BildListe titelListe();
// imlTrv of the analysis page: "FlaecheGrp", "Flaeche", "Knoten" for the plot tree, "opb0"/"opb1"
// for the soil group options.
forms::BildListe flaechenBaumListe();
// imlCheck of the dialogs: "opb0", "opb1" (option) and "chb0", "chb1" (check box).
forms::BildListe checkListe();

// A button with a picture over its caption, following the mouse.
QToolButton* bildKnopf(QWidget* eltern, const QString& name, const QString& text, const QString& hinweis);
// The row of picture buttons at the foot of a dialog, right-aligned.
QHBoxLayout* dialogKnoepfe(std::initializer_list<QToolButton*> knoepfe);

} // namespace kav
