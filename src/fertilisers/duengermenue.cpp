#include "fertilisers/duengermenue.h"

#include "fertilisers/duengerdienste.h"
#include "fertilisers/frmduengereingabe.h"
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/frmkalkeingabe.h"
#include "fertilisers/frmnpk3.h"
#include "services/appcontext.h"
#include "services/meldungen.h"

namespace kav {

namespace {

void melden(const QString& text)
{
    if (app().anzeige)
        app().anzeige->zeige(Meldung{0, kDuengerMeldungTitel, text, Meldung::Symbol::Information});
}

} // namespace

void mnuDuengerInfo_Click()
{
    frmNPK3* seite = duengerSeite();
    if (!seite || seite->menueDuengerNr().isEmpty())
        return;
    if (frmDuengerInfo* info = DuengerInfoAnzeigen(seite->menueKlasse(), seite->menueDuengerNr())) {
        info->setTag(QStringLiteral("AuswahlDuenger"));
        info->zeigen();
    }
}

void mnuDuengerEdit_Click()
{
    if (frmNPK3* seite = duengerSeite(); seite && !seite->menueDuengerNr().isEmpty())
        DuengerEingabeOeffnen(seite->menueDuengerNr());
}

void mnuKalkEdit_Click()
{
    if (frmNPK3* seite = duengerSeite(); seite && !seite->menueKalkNr().isEmpty())
        KalkEingabeOeffnen(seite->menueKalkNr());
}

void mnuDuengerLoeschen_Click()
{
    frmNPK3* seite = duengerSeite();
    auto d = DuengerDienste::oeffnen(app());
    if (!seite || !d || seite->menueDuengerNr().isEmpty())
        return;
    const QString nr = seite->menueDuengerNr();
    try {
        if (d->wahl().istGewaehlt(nr)) {
            const auto z = d->katalog().duenger(nr);
            melden(QStringLiteral("Der Dünger „%1“ ist in dieser Berechnung ausgewählt und kann deshalb nicht "
                                  "gelöscht werden. Nehmen Sie ihn zuerst mit dem Papierkorb aus der Auswahl.")
                       .arg(z ? z->Bezeichnung : nr));
            return;
        }
        d->katalog().duengerLoeschen(nr);
    } catch (const std::exception&) {
        melden(datenFehlerText(QStringLiteral("Der Dünger konnte nicht gelöscht werden. Der Katalog ist "
                                              "unverändert.")));
        return;
    }
    seite->DuengerBaumFuellen();
}

void mnuKalkLoeschen_Click()
{
    frmNPK3* seite = duengerSeite();
    auto d = DuengerDienste::oeffnen(app());
    if (!seite || !d || seite->menueKalkNr().isEmpty())
        return;
    try {
        d->katalog().kalkLoeschen(seite->menueKalkNr());
    } catch (const std::exception&) {
        melden(datenFehlerText(QStringLiteral("Der Kalk konnte nicht gelöscht werden. Der Katalog ist "
                                              "unverändert.")));
        return;
    }
    seite->DuengerBaumFuellen();
}

} // namespace kav
