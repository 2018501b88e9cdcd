// The navigation bar, help, web and mail links, the status bar and the pictures.
#include <QMouseEvent>
#include <QApplication>
#include "frame/bilder.h"
#include "frame/frmbrotkrume.h"
#include "frame/frmintro.h"
#include "frame/frmtoolbar.h"
#include "frame/hilfe.h"
#include "frame/links.h"
#include "frame/seitenwechsel.h"
#include "rahmenfixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>
#include <QUrlQuery>

using namespace kav;

namespace {

class NavigationTest : public test::RahmenTest {
protected:
    void SetUp() override
    {
        RahmenTest::SetUp();
        starten();
        ProgrammStarten();
        tb = fenster().fensterAls<frmToolbar>("frmToolbar");
        ASSERT_NE(tb, nullptr);
        alterOeffner = setLinkOeffner([this](const QUrl& u) {
            geoeffnet.append(u);
            return oeffnerKlappt;
        });
    }
    void TearDown() override
    {
        setLinkOeffner(alterOeffner);
        HilfeSchliessen();
        RahmenTest::TearDown();
    }
    QColor normal() const { return QColor(188, 188, 188); }
    QColor hell() const { return QColor(220, 220, 220); }

    frmToolbar* tb = nullptr;
    LinkOeffner alterOeffner;
    QList<QUrl> geoeffnet;
    bool oeffnerKlappt = true;
};

} // namespace

TEST_F(NavigationTest, KnopfZweiSetztStufeEinsNurVonDerAnalysenseite)
{
    WizardState& w = app().bedarf;
    w.strAktFlaechenNr = "Fl1001";
    w.strAktAnalysenNr = "An1001";
    w.strAktKulturNr = "Ku1010";
    ASSERT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
    tb->cmbMenu_Click(2);
    EXPECT_EQ(w.strAktFlaechenNr, "Fl1001"); // the analysis just entered stays current
    EXPECT_EQ(w.strAktAnalysenNr, "An1001");
    EXPECT_TRUE(w.strAktKulturNr.isEmpty());
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK");
    EXPECT_TRUE(fenster().istGeladen("frmNPK"));
    EXPECT_FALSE(fenster().istGeladen("frmAnalysenWerte"));
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Düngerbedarfsberechnung - Flächenauswahl");

    tb->cmbMenu_Click(2); // from the wizard: everything is reset
    EXPECT_TRUE(w.strAktFlaechenNr.isEmpty());
    EXPECT_TRUE(w.strAktAnalysenNr.isEmpty());

    w.strAktFlaechenNr = "Fl1001";
    tb->cmbMenu_Click(1);
    EXPECT_TRUE(w.strAktFlaechenNr.isEmpty());
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmToolbar", "frmBrotkrume", "frmAnalysenWerte"}));
}

TEST_F(NavigationTest, LexikonKnopf)
{
    tb->cmbMenu_Click(3);
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Lexikon");
    EXPECT_TRUE(fenster().istGeladen("frmLexikon"));
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Lexikon");

    // the lexicon opened on behalf of the analysis page: the button closes it, the area stays empty
    tb->cmbMenu_Click(1);
    app().rahmen.blnLexikonVonAussen = true;
    fenster().zeigen("frmLexikon");
    tb->cmbMenu_Click(3);
    EXPECT_FALSE(app().rahmen.blnLexikonVonAussen);
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmToolbar", "frmBrotkrume"}));
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Ergebnis der Bodenuntersuchung eintragen");
}

TEST_F(NavigationTest, HilfeKnopfZeigtDasThemaDerSeiteOderDesDialogs)
{
    test::schreibeDatei(dir.path() + "/Hilfe/index.htm", "<html><body><h1>Inhalt</h1></body></html>");
    test::schreibeDatei(dir.path() + "/Hilfe/Eingabe_Analysenwerte.htm", "<html><body><h1>Analysenwerte</h1></body></html>");
    tb->cmbMenu_Click(4);
    ASSERT_NE(hilfeFenster(), nullptr);
    EXPECT_EQ(hilfeFenster()->thema(), "Eingabe_Analysenwerte.htm");
    EXPECT_EQ(hilfeFenster()->datei(), dir.path() + "/Hilfe/Eingabe_Analysenwerte.htm");
    EXPECT_TRUE(hilfeFenster()->browser()->toPlainText().contains("Analysenwerte"));
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte")); // help does not switch the page

    fenster().zeigen("frmEinstellungen");
    tb->cmbMenu_Click(4);
    EXPECT_EQ(hilfeFenster()->thema(), "Einstellungen.htm");
    // the page is missing: the index with a clear line
    EXPECT_EQ(hilfeFenster()->datei(), dir.path() + "/Hilfe/index.htm");
    EXPECT_TRUE(hilfeFenster()->browser()->toPlainText().contains("„Einstellungen.htm“ ist nicht vorhanden"));

    fenster().entladen("frmEinstellungen");
    app().rahmen.strFensterZeigen = "Kein";
    tb->cmbMenu_Click(4);
    EXPECT_EQ(hilfeFenster()->thema(), "index.htm");
}

