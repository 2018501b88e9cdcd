// The layout pass over the loaded windows.
#include "frame/anordnung.h"
#include "frame/frmbrotkrume.h"
#include "frame/frmintro.h"
#include "frame/frmtitel.h"
#include "frame/frmtoolbar.h"
#include "frame/seite.h"
#include "rahmenfixture.h"
#include "services/rounding.h"

#include <QStatusBar>

using namespace kav;
using namespace kav::forms;

namespace {

class AnordnungTest : public test::RahmenTest {
protected:
    void SetUp() override
    {
        RahmenTest::SetUp();
        starten();
        ProgrammStarten(); // navigation bar, breadcrumb, analysis page
    }
};

// A window whose block tries what a block must not do.
struct Stoerer : Seite {
    Stoerer() : Seite("frmStoerer", "", Platz::UnterBrotkrume)
    {
        a = new QLabel(this);
        b = new QLabel(this);
    }
    void Form_Load() override {}
    void anordnen(Anordnung& an) override
    {
        ++durchlaeufe;
        an.tu([&] { throw FormsFehler("kaputt"); });
        an.tu([&] { Tw(fehlt).setWidth(100); });        // a control that is missing
        an.tu([&] { Tw(a).setWidth(-5); });              // a value it cannot take
        an.tu([&] { Tw(a).setWidth(777); });             // goes on after each failure
        an.tu([&] { geladen = ui().fenster.laden("frmTitel") != nullptr; }); // no loading in a pass
        an.tu([&] { ArbeitsbereichAnordnen("frmStoerer"); });                 // no nested pass
        an.tu([&] { Tw(b).setWidth(888); });
    }
    QLabel* a;
    QLabel* b;
    QLabel* fehlt = nullptr;
    int durchlaeufe = 0;
    bool geladen = false;
};

} // namespace

TEST_F(AnordnungTest, EinFehlerHaeltDenDurchlaufNichtAuf)
{
    fenster().klasseAnmelden("frmStoerer", [] { return new Stoerer; });
    auto* s = dynamic_cast<Stoerer*>(fenster().laden("frmStoerer"));
    ASSERT_NE(s, nullptr);
    const long vorher = ui().anordnungen;
    ArbeitsbereichAnordnen("frmStoerer");
    EXPECT_EQ(ui().anordnungen, vorher + 1); // the nested call did nothing
    EXPECT_EQ(s->durchlaeufe, 1);
    EXPECT_DOUBLE_EQ(Tw(s->a).Width(), 777);
    EXPECT_DOUBLE_EQ(Tw(s->b).Width(), 888);
    EXPECT_FALSE(s->geladen);
    EXPECT_FALSE(fenster().istGeladen("frmTitel"));
    EXPECT_EQ(ui().uebersprungeneAnweisungen, 4);
    // the page behind the troublemaker was still laid out, and the caption set
    EXPECT_GT(Tw(fenster().fenster("frmAnalysenWerte")->widget()).Height(), 0);
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen");
    EXPECT_FALSE(ui().anordnungLaeuft);
    EXPECT_FALSE(fenster().gesperrt());
}

TEST_F(AnordnungTest, SchriftgroesseAusDerFenstergroesse)
{
    groesse(1024, 768);
    ArbeitsbereichAnordnen();
    EXPECT_EQ(app().rahmen.intSchriftGroesse, 12) << haupt->frameGeometry().width() << "x" << haupt->frameGeometry().height();
    auto* tb = fenster().fensterAls<frmToolbar>("frmToolbar");
    EXPECT_EQ(FontSize(tb->cmbMenu(1)), 12);
    EXPECT_TRUE(FontBold(tb->cmbMenu(7)));
    EXPECT_EQ(FontSize(haupt->stbZentral()), 11);
    auto* bk = fenster().fensterAls<frmBrotkrume>("frmBrotkrume");
    EXPECT_EQ(FontSize(bk->lblBrotkrume(3)), 10);

    groesse(1300, 600);
    ArbeitsbereichAnordnen();
    EXPECT_EQ(app().rahmen.intSchriftGroesse, 8);
    EXPECT_EQ(FontSize(haupt->stbZentral()), 7);
    EXPECT_EQ(FontSize(bk->lblBrotkrume(0)), 6);
}

