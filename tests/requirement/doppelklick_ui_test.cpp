// One click, one step: the step buttons stand at the same place on the page their click shows, so the
// second click of a double-click (or a second quick click) would land on the next page's button at once
// and pass a step the gardener never saw. The clock of the clicks stands still unless the test moves it.
#include "fertilisers/frmnpk3.h"
#include "frame/frmtoolbar.h"
#include "wizardfixture.h"

#include <QApplication>
#include <QWindow>

#include <functional>

using namespace kav;

namespace {

class EinKlickEinSchritt : public test::WizardTest {
protected:
    // From now on the clock of the clicks stands still, the page in front shown long before.
    void uhrAnhalten()
    {
        uhr = std::make_shared<FixedClock>(ui().klickUhr->now());
        ui().klickUhr = uhr;
    }
    // The middle of `knopf` in the main window.
    QPoint stelle(const QWidget* knopf) const { return haupt->mapFromGlobal(knopf->mapToGlobal(knopf->rect().center())); }
    // A click at `p` through the window, as the mouse gives it: the widget under the mouse takes the press.
    void klick(QPoint p, Qt::MouseButton taste = Qt::LeftButton) { QTest::mouseClick(haupt->windowHandle(), taste, {}, p); }
    // A double-click on `knopf`, or two clicks 100 ms apart on the clock of the clicks; the mouse stays.
    void zweimal(const QWidget* knopf, bool doppelklick, Qt::MouseButton taste = Qt::LeftButton)
    {
        const QPoint p = stelle(knopf);
        if (doppelklick)
            return QTest::mouseDClick(haupt->windowHandle(), taste, {}, p);
        klick(p, taste);
        uhr->advanceMs(100);
        klick(p, taste);
    }
    // The wizard's page that is loaded (exactly one).
    std::string seite() const
    {
        QStringList geladen;
        for (const char* n : {"frmNPK", "frmNPK1", "frmNPK2", "frmNPK2b", "frmNPK3", "frmNPK4"})
            if (ui().fenster.istGeladen(n))
                geladen << n;
        return geladen.join('+').toStdString();
    }

    std::shared_ptr<FixedClock> uhr;
};

// Each step's Next and Back, double-clicked or clicked twice quickly, with the left or the right mouse
// button (a step button steps on either; the plot page's Next, a plain button, on the left one): one
// step, each click long after the page before showed, or with the clock set back by hours since.
TEST_F(EinKlickEinSchritt, DoppelklickGehtEinenSchritt)
{
    app().einstellungen.blnImmerOptimal = true; // no question for the selection method
    ASSERT_NO_FATAL_FAILURE(navigationsknopf2());
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1001"));
    uhrAnhalten();
    // each step's button (the choices its page needs made), and the page one step on
    const std::pair<std::function<QToolButton*()>, const char*> schritte[] = {
        {[&] { return npk()->cmbWeiter(); }, "frmNPK1"},
        {[&] { kulturWaehlen("Ku1025", {}, {}); return npk1()->cmbNext(); }, "frmNPK2"},
        {[&] { return npk2()->cmbNext(); }, "frmNPK2b"},
        {[&] { QTest::mouseClick(npk2b()->lblJaNein(1), Qt::LeftButton); return npk2b()->cmbNext(); }, "frmNPK3"},
        {[&] { return seiteVon<frmNPK3>("frmNPK3")->cmbZurueck(); }, "frmNPK2b"},
        {[&] { return npk2b()->cmbBack(); }, "frmNPK2"},
        {[&] { return npk2()->cmbBack(); }, "frmNPK1"},
        {[&] { return npk1()->cmbBack(); }, "frmNPK"},
    };
    const int zeit = QApplication::doubleClickInterval(), zurueckgestellt = -3 * 3600 * 1000;
    for (const auto& [doppelklick, taste, vorher] :
         {std::tuple{true, Qt::LeftButton, zeit}, std::tuple{false, Qt::LeftButton, zeit},
          std::tuple{true, Qt::RightButton, zeit}, std::tuple{false, Qt::RightButton, zeit},
          std::tuple{false, Qt::LeftButton, zurueckgestellt}}) {
        for (const auto& [knopf, danach] : schritte) {
            QToolButton* k = knopf();
            ASSERT_TRUE(k && k->isEnabled()) << danach;
            uhr->advanceMs(vorher);
            zweimal(k, doppelklick, &knopf == &schritte[0].first ? Qt::LeftButton : taste);
            ASSERT_EQ(seite(), danach) << (doppelklick ? "Doppelklick, Taste " : "zwei Klicks, Taste ") << taste
                                       << ", Uhr " << vorher << " ms";
        }
    }
}

// Three quick clicks on Next: one step, the green-manure question waiting for the gardener. A click
// just within the double-click time after the page showed is not taken, one at it is, and so is a slow one.
TEST_F(EinKlickEinSchritt, DreiSchnelleKlicksEinSchrittLangsameJederEinen)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1025", {}, {})); // Kohlrabi, Nmin empty
    uhrAnhalten();
    const int zeit = QApplication::doubleClickInterval();
    const std::pair<int, const char*> klicks[] = {{0, "frmNPK2"},         {100, "frmNPK2"}, {100, "frmNPK2"},
                                                  {zeit - 201, "frmNPK2"}, {1, "frmNPK2b"}, {zeit, "frmNPK3"}};
    const QPoint weiter = stelle(npk1()->cmbNext()); // and on the pages after
    for (const auto& [ms, danach] : klicks) {
        uhr->advanceMs(ms);
        klick(weiter);
        EXPECT_EQ(seite(), danach) << ms;
    }
}

