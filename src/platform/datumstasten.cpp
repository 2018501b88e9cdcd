#include "platform/datumstasten.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace kav::forms {

DatumsTaste tasteVon(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return DatumsTaste::Umschalter;
    default:
        break;
    }
    if (e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier))
        return DatumsTaste::Andere;
    switch (e->key()) {
    case Qt::Key_Backspace:
        return DatumsTaste::Zurueck;
    case Qt::Key_Delete:
        return DatumsTaste::Entfernen;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return DatumsTaste::Bestaetigen;
    case Qt::Key_Escape:
        return DatumsTaste::Abbrechen;
    default:
        break;
    }
    const QString t = e->text();
    return t.size() == 1 && t.front().isPrint() && !t.front().isLetter() ? DatumsTaste::Zeichen : DatumsTaste::Andere;
}

bool fokusVerlaesst(const QFocusEvent* e)
{
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

void abweisungMelden(QObject* kontext, const DatumAbgewiesen& an, const DatumsAbweisung& a, bool spaeter)
{
    if (!an)
        return;
    if (spaeter)
        QTimer::singleShot(0, kontext, [an, a] { an(a); });
    else
        an(a);
}

} // namespace kav::forms
