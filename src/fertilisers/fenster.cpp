// The windows of this area.
#include "fertilisers/frmduengereingabe.h"
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/frmkalkeingabe.h"
#include "fertilisers/frmnpk3.h"
#include "fertilisers/frmverfahren.h"
#include "frame/fensterkatalog.h"
#include "frame/oberflaeche.h"

#include <QToolButton>

namespace kav::fertilisers {

void FensterAnmelden(forms::FensterRegister& r)
{
    r.klasseAnmelden(QStringLiteral("frmNPK3"), [] { return new frmNPK3; });
    r.klasseAnmelden(QStringLiteral("frmVerfahren"), [] { return new frmVerfahren; });
    r.klasseAnmelden(QStringLiteral("frmDuengerEingabe"), [] { return new frmDuengerEingabe; });
    r.klasseAnmelden(QStringLiteral("frmKalkEingabe"), [] { return new frmKalkEingabe; });
    r.klasseAnmelden(QStringLiteral("frmDuengerInfo"), [] { return new frmDuengerInfo; });
}

void KalkDuengerEintragen(const QString& strKalkNr)
{
    auto* seite = ui().fenster.fensterAls<frmNPK3>(QStringLiteral("frmNPK3"));
    if (!seite)
        return;
    seite->KalkDuengerEintragen(strKalkNr);
    seite->cmbWeiter()->setEnabled(true);
}

void DuengerauswahlOeffnen() { kav::DuengerauswahlOeffnen(); }

void HinweisZeigen(const QString& caption, const QString& titel, const QString& text, const QString& kapitel)
{
    DuengerHinweisZeigen(Hinweis{caption, titel, text, kapitel});
}

} // namespace kav::fertilisers
