#include "platform/fokusrahmen.h"

#include "platform/optionsgruppe.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <vector>

namespace kav::forms {

namespace {

constexpr int kLinie = kFokusrahmenBreite / 2; // width of each of the two lines, in pixels
static_assert(kFokusrahmenBreiteMitBegleiter == 3 * kLinie); // the room around both, then the ring
const char* const kName = "kavFokusrahmen";

// The caption of each option drawn as a picture (a dynamic property would reach the forms' event
// filters while they are built).
QHash<const QObject*, QPointer<QWidget>>& begleiter()
{
    static QHash<const QObject*, QPointer<QWidget>> b;
    return b;
}

QWidget* begleiterVon(const QWidget* w) { return begleiter().value(w).data(); }

// The ring itself: a light line outside a dark one. On any colour one of the two stands out.
class Ring : public QWidget {
public:
    explicit Ring(QWidget* fenster) : QWidget(fenster)
    {
        setObjectName(QLatin1String(kName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

    void legen(const QRect& r)
    {
        setGeometry(r);
        // only the ring is the widget's: what lies inside it is drawn by the controls below
        const QRect innen = rect().adjusted(2 * kLinie, 2 * kLinie, -2 * kLinie, -2 * kLinie);
        setMask(innen.isValid() ? QRegion(rect()).subtracted(QRegion(innen)) : QRegion(rect()));
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.fillRect(rect().adjusted(kLinie, kLinie, -kLinie, -kLinie), Qt::black);
    }
};

// Watches the focus of the program and keeps the ring around the control that has it.
class Waechter : public QObject {
public:
    explicit Waechter(QObject* eltern) : QObject(eltern)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* jetzt) { folgen(jetzt); });
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ParentChange:
        case QEvent::EnabledChange:
            legen();
            break;
        default:
            break;
        }
        return QObject::eventFilter(o, e);
    }

private:
    void folgen(QWidget* jetzt)
    {
        for (const QPointer<QWidget>& w : m_beobachtet)
            if (w)
                w->removeEventFilter(this);
        m_beobachtet.clear();
        m_ziel = jetzt ? fokusSteuerelement(jetzt) : nullptr;
        if (m_ziel) {
            // the control, its caption and every parent up to the window: a move of any of them moves the ring
            for (QWidget* w : {m_ziel.data(), begleiterVon(m_ziel)})
                for (QWidget* p = w; p; p = p->isWindow() ? nullptr : p->parentWidget()) {
                    p->installEventFilter(this);
                    m_beobachtet.emplace_back(p);
                }
        }
        legen();
    }

    void legen()
    {
        QWidget* z = m_ziel;
        QWidget* f = QApplication::focusWidget();
        // a control the keyboard reaches (an option of a group, also by a click); a window or a page
        // that took the focus by a click gets none
        const bool zeigen = z && f && fokusSteuerelement(f) == z && !z->isWindow() && z->isVisible()
                            && (((z->focusPolicy() | f->focusPolicy()) & Qt::TabFocus) || Optionsgruppe::von(z));
        if (!zeigen) {
            if (m_ring)
                m_ring->hide();
            return;
        }
        QWidget* fenster = z->window();
        if (m_ring && m_ring->parentWidget() != fenster) {
            m_ring->hide();
            m_ring->deleteLater();
            m_ring = nullptr;
        }
        if (!m_ring)
            m_ring = new Ring(fenster);
        QRect bereich(z->mapTo(fenster, QPoint(0, 0)), z->size());
        if (QWidget* b = begleiterVon(z); b && b->isVisible()) {
            // a picture with its caption: the ring leaves room around both
            bereich |= QRect(b->mapTo(fenster, QPoint(0, 0)), b->size());
            bereich.adjust(-kLinie, -kLinie, kLinie, kLinie);
        }
        // the ring outside the control, the dark line next to it; at the window's edge inside it
        m_ring->legen(bereich.adjusted(-2 * kLinie, -2 * kLinie, 2 * kLinie, 2 * kLinie) & fenster->rect());
    }

    QPointer<QWidget> m_ziel;
    QPointer<Ring> m_ring;
    std::vector<QPointer<QWidget>> m_beobachtet;
};

} // namespace

void fokusrahmenStarten()
{
    static QPointer<Waechter> waechter;
    if (!waechter && qApp)
        waechter = new Waechter(qApp);
}

void setFokusBegleiter(QWidget* feld, QWidget* b)
{
    if (!feld)
        return;
    if (!begleiter().contains(feld))
        QObject::connect(feld, &QObject::destroyed, [](QObject* f) { begleiter().remove(f); });
    begleiter().insert(feld, b);
}

QWidget* fokusSteuerelement(QWidget* w)
{
    while (w && !w->isWindow()) {
        QWidget* p = w->parentWidget();
        if (!p)
            break;
        // the inner part of a composite control: the focus goes to it through the control's proxy (a
        // row of dialog buttons hands the focus on to a button too, but each button is a control of its own)
        const bool teil = p->focusProxy() == w && !qobject_cast<QDialogButtonBox*>(p);
        if (teil || qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p))
            w = p;
        else
            break;
    }
    return w;
}

bool istFokusrahmen(const QWidget* w) { return w && w->objectName() == QLatin1String(kName); }

} // namespace kav::forms
