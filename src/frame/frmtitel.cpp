#include "frame/frmtitel.h"

#include "frame/bilder.h"
#include "frame/frmtoolbar.h"
#include "frame/oberflaeche.h"
#include "frame/titelzeilen.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"

#include <QLabel>

namespace kav {

frmTitel::frmTitel() : forms::Formular(QStringLiteral("frmTitel"))
{
    m_iml = titelListe();
    for (int i = 1; i <= 3; ++i) {
        auto* img = new forms::Bild(this);
        img->setObjectName(QStringLiteral("imgTitel%1").arg(i));
        m_img.anhaengen(img);
        m_lbl.anhaengen(Beschriftung(this, QStringLiteral("lblTitel%1").arg(i)));
    }
}

void frmTitel::bildSetzen(int i, const QString& schluessel)
{
    // a key that is not in the list (a crop at the top level gives "Gr0") shows no picture
    if (m_iml.enthaelt(schluessel))
        m_img(i)->setBild(m_iml.bild(schluessel));
    else
        m_img(i)->leeren();
    m_img(i)->setSchluessel(m_iml.enthaelt(schluessel) ? schluessel : QString());
}

void frmTitel::Form_Load()
{
    ArbeitsbereichAnordnen(name());
    try {
        zeilenLesen();
    } catch (const std::exception&) {
        // a line that cannot be read stays empty
    }
}

void frmTitel::zeilenLesen()
{
    AppContext& a = app();
    if (!a.db)
        return;
    const TitelZeilen z = TitelZeilenLesen(a.db->cnKav(), a.db->cnDaten(), a.bedarf, a.gebiet);
    for (int i = 1; i <= 3; ++i) {
        if (const auto& zeile = z[static_cast<size_t>(i - 1)]) {
            m_lbl(i)->setText(zeile->text);
            bildSetzen(i, zeile->bild);
        }
    }
}

void frmTitel::anordnen(Anordnung& a)
{
    using namespace forms;
    const Rahmen& r = a.rahmen();
    a.tu([&] { Tw(this).setTop(Tw(&a.toolbar()).Height() * 1.5); });
    a.tu([&] { Tw(this).setLeft(0); });
    a.tu([&] { Tw(this).setHeight(Tw(&a.toolbar()).Height()); });
    a.tu([&] { Tw(this).setWidth(r.sngBreiteStart); });
    a.tu([&] { setBackColor(this, a.C()); });

    const auto TH = [this] { return Tw(this).Height(); };
    const auto TW = [this] { return Tw(this).Width(); };
    const auto TSW = [this] { return Tw(this).ScaleWidth(); };
    for (int i = 1; i <= 3; ++i) {
        a.tu([&] { Tw(m_img(i)).setTop(TH() / 6); });
        // the side follows from the strip's size alone: a twenty-fifth of its width, and small
        // enough to stand in the strip with equal room above and below
        a.tu([&] {
            const double s = std::min(TW() / 25, TH() * 2 / 3);
            Tw(m_img(i)).setWidth(s);
            Tw(m_img(i)).setHeight(Tw(m_img(i)).Width());
        });
        a.tu([&] { Tw(m_img(i)).setLeft(i * TSW() / 18 + (i - 1) * (Tw(m_img(i)).Width() + 50 + TW() / 4)); });
        a.tu([&] { m_img(i)->setStretch(true); });

        a.tu([&] { Tw(m_lbl(i)).setTop(Tw(m_img(i)).Top() + Tw(m_img(i)).Height() / 8); });
        a.tu([&] { Tw(m_lbl(i)).setLeft(Tw(m_img(i)).Left() + Tw(m_img(i)).Width() + 50); });
        a.tu([&] { Tw(m_lbl(i)).setHeight(Tw(m_img(i)).Height()); });
        a.tu([&] { Tw(m_lbl(i)).setWidth(TW() / 4); });
        a.tu([&] { setFontSize(m_lbl(i), a.F()); });
        a.tu([&] { setFontBold(m_lbl(i), true); });
    }
}

} // namespace kav
