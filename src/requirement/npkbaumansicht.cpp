#include "requirement/npkbaumansicht.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace kav {

namespace {
constexpr int kKeyRolle = Qt::UserRole;
constexpr int kTagRolle = Qt::UserRole + 1;
constexpr int kElternRolle = Qt::UserRole + 2;
} // namespace

NPKBaumAnsicht::NPKBaumAnsicht(QWidget* eltern) : QTreeWidget(eltern)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // long names are scrolled to, not cut
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* i, int) { emit gewaehlt(i); });
}

void NPKBaumAnsicht::fuellen(const NPKBaumDaten& daten, const forms::BildListe& bilder)
{
    clear();
    m_daten = daten;
    m_items.assign(m_daten.knoten.size(), nullptr);
    QList<QTreeWidgetItem*> oben;
    // the items are built apart from the view and handed over at once
    for (size_t i = 0; i < m_daten.knoten.size(); ++i) {
        const NPKKnoten& k = m_daten.knoten[i];
        QTreeWidgetItem* eltern = k.eltern >= 0 && size_t(k.eltern) < i ? m_items[size_t(k.eltern)] : nullptr;
        auto* it = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem;
        it->setText(0, k.text);
        it->setIcon(0, bilder.bild(k.bild));
        it->setData(0, kKeyRolle, k.key);
        it->setData(0, kTagRolle, k.tag);
        it->setData(0, kElternRolle, eltern ? eltern->data(0, kKeyRolle) : QVariant(QString()));
        m_items[i] = it;
        if (!eltern)
            oben << it;
    }
    addTopLevelItems(oben);
}

QTreeWidgetItem* NPKBaumAnsicht::itemVon(const QString& key) const
{
    const int i = m_daten.finde(key);
    return i >= 0 ? m_items[size_t(i)] : nullptr;
}

QString NPKBaumAnsicht::key(const QTreeWidgetItem* item) { return item ? item->data(0, kKeyRolle).toString() : QString(); }
QString NPKBaumAnsicht::tag(const QTreeWidgetItem* item) { return item ? item->data(0, kTagRolle).toString() : QString(); }
QString NPKBaumAnsicht::elternKey(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kElternRolle).toString() : QString();
}

QTreeWidgetItem* NPKBaumAnsicht::pfadAufklappen(const QString& key, bool knotenSelbst)
{
    QTreeWidgetItem* it = itemVon(key);
    if (!it)
        return nullptr;
    if (knotenSelbst)
        it->setExpanded(true);
    for (QTreeWidgetItem* p = it->parent(); p; p = p->parent())
        p->setExpanded(true);
    scrollToItem(it);
    return it;
}

void NPKBaumAnsicht::keyPressEvent(QKeyEvent* e)
{
    QTreeWidgetItem* vorher = currentItem();
    QTreeWidget::keyPressEvent(e);
    QTreeWidgetItem* jetzt = currentItem();
    const bool waehlen = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    if (jetzt && (jetzt != vorher || waehlen))
        emit gewaehlt(jetzt);
}

} // namespace kav
