// The fertiliser step's block of the layout pass: places, sizes, fonts, colours and pictures only.
// The catalogue on the left, as wide as the page allows; on the right the chosen list with the reset
// button, the amount (a box as wide as the largest dose with its unit at the right, its sentence
// beside it), a line, the heading and the four need lines; the step buttons under the seventh
// navigation button.
#include "fertilisers/frmnpk3.h"
#include "fertilisers/mengen.h"
#include "frame/anordnung.h"
#include "services/appcontext.h"
#include "platform/rounding.h"

#include <QToolButton>

#include <algorithm>

namespace kav {

namespace {

using forms::Tw;

// Height in twips that a word-wrapped label needs for its text at its width.
double textHoehe(const QLabel* l)
{
    const int h = l->text().isEmpty() ? l->fontMetrics().height() : l->heightForWidth(l->width());
    return (std::max(h, l->fontMetrics().height()) + 2) * forms::twipsProPixel();
}

} // namespace

void frmNPK3::mengenSatzEinpassen()
{
    const int F = app().rahmen.intSchriftGroesse;
    for (int f = F; f >= std::max(6, F - 4); --f) {
        forms::setFontSize(m_lblMenge, f);
        if (m_lblMenge->heightForWidth(m_lblMenge->width()) <= m_lblMenge->height())
            return;
    }
}

void frmNPK3::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto H = [this] { return Tw(this).Height(); };
    const auto SW = [this] { return Tw(this).ScaleWidth(); };
    const auto SH = [this] { return Tw(this).ScaleHeight(); };
    const int F = a.F();
    QLabel* lbl = m_lblDuenger;
    Duengerbaum* t2 = m_trvDuenger(2);
    const auto LH = [H] { return H() / 15; }; // lblDuenger's height as laid out before a wrap
    // The room of the two columns: from the page's margin to half a margin before the step buttons
    // under the seventh navigation button; the catalogue, whose names are long, takes 60 % of it.
    const auto rand = [lbl] { return Tw(lbl).Left(); };
    const auto inhalt = [&] { return a.B(7).Left() - rand() * 1.5; };
    const auto katalogBreite = [&] { return (inhalt() - rand() / 2) * 0.6; };
    // The right-hand column: beside the step buttons (heading and need lines) it ends half a margin
    // before them; above them the chosen list with its reset button, the amount and the line reach
    // to the buttons' right edge, so that the chosen names have the room there is.
    const auto spalte = [&] { return inhalt() - rand() / 2 - katalogBreite(); };
    const auto breiteOben = [&] { return Tw(cmbAbbruch()).Left() + Tw(cmbAbbruch()).Width() - Tw(t2).Left(); };
    const auto resetBreite = [&] { return spalte() / 7; };

    m_knoepfe->anordnen(a, 0); // first: the column above them reaches to their right edge

    a.tu([&] { Tw(lbl).setTop(H() / 50); });
    a.tu([&] { Tw(lbl).setLeft(SW() / 15); });
    a.tu([&] { Tw(lbl).setHeight(H() / 15); });
    a.tu([&] { Tw(lbl).setWidth(inhalt()); });
    a.tu([&] {
        setFontSize(lbl, F);
        setFontBold(lbl, true);
    });

    for (int i = 1; i <= 2; ++i) {
        Duengerbaum* t = m_trvDuenger(i);
        a.tu([&] { Tw(t).setTop(H() / 30 + LH()); });
        a.tu([&] { Tw(t).setLeft(rand() + (i - 1) * (katalogBreite() + rand() / 2)); });
        a.tu([&] { Tw(t).setHeight(SH() * (5.15 / i) / (6 * i)); });
        // the chosen list and its reset button beside it fill the rest
        a.tu([&] { Tw(t).setWidth(i == 1 ? katalogBreite() : breiteOben() - resetBreite()); });
        a.tu([&] {
            setFontSize(t, F);
            const int h = QFontMetrics(t->font()).height();
            t->setIconSize(QSize(h, h));
        });
    }
    // the prompt may wrap: it has the room down to the trees
    a.tu([&] { Tw(lbl).setHeight(std::max(H() / 15, Tw(m_trvDuenger(1)).Top() - Tw(lbl).Top())); });

    a.tu([&] { Tw(m_cmbReset).setTop(Tw(t2).Top()); });
    a.tu([&] { Tw(m_cmbReset).setHeight(Tw(t2).Height()); });
    a.tu([&] { Tw(m_cmbReset).setWidth(resetBreite()); });
    a.tu([&] { Tw(m_cmbReset).setLeft(Tw(t2).Left() + Tw(t2).Width()); });
    a.tu([&] { m_cmbReset->setIcon(imlDuenger(2).bild(QStringLiteral("Papierkorb"))); });
    a.tu([&] {
        const int s = std::max(8, std::min(m_cmbReset->width(), m_cmbReset->height()) * 3 / 5);
        m_cmbReset->setIconSize(QSize(s, s));
    });
    a.tu([&] { setBackColor(m_cmbReset, a.C()); });

