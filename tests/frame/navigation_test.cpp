// The navigation bar, help, web and mail links, the status bar and the pictures.
#include "frame/bilder.h"
#include "frame/frmbrotkrume.h"
#include "frame/frmintro.h"
#include "frame/frmtoolbar.h"
#include "frame/hilfe.h"
#include "frame/links.h"
#include "frame/seitenwechsel.h"
#include "rahmenfixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrlQuery>

using namespace kav;

namespace {

const QColor kNormal(188, 188, 188), kHell(220, 220, 220);
const QString kInfo = "Mehr Informationen zu Humavera finden Sie unter www.humavera.example";
const QString kHinweis2 = "Bodenprobe genommen, Ergebnisse eingetragen? Hier bekommen Sie die Düngeempfehlung.";

class NavigationTest : public test::RahmenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RahmenTest::SetUp());
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
    QString hilfeText() const { return hilfeFenster()->browser()->toPlainText(); }

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
    EXPECT_EQ(w.strAktFlaechenNr + w.strAktAnalysenNr, "Fl1001An1001"); // the analysis just entered stays
    EXPECT_TRUE(w.strAktKulturNr.isEmpty());
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK");
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmToolbar", "frmBrotkrume", "frmNPK"}));
    EXPECT_EQ(haupt->windowTitle(), "Kav - Humavera - Düngerbedarfsberechnung - Flächenauswahl");

    tb->cmbMenu_Click(2); // from the wizard: everything is reset
    EXPECT_TRUE(w.strAktFlaechenNr.isEmpty());
    EXPECT_TRUE(w.strAktAnalysenNr.isEmpty());

    w.strAktFlaechenNr = "Fl1001";
    tb->cmbMenu_Click(1);
    EXPECT_TRUE(w.strAktFlaechenNr.isEmpty());
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

// The help window opens smaller than the main window, with the text in the focus; Zurück is there
// only while a page can be gone back to, and going out it leaves the focus on the text.
TEST_F(NavigationTest, HilfeZeigtDasThemaDerSeiteOderDesDialogs)
{
    haupt->show();
    groesse(760, 570); // the smallest main window
    HilfeAufrufen("frmNPK"); // no help pages at all
    HilfeFenster* h = hilfeFenster();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->datei().isEmpty());
    EXPECT_TRUE(hilfeText().contains("Hilfe nicht gefunden"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
    EXPECT_TRUE(h->frameGeometry().width() < haupt->frameGeometry().width()
                && h->frameGeometry().height() < haupt->frameGeometry().height());
    EXPECT_FALSE(h->cmdZurueck()->isEnabled());
    EXPECT_EQ(h->focusWidget(), h->browser());

    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.path() + "/Hilfe/index.htm", "<html><body><h1>Inhalt</h1></body></html>"));
    ASSERT_NO_FATAL_FAILURE(test::schreibeDatei(dir.path() + "/Hilfe/Eingabe_Analysenwerte.htm", "<html><body><h1>Analysenwerte</h1></body></html>"));
    tb->cmbMenu_Click(4);
    EXPECT_EQ(hilfeFenster()->datei(), dir.path() + "/Hilfe/Eingabe_Analysenwerte.htm");
    EXPECT_TRUE(hilfeText().contains("Analysenwerte"));
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte")); // help does not switch the page

    fenster().zeigen("frmEinstellungen"); // the dialog's page is missing: the index with a clear line
    tb->cmbMenu_Click(4);
    EXPECT_EQ(hilfeFenster()->thema(), "Einstellungen.htm");
    EXPECT_EQ(hilfeFenster()->datei(), dir.path() + "/Hilfe/index.htm");
    EXPECT_TRUE(hilfeText().contains("„Einstellungen.htm“ ist nicht vorhanden"));
    ASSERT_TRUE(h->cmdZurueck()->isEnabled());
    h->cmdZurueck()->setFocus();
    QTest::keyClick(h->cmdZurueck(), Qt::Key_Space); // back to the first page shown
    EXPECT_TRUE(hilfeText().contains("Analysenwerte"));
    EXPECT_FALSE(h->cmdZurueck()->isEnabled());
    EXPECT_EQ(h->focusWidget(), h->browser());

    starten(); // F1 on the intro shows its topic and starts nothing
    QTest::keyClick(fenster().fensterAls<frmIntro>("frmIntro"), Qt::Key_F1);
    EXPECT_EQ(hilfeFenster()->thema(), "Die_Ersten_Schritte.htm");
    EXPECT_EQ(fenster().namen(), QStringList({"mdiZentral", "frmIntro"}));
}

