#pragma once
// The tree control of the analysis page: shows the plot tree model and keeps it in step with what
// the user expands and collapses.
#include "platform/bildliste.h"
#include "plots/flaechenbaum.h"

#include <QTreeWidget>

#include <vector>

namespace kav {

class FlaechenBaumAnsicht : public QTreeWidget {
    Q_OBJECT
public:
    explicit FlaechenBaumAnsicht(QWidget* eltern = nullptr);

    void setBilder(const forms::BildListe* bilder) { m_bilder = bilder; }

    // Rebuilds model and items from Daten.KRN (false: unreadable, see modell().fehler()).
    bool fuellen(const QSqlDatabase& cnDaten, bool blnNurAktuelle, const Gebietsschema& gebiet);
    // Remember / give back the expanded nodes by key (around a rebuild).
    void BaumZustandSpeichern();
    void BaumZustandWiederherstellen();
    // Expands the node of `key` (with `knotenSelbst`) and its ancestors (the root with
    // `wurzelAuch`); with `waehlen` the node also becomes the selected one. Returns its item.
    QTreeWidgetItem* pfadAufklappen(const QString& key, bool knotenSelbst, bool wurzelAuch, bool waehlen);

    const FlaechenBaum& modell() const { return m_modell; }
    // The model's index of an item (-1 for none) and the item of an index or key.
    int index(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* item(int index) const;
    QTreeWidgetItem* itemVon(const QString& key) const;
    QString key(const QTreeWidgetItem* item) const;
    // Key of the picture an item shows.
    QString bildSchluessel(const QTreeWidgetItem* item) const;

private:
    static constexpr int kBildRolle = Qt::UserRole + 1;
    void aufgeklappt(QTreeWidgetItem* item, bool offen);
    void bildNachZustand(QTreeWidgetItem* item, bool offen);
    void zustandUebernehmen();
    // The item of node `index`, not yet in the control.
    QTreeWidgetItem* neuesItem(int index);
    // Creates the items of the children of `eltern` that have none yet.
    void kinderAnlegen(int eltern);
    QIcon bild(const QString& schluessel) const;

    FlaechenBaum m_modell;
    std::vector<QTreeWidgetItem*> m_items; // nullptr: a node below a node not yet opened
    const forms::BildListe* m_bilder = nullptr;
    bool m_baut = false;
};

} // namespace kav