TEST_F(NavigationTest, HilfeOhneHilfeseitenSagtEsDeutlich)
{
    HilfeAufrufen("frmNPK");
    ASSERT_NE(hilfeFenster(), nullptr);
    EXPECT_TRUE(hilfeFenster()->datei().isEmpty());
    EXPECT_TRUE(hilfeFenster()->browser()->toPlainText().contains("Hilfe nicht gefunden"));
}

TEST_F(NavigationTest, F1AufDemIntroStartetNichts)
{
    starten();
    auto* intro = fenster().fensterAls<frmIntro>("frmIntro");
    QTest::keyClick(intro, Qt::Key_F1);
    ASSERT_NE(hilfeFenster(), nullptr);
    EXPECT_EQ(hilfeFenster()->thema(), "Die_Ersten_Schritte.htm");
    EXPECT_TRUE(fenster().istGeladen("frmIntro"));
    EXPECT_FALSE(fenster().istGeladen("frmToolbar"));
}

TEST_F(NavigationTest, DialogeGehoerenDemHauptfenster)
{
    tb->cmbMenu_Click(5);
    tb->cmbMenu_Click(6);
    QWidget* e = fenster().fenster("frmEinstellungen")->widget();
    EXPECT_TRUE(e->isWindow());
    EXPECT_EQ(e->parentWidget(), haupt.get());
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte")); // the page stays
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmUeberKav");
}

TEST_F(NavigationTest, HervorhebenUndHinweise)
{
    app().rahmen.blnToolbarAktiv = true;
    tb->cmbMenu_MouseMove(7);
    EXPECT_EQ(forms::BackColor(tb->cmbMenu(7)), hell());
    EXPECT_EQ(tb->bildSchluessel(7), "Ende2");
    EXPECT_EQ(haupt->panelText(), "Programm beenden");
    haupt->setPanelText("x");
    tb->cmbMenu_MouseMove(7); // already highlighted: no new hint
    EXPECT_EQ(haupt->panelText(), "x");

    tb->Form_MouseMove(); // the bar's background: colours back, picture stays
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(forms::BackColor(tb->cmbMenu(i)), normal()) << i;
    EXPECT_EQ(tb->bildSchluessel(7), "Ende2");
    EXPECT_EQ(haupt->panelText(), "Mehr Informationen zu Humavera finden Sie unter www.humavera.example");

    tb->cmbMenu_MouseMove(2);
    EXPECT_EQ(tb->bildSchluessel(7), "Ende1");
    EXPECT_EQ(haupt->panelText(), "Bodenprobe genommen, Ergebnisse eingetragen? Hier bekommen Sie die Düngeempfehlung.");

    // over the breadcrumb the highlight goes, nothing else
    fenster().fensterAls<frmBrotkrume>("frmBrotkrume")->Form_MouseMove();
    EXPECT_EQ(forms::BackColor(tb->cmbMenu(2)), normal());
    EXPECT_EQ(haupt->panelText(), "Bodenprobe genommen, Ergebnisse eingetragen? Hier bekommen Sie die Düngeempfehlung.");

    // inactive bar: no highlight, the background still writes the information text
    app().rahmen.blnToolbarAktiv = false;
    tb->cmbMenu_MouseMove(3);
    EXPECT_EQ(forms::BackColor(tb->cmbMenu(3)), normal());
    haupt->setPanelText("y");
    tb->Form_MouseMove();
    EXPECT_EQ(haupt->panelText(), "Mehr Informationen zu Humavera finden Sie unter www.humavera.example");
}

