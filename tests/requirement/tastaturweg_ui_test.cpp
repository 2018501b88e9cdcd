// The whole road from the intro to the recommendation page by the keyboard alone, with green manure
// and compost chosen: the same plan as the road by the mouse on the same data.
#include "fertilisers/frmnpk3.h"
#include "fertilisers/frmverfahren.h"
#include "plan/frmnpk4.h"
#include "tastatur.h"

#include <QScrollBar>
#include <QTableWidget>

using namespace kav;
using namespace kav::test;

namespace {

using TastaturWegTest = WizardTest;

// The plan as the recommendation page shows it.
QString plan()
{
    auto* p = ui().fenster.fensterAls<frmNPK4>("frmNPK4");
    QString zeilen;
    for (int r = 0; p && r < p->raster().Rows(); ++r)
        zeilen += p->raster().TextMatrix(r, 0) + "|" + p->raster().TextMatrix(r, 1) + "|" + p->raster().TextMatrix(r, 2) + "\n";
    return zeilen;
}

TEST_F(TastaturWegTest, VomIntroBisZurEmpfehlungWieMitDerMaus)
{
    // the road by the mouse
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30"));
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(npk2()->lblGruenduengung(2), Qt::LeftButton);
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(npk2b()->imgJaNein(1), Qt::LeftButton);
    QTest::mouseClick(npk2b()->imgOS(1), Qt::LeftButton);
    QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(ui().fenster.fensterAls<frmVerfahren>("frmVerfahren")->cmdEinmalOptimal(), Qt::LeftButton);
    Duengerbaum* katalog = duengerSeite()->trvDuenger(1);
    const auto waehlen = [katalog](QTreeWidgetItem* it) {
        katalog->scrollToItem(it);
        QTest::mouseClick(katalog->viewport(), Qt::LeftButton, {}, katalog->visualItemRect(it).center());
        ui().fenster.entladen("frmDuengerInfo"); // a notice on a horn fertiliser
    };
    QStringList gewaehlt; // the first recommended fertiliser each time, then Dolomitkalk
    for (int i = 0; i < 6 && duengerSeite()->katalogstand() == Katalogstand::Klassen; ++i) {
        gewaehlt << Duengerbaum::key(katalog->itemVon("Gruen")->child(0));
        waehlen(katalog->itemVon(gewaehlt.last()));
    }
    waehlen(katalog->itemVon("Ka1002"));
    QTest::mouseClick(duengerSeite()->cmbWeiter(), Qt::LeftButton);
    const QString mitDerMaus = plan();
    const float salden[4] = {w().sngNSaldo, w().sngPSaldo, w().sngKSaldo, w().sngMgSaldo};
    ASSERT_TRUE(mitDerMaus.contains("Kompost")) << mitDerMaus.toStdString();

    // the same by the keyboard, from the intro on
    FormulareEntladen();
    fenster().zeigen("frmIntro");
    ASSERT_NO_FATAL_FAILURE(aktivieren(haupt.get()));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return)); // the intro ends as a double-click ends it
    ASSERT_NO_FATAL_FAILURE(tabBis(seiteVon<frmToolbar>("frmToolbar")->cmbMenu(2)));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));
    ASSERT_EQ(fokus(), npk()->trvNPK()); // a page opens with the focus on its first control
    ASSERT_NO_FATAL_FAILURE(pfeilBis(npk()->trvNPK(), npk()->trvNPK()->itemVon("Fl1001")));
    ASSERT_NO_FATAL_FAILURE(tabBis(npk()->cmbWeiter()));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));

    ASSERT_NO_FATAL_FAILURE(pfeilBis(npk1()->trvNPK(), npk1()->trvNPK()->itemVon("Ku1026")));
    ASSERT_NO_FATAL_FAILURE(tabBis(npk1()->calStart()));
    for (int k : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Home})
        ASSERT_NO_FATAL_FAILURE(taste(k)); // four months on, to the first day
    for (int i = 1; i < 19; ++i)
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Right));
    ASSERT_EQ(npk1()->calStart()->selectedDate(), QDate(2027, 4, 19));
    ASSERT_NO_FATAL_FAILURE(tabBis(npk1()->txtNmin()));
    ASSERT_NO_FATAL_FAILURE(tippenPerTaste("30"));
    ASSERT_NO_FATAL_FAILURE(tabBis(npk1()->cmbNext()));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));

    // green manure: the answers are one tab stop, the page's first control; the arrow keys choose
    ASSERT_EQ(fokus(), npk2()->imbGruenduengung(0));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Down));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Down));
    EXPECT_EQ(w().sngZuschlagGD, 2.0f);
    ASSERT_NO_FATAL_FAILURE(tabBis(npk2()->cmbNext()));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Space));

    // compost: "Nein", then Space on the compost of the list the answer shows
    ASSERT_EQ(fokus(), npk2b()->imgJaNein(0));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Down));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
    ASSERT_EQ(fokus(), npk2b()->imgOS(1));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Space));
    EXPECT_EQ(w().strAktOrgSubNr, "OS1001");
    ASSERT_NO_FATAL_FAILURE(tabBis(npk2b()->cmbNext()));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));

    // the method: the focus on "Immer ...", the choice before it by Enter
    auto* verfahren = ui().fenster.fensterAls<frmVerfahren>("frmVerfahren");
    ASSERT_NO_FATAL_FAILURE(aktivieren(verfahren));
    ASSERT_EQ(fokus(), verfahren->cmdImmerOptimal());
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab, Qt::ShiftModifier));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));
    ASSERT_NO_FATAL_FAILURE(aktivieren(haupt.get()));

    // Enter and Space on the add-new nodes open their editors, as a double click does
    katalog = duengerSeite()->trvDuenger(1);
    const auto editor = [&](int k, const char* name) {
        ASSERT_NO_FATAL_FAILURE(tabBis(katalog));
        ASSERT_NO_FATAL_FAILURE(pfeilBis(katalog, katalog->itemVon("Grau")));
        ASSERT_NO_FATAL_FAILURE(taste(k));
        ASSERT_TRUE(fenster().istGeladen(QLatin1String(name)));
        ASSERT_NO_FATAL_FAILURE(aktivieren(fenster().fenster(QLatin1String(name))->widget()));
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Escape));
        ASSERT_NO_FATAL_FAILURE(aktivieren(haupt.get()));
    };
    ASSERT_NO_FATAL_FAILURE(editor(Qt::Key_Return, "frmDuengerEingabe"));
    for (const QString& nr : gewaehlt) {
        ASSERT_NO_FATAL_FAILURE(tabBis(katalog));
        ASSERT_NO_FATAL_FAILURE(pfeilBis(katalog, katalog->itemVon(nr)));
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));
        if (QWidget* hinweis = fenster().istGeladen("frmDuengerInfo") ? fenster().fenster("frmDuengerInfo")->widget() : nullptr) {
            ASSERT_EQ(fokus()->window(), hinweis); // the notice on a horn fertiliser has the keyboard
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));
            ASSERT_NO_FATAL_FAILURE(aktivieren(haupt.get()));
        }
    }
    ASSERT_NO_FATAL_FAILURE(editor(Qt::Key_Space, "frmKalkEingabe"));
    ASSERT_NO_FATAL_FAILURE(pfeilBis(katalog, katalog->itemVon("Ka1002")));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Space));
    ASSERT_NO_FATAL_FAILURE(tabBis(duengerSeite()->cmbWeiter()));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Return));

    EXPECT_EQ(plan().toStdString(), mitDerMaus.toStdString());
    const float jetzt[4] = {w().sngNSaldo, w().sngPSaldo, w().sngKSaldo, w().sngMgSaldo};
    EXPECT_TRUE(std::equal(std::begin(jetzt), std::end(jetzt), std::begin(salden)));

    // the plan takes the focus first and scrolls by the keys: in the smallest window, where its rows
    // reach below the view (the view works out its scroll range a moment after the layout)
    QTableWidget* raster = ui().fenster.fensterAls<frmNPK4>("frmNPK4")->flgReport();
    ASSERT_EQ(fokus(), raster);
    groesse(pruefgroessen().first().width(), pruefgroessen().first().height());
    ArbeitsbereichAnordnen();
    int zeilen = 0;
    for (int z = 0; z < raster->rowCount(); ++z)
        zeilen += raster->rowHeight(z);
    ASSERT_GT(zeilen, raster->viewport()->height()) << "der Plan passt ganz in sein Feld: nichts zu rollen";
    const QScrollBar* rollen = raster->verticalScrollBar();
    ASSERT_TRUE(QTest::qWaitFor([rollen] { return rollen->maximum() > 0; }, 10000));
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_End));
    EXPECT_EQ(rollen->value(), rollen->maximum());
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Up));
    EXPECT_LT(rollen->value(), rollen->maximum());
    ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Home));
    EXPECT_EQ(rollen->value(), 0);
}

} // namespace
