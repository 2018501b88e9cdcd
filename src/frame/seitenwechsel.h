#pragma once
// Page switching: clearing the work area, the caption and the breadcrumb for the current step.
#include <QString>

namespace kav {

// Unloads every loaded window except frmBrotkrume, mdiZentral and frmToolbar.
void FormulareEntladen();
// Caption "Kav - Humavera" + the suffix of the step; nothing while the intro window is loaded.
void TitelSetzen();
// Marks the step in the breadcrumb strip (loading and showing the strip when it is not loaded).
void BrotkrumeAktualisieren(const QString& strSchritt);

} // namespace kav
