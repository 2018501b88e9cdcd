#pragma once
// The tree control of the first two wizard steps: shows the nodes of a wizard tree and reports the
// node the user chooses, by mouse or by keyboard alike.
#include "platform/baumansicht.h"
#include "platform/bildliste.h"
#include "requirement/npkbaum.h"

namespace kav {

class NPKBaumAnsicht : public forms::Baumansicht {
    Q_OBJECT
public:
    explicit NPKBaumAnsicht(QWidget* eltern = nullptr);

    // Rebuilds the items from `daten` with the pictures of `bilder`; every node collapsed.
    void fuellen(const NPKBaumDaten& daten, const forms::BildListe& bilder);

    // Expands the ancestors of the node `key` (the node itself with `knotenSelbst`) and makes it the current
    // node, scrolled into view (nothing is reported); its item or nullptr.
    QTreeWidgetItem* pfadAufklappen(const QString& key, bool knotenSelbst);

signals:
    // A click on a node, Enter or Space on the current node, or the keyboard moving to another node.
    void gewaehlt(QTreeWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

} // namespace kav
