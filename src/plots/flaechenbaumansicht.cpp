#include "plots/flaechenbaumansicht.h"

#include <QHeaderView>

namespace kav {

FlaechenBaumAnsicht::FlaechenBaumAnsicht(QWidget* eltern) : QTreeWidget(eltern)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* i) { aufgeklappt(i, true); });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* i) { aufgeklappt(i, false); });
}

QIcon FlaechenBaumAnsicht::bild(const QString& schluessel) const
{
    return m_bilder ? m_bilder->bild(schluessel) : QIcon();
}

void FlaechenBaumAnsicht::bildNachZustand(QTreeWidgetItem* item, bool offen)
{
    // an opened node shows "Flaeche", a closed one "FlaecheGrp", whatever its kind
    const QString& k = offen ? kBildFlaeche : kBildGruppe;
    item->setIcon(0, bild(k));
    item->setData(0, kBildRolle, k);
}

void FlaechenBaumAnsicht::aufgeklappt(QTreeWidgetItem* item, bool offen)
{
    if (offen)
        kinderAnlegen(index(item));
    bildNachZustand(item, offen);
    if (!m_baut)
        m_modell.setExpanded(index(item), offen);
}

int FlaechenBaumAnsicht::index(const QTreeWidgetItem* item) const
{
    if (!item)
        return -1;
    bool ok = false;
    const int i = item->data(0, Qt::UserRole).toInt(&ok);
    return ok && i >= 0 && i < static_cast<int>(m_items.size()) && m_items[static_cast<size_t>(i)] == item ? i : -1;
}

QTreeWidgetItem* FlaechenBaumAnsicht::item(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return nullptr;
    if (!m_items[static_cast<size_t>(index)])
        const_cast<FlaechenBaumAnsicht*>(this)->kinderAnlegen(m_modell.knoten(index).eltern);
    return m_items[static_cast<size_t>(index)];
}

QTreeWidgetItem* FlaechenBaumAnsicht::neuesItem(int i)
{
    const BaumKnoten& k = m_modell.knoten(i);
    auto* it = new QTreeWidgetItem;
    it->setText(0, k.text);
    it->setIcon(0, bild(k.bild));
    it->setData(0, Qt::UserRole, i);
    it->setData(0, kBildRolle, k.bild);
    // the children get their items when the node is first opened
    if (k.nachfahren > 0)
        it->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    m_items[static_cast<size_t>(i)] = it;
    return it;
}

void FlaechenBaumAnsicht::kinderAnlegen(int eltern)
{
    QTreeWidgetItem* e = item(eltern);
    if (!e || e->childCount() > 0)
        return;
    const bool vorher = m_baut;
    m_baut = true;
    QList<QTreeWidgetItem*> kinder;
    for (int c : m_modell.kinder(eltern))
        if (!m_items[static_cast<size_t>(c)])
            kinder.append(neuesItem(c));
    e->addChildren(kinder);
    m_baut = vorher;
}

QTreeWidgetItem* FlaechenBaumAnsicht::itemVon(const QString& key) const { return item(m_modell.finde(key)); }

QString FlaechenBaumAnsicht::bildSchluessel(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, kBildRolle).toString() : QString();
}

QString FlaechenBaumAnsicht::key(const QTreeWidgetItem* item) const
{
    const int i = index(item);
    return i < 0 ? QString() : m_modell.knoten(i).key;
}

bool FlaechenBaumAnsicht::fuellen(const QSqlDatabase& cnDaten, bool blnNurAktuelle, const Gebietsschema& gebiet)
{
    const bool ok = m_modell.FlaechenBaumFuellen(cnDaten, blnNurAktuelle, gebiet);
    m_baut = true;
    setUpdatesEnabled(false);
    clear();
    // Items are made for the root and the children of open nodes only, put together outside the
    // control and handed over at once; the nodes below a closed node get theirs when it is opened
    // (or one of them is asked for): most nodes of a large tree are never looked at.
    m_items.assign(static_cast<size_t>(m_modell.anzahl()), nullptr);
    QTreeWidgetItem* wurzel = neuesItem(0);
    for (int i = 0; i < m_modell.anzahl(); ++i)
        if (m_items[static_cast<size_t>(i)] && m_modell.knoten(i).expanded)
            kinderAnlegen(i);
    addTopLevelItem(wurzel);
    zustandUebernehmen();
    m_baut = false;
    setUpdatesEnabled(true);
    return ok;
}

void FlaechenBaumAnsicht::zustandUebernehmen()
{
    // The model knows the state: the items follow it without a round trip through the signals.
    const bool vorher = m_baut;
    m_baut = true;
    const bool sichtbar = updatesEnabled();
    setUpdatesEnabled(false);
    const QSignalBlocker still(this);
    for (int i = 0; i < m_modell.anzahl(); ++i) {
        QTreeWidgetItem* it = m_items[static_cast<size_t>(i)];
        const bool offen = m_modell.knoten(i).expanded;
        if (!it)
            continue; // an analysis not yet shown
        if (offen)
            kinderAnlegen(i);
        if (it->isExpanded() != offen) {
            it->setExpanded(offen);
            bildNachZustand(it, offen);
        }
    }
    setUpdatesEnabled(sichtbar);
    m_baut = vorher;
}

void FlaechenBaumAnsicht::BaumZustandSpeichern() { m_modell.BaumZustandSpeichern(); }

void FlaechenBaumAnsicht::BaumZustandWiederherstellen()
{
    m_modell.BaumZustandWiederherstellen();
    zustandUebernehmen();
}

QTreeWidgetItem* FlaechenBaumAnsicht::pfadAufklappen(const QString& key, bool knotenSelbst, bool wurzelAuch, bool waehlen)
{
    const int i = m_modell.pfadAufklappen(key, knotenSelbst, wurzelAuch);
    if (i < 0)
        return nullptr;
    zustandUebernehmen();
    QTreeWidgetItem* it = item(i);
    if (waehlen) {
        setCurrentItem(it);
        scrollToItem(it);
    }
    return it;
}

} // namespace kav
