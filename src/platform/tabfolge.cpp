#include "platform/tabfolge.h"

#include "platform/fenster.h"
#include "platform/fokusrahmen.h"
#include "platform/optionsgruppe.h"
#include "platform/tastenlink.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace kav::forms {

namespace {

// A control, an option group, or what stands between them (a caption, a picture: it only tells
// where rows and columns are), with the place it takes in the window.
struct Einheit {
    QRect r;
    std::vector<QWidget*> teile; // in the order of the chain; none for a caption
    Optionsgruppe* gruppe = nullptr;
};

QRect lage(const QWidget* w, const QWidget* bezug) { return QRect(w->mapTo(bezug, QPoint(0, 0)), w->size()); }

// Whether a sibling stacked above `k` covers it whole (a page laid over the breadcrumb strip): what
// cannot be seen is not read. Frames drawn over controls let them be seen and do not count.
bool verdeckt(const QWidget* k, const QObjectList& geschwister)
{
    for (auto i = geschwister.indexOf(k) + 1; i < geschwister.size(); ++i) {
        const auto* s = qobject_cast<const QWidget*>(geschwister[i]);
        if (s && !s->isWindow() && !s->isHidden() && !s->testAttribute(Qt::WA_TransparentForMouseEvents)
            && s->geometry().contains(k->geometry()))
            return true;
    }
    return false;
}

// The units below `w`, places relative to `bezug`. `behaelter`: the widgets that hold controls and
// take the focus by a click (a page); in the chain each goes right before the first of its controls,
// so that Tab from it goes on to that control.
void sammeln(QWidget* w, const QWidget* bezug, std::vector<Einheit>& v, std::vector<QWidget*>& behaelter)
{
    const QObjectList& kinder = w->children();
    for (QObject* o : kinder) {
        auto* k = qobject_cast<QWidget*>(o);
        if (!k || k->isWindow() || k->isHidden() || istFokusrahmen(k) || verdeckt(k, kinder))
            continue;
        if (Optionsgruppe* g = Optionsgruppe::von(k)) {
            if (std::any_of(v.begin(), v.end(), [g](const Einheit& e) { return e.gruppe == g; }))
                continue;
            g->aktualisieren();
            Einheit e;
            e.gruppe = g;
            for (int i = 0; i < g->anzahl(); ++i) {
                QWidget* f = g->feld(i);
                e.teile.push_back(f);
                if (!f->isHidden())
                    e.r |= lage(f, bezug);
            }
            if (!e.r.isNull())
                v.push_back(std::move(e));
            continue;
        }
        if ((k->focusPolicy() & Qt::TabFocus) || k->focusProxy()) {
            v.push_back(Einheit{lage(k, bezug), {k}, nullptr});
            continue;
        }
        if (k->focusPolicy() != Qt::NoFocus)
            behaelter.push_back(k);
        const bool blatt = std::none_of(k->children().begin(), k->children().end(), [](const QObject* c) {
            return c->isWidgetType() && !static_cast<const QWidget*>(c)->isHidden();
        });
        if (!blatt)
            sammeln(k, bezug, v, behaelter);
        else if (const auto* l = qobject_cast<const QLabel*>(k); !l || !l->text().isEmpty() || !l->pixmap().isNull())
            v.push_back(Einheit{lage(k, bezug), {}, nullptr}); // a caption or a picture: a place in the reading
    }
}

// Controls placed side by side in twips meet or stand apart by up to this many pixels of rounding: a
// gap between columns is wider.
constexpr int kSpiel = 2;

int anfang(const Einheit* e, bool zeilen) { return zeilen ? e->r.top() : e->r.left(); }
int ende(const Einheit* e, bool zeilen) { return zeilen ? e->r.top() + e->r.height() : e->r.left() + e->r.width(); }

// The widest gap between rows (`zeilen`) or columns that nothing crosses, at least `mindestens`
// wide: its width (-1 for none) and the units in order along that direction, the gap before index
// `nach`.
struct Schnitt {
    int luecke = -1;
    size_t nach = 0;
    std::vector<Einheit*> folge;
};

Schnitt schneiden(const std::vector<Einheit*>& v, bool zeilen, int mindestens = 0)
{
    Schnitt s;
    s.folge = v;
    std::stable_sort(s.folge.begin(), s.folge.end(), [zeilen](const Einheit* a, const Einheit* b) {
        return anfang(a, zeilen) != anfang(b, zeilen) ? anfang(a, zeilen) < anfang(b, zeilen)
                                                      : anfang(a, !zeilen) < anfang(b, !zeilen);
    });
    int bis = ende(s.folge.front(), zeilen);
    for (size_t i = 1; i < s.folge.size(); ++i) {
        const int a = anfang(s.folge[i], zeilen);
        if (a - bis >= mindestens && a - bis > s.luecke) {
            s.luecke = a - bis;
            s.nach = i;
        }
        bis = std::max(bis, ende(s.folge[i], zeilen));
    }
    return s;
}

// The first gap between rows (in `zeilen`, sorted by rows) that lies at or below `unten`: the index of
// the unit after it, 0 for none.
size_t zeileAbUnten(const Schnitt& zeilen, int unten)
{
    int bis = ende(zeilen.folge.front(), true);
    for (size_t i = 1; i < zeilen.folge.size(); ++i) {
        if (anfang(zeilen.folge[i], true) >= bis && bis >= unten)
            return i;
        bis = std::max(bis, ende(zeilen.folge[i], true));
    }
    return 0;
}

void ordnen(const std::vector<Einheit*>& v, std::vector<Einheit*>& aus)
{
    if (v.size() <= 1) {
        aus.insert(aus.end(), v.begin(), v.end());
        return;
    }
    // a column beside another is read to its end first (the boxes beside a tree, a column of buttons
    // beside the boxes); where no column stands apart, row after row; controls that meet side by side
    // (a box and its unit, a calendar and its buttons) are no columns but a row, left to right
    Schnitt zeilen = schneiden(v, true);
    Schnitt spalten = schneiden(v, false, kSpiel + 1);
    if (spalten.luecke < 0 && zeilen.luecke < 0)
        spalten = schneiden(v, false);
    Schnitt* s = spalten.luecke >= 0 ? &spalten : &zeilen;
    if (s == &spalten) {
        // a column that ends above a gap crossing the whole part, while the part left of it goes on
        // below, stands beside the rows above that gap only (a box beside a picture, the rows under
        // both): those rows are read first
        int unten = ende(spalten.folge.back(), true);
        for (size_t i = spalten.nach; i < spalten.folge.size(); ++i)
            unten = std::max(unten, ende(spalten.folge[i], true));
        if (const size_t i = zeileAbUnten(zeilen, unten); i > 0) {
            zeilen.nach = i;
            s = &zeilen;
        }
    }
    if (s->luecke < 0) {
        // controls that overlap: top to bottom, then left to right
        aus.insert(aus.end(), zeilen.folge.begin(), zeilen.folge.end());
        return;
    }
    const auto mitte = s->folge.begin() + static_cast<std::ptrdiff_t>(s->nach);
    ordnen(std::vector<Einheit*>(s->folge.begin(), mitte), aus);
    ordnen(std::vector<Einheit*>(mitte, s->folge.end()), aus);
}

bool istLink(const Einheit* e) { return !e->gruppe && e->teile.size() == 1 && Tastenlink::ist(e->teile.front()); }

// The window a link belongs to: the page or dialog that holds it, else `bereich`.
const QWidget* fensterVon(const Einheit* link, const QWidget* bereich)
{
    for (const QWidget* w = link->teile.front()->parentWidget(); w && w != bereich; w = w->parentWidget())
        if (qobject_cast<const Formular*>(w))
            return w;
    return bereich;
}

// A link goes after the other controls of its window, in reading order among the links: Tab from
// one box goes on to the next box, whatever captions stand between them.
void linksNachhinten(std::vector<Einheit*>& folge, const QWidget* bereich)
{
    std::erase_if(folge, [](const Einheit* e) { return e->teile.empty(); });
    // each unit's place: its own, for a link that of the last other control of its window after it
    std::vector<std::pair<size_t, Einheit*>> platz;
    for (size_t i = 0; i < folge.size(); ++i) {
        size_t p = i;
        if (istLink(folge[i])) {
            const QWidget* f = fensterVon(folge[i], bereich);
            for (size_t j = i + 1; j < folge.size(); ++j)
                if (!istLink(folge[j]) && f->isAncestorOf(folge[j]->teile.front()))
                    p = j;
        }
        platz.emplace_back(p, folge[i]);
    }
    // the links after the control they follow
    std::stable_sort(platz.begin(), platz.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first, istLink(a.second)) < std::pair(b.first, istLink(b.second));
    });
    for (size_t i = 0; i < platz.size(); ++i)
        folge[i] = platz[i].second;
}

