#include "fertilisers/duengerbaum.h"

#include <QHeaderView>

namespace kav {

namespace {
constexpr int kKey = Qt::UserRole;
constexpr int kTag = Qt::UserRole + 1;
constexpr int kBild = Qt::UserRole + 2;
} // namespace

Duengerbaum::Duengerbaum(QWidget* eltern) : QTreeWidget(eltern)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

QTreeWidgetItem* Duengerbaum::neu(const Baumknoten& k, QTreeWidgetItem* eltern)
{
    auto* it = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem(this);
    it->setText(0, k.text);
    it->setToolTip(0, k.text);
    it->setData(0, kKey, k.key);
    it->setData(0, kTag, k.tag);
    it->setData(0, kBild, k.bild);
    if (m_bilder)
        it->setIcon(0, m_bilder->bild(k.bild));
    for (const Baumknoten& kind : k.kinder)
        neu(kind, it);
    it->setExpanded(k.aufgeklappt);
    return it;
}

void Duengerbaum::fuellen(const std::vector<Baumknoten>& knoten)
{
    clear();
    for (const Baumknoten& k : knoten)
        neu(k, nullptr);
}

QString Duengerbaum::key(const QTreeWidgetItem* item) { return item ? item->data(0, kKey).toString() : QString(); }
QString Duengerbaum::tag(const QTreeWidgetItem* item) { return item ? item->data(0, kTag).toString() : QString(); }
QString Duengerbaum::bild(const QTreeWidgetItem* item) { return item ? item->data(0, kBild).toString() : QString(); }

std::vector<QTreeWidgetItem*> Duengerbaum::alle() const
{
    std::vector<QTreeWidgetItem*> v;
    std::vector<QTreeWidgetItem*> offen;
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
        offen.push_back(topLevelItem(i));
    while (!offen.empty()) {
        QTreeWidgetItem* it = offen.back();
        offen.pop_back();
        v.push_back(it);
        for (int i = it->childCount() - 1; i >= 0; --i)
            offen.push_back(it->child(i));
    }
    return v;
}

QTreeWidgetItem* Duengerbaum::itemVon(const QString& k) const
{
    for (QTreeWidgetItem* it : alle())
        if (key(it) == k)
            return it;
    return nullptr;
}

} // namespace kav
