#include "frame/oberflaeche.h"

#include "frame/fensterkatalog.h"
#include "services/appcontext.h"

#include <QLabel>

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

QLabel* Beschriftung(QWidget* eltern, const QString& name, const QString& text, bool umbrechen)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(umbrechen);
    l->setTextFormat(Qt::PlainText);
    return l;
}

Oberflaeche& uiNeu()
{
    instanz() = std::make_unique<Oberflaeche>();
    return *instanz();
}

} // namespace kav
