#include "frame/anordnung.h"

#include "frame/frmtoolbar.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/schriftgroesse.h"
#include "frame/seitenwechsel.h"
#include "frame/sendeknoepfe.h"
#include "platform/farbverlaufzeichnen.h"
#include "services/appcontext.h"

#include <algorithm>

namespace kav {

Anordnung::Anordnung(mdiZentral& haupt, forms::FensterRegister& fenster, AppContext& a, int schriftGroesse)
    : m_haupt(haupt), m_fenster(fenster), m_app(a), m_schrift(schriftGroesse)
{
}

QColor Anordnung::C() const { return benutzerFarbe(m_app.einstellungen); }

QColor Anordnung::CH() const { return benutzerFarbeHell(m_app.einstellungen); }

const Rahmen& Anordnung::rahmen() const { return m_app.rahmen; }
Rahmen& Anordnung::rahmenSchreiben() { return m_app.rahmen; }
const Einstellungen& Anordnung::einstellungen() const { return m_app.einstellungen; }

forms::Fenster& Anordnung::fenster(const QString& name) const
{
    forms::Fenster* f = m_fenster.fenster(name);
    if (!f)
        throw forms::FormsFehler(QStringLiteral("Fenster %1 ist nicht geladen").arg(name));
    return *f;
}

frmToolbar& Anordnung::toolbar() const { return fensterAls<frmToolbar>(QStringLiteral("frmToolbar")); }

forms::Tw Anordnung::B(int k) const { return forms::Tw(toolbar().cmbMenu(k)); }

const forms::BildListe& Anordnung::imlIcon() const { return m_haupt.imlIcon(); }

void BenutzerverlaufZeichnen(QWidget* ziel, const Einstellungen& e)
{
    FarbverlaufZeichnen(ziel, e.intRot, e.intGruen, e.intBlau, e.intRotHell, e.intGruenHell, e.intBlauHell);
}

void Anordnung::farbverlauf(QWidget* ziel) const { BenutzerverlaufZeichnen(ziel, m_app.einstellungen); }

QString ArbeitsbereichAnordnen(const QString& /*strFormular*/)
{
    Oberflaeche& o = ui();
    mdiZentral* haupt = o.haupt.data();
    if (!haupt || o.anordnungLaeuft)
        return {};
    if (haupt->WindowState() == 1)
        return {};

    struct Sperre {
        Oberflaeche& o;
        explicit Sperre(Oberflaeche& x) : o(x)
        {
            o.anordnungLaeuft = true;
            o.fenster.setGesperrt(true);
        }
        ~Sperre()
        {
            o.fenster.setGesperrt(false);
            o.anordnungLaeuft = false;
        }
    } sperre(o);

    AppContext& a = app();
    const double tpp = forms::twipsProPixel();
    a.rahmen.intSchriftGroesse = schriftGroesseFuer(haupt->Height() / tpp, haupt->Width() / tpp);
    Anordnung pass(*haupt, o.fenster, a, a.rahmen.intSchriftGroesse);

    // the list as it stands at the start, the strips first; a window unloaded on the way is passed over
    QList<forms::Fenster*> liste = o.fenster.geladene();
    std::stable_partition(liste.begin(), liste.end(), [](forms::Fenster* f) {
        const auto* block = dynamic_cast<const Anordenbar*>(f);
        return block && block->rahmenstreifen();
    });
    for (forms::Fenster* f : liste) {
        if (!o.fenster.geladene().contains(f))
            continue;
        if (auto* block = dynamic_cast<Anordenbar*>(f))
            pass.tu([&] { block->anordnen(pass); });
    }
    // pages opened later follow the option that sends every result
    if (a.einstellungen.strDatenAufServer == QLatin1String("Wahr"))
        pass.tu([] { SendeKnoepfeZeigen(false); });
    ++o.anordnungen;
    o.uebersprungeneAnweisungen = pass.fehler();
    pass.tu([] { TitelSetzen(); });
    return {};
}

} // namespace kav
