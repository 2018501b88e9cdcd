// One click, one step: the step buttons stand at the same place on the page their click shows, so the
// second click of a double-click (or a second quick click) would land on the next page's button at
// once and pass a step the gardener never saw. A double-click or two quick clicks on each step's Next
// and Back move one step; a slow second click moves on; the keyboard is not held back. The clock of the
// clicks stands still unless the test moves it (no waiting).
#include "fertilisers/frmnpk3.h"
#include "frame/frmtoolbar.h"
#include "frame/klicksperre.h"
#include "wizardfixture.h"

#include <QApplication>
#include <QWindow>

#include <tuple>

using namespace kav;

namespace {

// How the gardener's second click comes.
enum class Art {
    Doppelklick, // a double-click: press, release, press (with the double-click event), release
    ZweiKlicks,  // two clicks 100 ms apart, with no double-click event
};

class EinKlickEinSchritt : public test::WizardTest {
protected:
    // From now on the clock of the clicks stands still until the test moves it: the page in front was
    // shown long before.
    void uhrAnhalten()
    {
        uhr = std::make_shared<FixedClock>(ui().klickUhr->now());
        ui().klickUhr = uhr;
    }
    // The middle of `knopf` in the main window: the mouse stays there for both clicks.
    QPoint stelle(const QWidget* knopf) const { return haupt->mapFromGlobal(knopf->mapToGlobal(knopf->rect().center())); }
    // Two clicks at the place of `knopf`, through the window as the mouse gives them (the widget under
    // the mouse at each press takes it), `ms` apart on the clock of the clicks.
    void zweiKlicks(const QWidget* knopf, int ms, Qt::MouseButton taste = Qt::LeftButton)
    {
        const QPoint p = stelle(knopf);
        QTest::mouseClick(haupt->windowHandle(), taste, {}, p);
        uhr->advanceMs(ms);
        QTest::mouseClick(haupt->windowHandle(), taste, {}, p);
    }
    void doppelklick(const QWidget* knopf, Qt::MouseButton taste = Qt::LeftButton)
    {
        QTest::mouseDClick(haupt->windowHandle(), taste, {}, stelle(knopf));
    }
    void klicken(const QWidget* knopf, Art art)
    {
        if (art == Art::Doppelklick)
            doppelklick(knopf);
        else
            zweiKlicks(knopf, 100);
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

public:
    // The gardener's road to each step, click by click (each click long after the page showed).
    void zurFlaeche()
    {
        ASSERT_NO_FATAL_FAILURE(navigationsknopf2());
        ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1001"));
        ASSERT_TRUE(npk()->cmbWeiter()->isEnabled());
    }
    void zurKultur() // Kohlrabi, Nmin empty
    {
        ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
        ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1025", {}, {}));
    }
    void zurGruenduengung()
    {
        ASSERT_NO_FATAL_FAILURE(zurKultur());
        QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
        ASSERT_NE(npk2(), nullptr);
    }
    void zumKompost()
    {
        ASSERT_NO_FATAL_FAILURE(zurGruenduengung());
        QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
        ASSERT_NE(npk2b(), nullptr);
        QTest::mouseClick(npk2b()->lblJaNein(1), Qt::LeftButton); // no compost
        ASSERT_TRUE(npk2b()->cmbNext()->isEnabled());
    }
    void zumDuenger()
    {
        app().einstellungen.blnImmerOptimal = true; // no question for the selection method
        ASSERT_NO_FATAL_FAILURE(zumKompost());
        QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);
        ASSERT_NE(duengerSeite(), nullptr);
    }

protected:
    std::shared_ptr<FixedClock> uhr;
};

// A step: the road to its page, its button, and the page one step on.
struct Schritt {
    const char* name;
    void (EinKlickEinSchritt::*hin)();
    QToolButton* (*knopf)();
    const char* danach;
};

void PrintTo(const Schritt& s, std::ostream* os) { *os << s.name; }

template <class T>
T* geladen(const char* name) { return ui().fenster.fensterAls<T>(QLatin1String(name)); }

const Schritt kSchritte[] = {
    {"FlaecheWeiter", &EinKlickEinSchritt::zurFlaeche, [] { return geladen<frmNPK>("frmNPK")->cmbWeiter(); }, "frmNPK1"},
    {"KulturWeiter", &EinKlickEinSchritt::zurKultur, [] { return geladen<frmNPK1>("frmNPK1")->cmbNext(); }, "frmNPK2"},
    {"GruenduengungWeiter", &EinKlickEinSchritt::zurGruenduengung, [] { return geladen<frmNPK2>("frmNPK2")->cmbNext(); },
     "frmNPK2b"},
    {"KompostWeiter", &EinKlickEinSchritt::zumKompost, [] { return geladen<frmNPK2b>("frmNPK2b")->cmbNext(); }, "frmNPK3"},
    {"KulturZurueck", &EinKlickEinSchritt::zurKultur, [] { return geladen<frmNPK1>("frmNPK1")->cmbBack(); }, "frmNPK"},
    {"GruenduengungZurueck", &EinKlickEinSchritt::zurGruenduengung, [] { return geladen<frmNPK2>("frmNPK2")->cmbBack(); },
     "frmNPK1"},
    {"KompostZurueck", &EinKlickEinSchritt::zumKompost, [] { return geladen<frmNPK2b>("frmNPK2b")->cmbBack(); }, "frmNPK2"},
    {"DuengerZurueck", &EinKlickEinSchritt::zumDuenger, [] { return geladen<frmNPK3>("frmNPK3")->cmbZurueck(); },
     "frmNPK2b"},
};

class JeSchritt : public EinKlickEinSchritt, public ::testing::WithParamInterface<std::tuple<Schritt, Art>> {};

TEST_P(JeSchritt, DoppelklickGehtEinenSchritt)
{
    const auto& [s, art] = GetParam();
    ASSERT_NO_FATAL_FAILURE((this->*s.hin)());
    QToolButton* knopf = s.knopf();
    ASSERT_TRUE(knopf && knopf->isVisible() && knopf->isEnabled());
    uhrAnhalten();
    klicken(knopf, art);
    EXPECT_EQ(seite(), s.danach);
}

INSTANTIATE_TEST_SUITE_P(, JeSchritt, ::testing::Combine(::testing::ValuesIn(kSchritte),
                                                         ::testing::Values(Art::Doppelklick, Art::ZweiKlicks)),
                         [](const ::testing::TestParamInfo<JeSchritt::ParamType>& i) {
                             return std::string(std::get<0>(i.param).name)
                                    + (std::get<1>(i.param) == Art::Doppelklick ? "_Doppelklick" : "_ZweiKlicks");
                         });

// The tester's road: crop chosen, Nmin empty, three quick clicks on Next end on the green-manure step;
// a second click within the double-click time is not taken, one at it is a step, and so is each slow
// one.
TEST_F(EinKlickEinSchritt, DreiSchnelleKlicksEinSchrittLangsameJederEinen)
{
    ASSERT_NO_FATAL_FAILURE(zurKultur());
    uhrAnhalten();
    const QPoint p = stelle(npk1()->cmbNext());
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(haupt->windowHandle(), Qt::LeftButton, {}, p);
        uhr->advanceMs(100);
    }
    ASSERT_EQ(seite(), "frmNPK2"); // the green-manure question waits for the gardener

