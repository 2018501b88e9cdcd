// The crop step's block of the layout pass: places, sizes, fonts, colours and pictures only. The
// calendar's date, its month line, the Nmin value and the area are set by the page, never here.
#include "frame/anordnung.h"
#include "platform/datumsfeld.h"
#include "platform/fokusrahmen.h"
#include "requirement/frmnpk1.h"
#include "requirement/npkanordnung.h"
#include "requirement/npkbaumansicht.h"
#include "requirement/wizardseiten.h"
#include "services/appcontext.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFrame>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

using forms::Tw;

double zeile(const QWidget* w, int zugabe) { return (w->fontMetrics().height() + zugabe) * forms::twipsProPixel(); }

} // namespace

void frmNPK1::kalenderEinpassen(Anordnung& a, double seite)
{
    using namespace forms;
    // The frame is a square of the side given: the month line at its top, the calendar below it, the
    // month buttons beside it. The calendar's font shrinks until the calendar fits; where even the
    // smallest does not, the frame grows as far as the calendar needs, downwards for its height and
    // sideways for its width, so that it takes no more of the room below it than it must.
    const auto oben = [&](double h) { return std::max(h / 6, h / 20 + std::max(h / 8, zeile(m_lblCal, 2))); };
    const auto platz = [&](double b, double h) {
        return QSizeF(20 * b / 27, std::min(20 * h / 25, h - oben(h) - h / 30));
    };
    // what the calendar needs in a font: its rows and the line of a date typed, and its columns wide
    // enough for the day names
    const auto bedarf = [&](int groesse) {
        setFontSize(m_calStart, groesse);
        kalenderBreiteSetzen(m_calStart);
        return QSizeF(kalenderMindestgroesse(m_calStart)) * twipsProPixel();
    };
    int f = a.F();
    QSizeF noetig = bedarf(f);
    while (f > 6 && (noetig.width() > platz(seite, seite).width() || noetig.height() > platz(seite, seite).height()))
        noetig = bedarf(--f);
    // A side that is no number or lower than the calendar (a page lower than its rows, a pass with the
    // font of the new window size and the page of the old one) starts at the calendar's height. A step
    // adds a twentieth: a hundred cover any calendar the fonts give.
    double hoehe = std::isfinite(seite) ? std::max(seite, noetig.height()) : noetig.height();
    for (int schritt = 0; schritt < 100 && noetig.height() > platz(hoehe, hoehe).height(); ++schritt)
        hoehe *= 1.05;
    const double breite = std::max(hoehe, noetig.width() * 27 / 20);
    Tw(m_shpCal).setWidth(breite);
    Tw(m_shpCal).setHeight(hoehe);
    Tw(m_lblCal).setTop(hoehe / 20);
    Tw(m_lblCal).setHeight(std::max(hoehe / 8, zeile(m_lblCal, 2)));
    Tw(m_calStart).setWidth(platz(breite, hoehe).width());
    Tw(m_calStart).setHeight(platz(breite, hoehe).height());
    Tw(m_calStart).setTop(oben(hoehe));
    Tw(m_calStart).setLeft(breite / 20);
    Tw(m_lblCal).setLeft(Tw(m_calStart).Left());
    Tw(m_lblCal).setWidth(Tw(m_calStart).Width());
}