// The second press of a double-click reaches the button as a double-click event alone: never a click,
// on a page just shown or long ago.
TEST_F(EinKlickEinSchritt, DoppelklickereignisIstKeinKlick)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1025", {}, {})); // Kohlrabi, Nmin empty
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    uhrAnhalten();
    for (int ms : {0, 10000}) {
        uhr->advanceMs(ms);
        QTest::mouseDClick(npk2()->cmbNext(), Qt::LeftButton); // the event alone, as a widget receives it
        QTest::mouseRelease(npk2()->cmbNext(), Qt::LeftButton);
        ASSERT_EQ(seite(), "frmNPK2") << ms;
    }
}

// The keyboard is not held back: Space and Enter on a focused step button step at once after the page
// showed, where a mouse click is not taken.
TEST_F(EinKlickEinSchritt, TastaturGehtSofort)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1025", {}, {})); // Kohlrabi, Nmin empty
    uhrAnhalten();
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    ASSERT_EQ(seite(), "frmNPK2");
    npk2()->cmbNext()->setFocus();
    QTest::keyClick(npk2()->cmbNext(), Qt::Key_Space);
    ASSERT_EQ(seite(), "frmNPK2b");
    npk2b()->cmbBack()->setFocus();
    QTest::keyClick(npk2b()->cmbBack(), Qt::Key_Return);
    EXPECT_EQ(seite(), "frmNPK2");
}

// The navigation bar likewise: the second click of a double-click on a button, or a second quick click,
// lands on the page the first one opened and is not taken; a slow one is. Button 2 shows it: from the
// analysis page it keeps the plot just entered, from the wizard it resets everything.
TEST_F(EinKlickEinSchritt, NavigationsknopfDoppelklickIstEinKlick)
{
    auto* tb = seiteVon<frmToolbar>("frmToolbar");
    ASSERT_NE(tb, nullptr);
    uhrAnhalten();
    for (const bool doppelklick : {true, false}) {
        SCOPED_TRACE(doppelklick ? "Doppelklick" : "zwei Klicks");
        tb->cmbMenu_Click(1);
        ASSERT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
        w().strAktFlaechenNr = "Fl1001";
        w().strAktAnalysenNr = "An1000";
        uhr->advanceMs(QApplication::doubleClickInterval());
        zweimal(tb->cmbMenu(2), doppelklick);
        EXPECT_EQ(seite(), "frmNPK");
        EXPECT_EQ(w().strAktFlaechenNr + w().strAktAnalysenNr, "Fl1001An1000"); // one click, from the analysis page
    }
    uhr->advanceMs(QApplication::doubleClickInterval());
    klick(stelle(tb->cmbMenu(2))); // slow: taken, from the wizard
    EXPECT_EQ(seite(), "frmNPK");
    EXPECT_TRUE(w().strAktFlaechenNr.isEmpty());
}

} // namespace
