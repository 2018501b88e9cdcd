// One click, one step: the step buttons stand at the same place on the page their click shows, so the
// second click of a double-click (or a second quick click) would land on the next page's button at once
// and pass a step the gardener never saw. Clicks come as the window system gives them, with their own
// times, and the time stands still unless the test moves it.
#include "fertilisers/frmnpk3.h"
#include "frame/frmtoolbar.h"
#include "wizardfixture.h"

#include <QApplication>
#include <QStyleHints>
#include <QWindow>

#include <functional>
#include <optional>

using namespace kav;

namespace {

class EinKlickEinSchritt : public test::WizardTest {
protected:
    // From now on the mouse's time stands still, the page in front shown long before.
    void uhrAnhalten() { maus.emplace(haupt.get()); }
    // The middle of `knopf` in the main window, or a point right of it that is no double-click with it.
    QPoint stelle(const QWidget* knopf, bool daneben = false) const
    {
        const int rechts = daneben ? QGuiApplication::styleHints()->mouseDoubleClickDistance() + 1 : 0;
        return haupt->mapFromGlobal(knopf->mapToGlobal(knopf->rect().center() + QPoint(rechts, 0)));
    }
    // A click at `p` through the window, as the mouse gives it: the widget under the mouse takes the press.
    void klick(QPoint p, Qt::MouseButton taste = Qt::LeftButton) { maus->klick(p, taste); }
    // A double-click on `knopf`, or two clicks 100 ms apart that Qt takes for two (the mouse moved a little).
    void zweimal(const QWidget* knopf, bool doppelklick, Qt::MouseButton taste = Qt::LeftButton)
    {
        const QPoint erste = stelle(knopf), zweite = stelle(knopf, !doppelklick);
        klick(erste, taste);
        if (!doppelklick)
            maus->spaeter(100);
        klick(zweite, taste);
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

    std::optional<test::Maus> maus;
};

// Each step's Next and Back, double-clicked or clicked twice quickly, with the left or the right mouse
// button (a step button steps on either; the plot page's Next, a plain button, on the left one): one
// step, each click long after the page before showed, or with the clock of the window system set back
// by hours since.
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
            maus->spaeter(vorher);
            zweimal(k, doppelklick, &knopf == &schritte[0].first ? Qt::LeftButton : taste);
            ASSERT_EQ(seite(), danach) << (doppelklick ? "Doppelklick, Taste " : "zwei Klicks, Taste ") << taste
                                       << ", Uhr " << vorher << " ms";
        }
    }
}

