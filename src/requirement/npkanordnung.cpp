#include "requirement/npkanordnung.h"

#include "frame/anordnung.h"
#include "frame/oberflaeche.h"
#include "requirement/npkbaumansicht.h"

#include <QLabel>

#include <algorithm>

namespace kav {

using forms::Tw;

QLabel* NPKAnzeigefeld(QWidget* eltern)
{
    QLabel* l = Beschriftung(eltern, QStringLiteral("txtNPK"), {}, true);
    l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Base);
    l->setMargin(2);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

double NPKTextHoehe(const QLabel* l)
{
    const int rand = 2 * (l->frameWidth() + l->margin());
    const int h = l->text().isEmpty() ? l->fontMetrics().height() : l->heightForWidth(l->width());
    return (std::max(h, l->fontMetrics().height() + rand) + 2) * forms::twipsProPixel();
}

double NPKTextBreite(const QWidget* w, const QString& text, int zugabe)
{
    return (w->fontMetrics().horizontalAdvance(text) + zugabe) * forms::twipsProPixel();
}

void NPKKopfAnordnen(Anordnung& a, QWidget* seite, QLabel* lblTitel, NPKBaumAnsicht* trvNPK, QLabel* txtNPK,
                     int zeilen)
{
    using namespace forms;
    const auto H = [seite] { return Tw(seite).Height(); };
    const auto W = [seite] { return Tw(seite).Width(); };
    const auto SW = [seite] { return Tw(seite).ScaleWidth(); };
    const auto SH = [seite] { return Tw(seite).ScaleHeight(); };
    const int F = a.F();

    a.tu([&] { Tw(lblTitel).setWidth(a.B(1).Width() * 6.5); });
    a.tu([&] { Tw(lblTitel).setTop(H() / 20); });
    a.tu([&] { Tw(lblTitel).setLeft(SW() / 40); });
    a.tu([&] {
        setFontSize(lblTitel, F + 2);
        setFontBold(lblTitel, true);
    });
    a.tu([&] { Tw(lblTitel).setHeight(std::max(H() / 10, NPKTextHoehe(lblTitel))); });

    a.tu([&] { Tw(trvNPK).setTop(H() / 20 + Tw(lblTitel).Height()); });
    a.tu([&] { Tw(trvNPK).setWidth(W() / 3.9); });
    a.tu([&] { Tw(trvNPK).setLeft(Tw(lblTitel).Left()); });
    a.tu([&] { Tw(trvNPK).setHeight(std::min(5 * H() / 6, SH() - Tw(trvNPK).Top() - H() / 60)); });
    a.tu([&] {
        setFontSize(trvNPK, F);
        const int h = QFontMetrics(trvNPK->font()).height();
        trvNPK->setIconSize(QSize(h, h));
    });

    a.tu([&] { Tw(txtNPK).setLeft(a.B(1).Width() * 2.5); });
    a.tu([&] { Tw(txtNPK).setTop(Tw(trvNPK).Top()); });
    a.tu([&] { Tw(txtNPK).setWidth(SW() / 3.5); });
    a.tu([&] { setFontSize(txtNPK, F); });
    a.tu([&] {
        const double mindestens =
            (zeilen * txtNPK->fontMetrics().lineSpacing() + 2 * (txtNPK->frameWidth() + 2) + 4) * twipsProPixel();
        Tw(txtNPK).setHeight(std::max({H() / 12, zeilen > 1 ? mindestens : 0.0, NPKTextHoehe(txtNPK)}));
    });
}

void NPKBaumPlatzGeben(Anordnung& a, QWidget* seite, NPKBaumAnsicht* trvNPK, std::initializer_list<QWidget*> spalte,
                       double rechterRand)
{
    a.tu([&] {
        double links = rechterRand;
        double rechts = 0;
        for (QWidget* w : spalte) {
            links = std::min(links, Tw(w).Left());
            rechts = std::max(rechts, Tw(w).Left() + Tw(w).Width());
        }
        // the room between tree and column first, then the column moves towards the buttons
        const double abstand = Tw(seite).ScaleWidth() / 40;
        const double luecke = std::max(0.0, links - abstand - Tw(trvNPK).Left() - Tw(trvNPK).Width());
        const double frei = std::max(0.0, rechterRand - abstand - rechts);
        const double fehlt = trvNPK->inhaltsBreite() * forms::twipsProPixel() - Tw(trvNPK).Width();
        const double mehr = std::clamp(fehlt, 0.0, luecke + frei);
        if (mehr <= 0)
            return;
        Tw(trvNPK).setWidth(Tw(trvNPK).Width() + mehr);
        if (const double schieben = mehr - luecke; schieben > 0)
            for (QWidget* w : spalte)
                Tw(w).setLeft(Tw(w).Left() + schieben);
    });
    // the tree has its size and font: the chosen node stays in view
    a.tu([&] {
        if (QTreeWidgetItem* gewaehlt = trvNPK->currentItem())
            trvNPK->scrollToItem(gewaehlt);
    });
}

} // namespace kav
