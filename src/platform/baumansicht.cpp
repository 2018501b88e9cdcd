#include "platform/baumansicht.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace kav::forms {

namespace {
constexpr int kKeyRolle = Qt::UserRole;
constexpr int kTagRolle = Qt::UserRole + 1;
constexpr int kBildRolle = Qt::UserRole + 2;
} // namespace

Baumansicht::Baumansicht(QWidget* eltern) : QTreeWidget(eltern)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // the column as wide as the longest name shown: a name wider than the control is scrolled to
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

QTreeWidgetItem* Baumansicht::knoten(QTreeWidgetItem* eltern, const QString& key, const QString& text,
                                     const QString& tag, const QString& bild, const QIcon& icon)
{
    auto* it = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem;
    it->setText(0, text);
    it->setIcon(0, icon);
    it->setData(0, kKeyRolle, key);
    it->setData(0, kTagRolle, tag);
    it->setData(0, kBildRolle, bild);
    return it;
}

QString Baumansicht::key(const QTreeWidgetItem* item) { return item ? item->data(0, kKeyRolle).toString() : QString(); }
QString Baumansicht::tag(const QTreeWidgetItem* item) { return item ? item->data(0, kTagRolle).toString() : QString(); }
QString Baumansicht::bild(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kBildRolle).toString() : QString();
}
QString Baumansicht::elternKey(const QTreeWidgetItem* item) { return item ? key(item->parent()) : QString(); }

std::vector<QTreeWidgetItem*> Baumansicht::alle() const
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

QTreeWidgetItem* Baumansicht::itemVon(const QString& k) const
{
    for (QTreeWidgetItem* it : alle())
        if (key(it) == k)
            return it;
    return nullptr;
}

int Baumansicht::inhaltsBreite() const
{
    const std::vector<QTreeWidgetItem*> items = alle();
    const QFontMetrics fm(font());
    // what a node needs beside its name (picture, spacing, margins), taken from the control's own
    // drawing of the first node
    int zugabe = 0;
    if (!items.empty()) {
        QStyleOptionViewItem opt;
        initViewItemOption(&opt);
        const QModelIndex i = indexFromItem(items.front());
        zugabe = itemDelegateForIndex(i)->sizeHint(opt, i).width() - fm.horizontalAdvance(items.front()->text(0));
    }
    int breite = 0;
    for (const QTreeWidgetItem* it : items) {
        int tiefe = rootIsDecorated() ? 1 : 0;
        for (const QTreeWidgetItem* p = it->parent(); p; p = p->parent())
            ++tiefe;
        breite = std::max(breite, tiefe * indentation() + zugabe + fm.horizontalAdvance(it->text(0)));
    }
    return breite + 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
}

bool Baumansicht::abgeschnitten(const QTreeWidgetItem* item) const
{
    if (!item)
        return false;
    const QModelIndex i = indexFromItem(item);
    const QRect r = visualRect(i);
    if (!r.isValid())
        return false; // below a closed node: not shown at all
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    const int noetig = itemDelegateForIndex(i)->sizeHint(opt, i).width();
    return r.left() < 0 || r.left() + noetig > std::min(r.left() + r.width(), viewport()->width());
}

bool Baumansicht::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* h = static_cast<QHelpEvent*>(e);
        QTreeWidgetItem* it = itemAt(h->pos());
        if (it && abgeschnitten(it)) {
            QToolTip::showText(h->globalPos(), it->text(0), viewport(), visualItemRect(it));
            return true;
        }
        // a node without a tip of its own shows the control's tip, where it has one
        if ((!it || it->toolTip(0).isEmpty()) && toolTip().isEmpty()) {
            QToolTip::hideText();
            e->ignore();
            return true;
        }
    }
    return QTreeWidget::viewportEvent(e);
}

} // namespace kav::forms
