#pragma once
// The started program with a plot in Daten.KRN and a prepared wizard state (10 m², medium soil,
// 3 % organic matter, pH 6.2, one dressing, remaining need N 10, P2O5 4, K2O 8, Mg 0.5), entered
// into the fertiliser step as the organic-matter step's Next does; helpers that click its trees.
#include "fertilisers/frmnpk3.h"
#include "requirement/duengerliste.h"
#include "requirement/restbedarf.h"
#include "seitenfixture.h"

namespace kav::test {

class DuengerSeiteTest : public SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            flaeche("Fl1000", "Gemüsebeet", 0, true, 4, 2.5);
            analyse("An1000", "Fl1000", QDate(2026, 3, 1));
        }));
        zustand();
    }

    void zustand()
    {
        WizardState& s = w();
        BedarfVariablenZuruecksetzen(s, 0);
        s.strAktFlaechenNr = "Fl1000";
        s.strAktAnalysenNr = "An1000";
        s.strAktKulturNr = "Ku1025";
        s.sngFlaecheGroesse = 10;
        s.intBodenart = 1, s.sngOS = 3, s.sngPH = 6.2f, s.sngMg = 5, s.sngKulturPH = 1;
        s.sngNBedarfGD = 10, s.sngPBedarf = 4, s.sngKBedarf = 8, s.sngMgBedarf = 0.5f;
        s.datKulturbeginn = QDateTime(QDate(2026, 4, 19), QTime(0, 0));
        s.blnOptimal = true;
        RestbedarfBerechnen(s);
    }

    // The organic-matter step's Next.
    void oeffnen()
    {
        DuengerauswahlOeffnen();
        npk3 = duengerSeite();
        ASSERT_NE(npk3, nullptr);
    }

    QTreeWidgetItem* knoten(int baum, const QString& key) const { return npk3->trvDuenger(baum)->itemVon(key); }
    QPoint mitte(int baum, const QString& key)
    {
        QTreeWidgetItem* it = knoten(baum, key);
        EXPECT_NE(it, nullptr) << key.toStdString();
        if (!it)
            return {};
        for (QTreeWidgetItem* p = it->parent(); p; p = p->parent())
            p->setExpanded(true);
        npk3->trvDuenger(baum)->scrollToItem(it);
        return npk3->trvDuenger(baum)->visualItemRect(it).center();
    }
    void klick(const QString& key, Qt::MouseButton knopf = Qt::LeftButton)
    {
        const QPoint p = mitte(1, key);
        QTest::mouseClick(npk3->trvDuenger(1)->viewport(), knopf, {}, p);
        QCoreApplication::processEvents();
    }
    void doppelklick(const QString& key)
    {
        const QPoint p = mitte(1, key);
        QWidget* v = npk3->trvDuenger(1)->viewport();
        QTest::mouseClick(v, Qt::LeftButton, {}, p);
        QTest::mouseDClick(v, Qt::LeftButton, {}, p);
        QCoreApplication::processEvents();
    }
    int gewaehlt() const { return npk3->trvDuenger(2)->anzahl(); }
    template <class T>
    T* dialog(const char* name) const
    {
        return ui().fenster.fensterAls<T>(QLatin1String(name));
    }

    frmNPK3* npk3 = nullptr;
};

} // namespace kav::test
