// The lexicon and its full-size view driven through their controls: as a page of its own and over
// the analysis page, term list and search box, links, Back, thumbnails and the layout.
#include "frame/frmtoolbar.h"
#include "frame/hilfe.h"
#include "frame/links.h"
#include "lexicon/frmlexikon.h"
#include "lexicon/frmvollbild.h"
#include "lexicon/lexikontext.h"
#include "lexikonordner.h"
#include "seitenfixture.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextFrame>

using namespace kav;

namespace {

class LexikonTest : public test::SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        test::lexikonOrdnerKopieren(dir.path());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            flaeche("Fl1001", "Beet");
            analyse("An1000", "Fl1001", QDate(2024, 4, 18));
        }));
        tb = ui().fenster.fensterAls<frmToolbar>("frmToolbar");
    }
    void TearDown() override
    {
        setLinkOeffner(alterOeffner);
        SeitenTest::TearDown();
    }
    frmLexikon* lexikon() const { return ui().fenster.fensterAls<frmLexikon>("frmLexikon"); }
    frmVollbild* vollbild() const { return ui().fenster.fensterAls<frmVollbild>("frmVollbild"); }
    void alsSeite()
    {
        QTest::mouseClick(tb->cmbMenu(3), Qt::LeftButton);
        ASSERT_NE(lexikon(), nullptr);
        lex = lexikon();
    }
    // Moves the mouse to the first character of `text` in the page and clicks it; the pointer's
    // shape before the click.
    Qt::CursorShape klickAuf(const QString& text)
    {
        LexikonText* t = lex->rtfLexikon();
        const int pos = static_cast<int>(t->document()->toPlainText().indexOf(text));
        EXPECT_GE(pos, 0) << text.toStdString();
        QTextCursor c(t->document());
        c.setPosition(std::max(pos, 0));
        const QPoint p = t->cursorRect(c).center() + QPoint(3, 0);
        QTest::mouseMove(t->viewport(), p);
        const Qt::CursorShape zeiger = t->viewport()->cursor().shape();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, p);
        return zeiger;
    }
    QString ueberschrift() const { return lex->lblUeberschrift()->text(); }
    QUrl logo() const { return QUrl::fromLocalFile(dir.filePath("Bilder/Logo_Kav.gif")); }
    QString verlauf() const { return app().rahmen.strLexikonVerlauf; }

    frmToolbar* tb = nullptr;
    frmLexikon* lex = nullptr;
    LinkOeffner alterOeffner = setLinkOeffner({});
};

TEST_F(LexikonTest, ListeSucheUndZurueckAlsSeite)
{
    alsSeite();
    EXPECT_EQ(ueberschrift() + verlauf(), "Willkommen im Lexikon01-");
    EXPECT_EQ(lex->lstBegriff()->count(), 61);
    struct Schritt {
        Qt::Key taste;
        QString eintrag, verlauf;
    };
    for (const Schritt& s : {Schritt{Qt::Key_Home, "Ausbringung", "01-38-"}, Schritt{Qt::Key_End, "Wirtschaftsdünger", "01-38-12-"},
                             Schritt{Qt::Key_Down, "Ausbringung", "01-38-12-38-"}}) {
        QTest::keyClick(lex->rtfBegriff(), s.taste);
        EXPECT_EQ(lex->lstBegriff()->currentItem()->text() + lex->rtfBegriff()->text() + verlauf(), s.eintrag + s.eintrag + s.verlauf);
    }
    for (const char* v : {"01-38-12-", "01-38-", "01-", "01-"}) {
        QTest::mouseClick(lex->cmdZurueck(), Qt::LeftButton);
        EXPECT_EQ(verlauf(), v);
    }
    EXPECT_EQ(lexikon(), lex); // the page stays

    lex->rtfBegriff()->clear();
    QTest::keyClicks(lex->rtfBegriff(), "bo");
    EXPECT_EQ(lex->rtfBegriff()->text() + "|" + lex->rtfBegriff()->selectedText(), "Bodenart|denart");
    EXPECT_EQ(ueberschrift(), "Bodenart und Bodengruppe");
    QTest::keyClick(lex->rtfBegriff(), Qt::Key_Backspace); // the completion goes, "Bo" stays
    EXPECT_EQ(lex->rtfBegriff()->text(), "Bo");
    lex->rtfBegriff()->clear();
    QTest::sendKeyEvent(QTest::Click, lex->rtfBegriff(), Qt::Key_Udiaeresis, QStringLiteral("ü"), Qt::NoModifier);
    EXPECT_EQ(lex->rtfBegriff()->text() + "|" + ueberschrift(), "Überdüngung|Überdüngung und Umwelt");

    QTest::keyClick(lex->rtfBegriff(), Qt::Key_F1);
    EXPECT_EQ(hilfeFenster() ? hilfeFenster()->thema() : "", "Lexikon.htm");
}

