#include "frame/seitenwechsel.h"

#include "frame/frmbrotkrume.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "frame/seite.h"
#include "services/appcontext.h"

namespace kav {

bool SeitenVerlassenErlaubt()
{
    for (forms::Fenster* f : ui().fenster.geladene())
        if (auto* s = dynamic_cast<Seite*>(f); s && !s->darfVerlassenWerden())
            return false;
    return true;
}

bool FormulareEntladen(bool fragen)
{
    if (fragen && !SeitenVerlassenErlaubt())
        return false;
    forms::FensterRegister& r = ui().fenster;
    for (forms::Fenster* f : r.geladene()) {
        const QString& n = f->name();
        if (n != QLatin1String("frmBrotkrume") && n != QLatin1String("mdiZentral") && n != QLatin1String("frmToolbar"))
            r.entladen(f);
    }
    return true;
}

void TitelSetzen()
{
    mdiZentral* haupt = ui().haupt.data();
    if (!haupt || ui().fenster.istGeladen(QStringLiteral("frmIntro")))
        return;
    haupt->setWindowTitle(titelFuer(app().rahmen.strFensterZeigen));
}

void BrotkrumeAktualisieren(const QString& strSchritt)
{
    forms::FensterRegister& r = ui().fenster;
    auto* bk = r.fensterAls<frmBrotkrume>(QStringLiteral("frmBrotkrume"));
    if (!bk && !r.gesperrt()) {
        try {
            bk = dynamic_cast<frmBrotkrume*>(r.zeigen(QStringLiteral("frmBrotkrume")));
        } catch (const std::exception&) {
            bk = nullptr;
        }
    }
    if (bk)
        bk->schrittZeigen(brotkrumenPosition(strSchritt));
}

} // namespace kav
