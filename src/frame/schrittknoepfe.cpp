#include "frame/schrittknoepfe.h"

#include "frame/anordnung.h"
#include "frame/klicksperre.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"

#include <QMouseEvent>
#include <QToolButton>

namespace kav {

namespace {

QToolButton* knopf(QWidget* seite, const Schrittknoepfe::Knopf& k)
{
    auto* b = new QToolButton(seite);
    b->setObjectName(k.name);
    b->setToolTip(k.hinweis);
    b->setAccessibleName(k.hinweis);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setMouseTracking(true);
    // a move over the button is the button's: the window's own move would take the highlight back
    b->setAttribute(Qt::WA_NoMousePropagation);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

Schrittknoepfe::Schrittknoepfe(QWidget* seite, const Knopf& abbruch, const Knopf& zurueck, const Knopf& weiter)
    : QObject(seite), m_seite(seite), m_abbruch(knopf(seite, abbruch)), m_zurueck(knopf(seite, zurueck)),
      m_weiter(knopf(seite, weiter))
{
    for (QToolButton* b : {m_abbruch, m_zurueck, m_weiter}) {
        b->installEventFilter(this);
        // a left click and the keyboard come as clicked; the other mouse buttons in the filter
        connect(b, &QToolButton::clicked, this, [this, b] { ausloesen(b); });
        // installed last, the guard sees a click first: none within the double-click time after the
        // click that showed the page
        Klicksperre::schuetzen(b);
    }
}

void Schrittknoepfe::ausloesen(QToolButton* b) const
{
    const std::function<void()>& f = b == m_abbruch ? beiAbbruch : b == m_zurueck ? beiZurueck : beiWeiter;
    if (f && b->isEnabled())
        f();
}

void Schrittknoepfe::hervorheben(QToolButton* b) const
{
    if (!b->isEnabled()) // a disabled button lights nothing, nor takes the light of the other one
        return;
    Hervorheben(b);
    const Einstellungen& e = app().einstellungen;
    // next and back take turns
    if (b == m_weiter)
        forms::setBackColor(m_zurueck, benutzerFarbe(e));
    else if (b == m_zurueck)
        forms::setBackColor(m_weiter, benutzerFarbe(e));
}

void Schrittknoepfe::Form_MouseMove() const
{
    const Einstellungen& e = app().einstellungen;
    for (QToolButton* b : {m_abbruch, m_weiter, m_zurueck}) {
        if (forms::BackColor(b) == benutzerFarbeHell(e)) {
            forms::setBackColor(b, benutzerFarbe(e));
            return;
        }
    }
}

bool Schrittknoepfe::eventFilter(QObject* o, QEvent* e)
{
    auto* b = qobject_cast<QToolButton*>(o);
    if (!b)
        return QObject::eventFilter(o, e);
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        hervorheben(b);
    } else if (e->type() == QEvent::MouseButtonRelease) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::LeftButton && b->rect().contains(m->position().toPoint())) {
            ausloesen(b);
            return true;
        }
    }
    return QObject::eventFilter(o, e);
}

void Schrittknoepfe::anordnen(Anordnung& a, double hoeheAbzug) const
{
    using forms::Tw;
    const auto SH = [this] { return Tw(m_seite).ScaleHeight(); };
    const auto TT = [&] { return Tw(a.fenster(QStringLiteral("frmTitel")).widget()).Height(); };
    const auto BK = [&] { return Tw(a.fenster(QStringLiteral("frmBrotkrume")).widget()).Height(); };
    const auto T = [this] { return Tw(m_seite).Top(); };
    QToolButton* c = m_abbruch;
    a.tu([&] { Tw(c).setHeight((SH() + TT() - hoeheAbzug) / 6); });
    a.tu([&] { Tw(c).setWidth(a.B(7).Width() * 3 / 4); });
    a.tu([&] { Tw(c).setTop(a.rahmen().sngHoeheStart * 0.6 - T() + BK() + 10); });
    a.tu([&] { Tw(c).setLeft(a.B(7).Left()); });
    for (QToolButton* b : {m_zurueck, m_weiter}) {
        a.tu([&] { Tw(b).setHeight(Tw(c).Height()); });
        a.tu([&] { Tw(b).setWidth(Tw(c).Width() / 2); });
        a.tu([&] { Tw(b).setTop(Tw(c).Top() + Tw(c).Height() * 1.25); });
    }
    a.tu([&] { Tw(m_zurueck).setLeft(Tw(c).Left()); });
    a.tu([&] { Tw(m_weiter).setLeft(Tw(c).Left() + Tw(c).Width() / 2); });
    const std::pair<QToolButton*, const char*> bilder[] = {{m_abbruch, "Abbruch"}, {m_zurueck, "Zurueck"}, {m_weiter, "Weiter"}};
    for (const auto& [b, bild] : bilder) {
        a.tu([&] { forms::setBackColor(b, a.C()); });
        a.tu([&] { b->setIcon(a.imlIcon().bild(QLatin1String(bild))); });
        a.tu([&] {
            const int seite = std::max(8, std::min(b->width(), b->height()) * 3 / 5);
            b->setIconSize(QSize(seite, seite));
        });
    }
}

} // namespace kav