TEST_F(LexikonTest, VerweiseHandUndWebadressen)
{
    // a page with touching terms, a term with an apostrophe and one with "%", and a web address
    sql::exec(app().db->cnKav(), "UPDATE Lexikon SET Kapitel = ? WHERE KapitelNr = 1",
              {"<p>Start: Die Stickstoffnachlieferung, die O'Brien-Probe, 50% Humus und "
               "<span style=\"color:#0000ff\">www.beispiel.de</span>.</p><img src=\"" + logo().toString() + "\">"
               "<img src=\"Bilder/Vorschau/Bodenprobe.png\">"});
    sql::exec(app().db->cnKav(), "INSERT INTO LexikonSuchbegriff (Suchbegriff, Verweis, GanzesWort, Erscheinen) "
                                 "VALUES ('O''Brien', 9, 0, 0), ('50%', 22, 0, 0)");
    QStringList geoeffnet;
    setLinkOeffner([&](const QUrl& u) { return geoeffnet << u.toString(), true; });
    alsSeite();
    struct Fall {
        QString text, ueberschrift;
    };
    for (const Fall& f : {Fall{"Stickstoffnach", "Stickstoff"}, Fall{"nachlieferung", "Mineralisierung: Nachlieferung aus dem Boden"},
                          Fall{"O'Brien", "pH-Wert und Kalkung"}, Fall{"50%", "Nmin: der mineralische Stickstoff im Boden"}}) {
        EXPECT_EQ(klickAuf(f.text), Qt::BitmapCursor) << f.text.toStdString();
        EXPECT_EQ(ueberschrift(), f.ueberschrift) << f.text.toStdString();
        EXPECT_TRUE(lex->rtfBegriff()->hasFocus());
        QTest::mouseClick(lex->cmdZurueck(), Qt::LeftButton);
    }
    EXPECT_EQ(klickAuf("Start"), Qt::ArrowCursor);
    klickAuf("www.");
    EXPECT_EQ(geoeffnet, QStringList{"http://www.beispiel.de"});
    // pictures only from the lexicon folder
    const QTextDocument* doc = lex->rtfLexikon()->document();
    EXPECT_TRUE(doc->resource(QTextDocument::ImageResource, logo()).value<QImage>().isNull());
    EXPECT_FALSE(doc->resource(QTextDocument::ImageResource, QUrl("Bilder/Vorschau/Bodenprobe.png")).value<QImage>().isNull());
    EXPECT_EQ(verlauf(), "01-");
}

