// The analysis page's block of the layout pass: places, sizes, fonts, colours and pictures only.
// The sampling date, the typed values and a heading that names a plot are never touched here.
#include "frame/anordnung.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/flaechentexte.h"
#include "plots/frmanalysenwerte.h"
#include "services/einstellungen.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace kav {

namespace {

using forms::Tw;

// Labels whose width follows their text (the widest line) and font.
void breiteNachText(QLabel* l)
{
    const QFontMetrics fm(l->font());
    int breite = 0;
    for (QString zeile : l->text().split(QLatin1Char('\n'))) {
        zeile.remove(QLatin1Char('\r'));
        breite = std::max(breite, fm.horizontalAdvance(zeile));
    }
    Tw(l).setWidth((breite + 4) * forms::twipsProPixel());
}

void groesseNachText(QLabel* l)
{
    breiteNachText(l);
    const QFontMetrics fm(l->font());
    const auto zeilen = std::max<qsizetype>(1, l->text().count(QLatin1Char('\n')) + 1);
    Tw(l).setHeight((fm.lineSpacing() * zeilen + 2) * forms::twipsProPixel());
}

// Width of a value box that shows `text` whole at the point size `groesse` (the frame included).
double boxBreiteFuer(const QLineEdit* t, double groesse, const QString& text)
{
    QFont f = t->font();
    f.setPointSizeF(groesse);
    const int rahmen = t->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, t);
    return (QFontMetrics(f).horizontalAdvance(text) + 2 * rahmen + 10) * forms::twipsProPixel();
}

// Width of the widest of `labels` at the point size `groesse`.
double breitesteBeschriftung(const QList<QLabel*>& labels, double groesse)
{
    int breite = 0;
    for (const QLabel* l : labels) {
        QFont f = l->font();
        f.setPointSizeF(groesse);
        breite = std::max(breite, QFontMetrics(f).horizontalAdvance(l->text()) + 4);
    }
    return breite * forms::twipsProPixel();
}

// The picture of a button as large as its caption leaves room for.
void knopfBild(QToolButton* b)
{
    const QFontMetrics fm(b->font());
    const int seite = std::max(8, std::min(b->height() - fm.height() - 14, b->width() * 3 / 5));
    b->setIconSize(QSize(seite, seite));
}

// The drop-down calendar: white back, the title in the user colour, days of the neighbouring
// months in white.
void kalenderFarben(QDateEdit* d, const QColor& titel)
{
    QCalendarWidget* k = d->calendarWidget();
    if (!k)
        throw forms::FormsFehler(QStringLiteral("Kalender fehlt"));
    QPalette p = k->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, Qt::white);
    k->setPalette(p);
    if (QWidget* leiste = k->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"))) {
        QPalette lp = leiste->palette();
        lp.setColor(QPalette::Window, titel);
        lp.setColor(QPalette::Button, titel);
        leiste->setPalette(lp);
        leiste->setAutoFillBackground(true);
    }
}

} // namespace