// Clicks on the step buttons one after the other, as Qt reports them: every press within the
// double-click time after the release of the click that showed the page is held back, however many
// and however slow that click was; every press after that time is a click, whatever Qt calls it (a
// retry after a click not taken, the second of a double-click with it). A click whose release never
// came (the window system gave it elsewhere) ends with the next press: the page shown meanwhile counts
// from its press, and is not held back for ever. A release that ends no click (its press went elsewhere)
// does not move the time on.
TEST_F(EinKlickEinSchritt, JederSchnelleKlickNachDerSeiteNichtGenommen)
{
    app().einstellungen.blnImmerOptimal = true; // no question for the selection method
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1025", {}, {})); // Kohlrabi, Nmin empty
    uhrAnhalten();
    const int zeit = QApplication::doubleClickInterval();
    // Next, a little right of its middle (no double-click with a click in the middle), and Back: the
    // same places on every page
    const QPoint weiter = stelle(npk1()->cmbNext()), daneben = stelle(npk1()->cmbNext(), true),
                 zurueck = stelle(npk1()->cmbBack());
    // a click; a press alone; a release alone; Space on the page's Next (focused)
    enum Art { Klick, Druck, Loslassen, Taste };
    const struct {
        int ms; // from the event before
        QPoint wo;
        int halten; // the button held down (ms)
        const char* danach;
        Art art = Klick;
    } klicks[] = {
        {0, weiter, 0, "frmNPK2"},            // the page before showed long ago
        {100, weiter, 0, "frmNPK2"},          // the second click of the double-click
        {100, weiter, 0, "frmNPK2"},          // and a third
        {zeit - 201, daneben, 0, "frmNPK2"},  // the last within the double-click time after the page showed
        {1, daneben, 0, "frmNPK2b"},          // at it: a click, though Qt calls it a double-click
        {300, weiter, 0, "frmNPK2b"},         // a quick one
        {300, weiter, 0, "frmNPK3"},          // the retry 600 ms after the page showed
        {zeit, zurueck, 1000, "frmNPK2b"},    // a slow click
        {zeit - 1, zurueck, 0, "frmNPK2b"},   // the time counts from its release
        {1, zurueck, 0, "frmNPK2"},           // at the double-click time after it
        {450, zurueck, 0, "frmNPK1"},         // and 450 ms later: two steps
        {zeit, zurueck, 0, "frmNPK1", Druck}, // a press whose release never comes
        {100, weiter, 0, "frmNPK2", Taste},   // the page shown meanwhile
        {zeit - 101, weiter, 0, "frmNPK2"},   // within the double-click time after that press
        {1, weiter, 0, "frmNPK2b"},           // at it
        {zeit, zurueck, 0, "frmNPK2"},
        {300, zurueck, 0, "frmNPK2", Loslassen}, // a release alone
        {zeit - 300, zurueck, 0, "frmNPK1"},     // at the double-click time after the click's own release
    };
    for (const auto& k : klicks) {
        maus->spaeter(k.ms);
        switch (k.art) {
        case Klick:
            maus->klick(k.wo, Qt::LeftButton, k.halten);
            break;
        case Druck:
            maus->druecken(k.wo);
            break;
        case Loslassen: {
            QWidget* w = haupt->childAt(k.wo);
            ASSERT_NE(w, nullptr);
            maus->loslassen(w, w->mapFrom(haupt.get(), k.wo));
            break;
        }
        case Taste: {
            auto* knopf = qobject_cast<QAbstractButton*>(haupt->childAt(k.wo));
            ASSERT_NE(knopf, nullptr);
            knopf->setFocus();
            QTest::keyClick(knopf, Qt::Key_Space);
            break;
        }
        }
        EXPECT_EQ(seite(), k.danach) << &k - klicks;
    }
}

// The second press of a double-click reaches the button as a double-click event alone, which a button
// takes as a press: the rule of a press holds for it, within the double-click time after the click that
// showed the page and after it. The page it shows counts from its release, however late that comes.
TEST_F(EinKlickEinSchritt, DoppelklickereignisWieEinDruck)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1025", {}, {})); // Kohlrabi, Nmin empty
    uhrAnhalten();
    const int zeit = QApplication::doubleClickInterval();
    const QPoint weiter = stelle(npk1()->cmbNext()); // and on the page after
    for (const auto& [ms, danach] :
         {std::pair{0, "frmNPK2"}, std::pair{zeit - 1, "frmNPK2"}, std::pair{zeit, "frmNPK2b"}}) {
        if (seite() == "frmNPK2")
            QTest::mouseClick(npk2()->cmbBack(), Qt::LeftButton);
        maus->spaeter(zeit);
        klick(weiter);
        ASSERT_EQ(seite(), "frmNPK2");
        QToolButton* k = npk2()->cmbNext();
        maus->spaeter(ms);
        maus->doppelklickereignis(k, k->rect().center(), 300);
        EXPECT_EQ(seite(), danach) << ms;
    }
    maus->spaeter(zeit - 1);
    klick(weiter);
    EXPECT_EQ(seite(), "frmNPK2b");
    maus->spaeter(1);
    klick(weiter);
    EXPECT_EQ(seite(), "frmNPK3");
}

// The keyboard is not held back: Space and Enter on a focused step button step at once after the page
// showed, where a mouse click is not taken.
TEST_F(EinKlickEinSchritt, TastaturGehtSofort)
{
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1025", {}, {})); // Kohlrabi, Nmin empty
    uhrAnhalten();
    const QPoint weiter = stelle(npk1()->cmbNext()); // and on the page after
    klick(weiter);
    klick(weiter);
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
        maus->spaeter(QApplication::doubleClickInterval());
        zweimal(tb->cmbMenu(2), doppelklick);
        EXPECT_EQ(seite(), "frmNPK");
        EXPECT_EQ(w().strAktFlaechenNr + w().strAktAnalysenNr, "Fl1001An1000"); // one click, from the analysis page
    }
    maus->spaeter(QApplication::doubleClickInterval());
    klick(stelle(tb->cmbMenu(2))); // slow: taken, from the wizard
    EXPECT_EQ(seite(), "frmNPK");
    EXPECT_TRUE(w().strAktFlaechenNr.isEmpty());
}

} // namespace
