#include "fertilisers/duengerbaum.h"

#include <QIcon>

namespace kav {

Duengerbaum::Duengerbaum(QWidget* eltern) : forms::Baumansicht(eltern)
{
    setExpandsOnDoubleClick(false);
    setTextElideMode(Qt::ElideNone);
}

QTreeWidgetItem* Duengerbaum::neu(const Baumknoten& k, QTreeWidgetItem* eltern, std::vector<QTreeWidgetItem*>& offen)
{
    QTreeWidgetItem* it = knoten(eltern, k.key, k.text, k.tag, k.bild, m_bilder ? m_bilder->bild(k.bild) : QIcon());
    for (const Baumknoten& kind : k.kinder)
        neu(kind, it, offen);
    if (k.aufgeklappt)
        offen.push_back(it);
    return it;
}

void Duengerbaum::fuellen(const std::vector<Baumknoten>& knoten)
{
    clear();
    // a node opens once it is in the control
    std::vector<QTreeWidgetItem*> offen;
    for (const Baumknoten& k : knoten)
        addTopLevelItem(neu(k, nullptr, offen));
    for (QTreeWidgetItem* it : offen)
        it->setExpanded(true);
}

} // namespace kav
