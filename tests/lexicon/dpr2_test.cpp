// The lexicon's pictures on a high-density screen (device pixel ratio 2): thumbnails drawn with the
// pixels the screen shows in their slots, and pictures fitted for any device pixel ratio.
#include "frame/frmtoolbar.h"
#include "lexicon/frmlexikon.h"
#include "lexikonordner.h"
#include "platform/bild.h"
#include "seitenfixture.h"

using namespace kav;

namespace {

TEST(BildEingepasst, PixelFuerDasGeraet)
{
    QImage bild(240, 168, QImage::Format_RGB32); // a preview of the lexicon
    bild.fill(Qt::darkGreen);
    struct Fall {
        QSize platz;
        qreal dpr;
        QSize pixel;
    };
    for (const Fall& f : {Fall{{100, 100}, 1, {100, 70}}, Fall{{100, 100}, 2, {200, 140}}, Fall{{100, 100}, 1.5, {150, 105}},
                          Fall{{120, 120}, 2, {240, 168}}, Fall{{100, 35}, 2, {100, 70}}, Fall{{300, 300}, 1, {300, 210}},
                          Fall{{100, 100}, 0, {100, 70}}}) {
        const QPixmap p = forms::eingepasst(bild, f.platz, f.dpr);
        const std::string wo = std::to_string(f.platz.width()) + "x" + std::to_string(f.platz.height()) + "@" + std::to_string(f.dpr);
        EXPECT_EQ(p.size(), f.pixel) << wo;
        EXPECT_EQ(p.devicePixelRatio(), f.dpr > 0 ? f.dpr : 1.0) << wo;
        EXPECT_EQ(QSizeF(f.platz).expandedTo(p.deviceIndependentSize()), QSizeF(f.platz)) << wo; // inside its place
    }
    EXPECT_TRUE(forms::eingepasst(QImage(), {100, 100}, 2).isNull());
    EXPECT_TRUE(forms::eingepasst(bild, {0, 100}, 2).isNull());
}

class LexikonDpr2Test : public test::SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        test::lexikonOrdnerKopieren(dir.path());
        ASSERT_NO_FATAL_FAILURE(seiteStarten());
        QTest::mouseClick(ui().fenster.fensterAls<frmToolbar>("frmToolbar")->cmbMenu(3), Qt::LeftButton);
        lex = ui().fenster.fensterAls<frmLexikon>("frmLexikon");
        ASSERT_NE(lex, nullptr);
        ASSERT_EQ(lex->devicePixelRatio(), 2);
    }
    frmLexikon* lex = nullptr;
};

TEST_F(LexikonDpr2Test, VorschauenMitDenPixelnDesBildschirms)
{
    // the strip at two window sizes, after the relayout and after turning it
    for (const QSize g : {QSize(1024, 768), QSize(1280, 800)}) {
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        lex->vscBilder()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        ASSERT_GE(app().rahmen.intBilderAnzahl, 1);
        for (int i = 1; i <= app().rahmen.intBilderAnzahl; ++i) {
            const QLabel* slot = lex->imgLexikon(i);
            const QPixmap p = slot->pixmap();
            const QSize innen = slot->contentsRect().size();
            const std::string wo = std::to_string(g.width()) + " " + std::to_string(i);
            ASSERT_FALSE(p.isNull()) << wo;
            EXPECT_EQ(p.devicePixelRatio(), 2.0) << wo;
            // a landscape preview in a square slot: as wide as the slot, two screen pixels per unit
            EXPECT_EQ(p.width(), 2 * innen.width()) << wo;
            EXPECT_LE(p.deviceIndependentSize().height(), innen.height()) << wo;
        }
    }
}

} // namespace
