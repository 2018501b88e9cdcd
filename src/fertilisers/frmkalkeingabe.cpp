#include "fertilisers/frmkalkeingabe.h"

#include "fertilisers/frmnpk3.h"
#include "fertilisers/katalogeingabe.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "services/appcontext.h"
#include "services/meldungen.h"

namespace kav {

frmKalkEingabe::frmKalkEingabe()
    : Katalogdialog(QStringLiteral("frmKalkEingabe"), QStringLiteral("Kav - Neuen Kalkdünger eingeben"),
                    QStringLiteral("Karbonatgehalte:"), QStringLiteral("pHundKalk"), QStringLiteral("Kalk"))
{
    m_txtCaCO3 = gehaltFeld(QStringLiteral("txtCaCO3"), QStringLiteral("CaCO3  :"));
    m_txtMgCO3 = gehaltFeld(QStringLiteral("txtMgCO3"), QStringLiteral("MgCO3"));
    fertigstellen();
}

bool frmKalkEingabe::zeileLesen(const Duengerkatalog& k, const QString& nr)
{
    const std::optional<KalkZeile> z = k.kalk(nr);
    if (!z)
        return false;
    txtName()->setText(z->Bezeichnung);
    m_txtCaCO3->setText(gehaltText(z->CaCO3));
    m_txtMgCO3->setText(gehaltText(z->MgCO3));
    return true;
}

Katalogdialog::Pruefung frmKalkEingabe::pruefen()
{
    KalkPruefung p = KalkEingabePruefen(txtName()->text(), m_txtCaCO3->text(), m_txtMgCO3->text(), app().gebiet);
    m_daten = std::move(p.daten);
    return {p.ohneName, m_daten.has_value(), p.meldung};
}

// The lime already in the catalogue under that name and contents is said and taken instead.
Katalogdialog::Gleich frmKalkEingabe::gleichBehandeln(const Duengerkatalog& k)
{
    const std::optional<KalkZeile> gleich = k.kalkGleich(*m_daten);
    if (!gleich)
        return Gleich::Keins;
    AppContext& a = app();
    if (a.anzeige)
        a.anzeige->zeige(Meldung{0, kTitel,
                                 m_daten->Bezeichnung + QStringLiteral(" mit ") + a.gebiet.zahlText(m_daten->CaCO3)
                                     + QStringLiteral("% CaCO3 und ") + a.gebiet.zahlText(m_daten->MgCO3)
                                     + QStringLiteral("% MgCO3\nist in der Liste bereits vorhanden."),
                                 Meldung::Symbol::Keins});
    gespeichert(gleich->KalkNr);
    return Gleich::Erledigt;
}

QString frmKalkEingabe::neuSpeichern(Duengerkatalog& k) { return k.kalkNeu(*m_daten); }

bool frmKalkEingabe::aendern(Duengerkatalog& k, const QString& nr) { return k.kalkAendern(nr, *m_daten); }

// Closes the editor; the lime is chosen only while the fertiliser step offers the limes.
void frmKalkEingabe::gespeichert(const QString& nr)
{
    entladen();
    if (frmNPK3* seite = duengerSeite(); seite && seite->katalogstand() == Katalogstand::Kalk)
        seite->KalkDuengerEintragen(nr);
}

void KalkEingabeOeffnen(const QString& kalkNr)
{
    KatalogdialogOeffnen(QStringLiteral("frmKalkEingabe"), kalkNr);
}

} // namespace kav
