#include "platform/optionsgruppe.h"

#include "platform/fokusrahmen.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace kav::forms {

namespace {
// The group of each option (a dynamic property would reach the forms' event filters while they are built).
QHash<const QObject*, QPointer<Optionsgruppe>>& gruppen()
{
    static QHash<const QObject*, QPointer<Optionsgruppe>> g;
    return g;
}
} // namespace

Optionsgruppe::Optionsgruppe(QObject* eltern, std::vector<Option> optionen, std::function<int()> gewaehlt,
                             std::function<void(int)> waehlen, Art art, int spalten)
    : QObject(eltern), m_optionen(std::move(optionen)), m_gewaehlt(std::move(gewaehlt)), m_waehlen(std::move(waehlen)),
      m_art(art), m_spalten(spalten)
{
    for (const Option& o : m_optionen) {
        gruppen().insert(o.feld, this);
        connect(o.feld, &QObject::destroyed, this, [](QObject* f) { gruppen().remove(f); });
        o.feld->setFocusPolicy(Qt::ClickFocus);
        o.feld->installEventFilter(this);
        if (o.beschriftung)
            setFokusBegleiter(o.feld, o.beschriftung);
    }
    if (!m_optionen.empty())
        m_optionen.front().feld->setFocusPolicy(Qt::StrongFocus);
}

Optionsgruppe::~Optionsgruppe()
{
    for (const Option& o : m_optionen)
        if (gruppen().value(o.feld) == this)
            gruppen().remove(o.feld);
}

Optionsgruppe* Optionsgruppe::von(const QWidget* w) { return w ? gruppen().value(w).data() : nullptr; }

QWidget* Optionsgruppe::feld(int i) const
{
    return i >= 0 && i < anzahl() ? m_optionen[static_cast<size_t>(i)].feld : nullptr;
}

int Optionsgruppe::index(const QObject* o) const
{
    for (int i = 0; i < anzahl(); ++i)
        if (m_optionen[static_cast<size_t>(i)].feld == o)
            return i;
    return -1;
}

bool Optionsgruppe::erreichbar(int i) const
{
    const QWidget* f = feld(i);
    return f && f->isVisibleTo(f->window()) && f->isEnabled();
}

void Optionsgruppe::aktualisieren()
{
    int stopp = index(QApplication::focusWidget());
    if (!erreichbar(stopp))
        stopp = m_gewaehlt ? m_gewaehlt() : -1;
    if (!erreichbar(stopp))
        stopp = weiter(-1, 1, false);
    for (int i = 0; i < anzahl(); ++i)
        feld(i)->setFocusPolicy(i == stopp || (stopp < 0 && i == 0) ? Qt::StrongFocus : Qt::ClickFocus);
}

QWidget* Optionsgruppe::stopp() const
{
    for (int i = 0; i < anzahl(); ++i)
        if ((feld(i)->focusPolicy() & Qt::TabFocus) && erreichbar(i))
            return feld(i);
    return nullptr;
}

int Optionsgruppe::weiter(int von, int schritt, bool rund) const
{
    const int n = anzahl();
    for (int i = von + schritt, k = 0; k < n; i += schritt, ++k) {
        if (i < 0 || i >= n) {
            if (!rund)
                return -1;
            i = (i % n + n) % n;
        }
        if (erreichbar(i))
            return i;
    }
    return -1;
}

void Optionsgruppe::gehen(int i)
{
    QPointer<QWidget> ziel = feld(i);
    for (int k = 0; k < anzahl(); ++k)
        feld(k)->setFocusPolicy(k == i ? Qt::StrongFocus : Qt::ClickFocus);
    ziel->setFocus(Qt::TabFocusReason);
    if (m_waehlen)
        m_waehlen(i);
    // the choice may lay the window out anew: the focus stays with the option chosen
    if (ziel && ziel->isVisible() && !ziel->hasFocus())
        ziel->setFocus(Qt::TabFocusReason);
}

bool Optionsgruppe::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QObject::eventFilter(o, e);
    const int i = index(o);
    const auto* k = static_cast<QKeyEvent*>(e);
    if (i < 0 || (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(o, e);
    if (k->key() == Qt::Key_Space) {
        if (m_waehlen)
            m_waehlen(i);
        return true;
    }
    if (m_art == Art::Schalter)
        return QObject::eventFilter(o, e);
    int ziel = -1;
    const bool raster = m_spalten > 0;
    switch (k->key()) {
    case Qt::Key_Left: ziel = weiter(i, -1, true); break;
    case Qt::Key_Right: ziel = weiter(i, 1, true); break;
    case Qt::Key_Up: ziel = weiter(i, raster ? -m_spalten : -1, !raster); break;
    case Qt::Key_Down: ziel = weiter(i, raster ? m_spalten : 1, !raster); break;
    default: return QObject::eventFilter(o, e);
    }
    if (ziel >= 0 && ziel != i)
        gehen(ziel);
    return true;
}

} // namespace kav::forms
