#pragma once
// The started program with two plots that have an analysis, and helpers that drive the wizard's
// steps through their controls.
#include "frame/frmtoolbar.h"
#include "frame/seitenwechsel.h"
#include "requirement/frmnpk.h"
#include "requirement/frmnpk1.h"
#include "requirement/frmnpk2.h"
#include "requirement/frmnpk2b.h"
#include "requirement/npkbaumansicht.h"
#include "seitenfixture.h"

#include <QCalendarWidget>

namespace kav::test {

class WizardTest : public SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            gruppe("Fl1000", "Hausgarten");
            flaeche("Fl1001", "Gemüsebeet Süd", 1000, true, 10, 1.2); // 12 m², compost 1, usage 2
            analyse("An1000", "Fl1001", QDate(2025, 4, 10), 1, 4, 3, 8, 15, 6, 6);
            flaeche("Fl1002", "Rasen vorn", 0, true, 8, 5);
            analyse("An1001", "Fl1002", QDate(2023, 3, 1), 1, 4, 3, 12, 15, -1, 6.5);
            // Blumenkohl (84 days, top dressings after 4 and 8 weeks) with N 24 and removal 6/20/2,5
            sql::exec(app().db->cnKav(),
                      "UPDATE KulturID SET N = 24, P2O5 = 6, K2O = 20, Mg = 2.5 WHERE KulturNr = 'Ku1026'");
        }));
    }

    template <class T>
    static T* seiteVon(const char* name) { return ui().fenster.fensterAls<T>(QString::fromLatin1(name)); }
    frmNPK* npk() const { return seiteVon<frmNPK>("frmNPK"); }
    frmNPK1* npk1() const { return seiteVon<frmNPK1>("frmNPK1"); }
    frmNPK2* npk2() const { return seiteVon<frmNPK2>("frmNPK2"); }
    frmNPK2b* npk2b() const { return seiteVon<frmNPK2b>("frmNPK2b"); }

    void navigationsknopf2()
    {
        auto* tb = seiteVon<frmToolbar>("frmToolbar");
        ASSERT_NE(tb, nullptr);
        QTest::mouseClick(tb->cmbMenu(2), Qt::LeftButton);
        ASSERT_NE(npk(), nullptr);
    }
    void baumKlick(NPKBaumAnsicht* t, const QString& key)
    {
        QTreeWidgetItem* it = t->itemVon(key);
        ASSERT_NE(it, nullptr) << key.toStdString();
        for (QTreeWidgetItem* p = it->parent(); p; p = p->parent())
            p->setExpanded(true);
        t->scrollToItem(it);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(it).center());
    }
    // Moves the current node by the arrow keys until it is `key`.
    void perTaste(NPKBaumAnsicht* t, const QString& key)
    {
        t->setFocus();
        QTreeWidgetItem* ziel = t->itemVon(key);
        ASSERT_NE(ziel, nullptr);
        for (QTreeWidgetItem* p = ziel->parent(); p; p = p->parent())
            p->setExpanded(true);
        if (!t->currentItem())
            QTest::keyClick(t, Qt::Key_Home);
        for (int i = 0; i < 300 && t->currentItem() != ziel; ++i)
            QTest::keyClick(t, t->visualItemRect(t->currentItem()).y() < t->visualItemRect(ziel).y() ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(t->currentItem(), ziel);
    }
    void bisZumKulturschritt()
    {
        ASSERT_NO_FATAL_FAILURE(navigationsknopf2());
        ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1001"));
        QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);
        ASSERT_NE(npk1(), nullptr);
    }
    // Chooses the crop, the day in the calendar (when given) and types the Nmin value (when given).
    void kulturWaehlen(const QString& key, const QDate& tag, const QString& nmin)
    {
        ASSERT_NE(npk1(), nullptr);
        ASSERT_NO_FATAL_FAILURE(baumKlick(npk1()->trvNPK(), key));
        if (tag.isValid())
            npk1()->calStart()->setSelectedDate(tag);
        if (!nmin.isEmpty())
            tippen(npk1()->txtNmin(), nmin);
        ASSERT_TRUE(npk1()->cmbNext()->isEnabled());
    }
    void reste(const std::vector<float>& soll) const
    {
        const WizardState& s = app().bedarf;
        const float ist[3] = {s.sngNSaldoGD, s.sngNSaldoKD1, s.sngNSaldoKD2};
        for (size_t i = 0; i < 3 && i < soll.size(); ++i)
            EXPECT_NEAR(ist[i], soll[i], 1e-4) << i;
    }
};

} // namespace kav::test
