#pragma once
// A tree control whose nodes carry a key, a tag and the key of their picture, as the program's trees
// are built: one column, one node chosen at a time, the column as wide as its names. A name that the
// control cuts shows in full when the mouse rests on it.
#include <QString>
#include <QTreeWidget>

#include <vector>

class QIcon;

namespace kav::forms {

class Baumansicht : public QTreeWidget {
    Q_OBJECT
public:
    explicit Baumansicht(QWidget* eltern = nullptr);

    // A node under `eltern`, or a top-level node not yet in the control (hand it to addTopLevelItem).
    static QTreeWidgetItem* knoten(QTreeWidgetItem* eltern, const QString& key, const QString& text, const QString& tag,
                                   const QString& bild, const QIcon& icon);

    static QString key(const QTreeWidgetItem* item);
    static QString tag(const QTreeWidgetItem* item);
    static QString bild(const QTreeWidgetItem* item); // key of the picture
    static QString elternKey(const QTreeWidgetItem* item);

    // Every node, depth first, collapsed ones included; the first node of a key or nullptr.
    std::vector<QTreeWidgetItem*> alle() const;
    QTreeWidgetItem* itemVon(const QString& key) const;

    // The width in pixels at which no name of any node (opened or not) is cut, frame and vertical
    // scroll bar included.
    int inhaltsBreite() const;
    // True when the name of `item` is not shown in full where it stands now (cut at the edge of the
    // control, scrolled away in part or shortened).
    bool abgeschnitten(const QTreeWidgetItem* item) const;

protected:
    bool viewportEvent(QEvent* e) override;
};

} // namespace kav::forms