    // the amount: the box as wide as the largest dose and its unit, right-aligned with the reset
    // button; the sentence beside them
    const double zeile = LH() * 3 / 5;
    const auto rechts = [&] { return Tw(m_cmbReset).Left() + Tw(m_cmbReset).Width(); };
    a.tu([&] { setFontSize(m_txtMenge, F); });
    a.tu([&] { Tw(m_txtMenge).setTop(Tw(t2).Top() + Tw(t2).Height() * 1.1); });
    a.tu([&] { Tw(m_txtMenge).setHeight(std::max(zeile, (m_txtMenge->fontMetrics().height() + 6) * twipsProPixel())); });
    a.tu([&] {
        const QString groesste(QString::number(kGroessteDosis, 'f', 0).size(), QLatin1Char('0'));
        const double ziffern = (m_txtMenge->fontMetrics().horizontalAdvance(groesste) + 12) * twipsProPixel();
        Tw(m_txtMenge).setWidth(std::max(Tw(m_cmbReset).Width(), ziffern));
    });
    a.tu([&] { setFontSize(m_lblMengeEinheit, F); });
    a.tu([&] { Tw(m_lblMengeEinheit).setTop(Tw(m_txtMenge).Top()); });
    a.tu([&] { Tw(m_lblMengeEinheit).setHeight(Tw(m_txtMenge).Height()); });
    a.tu([&] {
        const QFontMetrics fm = m_lblMengeEinheit->fontMetrics();
        Tw(m_lblMengeEinheit).setWidth((fm.horizontalAdvance(m_lblMengeEinheit->text()) + 2) * twipsProPixel());
    });
    a.tu([&] { Tw(m_lblMengeEinheit).setLeft(rechts() - Tw(m_lblMengeEinheit).Width()); });
    a.tu([&] { Tw(m_txtMenge).setLeft(Tw(m_lblMengeEinheit).Left() - 60 - Tw(m_txtMenge).Width()); });
    a.tu([&] { Tw(m_lblMenge).setTop(Tw(m_txtMenge).Top()); });
    a.tu([&] { Tw(m_lblMenge).setLeft(Tw(t2).Left()); });
    a.tu([&] { Tw(m_lblMenge).setWidth(Tw(m_txtMenge).Left() - Tw(t2).Left() - 90); });
    a.tu([&] {
        setFontSize(m_lblMenge, F);
        const double zweiZeilen = (2 * m_lblMenge->fontMetrics().lineSpacing() + 4) * twipsProPixel();
        Tw(m_lblMenge).setHeight(std::max(2 * zeile, zweiZeilen));
    });
    a.tu([&] { mengenSatzEinpassen(); });

    a.tu([&] {
        const double y = std::max(Tw(m_txtMenge).Top() + Tw(m_txtMenge).Height() * 2.5,
                                  Tw(m_lblMenge).Top() + Tw(m_lblMenge).Height() + 60);
        const int breite = std::max(1, rundenGanz(F / 4.0));
        m_linTrennung->setGeometry(pixelVon(Tw(t2).Left()), pixelVon(y) - breite / 2, pixelVon(breiteOben()), breite);
    });
    a.tu([&] { setBackColor(m_linTrennung, a.C()); });

    const auto Y1 = [this] { return (m_linTrennung->y() + m_linTrennung->height() / 2.0) * twipsProPixel(); };
    a.tu([&] { setFontSize(m_lblBedarf, FontSize(t2)); });
    a.tu([&] { Tw(m_lblBedarf).setTop(Y1() + LH() * 0.8); });
    a.tu([&] { Tw(m_lblBedarf).setLeft(Tw(t2).Left()); });
    a.tu([&] { // the link as wide as its text
        const double text = (m_lblBedarf->fontMetrics().horizontalAdvance(m_lblBedarf->text()) + 4) * twipsProPixel();
        Tw(m_lblBedarf).setWidth(std::min(spalte(), text));
    });
    a.tu([&] { Tw(m_lblBedarf).setHeight(std::max(zeile, textHoehe(m_lblBedarf))); });
    for (int i = 1; i <= 4; ++i) {
        QLabel* v = m_lblVersorgung(i);
        a.tu([&] { setFontSize(v, FontSize(t2)); });
        a.tu([&] {
            const double oben = std::max(Tw(m_lblBedarf).Top() + LH() * 0.6, Tw(m_lblBedarf).Top() + Tw(m_lblBedarf).Height());
            Tw(v).setTop(oben + (i - 1) * LH() * 1.6);
        });
        a.tu([&] { Tw(v).setLeft(Tw(t2).Left()); });
        a.tu([&] { Tw(v).setWidth(spalte()); });
        a.tu([&] { Tw(v).setHeight(LH() * 1.6); });
    }

    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