TEST_F(AnordnungTest, MinimiertAendertNichts)
{
    groesse(1024, 768);
    ArbeitsbereichAnordnen();
    const auto vorher = test::abbild(haupt.get());
    const QString titel = haupt->windowTitle();
    const long passes = ui().anordnungen;
    haupt->setWindowState(Qt::WindowMinimized);
    app().rahmen.sngBreiteStart = 9000;
    app().rahmen.sngHoeheStart = 6000;
    app().rahmen.strFensterZeigen = "Lexikon";
    ArbeitsbereichAnordnen("mdiZentral");
    EXPECT_EQ(ui().anordnungen, passes);
    EXPECT_EQ(test::abbild(haupt.get()), vorher);
    EXPECT_EQ(haupt->windowTitle(), titel);
    EXPECT_EQ(app().rahmen.intSchriftGroesse, 12);
}

TEST_F(AnordnungTest, ZweiDurchlaeufeUndHinUndZurueckGebenDasselbe)
{
    // the title strip too: its pictures used to shrink on every pass
    app().bedarf.strAktKulturNr = "Ku1010";
    fenster().zeigen("frmTitel");
    groesse(1280, 1024);
    ArbeitsbereichAnordnen();
    const auto a1 = test::abbild(haupt.get());
    ArbeitsbereichAnordnen();
    EXPECT_EQ(test::abbild(haupt.get()), a1);
    groesse(1000, 700);
    ArbeitsbereichAnordnen();
    const auto b = test::abbild(haupt.get());
    EXPECT_NE(b, a1);
    groesse(800, 1000); // portrait
    ArbeitsbereichAnordnen();
    groesse(1280, 1024);
    ArbeitsbereichAnordnen();
    EXPECT_EQ(test::abbild(haupt.get()), a1);
    auto* t = fenster().fensterAls<frmTitel>("frmTitel");
    EXPECT_GT(Tw(t->imgTitel(1)).Width(), 300);
}

TEST_F(AnordnungTest, NavigationsknoepfeGleichUndLueckenlos)
{
    app().rahmen.sngBreiteStart = 14040;
    app().rahmen.sngHoeheStart = 12000;
    ArbeitsbereichAnordnen();
    auto* tb = fenster().fensterAls<frmToolbar>("frmToolbar");
    EXPECT_DOUBLE_EQ(Tw(tb).Width(), 14040);
    EXPECT_DOUBLE_EQ(Tw(tb).Height(), 1200);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_NEAR(Tw(tb->cmbMenu(i)).Width(), 2000, 1e-9);
        EXPECT_NEAR(Tw(tb->cmbMenu(i)).Left(), 20 + (i - 1) * 2000, 1e-9);
        EXPECT_DOUBLE_EQ(Tw(tb->cmbMenu(i)).Top(), 0);
        EXPECT_DOUBLE_EQ(Tw(tb->cmbMenu(i)).Height(), 1140);
        if (i > 1) {
            EXPECT_EQ(tb->cmbMenu(i - 1)->geometry().right() + 1, tb->cmbMenu(i)->geometry().left());
        }
    }
    EXPECT_EQ(tb->bildSchluessel(7), "Ende1");
    EXPECT_FALSE(tb->cmbMenu(1)->icon().isNull());
}

TEST_F(AnordnungTest, StatusleisteUndSeitenrahmen)
{
    groesse(800, 600);
    ArbeitsbereichAnordnen();
    // 12,000 twips wide: the first panel 9,000
    EXPECT_EQ(haupt->stbPanel1()->width(), 600);
    EXPECT_EQ(haupt->stbZentral()->height(), rundenGanz(haupt->height() / 25.0)); // inner height / 25
    auto* seite = fenster().fenster("frmAnalysenWerte")->widget();
    const double tb = Tw(fenster().fenster("frmToolbar")->widget()).Height();
    EXPECT_DOUBLE_EQ(Tw(seite).Top(), tb * 1.5);
    EXPECT_NEAR(Tw(seite).Height(), app().rahmen.sngHoeheStart - tb - 1.5 * haupt->stbZentral()->height() * 15, 1e-3);
}

