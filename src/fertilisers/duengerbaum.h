#pragma once
// A tree of the fertiliser step: shows nodes with key, tag and picture as the catalogue run gives
// them.
#include "fertilisers/katalogbaum.h"
#include "platform/baumansicht.h"
#include "platform/bildliste.h"

#include <vector>

namespace kav {

class Duengerbaum : public forms::Baumansicht {
    Q_OBJECT
public:
    explicit Duengerbaum(QWidget* eltern = nullptr);

    void setBilder(const forms::BildListe* bilder) { m_bilder = bilder; }
    // Removes all nodes and adds `knoten` (children under their class node).
    void fuellen(const std::vector<Baumknoten>& knoten);

    // The first top-level node, and the number of all nodes.
    QTreeWidgetItem* erster() const { return topLevelItem(0); }
    int anzahl() const { return static_cast<int>(alle().size()); }
    // Lets the view handle an event of its viewport now (past the page's filter).
    void durchreichen(QEvent* e) { viewportEvent(e); }

private:
    QTreeWidgetItem* neu(const Baumknoten& k, QTreeWidgetItem* eltern, std::vector<QTreeWidgetItem*>& offen);
    const forms::BildListe* m_bilder = nullptr;
};

} // namespace kav