std::vector<Einheit> geordnet(QWidget* bereich, std::vector<Einheit*>& folge, std::vector<QWidget*>& behaelter)
{
    std::vector<Einheit> einheiten;
    sammeln(bereich, bereich, einheiten, behaelter);
    std::vector<Einheit*> v;
    for (Einheit& e : einheiten)
        v.push_back(&e);
    folge.clear();
    ordnen(v, folge);
    linksNachhinten(folge, bereich);
    return einheiten;
}

// The first tab stop in `folge` that is no link.
QWidget* ersterIn(const std::vector<Einheit*>& folge)
{
    for (const Einheit* e : folge) {
        if (e->teile.empty())
            continue;
        if (e->gruppe) {
            if (QWidget* s = e->gruppe->stopp())
                return s;
        } else if (QWidget* w = e->teile.front(); w->isEnabled() && !Tastenlink::ist(w)) {
            const QWidget* p = w->focusProxy() ? w->focusProxy() : w;
            if (p->focusPolicy() & Qt::TabFocus)
                return w;
        }
    }
    return nullptr;
}

// Sets the chain; the controls in it that can be reached. `erster`, when given, gets the first tab
// stop that is no link.
std::vector<QWidget*> ketteSetzen(QWidget* fenster, QWidget** erster = nullptr)
{
    std::vector<QWidget*> kette;
    if (!fenster)
        return kette;
    std::vector<Einheit*> folge;
    std::vector<QWidget*> behaelter; // outer ones before inner ones
    const std::vector<Einheit> einheiten = geordnet(fenster, folge, behaelter);
    if (erster)
        *erster = ersterIn(folge);
    QWidget* vorher = nullptr;
    const auto anhaengen = [&vorher](QWidget* w) {
        if (vorher && vorher != w)
            QWidget::setTabOrder(vorher, w);
        vorher = w;
    };
    for (const Einheit* e : folge) {
        if (e->teile.empty())
            continue;
        for (QWidget*& b : behaelter)
            if (b && b->isAncestorOf(e->teile.front())) {
                anhaengen(b);
                b = nullptr;
            }
        for (QWidget* w : e->teile) {
            anhaengen(w);
            kette.push_back(w);
        }
    }
    return kette;
}

} // namespace

QWidget* tabfolgeSetzen(QWidget* fenster)
{
    QWidget* erster = nullptr;
    ketteSetzen(fenster, &erster);
    return erster;
}

bool tabSchritt(QWidget* fenster, bool next, const std::function<bool(bool)>& schritt)
{
    const std::vector<QWidget*> kette = ketteSetzen(fenster);
    const auto erreichbar = [&kette](const QWidget* f) {
        return f && std::any_of(kette.begin(), kette.end(), [f](const QWidget* w) { return w == f || w->isAncestorOf(f); });
    };
    bool ok = schritt(next);
    for (size_t i = 0; ok && i < kette.size() + 2 && !erreichbar(QApplication::focusWidget()); ++i)
        ok = schritt(next);
    return ok;
}

QWidget* ersterTabStopp(QWidget* bereich)
{
    if (!bereich)
        return nullptr;
    std::vector<Einheit*> folge;
    std::vector<QWidget*> behaelter;
    const std::vector<Einheit> einheiten = geordnet(bereich, folge, behaelter);
    return ersterIn(folge);
}

} // namespace kav::forms
