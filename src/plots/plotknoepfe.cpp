#include "plots/plotknoepfe.h"

#include "frame/oberflaeche.h"
#include "platform/fenster.h"
#include "services/appcontext.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <algorithm>

namespace kav {

void plotDialogOeffnen(const QString& name, bool neu)
{
    Rahmen& r = app().rahmen;
    forms::FensterRegister& reg = ui().fenster;
    if (forms::Fenster* offen = reg.fenster(name)) {
        QWidget* w = offen->widget();
        w->show();
        w->raise();
        w->activateWindow();
        return;
    }
    r.blnNeuerDatensatz = neu;
    r.blnToolbarAktiv = false;
    try {
        reg.zeigen(name);
    } catch (const std::exception&) {
        r.blnToolbarAktiv = true;
    }
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

QHBoxLayout* dialogKnoepfe(std::initializer_list<QToolButton*> knoepfe)
{
    auto* zeile = new QHBoxLayout;
    zeile->addStretch(1);
    for (QToolButton* b : knoepfe) {
        b->setIconSize(QSize(32, 32));
        b->setMinimumWidth(90);
        zeile->addWidget(b);
    }
    return zeile;
}

} // namespace kav
