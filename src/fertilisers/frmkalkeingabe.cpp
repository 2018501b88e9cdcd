#include "fertilisers/frmkalkeingabe.h"

#include "fertilisers/duengerdienste.h"
#include "fertilisers/frmnpk3.h"
#include "fertilisers/katalogeingabe.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "services/appcontext.h"
#include "services/meldungen.h"

namespace kav {

frmKalkEingabe::frmKalkEingabe()
    : Katalogdialog(QStringLiteral("frmKalkEingabe"), QStringLiteral("Kav - Neuen Kalkdünger eingeben"),
                    QStringLiteral("Karbonatgehalte:"), QStringLiteral("pHundKalk"))
{
    m_txtCaCO3 = gehaltFeld(QStringLiteral("txtCaCO3"), QStringLiteral("CaCO3  :"));
    m_txtMgCO3 = gehaltFeld(QStringLiteral("txtMgCO3"), QStringLiteral("MgCO3"));
    fertigstellen();
}

bool frmKalkEingabe::oeffnen(const QString& kalkNr)
{
    m_nr = kalkNr;
    if (m_nr.isEmpty())
        return true;
    auto d = DuengerDienste::oeffnen(app());
    std::optional<KalkZeile> z;
    try {
        if (d)
            z = d->katalog().kalk(m_nr);
    } catch (const std::exception&) {
        z.reset();
    }
    if (!z) {
        melden(QStringLiteral("Dieser Kalk ist nicht mehr im Katalog und kann nicht bearbeitet werden."));
        return false;
    }
    const auto text = [](double v) { return v > 0 ? app().gebiet.zahlText(v) : QString(); };
    txtName()->setText(z->Bezeichnung);
    m_txtCaCO3->setText(text(z->CaCO3));
    m_txtMgCO3->setText(text(z->MgCO3));
    return true;
}

// Closes the editor; the lime is chosen only while the fertiliser step offers the limes.
void frmKalkEingabe::waehlen(const QString& kalkNr)
{
    entladen();
    if (frmNPK3* seite = duengerSeite(); seite && seite->katalogstand() == Katalogstand::Kalk)
        seite->KalkDuengerEintragen(kalkNr);
}

void frmKalkEingabe::cmdOK_Click()
{
    AppContext& a = app();
    const KalkPruefung p = KalkEingabePruefen(txtName()->text(), m_txtCaCO3->text(), m_txtMgCO3->text(), a.gebiet);
    if (p.ohneName) {
        nameFehlt();
        return;
    }
    if (!p.daten) {
        melden(p.meldung);
        return;
    }
    auto d = DuengerDienste::oeffnen(a);
    if (!d)
        return;
    QString nr = m_nr;
    try {
        if (neu()) {
            if (const auto gleich = d->katalog().kalkGleich(*p.daten)) {
                if (a.anzeige)
                    a.anzeige->zeige(Meldung{0, kTitel,
                                             p.daten->Bezeichnung + QStringLiteral(" mit ") + a.gebiet.zahlText(p.daten->CaCO3)
                                                 + QStringLiteral("% CaCO3 und ") + a.gebiet.zahlText(p.daten->MgCO3)
                                                 + QStringLiteral("% MgCO3\nist in der Liste bereits vorhanden"),
                                             Meldung::Symbol::Keins});
                waehlen(gleich->KalkNr);
                return;
            }
            nr = d->katalog().kalkNeu(*p.daten);
        } else if (!d->katalog().kalkAendern(nr, *p.daten)) {
            melden(QStringLiteral("Dieser Kalk ist nicht mehr im Katalog. Ihre Änderungen können nicht gespeichert "
                                  "werden."));
            return;
        }
    } catch (const std::exception&) {
        melden(QStringLiteral("Der Kalk konnte nicht gespeichert werden. Der Katalog ist unverändert."));
        return;
    }
    waehlen(nr);
}

void KalkEingabeOeffnen(const QString& kalkNr)
{
    KatalogdialogOeffnen(QStringLiteral("frmKalkEingabe"), kalkNr);
}

} // namespace kav
