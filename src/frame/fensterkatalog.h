#pragma once
// The window classes of the program, registered by window name. Each area registers its own
// pages; a class registered later under the same name replaces the earlier one.
class QString;

namespace kav {
namespace forms {
class FensterRegister;
}

void FensterKlassenAnmelden(forms::FensterRegister& r);

// The frame's own windows: frmToolbar, frmBrotkrume, frmIntro, frmTitel.
void RahmenFensterAnmelden(forms::FensterRegister& r);

// One per area (in src/<area>/fenster.cpp).
namespace plots { void FensterAnmelden(forms::FensterRegister& r); }
namespace requirement { void FensterAnmelden(forms::FensterRegister& r); }
namespace fertilisers {
void FensterAnmelden(forms::FensterRegister& r);
// Back from the plan page: the loaded fertiliser page enters the liming material again and enables Next.
void KalkDuengerEintragen(const QString& strKalkNr);
// Into the fertiliser step after the organic-matter step.
void DuengerauswahlOeffnen();
// A notice in the notice window.
void HinweisZeigen(const QString& caption, const QString& titel, const QString& text, const QString& kapitel);
} // namespace fertilisers
namespace plan {
void FensterAnmelden(forms::FensterRegister& r);
// The planner's chart of the stored plan `mkid` as a PDF document: its path, or empty with the reason in `fehler`.
QString PlanungDruckenFuerPlaner(const QString& mkid, QString& fehler);
} // namespace plan
namespace lexicon { void FensterAnmelden(forms::FensterRegister& r); }
namespace settings { void FensterAnmelden(forms::FensterRegister& r); }
namespace exchange {
void FensterAnmelden(forms::FensterRegister& r);
void DatenAktualisierenBeiStart(); // the data update, for the start-up hook
void DatenAktualisieren();         // the data update at once, for the settings window
void AlleDatenSendenUndMelden();   // the upload of all data with its message, for the settings window
} // namespace exchange

} // namespace kav
