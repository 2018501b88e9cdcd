#pragma once
// The colour choice of the mixed-culture planner: the colour dialog opened at the mouse pointer,
// inside the screen.
#include <QColorDialog>

namespace kav {

class frmMKEditor;

class frmDialog {
public:
    frmDialog();

    // Lets the user choose the colour of bar `txtNr`: on a choice every bar of that crop and its tree
    // node (for the next drop) take the colour; cancelling changes nothing. True when a colour was
    // chosen.
    bool FarbWahl(frmMKEditor& editor, int txtNr);

    QColorDialog& codFarbe() { return m_codFarbe; }

private:
    QColorDialog m_codFarbe;
};

} // namespace kav
