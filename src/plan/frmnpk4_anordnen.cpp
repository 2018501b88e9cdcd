// The plan page's block of the layout pass: the grid in three equal columns showing the plan, the
// three buttons under the seventh navigation button, the gradient.
#include "frame/anordnung.h"
#include "plan/frmnpk4.h"

#include <QFont>
#include <QHeaderView>
#include <QTableWidget>
#include <QToolButton>

namespace kav {

namespace {

using forms::Tw;

QColor farbe(int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// The picture of a button as large as the button leaves room for.
void knopfBild(QToolButton* b)
{
    const int seite = std::max(8, std::min(b->width(), b->height()) * 3 / 4);
    b->setIconSize(QSize(seite, seite));
}

QTableWidgetItem* zelle(QTableWidget* t, int r, int c)
{
    QTableWidgetItem* it = t->item(r, c);
    if (!it) {
        it = new QTableWidgetItem;
        t->setItem(r, c, it);
    }
    return it;
}

} // namespace

void frmNPK4::rasterZeigen()
{
    QTableWidget* t = m_flgReport;
    const QFont grund = t->font();
    const int standard = QFontMetrics(grund).lineSpacing() + 6;
    t->setUpdatesEnabled(false);
    t->clearSpans();
    t->setRowCount(m_raster.Rows());
    for (int r = 0; r < m_raster.Rows(); ++r) {
        const Empfehlungsraster::Zeile& z = m_raster.zeile(r);
        for (int c = 0; c < Empfehlungsraster::kSpalten; ++c) {
            const Empfehlungsraster::Zelle& x = z.zellen[static_cast<size_t>(c)];
            QTableWidgetItem* it = zelle(t, r, c);
            it->setText(x.text);
            it->setBackground(farbe(x.hinterfarbe));
            it->setForeground(farbe(x.textfarbe));
            QFont f = grund;
            f.setBold(x.fett);
            f.setUnderline(x.unterstrichen);
            if (x.schriftgroesse >= 1)
                f.setPointSizeF(x.schriftgroesse);
            it->setFont(f);
            // the text of a higher row (lime, warning) stands at its top
            it->setTextAlignment(Qt::AlignLeft | (z.hoehe > 1 ? Qt::AlignTop : Qt::AlignVCenter));
        }
        // a row whose cells hold one text shows it once across the grid
        const auto& zz = z.zellen;
        if (z.verbunden && zz[0].text == zz[1].text && zz[1].text == zz[2].text)
            t->setSpan(r, 0, 1, Empfehlungsraster::kSpalten);
        t->setRowHeight(r, static_cast<int>(standard * z.hoehe));
        // the end marker shows nothing (white, size 1): it takes no room, so a plan that fits has no scroll bar
        t->setRowHidden(r, z.ende);
    }
    t->setUpdatesEnabled(true);
}

void frmNPK4::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto SH = [this] { return Tw(this).ScaleHeight(); };
    const auto H = [this] { return Tw(this).Height(); };
    QTableWidget* g = m_flgReport;

    a.tu([&] { Tw(g).setTop(SH() / 45); });
    a.tu([&] { Tw(g).setHeight(SH() * 19 / 20); });
    a.tu([&] { Tw(g).setLeft(a.B(1).Width() / 2); });
    a.tu([&] { Tw(g).setWidth(a.B(1).Width() * 5); });
    a.tu([&] { setFontSize(g, a.F()); });
    a.tu([&] { setBackColor(g, Qt::white); });
    a.tu([&] { g->setColumnCount(Empfehlungsraster::kSpalten); });
    // three equal columns across the grid's visible width (its frame and scroll bar left out)
    a.tu([&] { g->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch); });

    // the plan built on entering the page, in the grid's font as this pass sets it
    a.tu([&] { rasterZeigen(); });

    const auto knopf = [&](QToolButton* b, double oben, const char* bild) {
        a.tu([&] { Tw(b).setWidth(a.B(7).Width() * 3 / 4); });
        a.tu([&] { Tw(b).setHeight(H() / 6); });
        a.tu([&] { Tw(b).setTop(oben); });
        a.tu([&] { Tw(b).setLeft(a.B(7).Left()); });
        a.tu([&] { setBackColor(b, a.C()); });
        a.tu([&] { b->setIcon(a.imlIcon().bild(QLatin1String(bild))); });
        a.tu([&] { knopfBild(b); });
    };
    a.tu([&] { Tw(m_cmbAbbruch).setHeight(H() / 6); });
    const double h = Tw(m_cmbAbbruch).Height();
    knopf(m_cmbAbbruch, H() * 0.6 - h * 1.25, "Abbruch");
    knopf(m_cmbDrucken, H() * 0.6, "pdf");
    knopf(m_cmbZurueck, H() * 0.6 + h * 1.25, "Zurueck");

    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
