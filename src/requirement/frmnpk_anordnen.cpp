// The plot step's block of the layout pass: places, sizes, fonts, colours and pictures only. The prompt
// across the top, the tree below it on the left, the plot's name and its six values in a column from
// two and a half navigation buttons, the two buttons under the seventh navigation button.
#include "frame/anordnung.h"
#include "requirement/frmnpk.h"
#include "requirement/npkanordnung.h"
#include "requirement/npkbaumansicht.h"
#include "requirement/wizardseiten.h"

#include <QToolButton>

#include <algorithm>

namespace kav {

using forms::Tw;

void frmNPK::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto H = [this] { return Tw(this).Height(); };
    const auto SW = [this] { return Tw(this).ScaleWidth(); };
    const auto SH = [this] { return Tw(this).ScaleHeight(); };
    const int F = a.F();

    // the prompt, the tree below it and the plot's name with the date line (two lines at least)
    NPKKopfAnordnen(a, this, m_lblTitel, m_trvNPK, m_txtNPK, 2);

    // the captions in rows two caption heights apart, the values beside them ending flush with the name
    for (int i = 0; i <= 5; ++i) {
        QLabel* l = m_lblWert(i);
        a.tu([&] { setFontSize(l, F); });
        a.tu([&] { Tw(l).setHeight(std::max(H() / 25, (l->fontMetrics().height() + 2) * twipsProPixel())); });
        a.tu([&] { Tw(l).setLeft(Tw(m_txtNPK).Left()); });
        a.tu([&] { Tw(l).setTop(Tw(m_txtNPK).Top() + Tw(m_txtNPK).Height() / 2 + 2 * (i + 1) * Tw(l).Height()); });
        a.tu([&] { Tw(l).setWidth(NPKTextBreite(l, l->text(), 4)); });
    }
    const auto beschriftungsBreite = [&] {
        double b = 0;
        for (int i = 0; i <= 5; ++i)
            b = std::max(b, Tw(m_lblWert(i)).Width());
        return b;
    };
    for (int i = 0; i <= 5; ++i) {
        QLineEdit* t = m_txtWert(i);
        a.tu([&] { setFontSize(t, F); });
        a.tu([&] { Tw(t).setLeft(Tw(m_lblWert(1)).Left() + beschriftungsBreite() + SW() / 100); });
        a.tu([&] { Tw(t).setTop(Tw(m_lblWert(i)).Top()); });
        a.tu([&] {
            // as wide as the longest text it shows ("nicht bestimmt"), else flush with the name box
            const double noetig = NPKTextBreite(t, QStringLiteral("nicht bestimmt"), 16);
            Tw(t).setWidth(std::max(Tw(m_txtNPK).Left() + Tw(m_txtNPK).Width() - Tw(t).Left(), noetig));
        });
        a.tu([&] { Tw(t).setHeight(std::max(H() / 25, (t->fontMetrics().height() + 6) * twipsProPixel())); });
    }
    for (int i = 0; i <= 3; ++i) {
        QLabel* e = m_lblEinheit(i);
        a.tu([&] { setFontSize(e, F); });
        a.tu([&] { Tw(e).setLeft(Tw(m_txtWert(2)).Left() + Tw(m_txtWert(2)).Width() + SW() / 100); });
        a.tu([&] { Tw(e).setTop(Tw(m_lblWert(i + 1)).Top()); });
        a.tu([&] { Tw(e).setHeight(Tw(m_lblWert(2)).Height()); });
        a.tu([&] { Tw(e).setWidth(NPKTextBreite(e, e->text(), 4)); });
    }

    // compost advice, and a quarter of its height below it Next, under the seventh navigation button
    a.tu([&] { Tw(m_cmbKompost).setHeight(SH() / 6); });
    a.tu([&] { Tw(m_cmbKompost).setWidth(a.B(7).Width() * 3 / 4); });
    a.tu([&] { Tw(m_cmbKompost).setTop(H() * 0.6); });
    a.tu([&] { Tw(m_cmbKompost).setLeft(a.B(7).Left()); });
    a.tu([&] {
        QIcon bild = a.imlIcon().bild(QStringLiteral("orgSub"));
        const QIcon aus = a.imlIcon().bild(QStringLiteral("orgSub-"));
        for (const QSize& g : aus.availableSizes())
            bild.addPixmap(aus.pixmap(g), QIcon::Disabled);
        if (aus.availableSizes().isEmpty())
            bild.addPixmap(aus.pixmap(64, 64), QIcon::Disabled);
        m_cmbKompost->setIcon(bild);
    });
    a.tu([&] { Tw(m_cmbWeiter).setTop(Tw(m_cmbKompost).Top() + 1.25 * Tw(m_cmbKompost).Height()); });
    a.tu([&] { Tw(m_cmbWeiter).setLeft(Tw(m_cmbKompost).Left()); });
    a.tu([&] { Tw(m_cmbWeiter).setHeight(Tw(m_cmbKompost).Height()); });
    a.tu([&] { Tw(m_cmbWeiter).setWidth(Tw(m_cmbKompost).Width()); });
    a.tu([&] { m_cmbWeiter->setIcon(a.imlIcon().bild(QStringLiteral("Weiter"))); });
    for (QToolButton* b : {m_cmbKompost, m_cmbWeiter}) {
        a.tu([&] { setBackColor(b, a.C()); });
        a.tu([&] { KnopfBildEinpassen(b); });
    }

    // where a plot's name would be cut, the tree takes room from the space before the buttons
    NPKBaumPlatzGeben(a, this, m_trvNPK,
                      {m_txtNPK, m_lblWert(0), m_lblWert(1), m_lblWert(2), m_lblWert(3), m_lblWert(4), m_lblWert(5),
                       m_txtWert(0), m_txtWert(1), m_txtWert(2), m_txtWert(3), m_txtWert(4), m_txtWert(5),
                       m_lblEinheit(0), m_lblEinheit(1), m_lblEinheit(2), m_lblEinheit(3)},
                      Tw(m_cmbKompost).Left());

    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
