// The forms layer: twips geometry, control arrays, image lists, the register of loaded windows,
// the tree control with keyed nodes, and the GIF writer.
#include "platform/baumansicht.h"
#include "platform/fenster.h"
#include "platform/gifschreiber.h"
#include "platform/steuerfeld.h"
#include "platform/twips.h"

#include <QBuffer>
#include <QImageReader>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollBar>
#include <QRandomGenerator>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <cmath>

using namespace kav;
using namespace kav::forms;

TEST(Twips, GenauGehaltenPixelkantenHalbZuGeradeOhneLueckeUngueltigesAbgewiesen)
{
    ASSERT_DOUBLE_EQ(twipsProPixel(), 15.0); // 96 DPI offscreen
    QWidget eltern;
    QLabel l(&eltern), a(&eltern), b(&eltern);
    Tw(&l).setRechteck(QRectF(1234.567, 20, 1714.2857142857, 0.4));
    EXPECT_DOUBLE_EQ(Tw(&l).Left(), 1234.567);
    EXPECT_DOUBLE_EQ(Tw(&l).Width(), 1714.2857142857);
    EXPECT_DOUBLE_EQ(Tw(&l).Height(), 0.4);
    EXPECT_EQ(l.geometry(), QRect(82, 1, 115, 0)); // edges 82.3 -> 82, 196.6 -> 197
    EXPECT_EQ(QList<int>({pixelVon(22.5 * 15), pixelVon(23.5 * 15), pixelVon(-7.5 * 15)}), QList<int>({22, 24, -8}));
    // neighbours sharing an edge at a fractional pixel meet exactly
    Tw(&a).setRechteck(QRectF(20, 0, 2000.1, 100));
    Tw(&b).setRechteck(QRectF(2020.1, 0, 2000.1, 100));
    EXPECT_EQ(a.geometry().right() + 1, b.geometry().left());
    // moved in pixels from outside: the pixel value counts
    a.move(10, 0);
    EXPECT_DOUBLE_EQ(Tw(&a).Left(), 150);

    // values it cannot take are refused and change nothing (a negative width and a missing control:
    // AnordnungTest.EinFehlerHaeltDenDurchlaufNichtAuf)
    EXPECT_THROW(Tw(&l).setHeight(std::nan("")), FormsFehler);
    EXPECT_THROW(Tw(&l).setLeft(INFINITY), FormsFehler);
    EXPECT_DOUBLE_EQ(Tw(&l).Left(), 1234.567);
    EXPECT_THROW(setFontSize(&l, 0), FormsFehler);
    EXPECT_NO_THROW(setFontSize(&l, 6));
    setFontBold(&l, true);
    EXPECT_TRUE(FontBold(&l));
}

TEST(SteuerFeld, EigeneUntergrenzeUndFehlendeSteuerelemente)
{
    QWidget eltern;
    SteuerFeld<QLabel> feld(1);
    for (int i = 0; i < 7; ++i)
        feld.anhaengen(new QLabel(&eltern));
    EXPECT_EQ(feld.LBound(), 1);
    EXPECT_EQ(feld.UBound(), 7);
    EXPECT_THROW(feld(0), FormsFehler);
    EXPECT_THROW(feld(8), FormsFehler);
    EXPECT_NE(feld(7), nullptr);
    delete feld(3);
    EXPECT_FALSE(feld.hat(3)); // a control that went is missing, not dangling
    EXPECT_THROW(feld(3), FormsFehler);
    EXPECT_EQ(feld.oderNull(3), nullptr);
    // image lists: a missing key gives no picture (TitelTest.GruppeOhneBildUndFehlendeZeilen), every picture
    // shows at every size (Bilder.JedesBildLiegtVorUndIstBeiJederGroesseZuSehen)
}

namespace {

struct ProbeFenster : Formular {
    ProbeFenster(const QString& n, QStringList* protokoll) : Formular(n), p(protokoll) {}
    void Form_Load() override
    {
        p->append("load " + name() + " " + (fensterRegister()->istGeladen(name()) ? "geladen" : "fehlt"));
        if (name() == "frmKaputt")
            throw FormsFehler("kaputt");
    }
    void Form_Unload() override { p->append("unload " + name()); }
    QStringList* p;
};

class FensterRegisterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        r.setEltern(bereich, bereich);
        for (const char* n : {"frmA", "frmB", "frmC", "frmKaputt"})
            r.klasseAnmelden(n, [this, n] { return new ProbeFenster(n, &protokoll); });
    }
    void TearDown() override { delete bereich; }
    QStringList protokoll;
    QWidget* bereich = new QWidget;
    FensterRegister r;
};

} // namespace

