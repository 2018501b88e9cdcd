#include "fertilisers/duengerdienste.h"

#include "services/appcontext.h"
#include "services/datenbanken.h"

namespace kav {

std::unique_ptr<DuengerDienste> DuengerDienste::oeffnen(AppContext& a)
{
    if (!a.db)
        return nullptr;
    return std::unique_ptr<DuengerDienste>(new DuengerDienste(a));
}

DuengerDienste::DuengerDienste(AppContext& a)
    : m_app(a), m_katalog(a.db->cnKav(), *a.uhr, a.zufall), m_quellen(a.db->cnKav(), a.db->cnDaten()),
      m_q{m_katalog, m_quellen.duenger, m_quellen.kalkbedarf, m_quellen.plaene}
{
}

Duengerwahl DuengerDienste::wahl() { return Duengerwahl(m_app.bedarf, m_app.einstellungen, m_app.gebiet, m_q); }

} // namespace kav