TEST_F(NavigationTest, EchteMausbewegungUeberEinemKnopfBleibtHervorgehoben)
{
    app().rahmen.blnToolbarAktiv = true;
    QToolButton* b = tb->cmbMenu(2);
    const QPointF mitte(b->width() / 2.0, b->height() / 2.0);
    QMouseEvent bewegung(QEvent::MouseMove, mitte, b->mapToGlobal(mitte), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
    QApplication::sendEvent(b, &bewegung);
    EXPECT_EQ(forms::BackColor(b), hell());
    EXPECT_EQ(haupt->panelText(), "Bodenprobe genommen, Ergebnisse eingetragen? Hier bekommen Sie die Düngeempfehlung.");
}

TEST_F(NavigationTest, BeendenKnopfSetztKeinenTitel)
{
    haupt->setWindowTitle("unverändert");
    tb->cmbMenu_Click(7);
    EXPECT_TRUE(haupt->beendet());
    EXPECT_EQ(haupt->windowTitle(), "unverändert");
}

TEST_F(NavigationTest, WebUndMailOhneTemporaereDatei)
{
    InternetSeiteOeffnen("www.humavera.example");
    ASSERT_EQ(geoeffnet.size(), 1);
    EXPECT_EQ(geoeffnet[0], QUrl("http://www.humavera.example")); // the address itself, no file
    EXPECT_TRUE(protokoll.meldungen.isEmpty());

    oeffnerKlappt = false;
    InternetSeiteOeffnen("https://www.humavera.example/seite");
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].text, "Der Browser konnte nicht gestartet werden.");
    EXPECT_EQ(protokoll.meldungen[0].titel, "Kav - Humavera");

    InternetSeiteOeffnen("kein gültiger link");
    ASSERT_EQ(protokoll.meldungen.size(), 2);
    EXPECT_EQ(protokoll.meldungen[1].text,
              "Seitenladefehler - Die Seite konnte nicht geladen werden. Versuchen Sie es später nochmals.");

    MailSenden("info@humavera.example"); // failure is not reported
    EXPECT_EQ(protokoll.meldungen.size(), 2);
    const QUrl mail = geoeffnet.last();
    EXPECT_EQ(mail.scheme(), "mailto");
    EXPECT_EQ(mail.path(), "info@humavera.example");
    EXPECT_EQ(QUrlQuery(mail).queryItemValue("Subject", QUrl::FullyDecoded), " Kav - Humavera");
}

TEST_F(NavigationTest, KlickAufDieStatusleiste)
{
    haupt->setPanelText("Hier können Sie die Ergebnisse der Bodenuntersuchung eingeben");
    QTest::mouseClick(haupt->stbPanel1(), Qt::LeftButton);
    EXPECT_TRUE(geoeffnet.isEmpty());
    tb->Form_MouseMove();
    QTest::mouseClick(haupt->stbPanel1(), Qt::LeftButton);
    ASSERT_EQ(geoeffnet.size(), 1);
    EXPECT_EQ(geoeffnet[0].host(), "www.humavera.example");
    EXPECT_EQ(haupt->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(NavigationTest, MenuesDesHauptfensters)
{
    ASSERT_NE(haupt->mnuPopUp(1), nullptr);
    EXPECT_EQ(haupt->mnuPopUp(8), nullptr);
    EXPECT_EQ(haupt->mnuPopUp(1)->actions().size(), 4);
    EXPECT_TRUE(haupt->menuePunkt("mnuStrich2")->isSeparator());
    EXPECT_EQ(haupt->menuePunkt("mnuFlaecheE1")->text(), "Neue Fläche");
    EXPECT_EQ(haupt->menuePunkt("mnuKalkLoeschen")->text(), "Kalkdünger löschen");
    EXPECT_EQ(haupt->mnuPopUp(7)->actions().first()->objectName(), "mnuAnalyseLoeschen");
}

TEST(Bilder, JedesBildLiegtVorUndIstBeiJederGroesseZuSehen)
{
    const forms::BildListe listen[] = {iconListe(), cursorListe(), brotkrumenListe(), titelListe()};
    const int anzahl[] = {18, 1, 3, 10};
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(listen[l].Count(), anzahl[l]) << l;
        for (const QString& k : listen[l].schluessel())
            for (int s : {12, 24, 96}) {
                const QImage bild = listen[l].pixmap(k, QSize(s, s)).toImage();
                ASSERT_EQ(bild.size(), QSize(s, s)) << k.toStdString();
                int deckend = 0;
                for (int y = 0; y < s; ++y)
                    for (int x = 0; x < s; ++x)
                        deckend += qAlpha(bild.pixel(x, y)) > 40;
                EXPECT_GT(deckend, s * s / 10) << k.toStdString() << " bei " << s;
            }
    }
    const QImage logo(qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Bilder/Logo_Kav.gif", "gif");
    EXPECT_EQ(logo.size(), QSize(952, 885));
}