TEST_F(LexikonTest, BilderleisteUndVollbild)
{
    // the first picture a placeholder, the fourth missing
    sql::exec(app().db->cnKav(), "UPDATE LexikonBilder SET BildDatei = 'KeinBild.jpg', Quelle = 'Platzhalter' WHERE BilderNr = 7");
    sql::exec(app().db->cnKav(), "UPDATE LexikonBilder SET BildDatei = 'fehlt.png' WHERE BilderNr = 4");
    sql::exec(app().db->cnKav(), "UPDATE Lexikon SET Kapitel = Kapitel || ? WHERE KapitelNr = 1",
              {QString("<p>Noch ein Absatz über den Boden und seine Pflege im Garten.</p>").repeated(40)});
    groesse(1024, 680);
    alsSeite();
    ASSERT_EQ(app().rahmen.intBilderAnzahl, 5);
    EXPECT_EQ(lex->imlBilderLexikon().size(), 6u);
    EXPECT_TRUE(lex->vscBilder()->isVisible() && !lex->imgLexikon(6)->isVisible());

    QTest::mouseMove(lex->imgLexikon(2));
    ASSERT_NE(vollbild(), nullptr);
    frmVollbild* v = vollbild();
    EXPECT_EQ(v->lblQuelle()->text() + "|" + app().rahmen.strVollbildDatei, "Zeichnung: Humavera, eigene Darstellung|Versorgungsstufen.png");
    EXPECT_LE(v->width(), haupt->width() * 3 / 4 + v->width() / 40);

    lex->vscBilder()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    lex->vscBilder()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(vollbild(), v); // refreshed in place
    EXPECT_EQ(app().rahmen.strVollbildDatei, "pH_Bereiche.png");
    EXPECT_EQ(forms::Tag(lex->imgLexikon(1)) + forms::Tag(lex->imgLexikon(4)), "pH_Bereiche.pngKeinBild.jpg");
    lex->vscBilder()->setValue(5005); // the placeholder first: the open view follows
    EXPECT_EQ(vollbild(), v);
    EXPECT_EQ(app().rahmen.strVollbildDatei + "|" + v->lblQuelle()->text(), "KeinBild.jpg|Platzhalter");
    lex->vscBilder()->setValue(5002);

    // closed by its close image, hovering opens nothing until the mouse passes the background
    QTest::mouseClick(v->imgEnde(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(vollbild(), nullptr);
    QTest::mouseMove(lex->imgLexikon(1));
    EXPECT_EQ(vollbild(), nullptr);
    QTest::mouseMove(lex, QPoint(2, lex->height() - 2));
    EXPECT_FALSE(app().rahmen.blnVollbildOffen);
    QTest::mouseMove(lex->imgLexikon(4)); // the placeholder
    EXPECT_EQ(vollbild(), nullptr);
    QTest::mouseMove(lex->imgLexikon(1));
    EXPECT_NE(vollbild(), nullptr);

    // a relayout keeps the text's scroll position and the strip's first picture
    lex->rtfLexikon()->verticalScrollBar()->setValue(lex->rtfLexikon()->verticalScrollBar()->maximum() / 3);
    const int oben = lex->rtfLexikon()->obersteStelle();
    ASSERT_GT(oben, 0);
    ArbeitsbereichAnordnen();
    EXPECT_EQ(lex->rtfLexikon()->obersteStelle(), oben);
    groesse(1280, 900);
    haupt->timResize_Timer();
    EXPECT_NEAR(lex->rtfLexikon()->obersteStelle(), oben, 60);
    EXPECT_EQ(forms::Tag(lex->imgLexikon(1)), "pH_Bereiche.png");

    // the open view follows the main window: inside it and centred over it, made smaller, then
    // moved and maximised
    frmVollbild* offen = vollbild();
    ASSERT_NE(offen, nullptr);
    for (const bool maximiert : {false, true}) {
        groesse(800, 600);
        if (maximiert) {
            haupt->move(200, 100);
            haupt->showMaximized();
        }
        haupt->timResize_Timer();
        ASSERT_EQ(vollbild(), offen);
        const QRect h = haupt->frameGeometry(), b = offen->frameGeometry();
        EXPECT_TRUE(h.contains(b)) << maximiert << ": " << b.x() << "+" << b.width() << " in " << h.x() << "+" << h.width();
        EXPECT_NEAR(b.center().x(), h.center().x(), 1) << maximiert;
        EXPECT_LE(offen->imgVollbild()->width(), haupt->width() * 3 / 4 + 1) << maximiert;
    }
}

TEST_F(LexikonTest, RandfaelleTunNichts)
{
    // a term whose chapter is gone, on the page of a chapter without pictures
    sql::exec(app().db->cnKav(), "UPDATE Lexikon SET Kapitel = Kapitel || ? WHERE KapitelNr = 18", {"<p>Siehe Nirgendwo.</p>"});
    sql::exec(app().db->cnKav(), "INSERT INTO LexikonSuchbegriff (Suchbegriff, Verweis, GanzesWort, Erscheinen) VALUES ('Nirgendwo', 99, 1, 0)");
    alsSeite();
    QTest::keyClicks(lex->rtfBegriff(), "Phosphat");
    QTest::keyClick(lex->rtfBegriff(), Qt::Key_Return); // Enter opens the term chosen
    ASSERT_EQ(ueberschrift(), "Phosphor und Phosphat");
    const QString bisher = verlauf();
    EXPECT_TRUE(bisher.endsWith("-18-")) << bisher.toStdString();

    // the text's two margins, each a fiftieth of its width
    const QTextFrameFormat rand = lex->rtfLexikon()->document()->rootFrame()->frameFormat();
    EXPECT_NEAR(rand.leftMargin(), lex->rtfLexikon()->width() / 50.0, 0.01);
    EXPECT_NEAR(rand.rightMargin(), lex->rtfLexikon()->width() / 50.0, 0.01);

    // no pictures: no strip, and turning the scroll bar shows nothing
    EXPECT_TRUE(lex->imlBilderLexikon().empty() && !lex->shpBilder()->isVisible() && !lex->vscBilder()->isVisible());
    lex->vscBilder()->setValue(5003);
    EXPECT_EQ(vollbild(), nullptr);
    EXPECT_FALSE(app().rahmen.blnVollbildOffen);

    // the link to the missing chapter: the page stays, the keyboard goes to the search box
    lex->rtfLexikon()->setFocus();
    EXPECT_EQ(klickAuf("Nirgendwo"), Qt::BitmapCursor);
    EXPECT_EQ(ueberschrift() + verlauf(), "Phosphor und Phosphat" + bisher);
    EXPECT_TRUE(lex->rtfBegriff()->hasFocus());

    // Back with no history (the page's first chapter was never built): nothing happens
    app().rahmen.strLexikonVerlauf.clear();
    QTest::mouseClick(lex->cmdZurueck(), Qt::LeftButton);
    EXPECT_EQ(lexikon(), lex);
    EXPECT_EQ(ueberschrift() + verlauf(), "Phosphor und Phosphat");

    // a full-size picture whose file is missing and which has no row: no picture, no source line
    app().rahmen.strVollbildDatei = "fehlt.png";
    ASSERT_NE(ui().fenster.laden("frmVollbild"), nullptr);
    frmVollbild* v = vollbild();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->imgVollbild()->isHidden() && v->lblQuelle()->isHidden());
    EXPECT_TRUE(QRect(QPoint(0, 0), v->size()).contains(v->imgEnde()->geometry()));
}

TEST_F(LexikonTest, EscapeSchliesstDasVollbild)
{
    alsSeite();
    // from the lexicon, whose search box keeps the keyboard while the view is shown, and from the view itself
    for (QWidget* taste : std::initializer_list<QWidget*>{lex->rtfBegriff(), lex->lstBegriff(), lex->rtfLexikon(), nullptr}) {
        QTest::mouseMove(lex, QPoint(2, lex->height() - 2));
        QTest::mouseMove(lex->imgLexikon(1));
        frmVollbild* v = vollbild();
        ASSERT_NE(v, nullptr);
        QTest::keyClick(taste ? taste : v, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(vollbild(), nullptr) << (taste ? taste->objectName().toStdString() : "frmVollbild");
        // as after the close image: the thumbnail under the mouse does not open it again at once
        QTest::mouseMove(lex->imgLexikon(1), QPoint(3, 3));
        EXPECT_EQ(vollbild(), nullptr);
    }
    QTest::keyClick(lex->rtfBegriff(), Qt::Key_Escape); // no view open: the page stays as it is
    EXPECT_EQ(lexikon(), lex);
    EXPECT_EQ(verlauf(), "01-");
}

TEST_F(LexikonTest, UeberDerAnalysenseiteUndZurueck)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    tippen(seite->txtWert(3), "17");
    QTest::mouseClick(seite->lblWert(3), Qt::LeftButton); // "Phosphat-Gehalt:"
    lex = lexikon();
    ASSERT_NE(lex, nullptr);
    EXPECT_EQ(ueberschrift(), "Die Phosphatversorgung des Bodens");
    klickAuf("Phosphor");
    EXPECT_EQ(verlauf(), "06-18-");
    QTest::mouseClick(lex->cmdZurueck(), Qt::LeftButton);
    QTest::mouseClick(lex->cmdZurueck(), Qt::LeftButton);
    EXPECT_TRUE(lexikon() == nullptr && !app().rahmen.blnLexikonVonAussen && verlauf().isEmpty());
    EXPECT_EQ(seite->txtWert(3)->text() + app().rahmen.strFensterZeigen, "17Analysenwerte");

    // a chapter key that is gone shows the start (the value typed is dropped on the way)
    app().rahmen.strLexikonAnzeige = "GibtEsNicht";
    test::Frage f;
    antworten(QMessageBox::No, &f);
    QTest::mouseClick(tb->cmbMenu(3), Qt::LeftButton);
    EXPECT_TRUE(f.gesehen);
    ASSERT_NE(lexikon(), nullptr);
    EXPECT_EQ(lexikon()->lblUeberschrift()->text(), "Willkommen im Lexikon");
}

// The search box of the lexicon over the analysis page with the keyboard: its focus mark leaves the
// term list's edge and scroll arrow uncovered, at every window size.
TEST_F(LexikonTest, FokusDerSucheLaesstDieListeFrei)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QTest::mouseClick(seite->lblWert(3), Qt::LeftButton);
    lex = lexikon();
    ASSERT_NE(lex, nullptr);
    for (const QSize& g : test::pruefgroessen()) {
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        QTest::mouseClick(lex->rtfBegriff(), Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), lex->rtfBegriff());
        const QWidget* ring = haupt->findChild<QWidget*>("kavFokusrahmen");
        ASSERT_TRUE(ring && ring->isVisible());
        const QWidget* liste = lex->lstBegriff();
        const QRect listenRand(liste->mapTo(ring->parentWidget(), QPoint(0, 0)), liste->size());
        EXPECT_FALSE(ring->geometry().intersects(listenRand)) << g.width() << ": " << ring->geometry().bottom() << " "
                                                              << listenRand.top();
    }
}

