// The layout pass over the loaded windows.
#include "frame/anordnung.h"
#include "frame/frmbrotkrume.h"
#include "frame/frmintro.h"
#include "frame/frmtitel.h"
#include "frame/frmtoolbar.h"
#include "frame/seite.h"
#include "frame/seitenwechsel.h"
#include "platform/rounding.h"
#include "rahmenfixture.h"

#include <QStatusBar>

#include <algorithm>
#include <array>
#include <ranges>

using namespace kav;
using namespace kav::forms;

namespace {

class AnordnungTest : public test::RahmenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RahmenTest::SetUp());
        starten();
        ProgrammStarten(); // navigation bar, breadcrumb, analysis page
    }
};

// A window whose block tries what a block must not do.
struct Stoerer : Seite {
    Stoerer() : Seite("frmStoerer", "", Platz::UnterBrotkrume), a(new QLabel(this)), b(new QLabel(this)) {}
    void Form_Load() override {}
    void anordnen(Anordnung& an) override
    {
        an.tu([&] { throw FormsFehler("kaputt"); });
        an.tu([&] { Tw(fehlt).setWidth(100); });                 // a control that is missing
        an.tu([&] { Tw(a).setWidth(-5); });                       // a value it cannot take
        an.tu([&] { Tw(a).setWidth(777); });                      // goes on after each failure
        an.tu([&] { ui().fenster.laden("frmTitel"); });           // no loading in a pass
        an.tu([&] { ArbeitsbereichAnordnen("frmStoerer"); });     // no nested pass
        an.tu([&] { Tw(b).setWidth(888); });
    }
    QLabel* a;
    QLabel* b;
    QLabel* fehlt = nullptr;
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
    EXPECT_DOUBLE_EQ(Tw(s->a).Width(), 777);
    EXPECT_DOUBLE_EQ(Tw(s->b).Width(), 888);
    EXPECT_FALSE(fenster().istGeladen("frmTitel"));
    EXPECT_EQ(ui().uebersprungeneAnweisungen, 4);
    // the page behind the troublemaker was still laid out, and the caption set
    EXPECT_GT(Tw(fenster().fenster("frmAnalysenWerte")->widget()).Height(), 0);
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen");
    EXPECT_FALSE(ui().anordnungLaeuft);
    EXPECT_FALSE(fenster().gesperrt());
}

TEST_F(AnordnungTest, SchriftStatusleisteUndSeitenrahmenAusDerFenstergroesse)
{
    auto* tb = fenster().fensterAls<frmToolbar>("frmToolbar");
    auto* bk = fenster().fensterAls<frmBrotkrume>("frmBrotkrume");
    groesse(1024, 768); // the outer size counts
    ArbeitsbereichAnordnen();
    EXPECT_EQ(app().rahmen.intSchriftGroesse, 12);
    EXPECT_EQ(FontSize(haupt->stbZentral()), 11);
    EXPECT_EQ(FontSize(bk->lblBrotkrume(3)), 10);
    groesse(1300, 600); // and down again
    ArbeitsbereichAnordnen();
    EXPECT_EQ(FontSize(bk->lblBrotkrume(0)), 6);

    groesse(800, 600); // 12,000 twips wide: the first panel 9,000
    ArbeitsbereichAnordnen();
    EXPECT_EQ(haupt->stbPanel1()->width(), 600);
    EXPECT_EQ(haupt->stbZentral()->height(), rundenGanz(haupt->height() / 25.0)); // inner height / 25
    auto* seite = fenster().fenster("frmAnalysenWerte")->widget();
    const double tbH = Tw(tb).Height();
    EXPECT_DOUBLE_EQ(Tw(seite).Top(), tbH * 1.5);
    EXPECT_NEAR(Tw(seite).Height(), app().rahmen.sngHoeheStart - tbH - 1.5 * haupt->stbZentral()->height() * 15, 1e-3);

    // a window without a block of its own is left alone
    fenster().zeigen("frmEinstellungen");
    QWidget* e = fenster().fenster("frmEinstellungen")->widget();
    e->move(10, 20);
    const QRect vorher = e->geometry();
    ArbeitsbereichAnordnen();
    EXPECT_EQ(e->geometry(), vorher);
}

