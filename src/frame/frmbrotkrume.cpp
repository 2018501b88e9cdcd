#include "frame/frmbrotkrume.h"

#include "frame/bilder.h"
#include "frame/frmtoolbar.h"
#include "frame/oberflaeche.h"
#include "services/appcontext.h"

#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

namespace kav {

frmBrotkrume::frmBrotkrume() : forms::Formular(QStringLiteral("frmBrotkrume"))
{
    setMouseTracking(true);
    // one tab stop: the strip tells where the calculation stands (its steps take no click, nor a key)
    setFocusPolicy(Qt::TabFocus);
    m_iml = brotkrumenListe();
    static const char* const texte[6] = {"1. Fläche", "2. Kultur", "3. Gründüngung", "4. Kompost, Mist", "5. Dünger", "6. Empfehlung"};
    for (int i = 0; i < 6; ++i) {
        auto* img = new forms::Bild(this);
        img->setObjectName(QStringLiteral("imgBrotkrume%1").arg(i));
        img->setMouseTracking(true);
        m_img.anhaengen(img);
        auto* lbl = new QLabel(QString::fromUtf8(texte[i]), this);
        lbl->setObjectName(QStringLiteral("lblBrotkrume%1").arg(i));
        lbl->setMouseTracking(true);
        lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_lbl.anhaengen(lbl);
    }
    m_linie = new forms::Linie(this);
    m_linie->setObjectName(QStringLiteral("linTrennung"));
}

void frmBrotkrume::Form_Load() { ArbeitsbereichAnordnen(name()); }

void frmBrotkrume::schrittZeigen(int p)
{
    for (int i = 0; i < 6; ++i) {
        forms::Bild* img = m_img(i);
        const QString schluessel = i < p ? QStringLiteral("OK") : i == p ? QStringLiteral("Aktiv") : QString();
        if (schluessel.isEmpty() || !m_iml.enthaelt(schluessel))
            img->leeren();
        else
            img->setBild(m_iml.bild(schluessel));
        img->setSchluessel(schluessel);
        forms::setFontBold(m_lbl(i), i == p);
    }
    // what a screen reader says of the strip when it has the focus
    setAccessibleName(m_lbl.hat(p) ? QStringLiteral("Schritt ") + m_lbl(p)->text() : QString());
}

void frmBrotkrume::Form_MouseMove()
{
    auto* tb = ui().fenster.fensterAls<frmToolbar>(QStringLiteral("frmToolbar"));
    if (!tb)
        return;
    const QColor hell = benutzerFarbeHell(app().einstellungen);
    const QColor normal = benutzerFarbe(app().einstellungen);
    for (int i = 1; i <= 7; ++i) {
        if (forms::BackColor(tb->cmbMenu(i)) == hell) {
            forms::setBackColor(tb->cmbMenu(i), normal);
            return;
        }
    }
}

void frmBrotkrume::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    forms::Formular::mouseMoveEvent(e);
}

void frmBrotkrume::anordnen(Anordnung& a)
{
    using namespace forms;
    a.tu([&] { Tw(this).setTop(Tw(&a.toolbar()).Top() + Tw(&a.toolbar()).Height()); });
    a.tu([&] { Tw(this).setLeft(0); });
    a.tu([&] { Tw(this).setHeight(Tw(&a.toolbar()).Height() * 0.5); });
    a.tu([&] { Tw(this).setWidth(Tw(&a.toolbar()).Width()); });
    a.tu([&] { setBackColor(this, a.C()); });

    const auto H = [this] { return Tw(this).Height(); };
    const auto W = [this] { return Tw(this).Width(); };
    const auto SW = [this] { return Tw(this).ScaleWidth(); };
    // the rule along the bottom, to the strip's last pixel
    a.tu([&] { m_linie->setLinie(QLineF(0, H() * 0.95, W() - twipsProPixel(), H() * 0.95)); });
    a.tu([&] { forms::setVisible(m_linie, true); });

    for (int i = 0; i <= 5; ++i) {
        a.tu([&] { Tw(m_img(i)).setTop(H() / 25); });
        // side from the strip's size alone, so that every pass at one size gives the same picture
        a.tu([&] {
            const double s = std::min(W() / 50, 2 * H() / 5);
            Tw(m_img(i)).setWidth(s);
            Tw(m_img(i)).setHeight(Tw(m_img(i)).Width());
        });
        a.tu([&] { Tw(m_img(i)).setLeft(SW() / 50 + i * (W() / 7 + Tw(m_img(i)).Width())); });
        a.tu([&] { m_img(i)->setStretch(true); });
        a.tu([&] { forms::setVisible(m_img(i), true); });

        a.tu([&] { Tw(m_lbl(i)).setTop(Tw(m_img(i)).Top() + Tw(m_img(i)).Height() / 7); });
        a.tu([&] { Tw(m_lbl(i)).setLeft(Tw(m_img(i)).Left() + Tw(m_img(i)).Width() + 50); });
        a.tu([&] { Tw(m_lbl(i)).setHeight(Tw(m_img(i)).Height() * 1.5); });
        a.tu([&] { Tw(m_lbl(i)).setWidth(W() / 7); });
        a.tu([&] { setFontSize(m_lbl(i), a.F() - 2); });
        a.tu([&] { forms::setVisible(m_lbl(i), true); });
    }
    a.tu([&] { forms::setVisible(this, true); });
}

} // namespace kav
