#include "frame/oberflaeche.h"

#include "frame/fensterkatalog.h"
#include "services/appcontext.h"

#include <memory>

namespace kav {

Oberflaeche::Oberflaeche()
    : datenAktualisieren(&exchange::DatenAktualisierenBeiStart), datenJetztAktualisieren(&exchange::DatenAktualisieren),
      datenSenden(&exchange::AlleDatenSendenUndMelden), kalkDuengerEintragen(&fertilisers::KalkDuengerEintragen),
      planungDrucken(&plan::PlanungDruckenFuerPlaner),
      duengerauswahlOeffnen(&fertilisers::DuengerauswahlOeffnen), hinweisZeigen(&fertilisers::HinweisZeigen)
{
    FensterKlassenAnmelden(fenster);
}
Oberflaeche::~Oberflaeche() = default;

namespace {
std::unique_ptr<Oberflaeche>& instanz()
{
    static std::unique_ptr<Oberflaeche> o = std::make_unique<Oberflaeche>();
    return o;
}
} // namespace

Oberflaeche& ui() { return *instanz(); }

void Hervorheben(QWidget* knopf)
{
    const Einstellungen& e = app().einstellungen;
    if (knopf->isEnabled() && forms::BackColor(knopf) == benutzerFarbe(e))
        forms::setBackColor(knopf, benutzerFarbeHell(e));
}

Oberflaeche& uiNeu()
{
    instanz() = std::make_unique<Oberflaeche>();
    return *instanz();
}

} // namespace kav
