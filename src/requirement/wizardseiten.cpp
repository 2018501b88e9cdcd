#include "requirement/wizardseiten.h"

#include "frame/oberflaeche.h"
#include "frame/seitenwechsel.h"
#include "requirement/frmnpk.h"
#include "requirement/frmnpk1.h"
#include "services/appcontext.h"

#include <QToolButton>

#include <algorithm>

namespace kav {

bool SeiteZeigen(const QString& name)
{
    try {
        ui().fenster.zeigen(name);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void LexikonZeigen(const QString& kapitel)
{
    Rahmen& r = app().rahmen;
    if (!kapitel.isEmpty())
        r.strLexikonAnzeige = kapitel;
    r.blnLexikonVonAussen = true;
    if (!SeiteZeigen(QStringLiteral("frmLexikon")))
        r.blnLexikonVonAussen = false;
}

void BerechnungAbbrechen()
{
    AppContext& a = app();
    FormulareEntladen();
    BedarfVariablenZuruecksetzen(a.bedarf, 0);
    a.rahmen.strFensterZeigen = QStringLiteral("NPK");
    SeiteZeigen(QStringLiteral("frmNPK"));
    TitelSetzen();
}

void NPKBaumFuellen(int intSeite)
{
    forms::FensterRegister& r = ui().fenster;
    if (intSeite == 1) {
        if (auto* s = r.fensterAls<frmNPK>(QStringLiteral("frmNPK")))
            s->baumFuellen();
    } else if (intSeite == 2) {
        if (auto* s = r.fensterAls<frmNPK1>(QStringLiteral("frmNPK1")))
            s->baumFuellen();
    }
}

void WizardMelden(const Meldung& m)
{
    if (m.text.isEmpty() && m.titel.isEmpty())
        return;
    if (MeldungsAnzeige* anzeige = app().anzeige)
        anzeige->zeige(m);
}

QToolButton* WizardKnopf(QWidget* seite, const QString& name, const QString& hinweis)
{
    auto* b = new QToolButton(seite);
    b->setObjectName(name);
    b->setToolTip(hinweis);
    b->setAccessibleName(hinweis);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setMouseTracking(true);
    // a move over the button is the button's: the window's own move would take the highlight back
    b->setAttribute(Qt::WA_NoMousePropagation);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

bool ZurueckFaerben(QToolButton* b)
{
    const Einstellungen& e = app().einstellungen;
    if (forms::BackColor(b) != benutzerFarbeHell(e))
        return false;
    forms::setBackColor(b, benutzerFarbe(e));
    return true;
}

void KnopfBildEinpassen(QToolButton* b)
{
    const int seite = std::max(8, std::min(b->width(), b->height()) * 3 / 5);
    b->setIconSize(QSize(seite, seite));
}

} // namespace kav