TEST_F(NavigationTest, DialogeGehoerenDemHauptfensterUndBeendenSetztKeinenTitel)
{
    tb->cmbMenu_Click(5);
    tb->cmbMenu_Click(6);
    QWidget* e = fenster().fenster("frmEinstellungen")->widget();
    EXPECT_TRUE(e->isWindow());
    EXPECT_EQ(e->parentWidget(), haupt.get());
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte")); // the page stays
    EXPECT_EQ(app().rahmen.strAktivesFenster, "frmUeberKav");

    haupt->setWindowTitle("unverändert");
    tb->cmbMenu_Click(7);
    EXPECT_TRUE(haupt->beendet());
    EXPECT_EQ(haupt->windowTitle(), "unverändert");
}

TEST_F(NavigationTest, HervorhebenUndHinweise)
{
    app().rahmen.blnToolbarAktiv = true;
    tb->cmbMenu_MouseMove(7);
    EXPECT_EQ(forms::BackColor(tb->cmbMenu(7)), kHell);
    EXPECT_EQ(tb->bildSchluessel(7), "Ende2");
    EXPECT_EQ(haupt->panelText(), "Programm beenden");
    haupt->setPanelText("x");
    tb->cmbMenu_MouseMove(7); // already highlighted: no new hint
    EXPECT_EQ(haupt->panelText(), "x");

    tb->Form_MouseMove(); // the bar's background: colours back, picture stays, the information text
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(forms::BackColor(tb->cmbMenu(i)), kNormal) << i;
    EXPECT_EQ(tb->bildSchluessel(7), "Ende2");
    EXPECT_EQ(haupt->panelText(), kInfo);
    tb->cmbMenu_MouseMove(2);
    EXPECT_EQ(tb->bildSchluessel(7), "Ende1");
    fenster().fensterAls<frmBrotkrume>("frmBrotkrume")->Form_MouseMove(); // over the breadcrumb only the highlight goes
    EXPECT_EQ(forms::BackColor(tb->cmbMenu(2)), kNormal);
    EXPECT_EQ(haupt->panelText(), kHinweis2);

    // a real mouse move over a button highlights it and stays so
    QToolButton* b = tb->cmbMenu(2);
    const QPointF mitte(b->width() / 2.0, b->height() / 2.0);
    QMouseEvent bewegung(QEvent::MouseMove, mitte, b->mapToGlobal(mitte), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b, &bewegung);
    EXPECT_EQ(forms::BackColor(b), kHell);

    app().rahmen.blnToolbarAktiv = false; // an inactive bar highlights nothing
    tb->cmbMenu_MouseMove(3);
    EXPECT_EQ(forms::BackColor(tb->cmbMenu(3)), kNormal);
}

TEST_F(NavigationTest, WebMailUndStatusleisteOhneTemporaereDatei)
{
    InternetSeiteOeffnen("www.humavera.example");
    EXPECT_EQ(geoeffnet, QList<QUrl>{QUrl("http://www.humavera.example")}); // the address itself, no file
    EXPECT_TRUE(protokoll.meldungen.isEmpty());

    MailSenden("info@humavera.example");
    const QUrl mail = geoeffnet.last();
    EXPECT_EQ(mail.scheme() + ":" + mail.path(), "mailto:info@humavera.example");
    EXPECT_EQ(QUrlQuery(mail).queryItemValue("Subject", QUrl::FullyDecoded), " Kav - Humavera");

    // the first panel opens the web page only while it shows the information text
    geoeffnet.clear();
    haupt->setPanelText("Hier können Sie die Ergebnisse der Bodenuntersuchung eingeben");
    QTest::mouseClick(haupt->stbPanel1(), Qt::LeftButton);
    EXPECT_TRUE(geoeffnet.isEmpty());
    tb->Form_MouseMove();
    QTest::mouseClick(haupt->stbPanel1(), Qt::LeftButton);
    ASSERT_EQ(geoeffnet.size(), 1);
    EXPECT_EQ(geoeffnet[0].host(), "www.humavera.example");
    EXPECT_EQ(haupt->cursor().shape(), Qt::ArrowCursor);

    oeffnerKlappt = false;
    InternetSeiteOeffnen("https://www.humavera.example/seite");
    InternetSeiteOeffnen("kein gültiger link");
    MailSenden("info@humavera.example");
    EXPECT_EQ(protokoll.texte(), QStringList({"Der Browser konnte nicht gestartet werden.",
                                              "Seitenladefehler - Die Seite konnte nicht geladen werden. Versuchen Sie es später nochmals.",
                                              "Das E-Mail-Programm konnte nicht gestartet werden. Sie erreichen uns unter "
                                              "der Adresse info@humavera.example."}));
    EXPECT_EQ(protokoll.meldungen[0].titel, "Kav - Humavera");
}

