#pragma once
// Page switching: clearing the work area, the caption and the breadcrumb for the current step.
#include <QString>

namespace kav {

// Asks every loaded page whether it may be left (a page with typed values not yet stored asks the
// user); false as soon as one says no.
bool SeitenVerlassenErlaubt();
// Unloads every loaded window except frmBrotkrume, mdiZentral and frmToolbar. With `fragen` the
// pages are asked first (SeitenVerlassenErlaubt): false, with nothing unloaded, when one stays.
bool FormulareEntladen(bool fragen = true);
// Caption "Kav - Humavera" + the suffix of the step; nothing while the intro window is loaded.
void TitelSetzen();
// Marks the step in the breadcrumb strip (loading and showing the strip when it is not loaded).
void BrotkrumeAktualisieren(const QString& strSchritt);

} // namespace kav
