#include "frame/seite.h"

#include "frame/frmtoolbar.h"

#include "frame/hilfe.h"
#include "frame/klicksperre.h"
#include "frame/mdizentral.h"
#include "frame/seitenwechsel.h"
#include "services/appcontext.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QStatusBar>

namespace kav {

Seite::Seite(const QString& name, const QString& schritt, Platz platz)
    : forms::Formular(name), m_schritt(schritt), m_platz(platz)
{
    setFocusPolicy(Qt::ClickFocus);
    if (platz == Platz::Dialog) {
        setWindowTitle(QStringLiteral("Kav - Humavera"));
        resize(640, 480);
    }
}

void Seite::Form_Load()
{
    Rahmen& r = app().rahmen;
    if (m_platz == Platz::Dialog) {
        r.strAktivesFenster = name();
        return;
    }
    if (m_platz != Platz::Lexikon && !m_schritt.isEmpty())
        r.strFensterZeigen = m_schritt;
    if (m_platz != Platz::Lexikon)
        BrotkrumeAktualisieren(m_schritt);
    TitelSetzen();
    ArbeitsbereichAnordnen(name());
}

void Seite::Form_Unload()
{
    Rahmen& r = app().rahmen;
    if (m_platz == Platz::Dialog && r.strAktivesFenster == name())
        r.strAktivesFenster.clear();
}

void Seite::platzSetzen(Anordnung& a)
{
    using namespace forms;
    const Rahmen& r = a.rahmen();
    const auto TB = [&] { return Tw(&a.toolbar()).Height(); };
    const auto SB = [&] { return a.haupt().stbZentral()->height() * twipsProPixel(); };
    const auto TT = [&] { return Tw(a.fenster(QStringLiteral("frmTitel")).widget()).Height(); };
    switch (m_platz) {
    case Platz::UnterBrotkrume:
        a.tu([&] { Tw(this).setTop(TB() * 1.5); });
        a.tu([&] { Tw(this).setLeft(0); });
        a.tu([&] { Tw(this).setWidth(r.sngBreiteStart); });
        a.tu([&] { Tw(this).setHeight(r.sngHoeheStart - TB() - 1.5 * SB()); });
        break;
    case Platz::UnterTitel:
        a.tu([&] { Tw(this).setTop(TB() * 1.5 + TT() - 10); });
        a.tu([&] { Tw(this).setLeft(0); });
        a.tu([&] { Tw(this).setWidth(r.sngBreiteStart); });
        a.tu([&] { Tw(this).setHeight(r.sngHoeheStart - Tw(this).Top()); });
        break;
    case Platz::Empfehlung:
        a.tu([&] { Tw(this).setTop(TB() * 1.5 - 10); });
        a.tu([&] { Tw(this).setLeft(0); });
        a.tu([&] { Tw(this).setWidth(r.sngBreiteStart); });
        a.tu([&] { Tw(this).setHeight(r.sngHoeheStart - TB() - SB() * 1.5); });
        break;
    case Platz::Lexikon:
        a.tu([&] { Tw(this).setWidth(r.sngBreiteStart); });
        a.tu([&] { Tw(this).setHeight(r.sngHoeheStart - TB()); });
        a.tu([&] { Tw(this).setTop(TB()); });
        a.tu([&] { Tw(this).setLeft(0); });
        break;
    case Platz::Dialog:
        break;
    }
}

void Seite::anordnen(Anordnung& a)
{
    if (m_platz == Platz::Dialog)
        return;
    platzSetzen(a);
    a.tu([&] { a.farbverlauf(this); });
}

void Seite::showEvent(QShowEvent* e)
{
    forms::Formular::showEvent(e);
    // a page the program shows (not the window coming back from minimised): the clicks after the one
    // that opened it, of a double or triple click, are not taken by its step buttons nor by the
    // navigation bar
    if (!e->spontaneous() && m_platz != Platz::Dialog)
        Klicksperre::seiteGezeigt();
}

void Seite::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1)
        HilfeAufrufen(name());
    forms::Formular::keyReleaseEvent(e);
}

} // namespace kav
