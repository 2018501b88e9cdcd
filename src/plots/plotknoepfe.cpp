#include "plots/plotknoepfe.h"

#include "services/appcontext.h"

#include <QToolButton>

#include <algorithm>

namespace kav {

namespace {
QColor farbe(int r, int g, int b) { return QColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)); }
} // namespace

QColor benutzerFarbe()
{
    const Einstellungen& e = app().einstellungen;
    return farbe(e.intRot, e.intGruen, e.intBlau);
}

QColor benutzerFarbeHell()
{
    const Einstellungen& e = app().einstellungen;
    return farbe(e.intRotHell, e.intGruenHell, e.intBlauHell);
}

QToolButton* bildKnopf(QWidget* eltern, const QString& name, const QString& text, const QString& hinweis)
{
    auto* b = new QToolButton(eltern);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hinweis);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMouseTracking(true);
    return b;
}

} // namespace kav
