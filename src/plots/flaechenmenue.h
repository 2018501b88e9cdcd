#pragma once
// Commands of the plot tree's pop-up menus (mnuPopUp1, 2, 3 and 7 of the main window) and the
// deletion of groups and plots with their questions. They act on the current numbers that the
// right click on the analysis page's tree has set.
#include <QString>

namespace kav {

void mnuUmschalt_Click();
void mnuGruEbene_Click();   // mnuGruEbene1 and mnuGruEbene2
void mnuFlaecheE1_Click();
void mnuNeueFlache_Click();
void mnuGrpAendern_Click();
void mnuGrpLoeschen_Click();
void mnuFlaAendern_Click();
void mnuFlaLoeschen_Click();
void mnuAnalyseLoeschen_Click();

// Asks whether the group strAktFlaechenNr goes with everything below it (Yes), only the group
// (No) or nothing (Cancel, the default); then deletes and refreshes the tree. `strTyp` names
// the tree: "Flaeche" (the only one).
void GruppeLoeschen(const QString& strTyp);
// Asks (No is the default) and deletes the plot strAktFlaechenNr with its analyses.
void FlaecheLoeschen();

} // namespace kav