    // just under the double-click time: still not taken; at it: taken
    uhr->advanceMs(QApplication::doubleClickInterval() - 300 - 1);
    ASSERT_TRUE(npk2()->cmbNext()->rect().contains(npk2()->cmbNext()->mapFrom(haupt.get(), p)))
        << "Next stands at the same place on the next page";
    QTest::mouseClick(haupt->windowHandle(), Qt::LeftButton, {}, p);
    EXPECT_EQ(seite(), "frmNPK2");
    uhr->advanceMs(1);
    QTest::mouseClick(haupt->windowHandle(), Qt::LeftButton, {}, p);
    EXPECT_EQ(seite(), "frmNPK2b");
    uhr->advanceMs(QApplication::doubleClickInterval());
    QTest::mouseClick(haupt->windowHandle(), Qt::LeftButton, {}, p);
    EXPECT_EQ(seite(), "frmNPK3");
}

// Every mouse button steps on a step button: a double-click with the right one is one step too.
TEST_F(EinKlickEinSchritt, RechteTasteEbenso)
{
    ASSERT_NO_FATAL_FAILURE(zurGruenduengung());
    uhrAnhalten();
    doppelklick(npk2()->cmbNext(), Qt::RightButton);
    ASSERT_EQ(seite(), "frmNPK2b");
    uhr->advanceMs(QApplication::doubleClickInterval());
    zweiKlicks(npk2b()->cmbBack(), 100, Qt::RightButton);
    EXPECT_EQ(seite(), "frmNPK2");
}

// The second press of a double-click reaches the button as a double-click event alone: never a click,
// on a page just shown or long ago.
TEST_F(EinKlickEinSchritt, DoppelklickereignisIstKeinKlick)
{
    ASSERT_NO_FATAL_FAILURE(zurGruenduengung());
    uhrAnhalten();
    for (int ms : {0, 10000}) {
        uhr->advanceMs(ms);
        QTest::mouseDClick(npk2()->cmbNext(), Qt::LeftButton); // the event alone, as a widget receives it
        QTest::mouseRelease(npk2()->cmbNext(), Qt::LeftButton);
        ASSERT_EQ(seite(), "frmNPK2") << ms;
    }
}

// The keyboard is not held back: Space and Enter on a focused step button step at once after the page
// showed, where a mouse click would not be taken.
TEST_F(EinKlickEinSchritt, TastaturGehtSofort)
{
    ASSERT_NO_FATAL_FAILURE(zurKultur());
    uhrAnhalten();
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_EQ(seite(), "frmNPK2");
    EXPECT_TRUE(Klicksperre::gesperrt());
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    ASSERT_EQ(seite(), "frmNPK2");
    npk2()->cmbNext()->setFocus();
    QTest::keyClick(npk2()->cmbNext(), Qt::Key_Space);
    ASSERT_EQ(seite(), "frmNPK2b");
    EXPECT_TRUE(Klicksperre::gesperrt());
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
    const QPoint p = stelle(tb->cmbMenu(2));
    for (const Art art : {Art::Doppelklick, Art::ZweiKlicks}) {
        SCOPED_TRACE(art == Art::Doppelklick ? "Doppelklick" : "zwei Klicks");
        tb->cmbMenu_Click(1);
        ASSERT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
        w().strAktFlaechenNr = "Fl1001";
        w().strAktAnalysenNr = "An1000";
        uhr->advanceMs(QApplication::doubleClickInterval());
        klicken(tb->cmbMenu(2), art);
        EXPECT_EQ(seite(), "frmNPK");
        EXPECT_EQ(w().strAktFlaechenNr + w().strAktAnalysenNr, "Fl1001An1000"); // one click, from the analysis page
    }
    uhr->advanceMs(QApplication::doubleClickInterval());
    QTest::mouseClick(haupt->windowHandle(), Qt::LeftButton, {}, p); // slow: taken, from the wizard
    EXPECT_EQ(seite(), "frmNPK");
    EXPECT_TRUE(w().strAktFlaechenNr.isEmpty());
}

} // namespace
