#pragma once
// Driving the program by the keyboard alone: every key goes to the control that has the focus, as a
// keyboard does; no control is clicked and no focus is set by hand.
#include "wizardfixture.h"

#include <QApplication>
#include <QTreeWidget>

namespace kav::test {

inline QWidget* fokus() { return QApplication::focusWidget(); }

// Presses `taste` on the control that has the focus; fails when none has.
inline void taste(int taste, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    QWidget* f = fokus();
    ASSERT_NE(f, nullptr) << "kein Steuerelement hat den Fokus";
    QTest::keyClick(f, static_cast<Qt::Key>(taste), mod);
    QCoreApplication::processEvents();
}

inline void tippenPerTaste(const QString& text)
{
    ASSERT_NE(fokus(), nullptr);
    QTest::keyClicks(fokus(), text);
}

// `w` becomes the active window, as the window manager makes it when the window above it closes (the
// headless platform has no window manager).
inline void aktivieren(QWidget* w)
{
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 10000));
}

// Tab until `ziel` (or a part of it) has the focus.
inline void tabBis(const QWidget* ziel)
{
    for (int i = 0; i < 80 && !(fokus() == ziel || (fokus() && ziel->isAncestorOf(fokus()))); ++i)
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
    ASSERT_TRUE(fokus() == ziel || ziel->isAncestorOf(fokus())) << ziel->objectName().toStdString();
}

// In the tree that has the focus, the arrow keys down to the node `ziel` (opening the nodes on its way).
inline void pfeilBis(QTreeWidget* t, const QTreeWidgetItem* ziel)
{
    ASSERT_EQ(fokus(), t);
    for (int i = 0; i < 400 && t->currentItem() != ziel; ++i) {
        const QTreeWidgetItem* jetzt = t->currentItem();
        bool vorfahr = false;
        for (const QTreeWidgetItem* p = ziel->parent(); p; p = p->parent())
            vorfahr = vorfahr || p == jetzt;
        if (vorfahr && !jetzt->isExpanded())
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Right));
        else if (!jetzt || t->visualItemRect(jetzt).y() < t->visualItemRect(ziel).y() || t->visualItemRect(ziel).isEmpty())
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Down));
        else
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Up));
    }
    ASSERT_EQ(t->currentItem(), ziel) << ziel->text(0).toStdString();
}

} // namespace kav::test
