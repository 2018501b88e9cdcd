#include "requirement/npkbaumansicht.h"

#include <QKeyEvent>

namespace kav {

NPKBaumAnsicht::NPKBaumAnsicht(QWidget* eltern) : forms::Baumansicht(eltern)
{
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* i, int) { emit gewaehlt(i); });
}

void NPKBaumAnsicht::fuellen(const NPKBaumDaten& daten, const forms::BildListe& bilder)
{
    clear();
    std::vector<QTreeWidgetItem*> items(daten.knoten.size(), nullptr);
    QList<QTreeWidgetItem*> oben;
    // the items are built apart from the view and handed over at once
    for (size_t i = 0; i < daten.knoten.size(); ++i) {
        const NPKKnoten& k = daten.knoten[i];
        QTreeWidgetItem* eltern = k.eltern >= 0 && size_t(k.eltern) < i ? items[size_t(k.eltern)] : nullptr;
        items[i] = knoten(eltern, k.key, k.text, k.tag, k.bild, bilder.bild(k.bild));
        if (!eltern)
            oben << items[i];
    }
    addTopLevelItems(oben);
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
    setCurrentItem(it);
    scrollToItem(it);
    return it;
}

void NPKBaumAnsicht::keyPressEvent(QKeyEvent* e)
{
    QTreeWidgetItem* vorher = currentItem();
    QTreeWidget::keyPressEvent(e);
    QTreeWidgetItem* jetzt = currentItem();
    const bool waehlen = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    if (jetzt && waehlen)
        e->accept(); // the node is chosen: the key goes no further (to the window's default button)
    if (jetzt && (jetzt != vorher || waehlen))
        emit gewaehlt(jetzt);
}

} // namespace kav
