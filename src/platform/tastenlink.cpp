#include "platform/tastenlink.h"

#include "platform/fokusrahmen.h"

#include <QKeyEvent>
#include <QSet>
#include <QWidget>

namespace kav::forms {

namespace {
// The captions made links (neither a child nor a dynamic property: either would reach the forms'
// event filters while they are built).
QSet<const QObject*>& links()
{
    static QSet<const QObject*> l;
    return l;
}
} // namespace

Tastenlink::Tastenlink(QObject* eltern, QWidget* beschriftung, std::function<void()> klick, QWidget* begleiter)
    : QObject(eltern), m_beschriftung(beschriftung), m_klick(std::move(klick))
{
    links().insert(beschriftung);
    connect(beschriftung, &QObject::destroyed, this, [](QObject* b) { links().remove(b); });
    beschriftung->setFocusPolicy(static_cast<Qt::FocusPolicy>(beschriftung->focusPolicy() | Qt::TabFocus));
    beschriftung->installEventFilter(this);
    if (begleiter)
        setFokusBegleiter(beschriftung, begleiter);
}

Tastenlink::~Tastenlink()
{
    if (m_beschriftung)
        links().remove(m_beschriftung);
}

bool Tastenlink::ist(const QWidget* w) { return links().contains(w); }

bool Tastenlink::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QObject::eventFilter(o, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    const bool taste = k->key() == Qt::Key_Space || k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
    if (!taste || (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(o, e);
    if (!k->isAutoRepeat() && m_klick) // a key held down opens the chapter once
        m_klick();
    return true;
}

} // namespace kav::forms
