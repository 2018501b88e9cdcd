#pragma once
// The started program on the analysis page, with plots put into its Daten.KRN, and helpers that
// drive the page through its controls: clicks and keys on the tree, pop-up menus, message boxes.
#include "frame/seitenwechsel.h"
#include "frame/frmintro.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/frmanalysenwerte.h"
#include "plotzeilen.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"
#include "services/sql.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <functional>

namespace kav::test {

// What a message box showed before it was answered.
struct Frage {
    bool gesehen = false;
    QString titel, text;
    QMessageBox::StandardButton standard = QMessageBox::NoButton;
    QMessageBox::StandardButtons knoepfe;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    QStringList beschriftungen; // of the buttons, in the order Yes, No, Cancel
    Qt::TextFormat format = Qt::AutoText;
};

class SeitenTest : public RahmenTest, public PlotZeilen {
protected:
    // Starts the program at 1024 x 768 with the rows `fuellen` puts into Daten.KRN.
    void seiteStarten(const std::function<void()>& fuellen = {})
    {
        starten();
        // room for every window size the tests lay out, whatever the screen of the test platform
        app().rahmen.sngArbeitsbereichHoehe = 4000 * 15;
        app().rahmen.sngArbeitsbereichBreite = 4000 * 15;
        if (fuellen)
            fuellen();
        ProgrammStarten();
        haupt->show();
        groesse(1024, 768);
        ArbeitsbereichAnordnen();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get()));
        seite = analysenSeite();
        ASSERT_NE(seite, nullptr);
        trv = seite->trvFlaechen();
    }

    QSqlDatabase db() const override { return app().db->cnDaten(); }
    WizardState& w() { return app().bedarf; }

    // The tree
    QTreeWidgetItem* knoten(const QString& key) const { return trv->itemVon(key); }
    // Makes the node visible (its ancestors open) so that it can be clicked.
    QRect sichtbar(QTreeWidgetItem* it)
    {
        for (QTreeWidgetItem* p = it->parent(); p; p = p->parent())
            p->setExpanded(true);
        trv->scrollToItem(it);
        return trv->visualItemRect(it);
    }
    void klicken(const QString& key)
    {
        QTreeWidgetItem* it = knoten(key);
        ASSERT_NE(it, nullptr) << key.toStdString();
        QTest::mouseClick(trv->viewport(), Qt::LeftButton, {}, sichtbar(it).center());
    }
    void rechtsKlicken(const QString& key)
    {
        QTreeWidgetItem* it = knoten(key);
        ASSERT_NE(it, nullptr) << key.toStdString();
        QTest::mouseClick(trv->viewport(), Qt::RightButton, {}, sichtbar(it).center());
    }
    // Moves the tree's selection by keys until the node `key` is current.
    void perTasteZu(const QString& key)
    {
        trv->setFocus();
        QTreeWidgetItem* ziel = knoten(key);
        ASSERT_NE(ziel, nullptr);
        for (QTreeWidgetItem* p = ziel->parent(); p; p = p->parent())
            p->setExpanded(true);
        for (int i = 0; i < 200 && trv->currentItem() != ziel; ++i) {
            const int jetzt = trv->currentItem() ? trv->visualItemRect(trv->currentItem()).y() : -1;
            QTest::keyClick(trv, jetzt < trv->visualItemRect(ziel).y() ? Qt::Key_Down : Qt::Key_Up);
        }
        ASSERT_EQ(trv->currentItem(), ziel);
    }
    // The menu item `name` of the pop-up menu that is open.
    void menuePunktKlicken(int menue, const QString& name)
    {
        QMenu* m = haupt->mnuPopUp(menue);
        ASSERT_NE(m, nullptr);
        ASSERT_TRUE(m->isVisible()) << "mnuPopUp" << menue << " ist nicht offen";
        QAction* a = haupt->menuePunkt(name);
        ASSERT_NE(a, nullptr);
        QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(a).center());
        QCoreApplication::processEvents();
    }
    bool menueOffen(int menue) const { return haupt->mnuPopUp(menue)->isVisible(); }
    void menueSchliessen()
    {
        for (int i = 1; i <= 7; ++i)
            haupt->mnuPopUp(i)->hide();
    }

    // Answers the next modal message box with `knopf` and records what it showed.
    void antworten(QMessageBox::StandardButton knopf, Frage* f = nullptr)
    {
        QTimer::singleShot(0, [knopf, f] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (f) {
                f->gesehen = true;
                f->titel = box->windowTitle();
                f->text = box->text();
                f->format = box->textFormat();
                f->knoepfe = box->standardButtons();
                f->symbol = box->icon();
                for (auto k : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                    if (QAbstractButton* b = box->button(k))
                        f->beschriftungen << b->text();
                f->standard = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
            }
            if (QAbstractButton* b = box->button(knopf))
                b->click();
            else
                box->reject();
        });
    }

    // A click as the window system delivers it: to the window first, then to the widget under the
    // mouse, which takes the focus with the press (QTest's click on a widget moves the focus first).
    static void fensterKlick(QWidget* w, QPoint p = {})
    {
        QWidget* fenster = w->window();
        QTest::mouseClick(fenster->windowHandle(), Qt::LeftButton, {}, w->mapTo(fenster, p.isNull() ? w->rect().center() : p));
    }

    // Types into a line edit key by key (through its input filter), then leaves it.
    static void tippen(QLineEdit* t, const QString& text)
    {
        t->setFocus();
        t->selectAll();
        QTest::keyClick(t, Qt::Key_Backspace);
        QTest::keyClicks(t, text);
    }

    // Types the five values (organic matter, P2O5, K2O, Mg, pH) into the page, in this order.
    void werteTippen(const QStringList& werte)
    {
        for (int i = 0; i < 5 && i < werte.size(); ++i)
            tippen(seite->txtWert(i + 2), werte[i]);
    }

    frmAnalysenWerte* seite = nullptr;
    FlaechenBaumAnsicht* trv = nullptr;
};

} // namespace kav::test
