// The planner's block of the layout pass: places, sizes, fonts, colours and pictures, the grid of the
// bed, and the bars placed from the bar table, which is then read back from the bars.
#include "frame/anordnung.h"
#include "requirement/balkengeometrie.h"
#include "requirement/frmmkeditor.h"
#include "services/appcontext.h"
#include "services/monatsnamen.h"

#include <QPainter>
#include <QToolButton>
#include <QTreeWidget>

namespace kav {

namespace {

using forms::Tw;

// The picture of a button as large as the button leaves room for.
void knopfBild(QToolButton* b)
{
    const int seite = std::max(8, std::min(b->height(), b->width()) * 2 / 3);
    b->setIconSize(QSize(seite, seite));
}

// The largest font up to `F` whose line fits into `hoehe` twips.
double schriftFuer(const QWidget* w, int F, double hoehe)
{
    const double pixel = hoehe / forms::twipsProPixel();
    for (int g = F; g > 4; --g) {
        QFont f = w->font();
        f.setPointSize(g);
        if (QFontMetrics(f).height() <= pixel)
            return g;
    }
    return 4;
}

} // namespace

void frmMKEditor::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto H = [this] { return Tw(this).Height(); };
    const int F = a.F();
    const QColor C = a.C();
    const auto PW = [this] { return Tw(m_pcbFeld).Width(); };
    const auto PH = [this] { return Tw(m_pcbFeld).Height(); };
    const auto PL = [this] { return Tw(m_pcbFeld).Left(); };

    // heading, waste bin, tree and bed
    a.tu([&] { Tw(m_lblName).setTop(H() / 20); });
    a.tu([&] { Tw(m_lblName).setWidth(a.B(1).Width() * 1.25); });
    a.tu([&] { Tw(m_lblName).setHeight(H() / 10); });
    a.tu([&] { Tw(m_lblName).setLeft(a.B(1).Width() * 0.1); });
    a.tu([&] { setFontSize(m_lblName, F + 2); });
    a.tu([&] { setFontBold(m_lblName, true); });

    const Tw name(m_lblName);
    a.tu([&] { Tw(m_cmdLoeschen).setTop(name.Top()); });
    a.tu([&] { Tw(m_cmdLoeschen).setWidth(name.Width() * 0.25); });
    a.tu([&] { Tw(m_cmdLoeschen).setHeight(name.Height()); });
    a.tu([&] { m_cmdLoeschen->setIcon(a.imlIcon().bild(QStringLiteral("Abfall"))); });
    a.tu([&] { setBackColor(m_cmdLoeschen, C); });
    a.tu([&] { knopfBild(m_cmdLoeschen); });

    a.tu([&] { Tw(m_trvKulturen).setTop(H() / 20 + name.Height()); });
    a.tu([&] { Tw(m_trvKulturen).setLeft(name.Left()); });
    a.tu([&] { Tw(m_trvKulturen).setHeight(5 * H() / 6); });
    a.tu([&] {
        setFontSize(m_trvKulturen, F);
        const int h = QFontMetrics(m_trvKulturen->font()).height();
        m_trvKulturen->setIconSize(QSize(h, h));
    });
    // the tree at least as wide as heading and waste bin, and as wide as its longest name (opened or
    // not) as long as the bed keeps three quarters of its width; the bin stands at the tree's right edge
    const Tw baum(m_trvKulturen);
    const double feldLinks = a.B(3).Left() - a.B(3).Width() * 0.25;
    const double feldRechts = feldLinks + 4 * a.B(1).Width();
    const auto schmal = [&] { return name.Width() + Tw(m_cmdLoeschen).Width(); };
    const auto luecke = [&] { return std::max(feldLinks - baum.Left() - schmal(), 60.0); };
    a.tu([&] {
        const double hoechstens = feldLinks + (feldRechts - feldLinks) / 4 - luecke() - baum.Left();
        const double noetig = m_trvKulturen->inhaltsBreite() * twipsProPixel();
        baum.setWidth(std::max(schmal(), std::min(noetig, hoechstens)));
    });
    a.tu([&] { Tw(m_cmdLoeschen).setLeft(baum.Left() + baum.Width() - Tw(m_cmdLoeschen).Width()); });

    a.tu([&] { Tw(m_pcbFeld).setTop(baum.Top()); });
    a.tu([&] { Tw(m_pcbFeld).setLeft(std::max(feldLinks, baum.Left() + baum.Width() + luecke())); });
    a.tu([&] { Tw(m_pcbFeld).setWidth(feldRechts - Tw(m_pcbFeld).Left()); });
    a.tu([&] { Tw(m_pcbFeld).setHeight(Tw(m_trvKulturen).Height()); });
    a.tu([&] { setBackColor(m_pcbFeld, Qt::white); });

