// The organic-matter step's block of the layout pass: places, sizes, fonts and pictures only. The
// question at the top, the yes/no pair, a line, the hint, the materials in two columns of three rows,
// the advice, and the step buttons under the seventh navigation button.
#include "frame/anordnung.h"
#include "frame/frmtitel.h"
#include "requirement/frmnpk2b.h"

#include <algorithm>

namespace kav {

namespace {

using forms::Tw;

// A word-wrapped label at least `mindestens` high, higher when its text needs it.
void hoeheNachText(QLabel* l, double mindestens)
{
    const double text = (l->heightForWidth(l->width()) + 2) * forms::twipsProPixel();
    Tw(l).setHeight(std::max(mindestens, text));
}

} // namespace

void frmNPK2b::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto SW = [this] { return Tw(this).ScaleWidth(); };
    const int F = a.F();
    const auto IT = [&] { return Tw(a.fensterAls<frmTitel>(QStringLiteral("frmTitel")).imgTitel(1)); };
    const auto M1 = [&] { return a.B(1).Width(); };
    QLabel* u = m_lblUeberschrift;

    a.tu([&] { Tw(u).setTop(50); });
    a.tu([&] { Tw(u).setLeft(IT().Left()); });
    a.tu([&] { Tw(u).setWidth(4 * SW() / 5); });
    a.tu([&] { setFontSize(u, F); });
    a.tu([&] { u->setText(QStringLiteral("Haben Sie in diesem Jahr auf dieser Fläche bereits Kompost oder Mist ausgebracht?")); });
    a.tu([&] { hoeheNachText(u, IT().Height()); });

    // the option pictures are as high as a line of their captions
    const auto seite = [&] { return (m_lblJaNein(0)->fontMetrics().height() + 2) * twipsProPixel(); };
    for (int i = 0; i <= 1; ++i) {
        a.tu([&] { setFontSize(m_lblJaNein(i), F); });
        a.tu([&] { Tw(m_imgJaNein(i)).setRechteck(QRectF(Tw(u).Left() + i * 2.5 * M1(), Tw(u).Top() + Tw(u).Height() * 1.1,
                                                         seite(), seite())); });
        a.tu([&] { Tw(m_lblJaNein(i)).setTop(Tw(m_imgJaNein(i)).Top()); });
        a.tu([&] { Tw(m_lblJaNein(i)).setLeft(Tw(m_imgJaNein(i)).Left() + Tw(m_imgJaNein(i)).Width()); });
        a.tu([&] { Tw(m_lblJaNein(i)).setWidth(2 * M1()); });
        a.tu([&] { Tw(m_lblJaNein(i)).setHeight(seite()); });
    }
    a.tu([&] {
        const double y = 2 * Tw(m_imgJaNein(0)).Height() + Tw(m_imgJaNein(0)).Top();
        m_linTrennung->setLinie(QLineF(Tw(u).Left(), y, Tw(u).Left() + Tw(u).Width(), y));
    });
    a.tu([&] { m_linTrennung->setBorderColor(a.C()); });

    a.tu([&] { Tw(m_lblArtMenge).setLeft(Tw(u).Left()); });
    a.tu([&] { Tw(m_lblArtMenge).setTop(m_linTrennung->Y1() + 50); });
    a.tu([&] { Tw(m_lblArtMenge).setWidth(Tw(u).Width()); });
    a.tu([&] {
        setFontSize(m_lblArtMenge, F);
        setFontBold(m_lblArtMenge, true);
    });
    a.tu([&] { hoeheNachText(m_lblArtMenge, IT().Height() * 1.5); });

    // two columns of three rows, two picture heights apart, the first half a picture height below the hint
    for (int i = 1; i <= 6; ++i) {
        Bild* b = m_imgOS(i);
        QLabel* l = m_lblOS(i);
        a.tu([&] { setFontSize(l, F); });
        a.tu([&] {
            const double h = Tw(m_imgJaNein(0)).Height();
            const double B = Tw(m_lblArtMenge).Top() + Tw(m_lblArtMenge).Height();
            const double top = i <= 3 ? B + (i - 0.5) * h + (i - 1) * h : Tw(m_imgOS(i - 3)).Top();
            const double left = i <= 3 ? Tw(u).Left() : Tw(m_imgJaNein(1)).Left();
            Tw(b).setRechteck(QRectF(left, top, h, h));
        });
        a.tu([&] { Tw(l).setTop(Tw(b).Top()); });
        a.tu([&] { Tw(l).setLeft(Tw(b).Left() + Tw(b).Width()); });
        a.tu([&] {
            // the second column ends under the seventh navigation button at the latest
            const double soll = (i <= 3 ? 1 : 3) * Tw(m_lblJaNein(0)).Width();
            Tw(l).setWidth(std::max(0.0, std::min(soll, a.B(7).Left() - Tw(l).Left() - 60)));
        });
        a.tu([&] { Tw(l).setHeight(Tw(b).Height()); });
    }

    a.tu([&] { Tw(m_lblMeldung).setTop(Tw(m_imgOS(3)).Top() + Tw(m_imgOS(3)).Height() * 2.75); });
    a.tu([&] { Tw(m_lblMeldung).setLeft(Tw(u).Left()); });
    a.tu([&] { Tw(m_lblMeldung).setWidth(3 * SW() / 4); });
    a.tu([&] {
        setFontSize(m_lblMeldung, F);
        setFontBold(m_lblMeldung, true);
    });
    a.tu([&] { hoeheNachText(m_lblMeldung, Tw(u).Height()); });

    m_knoepfe->anordnen(a, 10);
    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
