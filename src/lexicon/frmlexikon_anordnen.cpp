// The lexicon's block of the layout pass: heading, search box, term list, page, the strip with its
// frame, scroll bar and ten slots; how many slots fit; then the page shown is built again.
#include "frame/anordnung.h"
#include "lexicon/frmlexikon.h"
#include "lexicon/lexikontext.h"
#include "platform/fokusrahmen.h"
#include "services/rahmen.h"

namespace kav {

void frmLexikon::anordnen(Anordnung& a)
{
    using namespace forms;
    // where the reader is, before new widths wrap the text anew
    m_obenGemerkt = m_rtfLexikon->obersteStelle();
    platzSetzen(a);
    const auto W = [this] { return Tw(this).Width(); };
    const auto H = [this] { return Tw(this).Height(); };
    const int F = a.F();
    const auto lbl = [this] { return Tw(m_lblUeberschrift); };
    const auto unterUeberschrift = [&] { return lbl().Top() + lbl().Height() * 1.5; };

    // heading, search box, term list and page
    a.tu([&] { lbl().setTop(H() / 80); });
    a.tu([&] { lbl().setLeft(W() / 20); });
    a.tu([&] { lbl().setHeight((F + 6) * 25.0); });
    a.tu([&] { lbl().setWidth(W() * 8 / 10); });
    a.tu([&] { setFontSize(m_lblUeberschrift, F + 6); });
    a.tu([&] { setFontBold(m_lblUeberschrift, true); });

    a.tu([&] { Tw(m_rtfBegriff).setTop(unterUeberschrift()); });
    a.tu([&] { Tw(m_rtfBegriff).setLeft(W() / 40); });
    a.tu([&] { Tw(m_rtfBegriff).setHeight(F * 40.0); });
    a.tu([&] { Tw(m_rtfBegriff).setWidth(a.B(2).Width() * 1.5); });
    a.tu([&] { setFontSize(m_rtfBegriff, F); });

    // the search box's focus mark lies in the gap above the list, not over its edge and scroll arrow
    const double luecke = kFokusrahmenBreite * twipsProPixel();
    a.tu([&] { Tw(m_lstBegriff).setLeft(Tw(m_rtfBegriff).Left()); });
    a.tu([&] { Tw(m_lstBegriff).setHeight(H() * 9 / 10 - Tw(m_rtfBegriff).Height() - luecke); });
    a.tu([&] { Tw(m_lstBegriff).setTop(Tw(m_rtfBegriff).Top() + Tw(m_rtfBegriff).Height() + luecke); });
    a.tu([&] { Tw(m_lstBegriff).setWidth(Tw(m_rtfBegriff).Width()); });
    a.tu([&] { setFontSize(m_lstBegriff, F); });

    a.tu([&] { Tw(m_rtfLexikon).setTop(unterUeberschrift()); });
    a.tu([&] { Tw(m_rtfLexikon).setLeft(W() / 20 + a.B(2).Left() * 1.5); });
    a.tu([&] { Tw(m_rtfLexikon).setHeight(Tw(m_rtfBegriff).Height() + luecke + Tw(m_lstBegriff).Height()); });
    a.tu([&] { Tw(m_rtfLexikon).setWidth(W() * 0.58); });
    a.tu([&] { setFontSize(m_rtfLexikon, F); });

    // strip frame, Back over the strip and its scroll bar level with the heading, the scroll bar
    const auto shp = [this] { return Tw(m_shpBilder); };
    a.tu([&] { setBackColor(m_shpBilder, Qt::black); });
    a.tu([&] { shp().setTop(unterUeberschrift()); });
    a.tu([&] { shp().setLeft(Tw(m_rtfLexikon).Left() + Tw(m_rtfLexikon).Width()); });
    a.tu([&] { shp().setHeight(Tw(m_rtfLexikon).Height()); });
    a.tu([&] { shp().setWidth(W() / 10); });

    a.tu([&] { setBackColor(m_cmdZurueck, a.C()); });
    a.tu([&] { Tw(m_cmdZurueck).setHeight(lbl().Height() * 1.5); });
    a.tu([&] { Tw(m_cmdZurueck).setTop(lbl().Top() - lbl().Height() * 0.25); });
    a.tu([&] { Tw(m_cmdZurueck).setLeft(Tw(m_rtfLexikon).Left() + Tw(m_rtfLexikon).Width()); });
    a.tu([&] { Tw(m_cmdZurueck).setWidth(W() / 10 + Tw(m_vscBilder).Width()); });
    a.tu([&] {
        m_cmdZurueck->setIcon(a.imlIcon().bild(QStringLiteral("Zurueck")));
        const int seite = std::max(8, m_cmdZurueck->height() - 8);
        m_cmdZurueck->setIconSize(QSize(seite, seite));
    });

    a.tu([&] { Tw(m_vscBilder).setTop(shp().Top()); });
    a.tu([&] { Tw(m_vscBilder).setLeft(shp().Left() + shp().Width()); });
    a.tu([&] { Tw(m_vscBilder).setHeight(shp().Height()); });

    // the ten slots: square, centred in the frame, hidden until they are counted
    for (int i = 1; i <= kBilderSlots; ++i) {
        QLabel* s = m_imgLexikon(i);
        a.tu([&] { Tw(s).setWidth(shp().Width() * 5 / 6); });
        a.tu([&] { Tw(s).setHeight(Tw(s).Width()); });
        a.tu([&] { Tw(s).setLeft(shp().Left() + shp().Width() / 12); });
        a.tu([&] { s->setVisible(false); });
        a.tu([&] { forms::setTag(s, QStringLiteral("Unsichtbar")); });
    }
    a.tu([&] { m_shpBilder->setVisible(false); });

    // how many slots fit, spread with equal gaps
    int n = 0;
    a.tu([&] {
        const double S = shp().Height();
        const double h = Tw(m_imgLexikon(1)).Height();
        n = bilderAnzahl(S, h);
        for (int i = 1; i <= n; ++i) {
            Tw(m_imgLexikon(i)).setTop(shp().Top() + bildOben(i, n, S, h));
            m_imgLexikon(i)->setVisible(true);
        }
    });
    a.rahmenSchreiben().intBilderAnzahl = n;

    // the page shown, again at the new size, without a new history entry
    a.tu([&] {
        const QString kapitel = forms::Tag(m_rtfLexikon);
        if (!kapitel.isEmpty())
            LexikonSeiteAufbauen(kapitel, false);
    });
    m_obenGemerkt = -1;
    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