TEST(Bilder, JedesBildLiegtVorUndIstBeiJederGroesseZuSehen)
{
    const std::pair<forms::BildListe, int> listen[] = {{iconListe(), 21}, {cursorListe(), 1}, {brotkrumenListe(), 3}, {titelListe(), 10}};
    for (const auto& [liste, anzahl] : listen) {
        EXPECT_EQ(liste.Count(), anzahl);
        for (const QString& k : liste.schluessel())
            for (int s : {12, 24, 96}) {
                const QImage bild = liste.pixmap(k, QSize(s, s)).toImage();
                ASSERT_EQ(bild.size(), QSize(s, s)) << k.toStdString();
                int deckend = 0;
                for (int y = 0; y < s; ++y)
                    for (int x = 0; x < s; ++x)
                        deckend += qAlpha(bild.pixel(x, y)) > 40;
                EXPECT_GT(deckend, s * s / 10) << k.toStdString() << " bei " << s;
            }
    }
    EXPECT_EQ(QImage(test::programmOrdner() + "/Bilder/Logo_Kav.gif", "gif").size(), QSize(952, 885));
}

// A quick exit from a button out of the bar (downwards, over no free spot of it) leaves no button
// lit and no hint; the caption of a button that is off reads on the user colour.
TEST_F(NavigationTest, SchnellHinausLaesstNichtsLeuchtenUndAusgeschaltetBleibtLesbar)
{
    tb->cmbMenu_MouseMove(7);
    ASSERT_EQ(forms::BackColor(tb->cmbMenu(7)), kHell);
    ASSERT_EQ(haupt->panelText(), "Programm beenden");
    QEvent weg(QEvent::Leave);
    QCoreApplication::sendEvent(tb, &weg);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(forms::BackColor(tb->cmbMenu(i)), kNormal) << i;
    EXPECT_EQ(tb->bildSchluessel(7), "Ende1");
    EXPECT_EQ(haupt->panelText(), kInfo);

    for (const QColor farbe : {kNormal, QColor(40, 40, 40), QColor(250, 250, 250)}) {
        forms::setBackColor(tb->cmbMenu(2), farbe);
        const QColor text = tb->cmbMenu(2)->palette().color(QPalette::Disabled, QPalette::ButtonText);
        EXPECT_GE(std::abs(text.lightness() - farbe.lightness()), 60) << farbe.name().toStdString();
    }
}

TEST_F(NavigationTest, BilderWachsenMitIhrenBeschriftungen)
{
    // a low bar for its font (1280 x 720 is a 1920 x 1080 screen at scale 1.5): the pictures keep a
    // size beside their captions, at least one and a quarter caption lines; captions and picture fit
    app().rahmen.sngArbeitsbereichHoehe = 4000 * 15;
    app().rahmen.sngArbeitsbereichBreite = 4000 * 15;
    haupt->show();
    for (const QSize g : {QSize(800, 600), QSize(1024, 768), QSize(1280, 720), QSize(1280, 800), QSize(1707, 1067), QSize(1920, 1080)}) {
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        const int F = app().rahmen.intSchriftGroesse;
        const std::string wo = std::to_string(g.width()) + "x" + std::to_string(g.height());
        QList<const QToolButton*> knoepfe;
        for (int i = 1; i <= 7; ++i) {
            const QToolButton* b = tb->cmbMenu(i);
            knoepfe.append(b);
            const QFontMetrics fm(b->font());
            const QStringList zeilen = b->text().split('\n');
            const int bild = b->iconSize().height();
            EXPECT_GE(bild, 1.25 * fm.height()) << wo << " " << i;
            EXPECT_LE(bild + zeilen.size() * fm.height() + 8, b->height()) << wo << " " << i;
            EXPECT_GE(b->font().pointSizeF(), 6) << wo << " " << i;
        }
        // the captions keep the size of the layout, or the largest that fits
        test::beschriftungenAmGroesstenDiePassen(knoepfe, F, wo);
    }
}