void frmNPK1::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto H = [this] { return Tw(this).Height(); };
    const auto SH = [this] { return Tw(this).ScaleHeight(); };
    const int F = a.F();

    // heading and tree; a heading that wraps grows downward and the tree follows. Beside the tree the
    // column of the crop's text, the area, the bed, the calendar and the Nmin value.
    NPKKopfAnordnen(a, this, m_lblTitel, m_trvNPK, m_txtNPK, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblFlaeche, m_txtFlaeche, m_lblQM, m_txtLaenge, m_txtBreite,
                                                      m_lblDatum, m_lblCal, m_lblNmin(0), m_lblNmin(1), m_txtNmin,
                                                      m_comNmin})
        a.tu([&] { setFontSize(w, F); });
    const auto LH = [&] { return std::max(H() / 25, zeile(m_txtFlaeche, 6)); };
    a.tu([&] { Tw(m_lblFlaeche).setTop(Tw(m_txtNPK).Top() + Tw(m_txtNPK).Height() * 1.3); });
    a.tu([&] { Tw(m_lblFlaeche).setLeft(Tw(m_txtNPK).Left()); });
    a.tu([&] { Tw(m_lblFlaeche).setHeight(LH()); });
    a.tu([&] { Tw(m_lblFlaeche).setWidth(std::max(a.B(4).Width(), NPKTextBreite(m_lblNmin(1), m_lblNmin(1)->text(), 6))); });
    a.tu([&] { Tw(m_txtFlaeche).setTop(Tw(m_lblFlaeche).Top() + Tw(m_lblFlaeche).Height() * 1.5); });
    a.tu([&] { Tw(m_txtFlaeche).setLeft(Tw(m_lblFlaeche).Left()); });
    a.tu([&] { Tw(m_txtFlaeche).setWidth(Tw(m_lblFlaeche).Width()); });
    a.tu([&] { Tw(m_txtFlaeche).setHeight(Tw(m_lblFlaeche).Height()); });
    a.tu([&] { Tw(m_lblQM).setTop(Tw(m_txtFlaeche).Top()); });
    a.tu([&] { Tw(m_lblQM).setLeft(Tw(m_txtFlaeche).Left() + Tw(m_txtFlaeche).Width() * 1.05); });
    a.tu([&] { Tw(m_lblQM).setWidth(std::max(a.B(6).Width() * 0.5, NPKTextBreite(m_lblQM, m_lblQM->text(), 4))); });
    a.tu([&] { Tw(m_lblQM).setHeight(Tw(m_lblFlaeche).Height()); });

    a.tu([&] { Tw(m_imgBeet).setTop(Tw(m_txtFlaeche).Top() + Tw(m_txtFlaeche).Height()); });
    a.tu([&] { Tw(m_imgBeet).setLeft(Tw(m_txtFlaeche).Left()); });
    // the room below a control down to the Nmin lines at the foot of the page
    const auto bisNmin = [&](double oben) {
        return SH() - oben - Tw(m_txtFlaeche).Height() / 2 - 2 * Tw(m_lblFlaeche).Height() - H() / 60;
    };
    a.tu([&] {
        const double hoechstens = 1.5 * std::max(0.0, bisNmin(Tw(m_imgBeet).Top()));
        Tw(m_imgBeet).setWidth(std::min({a.B(6).Width() * 2.5, H() * 1.5 / 2.5, hoechstens}));
    });
    a.tu([&] { Tw(m_imgBeet).setHeight(2 * Tw(m_imgBeet).Width() / 3); });
    a.tu([&] {
        if (m_imgBeet->istLeer())
            m_imgBeet->setBild(QPixmap(app().ordner.bilder() + QStringLiteral("/Beet.jpg")));
    });
    // the length over the middle of the picture (above it), the width at its right at half its height
    const auto masse = [&](QLineEdit* t) {
        return std::max(Tw(m_lblFlaeche).Width() / 3, NPKTextBreite(t, QStringLiteral("000,0"), 12));
    };
    a.tu([&] { Tw(m_txtLaenge).setHeight(Tw(m_txtFlaeche).Height()); });
    a.tu([&] { Tw(m_txtLaenge).setWidth(masse(m_txtLaenge)); });
    a.tu([&] { Tw(m_txtLaenge).setTop(Tw(m_imgBeet).Top() - Tw(m_txtLaenge).Height()); });
    a.tu([&] { Tw(m_txtLaenge).setLeft(Tw(m_imgBeet).Left() + (Tw(m_imgBeet).Width() - Tw(m_txtLaenge).Width()) / 2); });
    a.tu([&] { Tw(m_txtBreite).setHeight(Tw(m_txtFlaeche).Height()); });
    a.tu([&] { Tw(m_txtBreite).setWidth(masse(m_txtBreite)); });
    a.tu([&] { Tw(m_txtBreite).setTop(Tw(m_imgBeet).Top() + (Tw(m_imgBeet).Height() - Tw(m_txtBreite).Height()) / 2); });
    a.tu([&] { Tw(m_txtBreite).setLeft(Tw(m_imgBeet).Left() + Tw(m_imgBeet).Width() + 25); });

    a.tu([&] { Tw(m_lblDatum).setTop(Tw(m_txtFlaeche).Top() + 2 * Tw(m_txtFlaeche).Height()); });
    a.tu([&] { Tw(m_lblDatum).setLeft(Tw(m_txtFlaeche).Left()); });
    a.tu([&] { Tw(m_lblDatum).setWidth(2 * Tw(m_lblFlaeche).Width()); });
    a.tu([&] { Tw(m_lblDatum).setHeight(Tw(m_lblFlaeche).Height()); });

    // the calendar in its frame
    a.tu([&] { Tw(m_shpCal).setLeft(Tw(m_lblDatum).Left()); });
    a.tu([&] { Tw(m_shpCal).setTop(Tw(m_lblDatum).Top() + Tw(m_lblDatum).Height() * 1.5); });
    a.tu([&] { setBackColor(m_shpCal, a.CH()); });
    a.tu([&] { kalenderEinpassen(a, std::min(H() / 2.5, bisNmin(Tw(m_shpCal).Top()))); });
    a.tu([&] {
        QPalette p = m_calStart->palette();
        p.setColor(QPalette::Window, a.CH());
        m_calStart->setPalette(p);
    });
    a.tu([&] { m_cmbPrevious->setIcon(a.imlIcon().bild(QStringLiteral("hoch"))); });
    a.tu([&] { m_cmbForward->setIcon(a.imlIcon().bild(QStringLiteral("runter"))); });
    for (QToolButton* b : {m_cmbPrevious, m_cmbForward}) {
        a.tu([&] { setBackColor(b, a.CH()); });
        a.tu([&] { Tw(b).setWidth(3 * Tw(m_shpCal).Width() / 20); });
        a.tu([&] { Tw(b).setHeight(Tw(m_calStart).Height() / 2); });
        a.tu([&] { Tw(b).setLeft(Tw(m_calStart).Left() + Tw(m_calStart).Width()); });
    }
    a.tu([&] { Tw(m_cmbPrevious).setTop(Tw(m_calStart).Top()); });
    a.tu([&] { Tw(m_cmbForward).setTop(Tw(m_calStart).Top() + Tw(m_cmbForward).Height()); });
    for (QToolButton* b : {m_cmbPrevious, m_cmbForward})
        a.tu([&] { KnopfBildEinpassen(b); });

    // the Nmin value under the frame, the box after the first caption line, the unit after the box
    for (int i = 0; i <= 1; ++i) {
        QLabel* l = m_lblNmin(i);
        a.tu([&] {
            const double unten = std::max(Tw(m_shpCal).Top() + Tw(m_shpCal).Height(), Tw(m_imgBeet).Top() + Tw(m_imgBeet).Height());
            Tw(l).setTop(unten + Tw(m_txtLaenge).Height() / 2 + i * Tw(m_lblFlaeche).Height());
        });
        a.tu([&] { Tw(l).setLeft(Tw(m_lblFlaeche).Left()); });
        a.tu([&] { Tw(l).setWidth(Tw(m_lblFlaeche).Width()); });
        a.tu([&] { Tw(l).setHeight(Tw(m_lblFlaeche).Height()); });
    }
    // the box a focus mark's width after the caption, so that the caption's mark leaves its edge free
    a.tu([&] { Tw(m_txtNmin).setTop(Tw(m_lblNmin(0)).Top()); });
    a.tu([&] {
        Tw(m_txtNmin).setLeft(Tw(m_lblNmin(0)).Left() + Tw(m_lblNmin(0)).Width()
                              + kFokusrahmenBreiteMitBegleiter * twipsProPixel());
    });
    a.tu([&] { Tw(m_txtNmin).setWidth(std::max(Tw(m_lblFlaeche).Width() / 2, NPKTextBreite(m_txtNmin, QStringLiteral("0000,0"), 12))); });
    a.tu([&] { Tw(m_txtNmin).setHeight(std::max(Tw(m_lblFlaeche).Height(), m_comNmin->sizeHint().height() * twipsProPixel())); });
    a.tu([&] { Tw(m_comNmin).setTop(Tw(m_txtNmin).Top()); });
    a.tu([&] { Tw(m_comNmin).setLeft(Tw(m_txtNmin).Left() + Tw(m_txtNmin).Width() + 60); });
    a.tu([&] { Tw(m_comNmin).setWidth(std::max(Tw(m_lblQM).Width() * 1.5, m_comNmin->sizeHint().width() * twipsProPixel())); });
    a.tu([&] { Tw(m_comNmin).setHeight(Tw(m_txtNmin).Height()); });

    // the buttons under the seventh navigation button: send above cancel, back and next below it
    QToolButton* c = cmbAbbruch();
    a.tu([&] { Tw(c).setHeight(H() / 6); });
    a.tu([&] { Tw(c).setWidth(a.B(7).Width() * 3 / 4); });
    a.tu([&] { Tw(c).setTop(H() * 0.6); });
    a.tu([&] { Tw(c).setLeft(a.B(7).Left()); });
    a.tu([&] {
        if (a.einstellungen().strDatenAufServer == QLatin1String("Wahr"))
            forms::setVisible(m_cmbSenden, false);
    });
    a.tu([&] { Tw(m_cmbSenden).setRechteck(QRectF(Tw(c).Left(), Tw(c).Top() - Tw(c).Height() * 1.25, Tw(c).Width(), Tw(c).Height())); });
    for (QToolButton* b : {cmbBack(), cmbNext()}) {
        a.tu([&] { Tw(b).setHeight(Tw(c).Height()); });
        a.tu([&] { Tw(b).setWidth(Tw(c).Width() / 2); });
        a.tu([&] { Tw(b).setTop(Tw(c).Top() + Tw(c).Height() * 1.25); });
    }
    a.tu([&] { Tw(cmbBack()).setLeft(Tw(c).Left()); });
    a.tu([&] { Tw(cmbNext()).setLeft(Tw(c).Left() + Tw(cmbBack()).Width()); });
    const std::pair<QToolButton*, const char*> bilder[] = {
        {c, "Abbruch"}, {m_cmbSenden, "Senden"}, {cmbBack(), "Zurueck"}, {cmbNext(), "Weiter"}};
    for (const auto& [b, bild] : bilder) {
        a.tu([&] { setBackColor(b, a.C()); });
        a.tu([&] { b->setIcon(a.imlIcon().bild(QLatin1String(bild))); });
        a.tu([&] { KnopfBildEinpassen(b); });
    }

    // where a crop's name would be cut, the tree takes room from the space before the buttons
    NPKBaumPlatzGeben(a, this, m_trvNPK,
                      {m_txtNPK, m_lblFlaeche, m_txtFlaeche, m_lblQM, m_imgBeet, m_txtLaenge, m_txtBreite, m_lblDatum,
                       m_shpCal, m_lblNmin(0), m_lblNmin(1), m_txtNmin, m_comNmin},
                      Tw(c).Left());

    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
