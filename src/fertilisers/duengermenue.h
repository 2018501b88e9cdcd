#pragma once
// Commands of the main window's pop-up menus for the fertiliser step's catalogue: mnuPopUp5 on a
// fertiliser ("Informationen anzeigen", "Dünger bearbeiten", "Dünger löschen") and mnuPopUp6 on a
// liming material ("Kalkdünger bearbeiten", "Kalkdünger löschen"). They act on the node of the last
// right click in the catalogue, which is not a choice of the calculation.
namespace kav {

void mnuDuengerInfo_Click();
void mnuDuengerEdit_Click();
// Deletes the fertiliser from the catalogue unless it is chosen in this calculation.
void mnuDuengerLoeschen_Click();
void mnuKalkEdit_Click();
void mnuKalkLoeschen_Click();

} // namespace kav