TEST_F(AnordnungTest, BrotkrumenbilderStabil)
{
    auto* bk = fenster().fensterAls<frmBrotkrume>("frmBrotkrume");
    // a strip 12,000 wide and 600 high gets pictures of 240 x 240
    app().rahmen.sngBreiteStart = 12000;
    app().rahmen.sngHoeheStart = 12000;
    ArbeitsbereichAnordnen();
    ASSERT_DOUBLE_EQ(Tw(bk).Height(), 600);
    for (int i = 0; i <= 5; ++i) {
        EXPECT_DOUBLE_EQ(Tw(bk->imgBrotkrume(i)).Width(), 240);
        EXPECT_DOUBLE_EQ(Tw(bk->imgBrotkrume(i)).Height(), 240);
        EXPECT_NEAR(Tw(bk->imgBrotkrume(i)).Left(), Tw(bk).ScaleWidth() / 50 + i * (12000.0 / 7 + 240), 1e-9);
        EXPECT_DOUBLE_EQ(Tw(bk->lblBrotkrume(i)).Left(), Tw(bk->imgBrotkrume(i)).Left() + 240 + 50);
    }
    // lower strip: 2H/5 is the smaller side; the same every time
    app().rahmen.sngHoeheStart = 10000;
    for (int n = 0; n < 3; ++n) {
        ArbeitsbereichAnordnen();
        EXPECT_DOUBLE_EQ(Tw(bk->imgBrotkrume(2)).Width(), 200);
    }
    // portrait: W/50 is smaller; no alternation between passes
    app().rahmen.sngBreiteStart = 6000;
    app().rahmen.sngHoeheStart = 12000;
    for (int n = 0; n < 3; ++n) {
        ArbeitsbereichAnordnen();
        EXPECT_DOUBLE_EQ(Tw(bk->imgBrotkrume(0)).Width(), 120);
    }
}

TEST_F(AnordnungTest, IntroMitLogoUndSeitenverhaeltnis)
{
    starten(); // intro loaded again
    auto* intro = fenster().fensterAls<frmIntro>("frmIntro");
    ASSERT_NE(intro, nullptr);
    app().rahmen.sngBreiteStart = 19200;
    app().rahmen.sngHoeheStart = 14592;
    ArbeitsbereichAnordnen();
    EXPECT_FALSE(intro->picIntro()->istLeer());
    EXPECT_DOUBLE_EQ(Tw(intro->picIntro()).Width(), 14592 * 0.75);
    EXPECT_NEAR(Tw(intro->picIntro()).Height(), 14592 * 0.75 * 22.14 / 23.81, 1e-6);
    EXPECT_EQ(Tw(intro->shpRahmen()).rechteck(), Tw(intro->picIntro()).rechteck());
    EXPECT_EQ(FontSize(intro->lblIntro()), app().rahmen.intSchriftGroesse + 2);
    EXPECT_EQ(app().rahmen.strBilderPfad, dir.path() + "/Bilder/");
    // square counts as portrait
    app().rahmen.sngBreiteStart = 12000;
    app().rahmen.sngHoeheStart = 12000;
    ArbeitsbereichAnordnen();
    EXPECT_DOUBLE_EQ(Tw(intro->picIntro()).Width(), 9000);
    // a missing logo leaves the box empty and the pass goes on
    QFile::remove(dir.path() + "/Bilder/Logo_Kav.gif");
    ArbeitsbereichAnordnen();
    EXPECT_TRUE(intro->picIntro()->istLeer());
    EXPECT_DOUBLE_EQ(Tw(intro->lblIntro()).Width(), 12000 * 0.9);
}

TEST_F(AnordnungTest, FensterOhneBlockBleibtUnberuehrt)
{
    fenster().zeigen("frmEinstellungen");
    QWidget* e = fenster().fenster("frmEinstellungen")->widget();
    e->setGeometry(10, 20, 300, 200);
    ArbeitsbereichAnordnen();
    EXPECT_EQ(e->geometry(), QRect(10, 20, 300, 200));
}