// The rule along the breadcrumb strip's foot is drawn at every scale of the screen: a dark row in
// the strip's lower part, at a quarter, half and three quarters of its width.
TEST_F(AnordnungTest, BrotkrumenLinieBeiJederSkalierung)
{
    auto* bk = fenster().fensterAls<frmBrotkrume>("frmBrotkrume");
    for (const QSize g : {QSize(800, 600), QSize(1024, 768)})
        for (const double skala : {1.0, 1.25, 1.5, 2.0}) {
            groesse(g.width(), g.height());
            ArbeitsbereichAnordnen();
            QPixmap bild((QSizeF(bk->size()) * skala).toSize());
            bild.setDevicePixelRatio(skala);
            bk->render(&bild);
            const QImage b = bild.toImage();
            const auto dunkel = [&](int y) {
                return std::ranges::all_of(std::array{1, 2, 3}, [&](int v) { return qGray(b.pixel(b.width() * v / 4, y)) < 60; });
            };
            const auto y = std::views::iota(b.height() * 4 / 5, b.height());
            EXPECT_TRUE(std::ranges::any_of(y, dunkel)) << g.width() << " bei " << skala;
        }
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
    EXPECT_NE(test::abbild(haupt.get()), a1);
    groesse(800, 1000); // portrait
    ArbeitsbereichAnordnen();
    groesse(1280, 1024);
    ArbeitsbereichAnordnen();
    EXPECT_EQ(test::abbild(haupt.get()), a1);
    EXPECT_GT(Tw(fenster().fensterAls<frmTitel>("frmTitel")->imgTitel(1)).Width(), 300);
}

// A page under the title strip shown before the strip (the way back from the recommendation page)
// stands where a page shown after it stands: the strips are laid out first in every pass.
TEST_F(AnordnungTest, SeiteVorDemTitelstreifenGezeigt)
{
    struct UnterTitel : Seite {
        UnterTitel() : Seite("frmUnterTitel", "NPK3", Platz::UnterTitel) {}
    };
    fenster().klasseAnmelden("frmUnterTitel", [] { return new UnterTitel; });
    app().bedarf.strAktKulturNr = "Ku1010";
    for (const QSize g : {QSize(800, 600), QSize(1280, 1024)}) {
        SCOPED_TRACE(g.width());
        groesse(g.width(), g.height());
        const auto zeigen = [&](std::initializer_list<const char*> folge) {
            FormulareEntladen();
            for (const char* n : folge)
                fenster().zeigen(n);
            return test::abbild(fenster().fenster("frmUnterTitel")->widget());
        };
        const auto vor = zeigen({"frmTitel", "frmUnterTitel"});    // the way forward
        const auto zurueck = zeigen({"frmUnterTitel", "frmTitel"}); // the way back from the plan
        EXPECT_EQ(zurueck, vor);
        ArbeitsbereichAnordnen();
        EXPECT_EQ(test::abbild(fenster().fenster("frmUnterTitel")->widget()), vor);
    }
}

// The strips of the frame and the intro at the usual screen sizes: nothing covered or cut.
TEST_F(AnordnungTest, RahmenfensterBeiJederGroesse)
{
    app().bedarf.strAktKulturNr = "Ku1010";
    fenster().zeigen("frmTitel");
    for (const char* n : {"frmToolbar", "frmBrotkrume", "frmTitel"}) {
        SCOPED_TRACE(n);
        test::nichtsUeberdecktOderAbgeschnitten(fenster().fenster(n)->widget());
    }
    // the intro with its logo framed; a missing logo leaves the box empty and the pass goes on
    starten();
    auto* intro = fenster().fensterAls<frmIntro>("frmIntro");
    test::nichtsUeberdecktOderAbgeschnitten(intro, {intro->shpRahmen()});
    EXPECT_FALSE(intro->picIntro()->istLeer());
    EXPECT_EQ(Tw(intro->shpRahmen()).rechteck(), Tw(intro->picIntro()).rechteck());
    const QRect text = intro->lblIntro()->geometry(); // at 1920 x 1080
    // the logo is read once: a later pass places it without reading the file again
    QFile::remove(dir.path() + "/Bilder/Logo_Kav.gif");
    groesse(800, 600);
    ArbeitsbereichAnordnen();
    EXPECT_FALSE(intro->picIntro()->istLeer());
    EXPECT_EQ(ui().uebersprungeneAnweisungen, 0);
    EXPECT_NE(intro->lblIntro()->geometry(), text);
    // a start without it: the box stays empty and the pass goes on
    starten();
    intro = fenster().fensterAls<frmIntro>("frmIntro");
    ASSERT_NE(intro, nullptr);
    ArbeitsbereichAnordnen();
    EXPECT_TRUE(intro->picIntro()->istLeer());
    EXPECT_EQ(ui().uebersprungeneAnweisungen, 1); // the picture alone
}

// The intro's logo read ahead in a thread of its own is the logo read at once; a reading ahead
// of another file is not taken for it, and one nobody took is dropped without harm.
TEST(IntroLogo, VorausGelesenIstDasselbeBild)
{
    const QString logo = test::programmOrdner() + "/Bilder/Logo_Kav.gif";
    const QImage sofort = logoLesen(logo);
    ASSERT_FALSE(sofort.isNull());
    EXPECT_EQ(sofort.size(), QSize(952, 885));
    logoVorausLesen(logo);
    logoVorausLesen(logo); // asked twice: read once
    EXPECT_EQ(logoLesen(logo), sofort);
    logoVorausLesen(logo);
    EXPECT_TRUE(logoLesen(logo + ".fehlt").isNull());
    logoVorausVerwerfen();
    logoVorausVerwerfen();
    EXPECT_EQ(logoLesen(logo), sofort);
}
