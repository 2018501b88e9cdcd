#pragma once
// The buttons of single pages that the option "Analysenergebnisse weitergeben" hides: the analysis
// page's cmbSpeichern and the crop step's cmbSenden.
namespace kav {

// Shows or hides those buttons on the pages that are loaded (found by window and control name);
// pages that are not loaded are left to their next layout.
void SendeKnoepfeZeigen(bool sichtbar);

} // namespace kav
