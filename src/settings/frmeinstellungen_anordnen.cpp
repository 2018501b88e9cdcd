// The settings window's layout: the controls at their places in twips on their page, the two
// headers above the pages, colours and the values of the settings.
#include "frame/anordnung.h"
#include "platform/farbverlaufzeichnen.h"
#include "services/appcontext.h"
#include "settings/frmeinstellungen.h"
#include "settings/optionen.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <map>

namespace kav {

using forms::Tw;

namespace {

double pixelInTwips(int px) { return px * forms::twipsProPixel(); }

// Width of the longest word of a label: a wrapped label is never narrower.
double laengstesWort(const QLabel* l)
{
    const QFontMetrics fm(l->font());
    int breite = 0;
    for (const QString& wort : l->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        breite = std::max(breite, fm.horizontalAdvance(wort));
    return pixelInTwips(breite + 2);
}

} // namespace

QSizeF frmEinstellungen::seiteLegen(const std::vector<Lage>& plaetze)
{
    using Sorte = Lage::Sorte;
    struct Ist {
        const Lage* p;
        double breite, hoehe, wachsen, verschiebung;
    };
    std::vector<Ist> liste;
    for (const Lage& p : plaetze) {
        double b = p.breite;
        double h = p.hoehe;
        if (p.sorte == Sorte::Text) {
            auto* l = static_cast<QLabel*>(p.w);
            if (l->wordWrap()) {
                b = std::max(b, laengstesWort(l));
                h = std::max(h, pixelInTwips(l->heightForWidth(forms::pixelVon(b))));
            } else {
                b = pixelInTwips(l->sizeHint().width());
                h = std::max(h, pixelInTwips(l->sizeHint().height()));
            }
        } else if (p.sorte == Sorte::Knopf) {
            b = std::max(b, pixelInTwips(p.w->sizeHint().width()));
            h = std::max(h, pixelInTwips(p.w->sizeHint().height()));
        }
        liste.push_back({&p, b, h, std::max(0.0, h - p.hoehe), 0.0});
    }
    std::stable_sort(liste.begin(), liste.end(), [](const Ist& a, const Ist& b) { return a.p->oben < b.p->oben; });
    double rechts = 0;
    double unten = 0;
    for (size_t k = 0; k < liste.size(); ++k) {
        Ist& x = liste[k];
        for (size_t j = 0; j < k; ++j)
            if (liste[j].p->oben + liste[j].p->hoehe <= x.p->oben)
                x.verschiebung = std::max(x.verschiebung, liste[j].verschiebung + liste[j].wachsen);
        const double oben = x.p->oben + x.verschiebung;
        if (x.p->sorte == Sorte::Linie)
            Tw(x.p->w).setRechteck(QRectF(x.p->links, oben - 15, x.breite, 30));
        else
            Tw(x.p->w).setRechteck(QRectF(x.p->links, oben, x.breite, x.hoehe));
        rechts = std::max(rechts, x.p->links + x.breite);
        unten = std::max(unten, oben + x.hoehe);
    }
    return QSizeF(rechts, unten);
}

void frmEinstellungen::einstellungenAnordnen()
{
    using Sorte = Lage::Sorte;
    const Einstellungen& e = app().einstellungen;
    const QColor c = benutzerFarbe(e);

    QFont kopf = QApplication::font();
    kopf.setPointSizeF(10);
    kopf.setBold(true);
    m_txtStrip1->setFont(kopf);
    m_txtStrip2->setFont(kopf); // measured bold: the header keeps its width when it becomes bold
    const QFontMetrics fm(kopf);
    const double kopfHoehe = pixelInTwips(fm.height() + 10);
    const double breite1 = pixelInTwips(fm.horizontalAdvance(m_txtStrip1->text()) + 24);
    const double breite2 = pixelInTwips(fm.horizontalAdvance(m_txtStrip2->text()) + 24);

    const std::vector<Lage> programm = {
        {m_lblVerfahren, Sorte::Text, 480, 240, 0, 255},
        {m_linie[0], Sorte::Linie, 480, 600, 3000, 0},
        {m_imgOptimal(0), Sorte::Fest, 480, 840, 255, 255},
        {m_lblOptimal(0), Sorte::Text, 960, 720, 2745, 555},
        {m_imgOptimal(1), Sorte::Fest, 480, 1440, 255, 255},
        {m_lblOptimal(1), Sorte::Text, 960, 1320, 2985, 795},
        {m_lblFarbe, Sorte::Text, 480, 2280, 0, 255},
        {m_linie[1], Sorte::Linie, 480, 2640, 3000, 0},
        {m_cmbHintergrund, Sorte::Knopf, 480, 2880, 1935, 375},
    };
    const std::vector<Lage> datenbank = {
        {m_lblIntervall, Sorte::Text, 240, 240, 1815, 495},
        {m_txtIntervall, Sorte::Fest, 2400, 360, 375, 375},
        {m_lblTage, Sorte::Text, 2880, 400, 0, 255},
        {m_cmbRepair, Sorte::Knopf, 240, 1080, 5295, 375},
        {m_linie[2], Sorte::Linie, 240, 1680, 5400, 0},
        {m_imgUpdate, Sorte::Fest, 360, 1920, 255, 255},
        {m_lblUpdate, Sorte::Text, 720, 1800, 4935, 495},
        {m_cmbUpdate, Sorte::Knopf, 360, 2400, 5295, 375},
        {m_linie[3], Sorte::Linie, 240, 3000, 5400, 0},
        {m_imgSQL, Sorte::Fest, 360, 3120, 255, 255},
        {m_lblSQL, Sorte::Text, 720, 3120, 3495, 375},
        {m_cmdDatenSenden, Sorte::Knopf, 240, 3600, 5295, 375},
    };
    double rechts = 0;
    double unten = 0;
    for (const auto* seite : {&programm, &datenbank}) {
        const QSizeF rand = seiteLegen(*seite);
        rechts = std::max(rechts, rand.width());
        unten = std::max(unten, rand.height());
    }

    // the headers side by side over the pages, the pages one on the other
    const double links = 90;
    const double oben = 90;
    const double streifenBreite = std::max(5700.0, rechts + 240);
    const double streifenHoehe = std::max(4560.0, unten + 240 + kopfHoehe);
    Tw(m_txtStrip1).setRechteck(QRectF(links + 30, oben + 30, breite1 - 5, kopfHoehe));
    Tw(m_txtStrip2).setRechteck(QRectF(links + 30 + breite1 - 5 + 25, oben + 25, breite2, kopfHoehe - 25));
    const QRectF seite(links + 30, oben + 30 + kopfHoehe, streifenBreite, streifenHoehe - kopfHoehe);
    Tw(m_pcbStrip1).setRechteck(seite);
    Tw(m_pcbStrip2).setRechteck(seite);
    setFixedSize(forms::pixelVon(seite.right() + 90), forms::pixelVon(seite.bottom() + 90));

    BenutzerverlaufZeichnen(this, e);
    for (QWidget* s : {m_pcbStrip1, m_pcbStrip2})
        FarbverlaufZeichnenBild(s, e.intRot, e.intGruen, e.intBlau, e.intRotHell, e.intGruenHell, e.intBlauHell);
    for (QWidget* w : std::initializer_list<QWidget*>{m_txtStrip1, m_txtStrip2, m_cmbHintergrund, m_cmbRepair, m_cmbUpdate,
                                                      m_cmdDatenSenden})
        forms::setBackColor(w, c);

    // always the page "Programm" afterwards
    forms::setFontBold(m_txtStrip2, false);
    forms::setVisible(m_pcbStrip1, true);
    forms::setVisible(m_pcbStrip2, false);
    m_seite = 1;

    for (int i = 0; i <= 1; ++i)
        optionZeigen(m_imgOptimal(i), verfahrenBild(i, e.blnImmerOptimal));
    {
        // shown as it is held, also a longer number from the settings file; only typing changes
        // the interval, and typing gives at most two digits
        const QSignalBlocker still(m_txtIntervall);
        const QString tage = QString::number(e.intDS);
        m_txtIntervall->setMaxLength(std::max(2, static_cast<int>(tage.size())));
        m_txtIntervall->setText(tage);
    }
    const OptionsBild update = optionFuer(e.strUpdatebeiStart);
    optionZeigen(m_imgUpdate, update.bild, update.tag);
    const OptionsBild sql = optionFuer(e.strDatenAufServer);
    optionZeigen(m_imgSQL, sql.bild, sql.tag);
}

} // namespace kav