void frmAnalysenWerte::anordnen(Anordnung& a)
{
    using namespace forms;
    platzSetzen(a);
    const auto H = [this] { return Tw(this).Height(); };
    const auto SH = [this] { return Tw(this).ScaleHeight(); };
    const auto SW = [this] { return Tw(this).ScaleWidth(); };
    const int F = a.F();
    const Einstellungen& e = a.einstellungen();
    const bool senden = e.strDatenAufServer == QLatin1String("Wahr");

    // prompt above the tree; a heading that names the plot shown is left as it is
    a.tu([&] { Tw(lblFlaeche()).setHeight(H() / 10); });
    a.tu([&] { Tw(lblFlaeche()).setWidth(a.B(1).Width() * 2.25); });
    a.tu([&] { Tw(lblFlaeche()).setLeft(SW() / 20); });
    a.tu([&] { Tw(lblFlaeche()).setTop(SH() / 30); });
    a.tu([&] { hinweisAuffrischen(); });
    a.tu([&] { setFontSize(lblFlaeche(), F); });
    a.tu([&] { setFontBold(lblFlaeche(), true); });

    // captions of date and soil type
    for (int i = 0; i <= 1; ++i) {
        a.tu([&] { Tw(lblWert(i)).setHeight(H() / 25); });
        a.tu([&] { Tw(lblWert(i)).setLeft(a.B(4).Left() - SW() / 50); });
        a.tu([&] { Tw(lblWert(i)).setTop(Tw(lblFlaeche()).Top() + i * SH() / 14); });
        a.tu([&] { setFontSize(lblWert(i), F); });
        a.tu([&] { breiteNachText(lblWert(i)); });
    }

    // the three soil group pictures with their captions
    for (int i = 0; i <= 2; ++i) {
        a.tu([&] { Tw(imgBodenart(i)).setTop(Tw(lblWert(1)).Top()); });
        a.tu([&] {
            setFontSize(lblBodenart(i), F);
            groesseNachText(lblBodenart(i));
        });
        a.tu([&] { Tw(lblBodenart(i)).setTop(Tw(lblWert(1)).Top()); });
        a.tu([&] {
            Tw(imgBodenart(i)).setLeft(Tw(lblWert(1)).Left() + 2.5 * Tw(lblWert(1)).Width()
                                       + i * (1.3 * Tw(imgBodenart(i)).Width() + Tw(lblBodenart(1)).Width()));
        });
        a.tu([&] { Tw(lblBodenart(i)).setLeft(Tw(imgBodenart(i)).Left() + Tw(imgBodenart(i)).Width()); });
    }

    // soil type list under the pictures, as wide as the three pictures with their captions
    a.tu([&] { setFontSize(cobBodenart(), F); });
    a.tu([&] { Tw(cobBodenart()).setHeight(cobBodenart()->sizeHint().height() * twipsProPixel()); });
    a.tu([&] {
        Tw(cobBodenart()).setTop(Tw(imgBodenart(2)).Top() + Tw(imgBodenart(2)).Height() + 0.75 * Tw(cobBodenart()).Height());
    });
    a.tu([&] { Tw(cobBodenart()).setLeft(Tw(imgBodenart(0)).Left()); });
    a.tu([&] {
        // at least as wide as its longest soil type, within the page
        const double spanne = Tw(lblBodenart(2)).Left() + Tw(lblBodenart(2)).Width() - Tw(imgBodenart(0)).Left();
        const double inhalt = cobBodenart()->sizeHint().width() * twipsProPixel();
        const double rest = SW() - SW() / 50 - Tw(cobBodenart()).Left();
        Tw(cobBodenart()).setWidth(std::max(spanne, std::min(inhalt, rest)));
    });

    // captions of the five values, rows SH / 7 apart
    for (int i = 2; i <= 6; ++i) {
        a.tu([&] { Tw(lblWert(i)).setHeight(H() / 25); });
        a.tu([&] { Tw(lblWert(i)).setLeft(a.B(4).Left() - SW() / 50); });
        a.tu([&] {
            Tw(lblWert(i)).setTop(Tw(cobBodenart()).Top() + 2 * Tw(cobBodenart()).Height() + 2 * (i - 2) * SH() / 14);
        });
        a.tu([&] { setFontSize(lblWert(i), F); });
        a.tu([&] { breiteNachText(lblWert(i)); });
    }
    a.tu([&] { Tw(lblWert(5)).setHeight(2 * Tw(lblWert(5)).Height()); }); // two lines

    // The Mg box shows "nicht bestimmt" whole. Boxes and units stay clear of the buttons on the
    // right: where a row would reach them, the value column (with the soil pictures and the list)
    // moves left, as far as the captions leave room.
    const auto knopfLinks = [&] { return a.B(7).Left() - 0.2 * a.B(7).Width(); };
    // all boxes as wide as the Mg box where the room allows it, else only the Mg box
    bool alleBreit = true;
    const auto boxBreite = [&](int i) {
        return i == 5 || alleBreit ? std::max(SW() / 10, boxBreiteFuer(txtWert(5), F, kMgNichtBestimmtText)) : SW() / 10;
    };
    a.tu([&] {
        double beschriftungRechts = 0;
        for (int i = 0; i <= 6; ++i)
            beschriftungRechts = std::max(beschriftungRechts, Tw(lblWert(i)).Left() + Tw(lblWert(i)).Width());
        const auto bisHoechstens = [&] {
            double bis = knopfLinks() - SW() / 100 - boxBreite(6); // pH has no unit
            for (int i = 0; i <= 3; ++i)
                bis = std::min(bis, knopfLinks() - SW() / 100 - breitesteBeschriftung({lblEinheit(i)}, F - 2)
                                        - SW() / 100 - boxBreite(i + 2));
            return bis;
        };
        const auto linksBei = [&] {
            return std::max(std::min(Tw(cobBodenart()).Left(), bisHoechstens()), beschriftungRechts + SW() / 100);
        };
        alleBreit = true;
        if (linksBei() > bisHoechstens())
            alleBreit = false;
        const double links = linksBei();
        const double schieben = links - Tw(cobBodenart()).Left();
        if (schieben >= 0)
            return;
        for (int i = 0; i <= 2; ++i) {
            Tw(imgBodenart(i)).setLeft(Tw(imgBodenart(i)).Left() + schieben);
            Tw(lblBodenart(i)).setLeft(Tw(lblBodenart(i)).Left() + schieben);
        }
        Tw(cobBodenart()).setLeft(links);
    });

    // ratings half a row under their captions; a sentence that would reach the buttons wraps (the
    // size first: a label that changes its size keeps the place it is given afterwards)
    for (int i = 0; i <= 4; ++i) {
        a.tu([&] {
            setFontSize(lblEinstufung(i), F);
            const double platz = knopfLinks() - SW() / 100 - (a.B(4).Left() - SW() / 50);
            lblEinstufung(i)->setProperty("kavBreiteHoechstens", forms::pixelVon(platz));
            einstufungAnpassen(i);
        });
        a.tu([&] { Tw(lblEinstufung(i)).setLeft(a.B(4).Left() - SW() / 50); });
        a.tu([&] { Tw(lblEinstufung(i)).setTop(Tw(lblWert(i + 2)).Top() + SH() / 14); });
    }

    for (int i = 2; i <= 6; ++i) {
        a.tu([&] { Tw(txtWert(i)).setLeft(Tw(cobBodenart()).Left()); });
        a.tu([&] { Tw(txtWert(i)).setTop(Tw(lblWert(i)).Top()); });
        a.tu([&] { Tw(txtWert(i)).setWidth(boxBreite(i)); });
        a.tu([&] { Tw(txtWert(i)).setHeight(H() / 25); });
        a.tu([&] { setFontSize(txtWert(i), F); });
    }

    for (int i = 0; i <= 3; ++i) {
        // beside its own box (the Mg box may be the wider one); closer to it where the buttons are near
        a.tu([&] {
            const double boxRechts = Tw(txtWert(i + 2)).Left() + Tw(txtWert(i + 2)).Width();
            const double platz = knopfLinks() - SW() / 100 - breitesteBeschriftung({lblEinheit(i)}, F - 2);
            Tw(lblEinheit(i)).setLeft(std::max(std::min(boxRechts + SW() / 100, platz), boxRechts + 2 * twipsProPixel()));
        });
        a.tu([&] { Tw(lblEinheit(i)).setTop(Tw(lblWert(i + 2)).Top()); });
        a.tu([&] { setFontSize(lblEinheit(i), F - 2); });
        a.tu([&] { Tw(lblEinheit(i)).setHeight(Tw(lblWert(1)).Height()); });
        a.tu([&] { breiteNachText(lblEinheit(i)); });
    }

    // the date picker in row 0; its date is set once when the page loads
    a.tu([&] { Tw(dtpProbenahme()).setLeft(Tw(txtWert(2)).Left()); });
    a.tu([&] { Tw(dtpProbenahme()).setTop(Tw(lblWert(0)).Top()); });
    a.tu([&] { Tw(dtpProbenahme()).setWidth(Tw(cobBodenart()).Width()); });
    a.tu([&] { Tw(dtpProbenahme()).setHeight(Tw(txtWert(2)).Height()); });
    a.tu([&] { setFontSize(dtpProbenahme(), F); });
    a.tu([&] { kalenderFarben(dtpProbenahme(), a.C()); });

    a.tu([&] { Tw(trvFlaechen()).setLeft(SW() / 20); });
    a.tu([&] { Tw(trvFlaechen()).setTop(Tw(lblWert(1)).Top()); });
    a.tu([&] { Tw(trvFlaechen()).setHeight(5 * SH() / 6); });
    a.tu([&] { Tw(trvFlaechen()).setWidth(a.B(1).Width() * 2.25); });
    a.tu([&] {
        setFontSize(trvFlaechen(), F);
        const int h = QFontMetrics(trvFlaechen()->font()).height();
        trvFlaechen()->setIconSize(QSize(h, h));
    });

    // the three buttons under the seventh navigation button, stacked upwards from the tree's bottom
    const auto knopfGroesse = [&](QToolButton* b) {
        a.tu([&] { Tw(b).setWidth(a.B(7).Width() * 0.9); });
        a.tu([&] { Tw(b).setHeight(a.B(1).Height() * 1.75); });
    };
    const auto knopfRest = [&](QToolButton* b, const char* bild) {
        a.tu([&] { Tw(b).setLeft(a.B(7).Left() - 0.2 * a.B(7).Width()); });
        a.tu([&] { setBackColor(b, a.C()); });
        a.tu([&] { setFontSize(b, F); });
        a.tu([&] { b->setIcon(a.imlIcon().bild(QLatin1String(bild))); });
        a.tu([&] { knopfBild(b); });
    };
    knopfGroesse(cmbWeiter());
    a.tu([&] { Tw(cmbWeiter()).setTop(Tw(trvFlaechen()).Top() + Tw(trvFlaechen()).Height() - Tw(cmbWeiter()).Height()); });
    knopfRest(cmbWeiter(), "Weiter");

    a.tu([&] {
        if (senden)
            forms::setVisible(cmbSpeichern(), false);
    });
    knopfGroesse(cmbSpeichern());
    a.tu([&] { Tw(cmbSpeichern()).setTop(Tw(cmbWeiter()).Top() - 1.15 * Tw(cmbSpeichern()).Height()); });
    knopfRest(cmbSpeichern(), "Speichern");

    knopfGroesse(cmbSenden());
    a.tu([&] {
        Tw(cmbSenden()).setTop(Tw(cmbWeiter()).Top() - (senden ? 1.15 : 2.3) * Tw(cmbSenden()).Height());
    });
    knopfRest(cmbSenden(), "Senden");

    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