TEST_F(FensterRegisterTest, LadeReihenfolgeUndSynchronesEntladen)
{
    r.laden("frmB");
    r.laden("frmA");
    r.laden("frmB"); // already loaded: no second load
    r.laden("frmC");
    EXPECT_EQ(r.namen(), QStringList({"frmB", "frmA", "frmC"}));
    EXPECT_EQ(protokoll, QStringList({"load frmB geladen", "load frmA geladen", "load frmC geladen"}));
    EXPECT_EQ(r.fenster("frmA")->widget()->parentWidget(), bereich);

    r.entladen("frmA");
    EXPECT_EQ(r.namen(), QStringList({"frmB", "frmC"})); // at once, before the event loop runs
    EXPECT_EQ(protokoll.last(), "unload frmA");
    r.laden("frmA");
    EXPECT_EQ(r.namen(), QStringList({"frmB", "frmC", "frmA"}));
    EXPECT_THROW(r.laden("frmUnbekannt"), FormsFehler);
    EXPECT_EQ(r.fenster("frmUnbekannt"), nullptr);

    delete bereich; // deleted from outside: no longer loaded
    bereich = nullptr;
    EXPECT_EQ(r.anzahl(), 0);
}

TEST_F(FensterRegisterTest, GesperrtOderFehlerBeimLaden)
{
    r.setGesperrt(true); // during a pass
    EXPECT_THROW(r.laden("frmA"), FormsFehler);
    r.setGesperrt(false);
    EXPECT_THROW(r.laden("frmKaputt"), FormsFehler);
    EXPECT_FALSE(r.istGeladen("frmKaputt"));
    EXPECT_EQ(protokoll.last(), "unload frmKaputt");
}

// A window held at the size of its contents takes the new size on a later call after they changed;
// a width the window fixed for itself stays, and its wrapped text gets the lines it needs at that width.
TEST(InhaltsgroesseFesthalten, NeueGroesseNachNeuemInhaltEigeneBreiteBleibt)
{
    for (const bool eigene : {false, true}) {
        QWidget fenster;
        auto* text = new QLabel("kurz", &fenster);
        text->setWordWrap(true); // its width is not forced by its text
        (new QVBoxLayout(&fenster))->addWidget(text);
        if (eigene)
            fenster.setFixedWidth(300);
        fenster.show();
        inhaltsgroesseFesthalten(&fenster);
        // at its own width: more lines than adjustSize lets a window have
        text->setText(QString("Wort ").repeated(eigene ? 300 : 40));
        inhaltsgroesseFesthalten(&fenster);
        EXPECT_EQ(fenster.width(), eigene ? 300 : fenster.sizeHint().width());
        EXPECT_EQ(fenster.minimumSize(), fenster.maximumSize());
        fenster.layout()->activate();
        EXPECT_GE(text->height(), text->heightForWidth(text->width())) << "eigene Breite " << eigene;
    }
}

TEST(Baumansicht, KnotenMitSchluesselUndVolleNamenNurWoSieAbgeschnittenSind)
{
    Baumansicht t;
    QTreeWidgetItem* grp = Baumansicht::knoten(nullptr, "K1", "Kurz", "Grp", "Bild1", QIcon());
    t.addTopLevelItem(grp);
    QTreeWidgetItem* lang = Baumansicht::knoten(grp, "K2", "Ein Name, der in einen schmalen Baum nicht passt", "Kultur",
                                                "Bild2", QIcon());
    QTreeWidgetItem* tief = Baumansicht::knoten(lang, "K3", "Ganz unten", "Einzel", "", QIcon());
    EXPECT_EQ(Baumansicht::key(tief) + Baumansicht::tag(tief) + Baumansicht::elternKey(tief) + Baumansicht::bild(lang),
              "K3EinzelK2Bild2");
    EXPECT_TRUE(Baumansicht::elternKey(grp).isEmpty() && Baumansicht::key(nullptr).isEmpty());
    EXPECT_TRUE(t.itemVon("K3") == tief && !t.itemVon("K9") && t.alle().size() == 3);

    // a name that does not fit shows in full on hover; a name shown in full has no tip; a node below a
    // closed one is not shown at all
    t.show();
    grp->setExpanded(true);
    const auto tip = [&](QTreeWidgetItem* it) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 10000));
        const QPoint p = t.visualItemRect(it).center();
        QHelpEvent e(QEvent::ToolTip, p, t.viewport()->mapToGlobal(p));
        QApplication::sendEvent(t.viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    for (const bool breit : {false, true}) {
        t.resize(breit ? t.inhaltsBreite() : 120, 200);
        QCoreApplication::processEvents();
        EXPECT_EQ(t.abgeschnitten(lang), !breit) << breit;
        EXPECT_EQ(tip(lang), breit ? QString() : lang->text(0)) << breit;
        EXPECT_EQ(tip(grp), QString()) << breit;
        EXPECT_FALSE(t.abgeschnitten(tief)) << breit;
    }
    // scrolled sideways, the start of a name is cut too
    t.resize(120, 200);
    QCoreApplication::processEvents();
    t.horizontalScrollBar()->setValue(t.horizontalScrollBar()->maximum());
    EXPECT_TRUE(t.abgeschnitten(grp));
}

TEST(GifSchreiber, RundreiseDurchDenLeser)
{
    // noise fills the code table more than once (table resets)
    QImage bild(300, 200, QImage::Format_RGB32);
    QRandomGenerator zufall(7);
    const QRgb farben[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y, farben[zufall.bounded(6)]);
    QBuffer puffer;
    puffer.setData(gifDaten(bild));
    QImageReader leser(&puffer, "gif");
    const QImage zurueck = leser.read().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(zurueck, bild) << leser.errorString().toStdString();
    EXPECT_TRUE(gifDaten(QImage()).isEmpty());
}