    // month and half-month captions in the heading's band, over the bed's columns
    for (int i = 0; i <= 11; ++i) {
        QLabel* l = m_lblMonat(i);
        a.tu([&] { Tw(l).setRechteck(QRectF(PL() + i * PW() / 12, name.Top(), PW() / 12, name.Height() / 2)); });
        a.tu([&] { l->setText(kurzerMonatsname(i + 1)); });
        a.tu([&] { setFontSize(l, F); });
    }
    for (int i = 0; i <= 23; ++i) {
        QLabel* l = m_lblTeil(i);
        a.tu([&] {
            const double h = name.Height() / 2;
            Tw(l).setRechteck(QRectF(PL() + i * PW() / 24, name.Top() + h, PW() / 24, h));
        });
        a.tu([&] { l->setAlignment(Qt::AlignHCenter | Qt::AlignTop); });
        a.tu([&] { setFontSize(l, F); });
    }

    // grid: 23 lines between the half months, three dotted ones quartering the bed
    for (int i = 0; i <= 22; ++i)
        a.tu([&] { m_linRasterVertikal(i)->setLinie(QLineF((i + 1) * PW() / 24, 0, (i + 1) * PW() / 24, PH())); });
    for (int i = 0; i <= 2; ++i) {
        Linie* l = m_linRastQuer(i);
        a.tu([&] { l->setLinie(QLineF(0, (i + 1) * PH() / 4, PW(), (i + 1) * PH() / 4)); });
        a.tu([&] { l->setBorderStyle(3); });
        a.tu([&] { l->setBorderColor(QColor(192, 192, 192)); });
    }

    // buttons under the seventh navigation button
    const auto knopf = [&](QToolButton* b, const char* bild) {
        a.tu([&] { setBackColor(b, C); });
        a.tu([&] { b->setIcon(a.imlIcon().bild(QLatin1String(bild))); });
        a.tu([&] { knopfBild(b); });
    };
    const Tw abbruch(m_cmdAbbruch);
    a.tu([&] { abbruch.setHeight(H() / 6); });
    a.tu([&] { abbruch.setWidth(a.B(7).Width() * 0.75); });
    a.tu([&] { abbruch.setTop(H() * 0.6); });
    a.tu([&] { abbruch.setLeft(a.B(7).Left()); });
    knopf(m_cmdAbbruch, "Abbruch");
    for (QToolButton* b : {m_cmdSpeichern, m_cmdDrucken}) {
        const Tw darunter(b == m_cmdSpeichern ? m_cmdAbbruch : m_cmdSpeichern);
        a.tu([&] { Tw(b).setRechteck(QRectF(abbruch.Left(), darunter.Top() - 1.25 * abbruch.Height(), abbruch.Width(),
                                            abbruch.Height())); });
        knopf(b, b == m_cmdSpeichern ? "Speichern" : "pdf");
    }
    a.tu([&] { Tw(m_cmdBack).setRechteck(QRectF(abbruch.Left(), abbruch.Top() + abbruch.Height() * 1.25,
                                                abbruch.Width() / 2, abbruch.Height())); });
    knopf(m_cmdBack, "Zurueck");
    a.tu([&] { Tw(m_cmdNext).setRechteck(QRectF(abbruch.Left() + abbruch.Width() / 2, Tw(m_cmdBack).Top(),
                                                abbruch.Width() / 2, abbruch.Height())); });
    knopf(m_cmdNext, "Weiter");

    // bars: a thirtieth of the bed high, placed from their records, then read back
    QLabel* vorlage = m_txtKulturen(0);
    a.tu([&] { Tw(vorlage).setHeight(PH() / 30); });
    a.tu([&] { setFontSize(vorlage, schriftFuer(vorlage, F, PH() / 30)); });
    const std::vector<MischkulturBalken>& tabelle = app().bedarf.arrMischkulturBalken;
    for (int i = 1; i < m_txtKulturen.Count(); ++i) {
        QLabel* b = m_txtKulturen(i);
        a.tu([&] { Tw(b).setRechteck(balkenTwips(tabelle.at(size_t(i)), PW(), PH())); });
        a.tu([&] { setFontSize(b, FontSize(vorlage)); });
    }
    a.tu([&] { ZeichnungEinlesen(true); });
    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