TEST_F(LexikonTest, NichtsUeberdecktNichtsAbgeschnitten)
{
    alsSeite();
    for (const QSize& g : test::pruefgroessen()) {
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        EXPECT_EQ(ui().uebersprungeneAnweisungen, 0);
        QLabel* l = lex->lblUeberschrift();
        EXPECT_GE(l->height(), l->fontMetrics().height()) << g.width();
        std::vector<std::pair<QWidget*, QRect>> v{{l, {l->pos(), l->fontMetrics().size(0, l->text()).boundedTo(l->size())}}};
        for (QWidget* w : std::initializer_list<QWidget*>{lex->rtfBegriff(), lex->lstBegriff(), lex->rtfLexikon(), lex->shpBilder(),
                                                          lex->cmdZurueck(), lex->vscBilder()})
            v.emplace_back(w, w->geometry());
        for (size_t i = 0; i < v.size(); ++i) {
            const std::string name = v[i].first->objectName().toStdString() + " " + std::to_string(g.width());
            EXPECT_TRUE(lex->rect().contains(v[i].second)) << name;
            for (size_t j = i + 1; j < v.size(); ++j)
                EXPECT_FALSE(v[i].second.intersects(v[j].second)) << name << " / " << v[j].first->objectName().toStdString();
        }
        for (int i = 1; i <= app().rahmen.intBilderAnzahl; ++i)
            EXPECT_TRUE(lex->shpBilder()->geometry().contains(lex->imgLexikon(i)->geometry())) << i;
    }
}

} // namespace
