#include "platform/fenster.h"

#include "platform/fokusrahmen.h"
#include "platform/tabfolge.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLayout>

#include <algorithm>

namespace kav::forms {

int titelleistenBreite(const QString& titel)
{
    QFont schrift = QApplication::font();
    schrift.setBold(true);
    const QFontMetrics fm(schrift);
    return fm.horizontalAdvance(titel) + 10 * fm.height();
}

Fenster::~Fenster()
{
    if (m_register)
        m_register->vergessen(this);
}

Formular::Formular(const QString& name, QWidget* eltern) : QWidget(eltern), Fenster(name)
{
    setObjectName(name);
    fokusrahmenStarten();
}

void Formular::entladen()
{
    if (fensterRegister())
        fensterRegister()->entladen(this);
}

void Formular::closeEvent(QCloseEvent* e)
{
    entladen();
    e->accept();
}

void inhaltsgroesseFesthalten(QWidget* fenster)
{
    // whether the window fixed its width itself, seen on the first call: later calls find the width
    // fixed here
    const char* const eigeneBreite = "kavEigeneBreite";
    if (!fenster->property(eigeneBreite).isValid())
        fenster->setProperty(eigeneBreite, fenster->minimumWidth() == fenster->maximumWidth());
    if (!fenster->property(eigeneBreite).toBool()) {
        fenster->setMinimumWidth(0);
        fenster->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    fenster->setMinimumHeight(0);
    fenster->setMaximumHeight(QWIDGETSIZE_MAX);
    fenster->adjustSize();
    // adjustSize works out the height of wrapped text for the width the window would like, not for the
    // width it holds: a narrower fixed width needs more lines
    QSize groesse = fenster->size();
    if (const QLayout* l = fenster->layout(); l && l->hasHeightForWidth())
        groesse.setHeight(std::max(groesse.height(), l->totalHeightForWidth(groesse.width())));
    fenster->setFixedSize(groesse);
}

bool knopfDruecken(QAbstractButton* b)
{
    if (!b || !b->isVisible() || !b->isEnabled())
        return false;
    b->click();
    return true;
}

bool Formular::eingabetaste()
{
    auto* fokus = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (fokus && isAncestorOf(fokus))
        return knopfDruecken(fokus);
    return knopfDruecken(m_standard);
}

bool Formular::escapetaste() { return knopfDruecken(m_abbruch); }

void Formular::keyPressEvent(QKeyEvent* e)
{
    const bool ohne = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (ohne && ((enter && eingabetaste()) || (e->key() == Qt::Key_Escape && escapetaste()))) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Formular::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (e->spontaneous())
        return;
    if (isWindow()) {
        // a dialog: the first control the window gives the focus to is the first in reading order
        if (layout())
            layout()->activate();
        QWidget* erster = tabfolgeSetzen(this); // a link at the top is passed over
        if (!focusWidget() && erster)
            erster->setFocus(Qt::ActiveWindowFocusReason);
        return;
    }
    tabfolgeSetzen(window());
    if (fokusBeimZeigen()) {
        QWidget* fokus = window()->focusWidget();
        if (!fokus || !isAncestorOf(fokus) || !fokus->isVisible())
            if (QWidget* erster = ersterTabStopp(this))
                erster->setFocus(Qt::OtherFocusReason);
    }
}

bool Formular::focusNextPrevChild(bool next)
{
    if (!isWindow())
        return QWidget::focusNextPrevChild(next);
    return tabSchritt(this, next, [this](bool n) { return QWidget::focusNextPrevChild(n); });
}

FensterRegister::FensterRegister() = default;

FensterRegister::~FensterRegister()
{
    for (Eintrag& e : m_geladen)
        if (e.widget)
            e.fenster->m_register = nullptr;
}

void FensterRegister::klasseAnmelden(const QString& name, Fabrik fabrik) { m_klassen[name] = std::move(fabrik); }

bool FensterRegister::klasseBekannt(const QString& name) const { return m_klassen.count(name) > 0; }

void FensterRegister::setEltern(QWidget* arbeitsbereich, QWidget* hauptfenster)
{
    m_arbeitsbereich = arbeitsbereich;
    m_hauptfenster = hauptfenster;
}

void FensterRegister::aufraeumen() const
{
    // a window deleted from outside is no longer loaded
    m_geladen.erase(std::remove_if(m_geladen.begin(), m_geladen.end(), [](const Eintrag& e) { return e.widget.isNull(); }),
                    m_geladen.end());
}

void FensterRegister::vergessen(Fenster* f)
{
    m_geladen.erase(std::remove_if(m_geladen.begin(), m_geladen.end(), [f](const Eintrag& e) { return e.fenster == f; }),
                    m_geladen.end());
}

void FensterRegister::eintragen(Fenster* f)
{
    if (!f || fenster(f->name()) == f)
        return;
    f->m_register = this;
    m_geladen.append(Eintrag{f, QPointer<QWidget>(f->widget())});
}

Fenster* FensterRegister::fenster(const QString& name) const
{
    aufraeumen();
    for (const Eintrag& e : m_geladen)
        if (!e.entlaedt && e.fenster->name() == name)
            return e.fenster;
    return nullptr;
}

QList<Fenster*> FensterRegister::geladene() const
{
    aufraeumen();
    QList<Fenster*> l;
    for (const Eintrag& e : m_geladen)
        if (!e.entlaedt)
            l.append(e.fenster);
    return l;
}

QStringList FensterRegister::namen() const
{
    QStringList l;
    for (Fenster* f : geladene())
        l.append(f->name());
    return l;
}

Fenster* FensterRegister::laden(const QString& name)
{
    if (Fenster* f = fenster(name))
        return f;
    if (m_gesperrt)
        throw FormsFehler(QStringLiteral("Fenster %1 kann während der Anordnung nicht geladen werden").arg(name));
    const auto it = m_klassen.find(name);
    if (it == m_klassen.end())
        throw FormsFehler(QStringLiteral("Unbekanntes Fenster %1").arg(name));
    Fenster* f = it->second();
    if (!f)
        throw FormsFehler(QStringLiteral("Fenster %1 konnte nicht erzeugt werden").arg(name));
    QWidget* w = f->widget();
    w->setObjectName(name);
    if (f->art() == Fenster::Art::Dialog)
        w->setParent(m_hauptfenster, Qt::Dialog); // owned: stays above the main window
    else if (f->art() == Fenster::Art::Kind && m_arbeitsbereich)
        w->setParent(m_arbeitsbereich);
    eintragen(f);
    try {
        f->Form_Load();
    } catch (...) {
        entladen(f);
        throw;
    }
    return f;
}

Fenster* FensterRegister::zeigen(const QString& name)
{
    Fenster* f = laden(name);
    QWidget* w = f->widget();
    w->show();
    if (f->art() == Fenster::Art::Dialog) {
        w->raise();
        w->activateWindow();
    }
    return f;
}

void FensterRegister::entladen(const QString& name)
{
    if (Fenster* f = fenster(name))
        entladen(f);
}

void FensterRegister::entladen(Fenster* f)
{
    auto finde = [this, f]() {
        for (int i = 0; i < m_geladen.size(); ++i)
            if (m_geladen[i].fenster == f)
                return i;
        return -1;
    };
    int i = finde();
    if (i < 0 || m_geladen[i].entlaedt)
        return;
    m_geladen[i].entlaedt = true;
    const QPointer<QWidget> w = m_geladen[i].widget;
    if (w) {
        try {
            f->Form_Unload();
        } catch (...) {
            // an unload handler that fails still lets the window go
        }
    }
    i = finde();
    if (i >= 0)
        m_geladen.removeAt(i);
    f->m_register = nullptr;
    if (w && f->art() != Fenster::Art::Hauptfenster) {
        w->hide();
        w->deleteLater();
    }
}

} // namespace kav::forms
